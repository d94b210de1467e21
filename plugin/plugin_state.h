// What the plug-in keeps between calls of `search`: one struct, made at the
// first call (plugin/startup.h) and dropped when the host unloads the plug-in.
// The code below it is given what it needs of it.
#pragma once
#include <optional>
#include <string>

#include "dialog/search_dialog_logic.h"
#include "plugin/help.h"
#include "plugin/host_link.h"
#include "plugin/query_history.h"
#include "settings/profile_store.h"
#include "settings/scope.h"

namespace zms {

struct PluginState {
    explicit PluginState(const std::string& profilePath) : profile(profilePath.c_str()) {}

    ProfileStore profile;
    QueryHistory history;
    Scope scope = Scope::kFolder;
    bool specialFolders = false;  // the check box: also the unsent, draft and trash folders
    std::string initialEditText;  // shown in the query line when the dialog opens
    HostLink host;
    std::optional<HelpCommand> help;  // built at the first "help:"
    bool unsavedTold = false;         // a message said that the settings were not saved
};

// What the dialog shows on opening: the history, the scope and check box, the
// initial edit text in the query line; and the IME option, read now.
dialog::View OpeningView(const PluginState& state);

// What an answer leaves behind, in this order: on OK the scope and the check
// box, in the state and the profile, then a non-empty query at the top of the
// history, which is saved. Esc and the close box leave nothing. False when
// the profile file could not be written.
bool Keep(PluginState& state, const dialog::Answer& answer);

}  // namespace zms

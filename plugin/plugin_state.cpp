#include "plugin/plugin_state.h"

#include "settings/profile_settings.h"

namespace zms {

dialog::View OpeningView(const PluginState& state) {
    return {state.history.Entries(), state.initialEditText, state.scope, state.specialFolders,
            dialog::SpecialFoldersEnabled(state.scope), settings::CloseInputMethodOnOpen(state.profile)};
}

bool Keep(PluginState& state, const dialog::Answer& answer) {
    if (!answer.chosen) return true;
    const dialog::Choice& choice = *answer.chosen;
    state.scope = choice.scope;
    state.specialFolders = choice.specialFolders;
    const bool choiceSaved = settings::WriteDialogChoice(state.profile, choice.scope, choice.specialFolders);
    if (choice.query.empty()) return choiceSaved;
    state.history.Record(choice.query);
    return state.history.Save(state.profile) && choiceSaved;
}

}  // namespace zms

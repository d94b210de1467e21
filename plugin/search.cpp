#include "plugin/search.h"

#include <string>

#include "dialog/search_dialog.h"
#include "platform/message.h"
#include "plugin/favorites.h"
#include "plugin/help.h"
#include "plugin/host_link.h"
#include "plugin/japanese_texts.h"
#include "plugin/plugin_state.h"
#include "plugin/query_context.h"
#include "plugin/search_hint.h"
#include "query/query_translator.h"

namespace zms {

namespace {

struct Destination {
    const char* account;
    const char* folder;
};

// Texts from the host are held by pointer and passed on as they come.
const char* Text(intptr_t hostResult) { return reinterpret_cast<const char*>(hostResult); }

bool InMainOrGrepWindow(const HostLink& host) { return host.IsZentoroMailMain() || host.IsZentoroMailGrep(); }

// The macro's text, first line only: as it stands when it holds no space (it
// is read as plain values, which the translation escapes itself; escaping it
// here too would search for every backslash doubled), else escaped and quoted
// as one quoted value.
void PrepareInitialEditText(PluginState& state, const char* text) {
    if (!text || !*text) return;  // the text of the last call stays
    std::string line = text;
    line = line.substr(0, line.find("\r\n"));
    if (line.find(' ') == std::string::npos) {
        state.initialEditText = line;
        return;
    }
    const char* encoded = state.host.YenEncode(line.c_str());
    state.initialEditText = "\"" + (encoded ? encoded : line) + "\"";
}

Destination DestinationFor(const HostLink& host, const dialog::Choice& choice) {
    Destination d{};
    if (choice.scope == Scope::kAllAccounts) {
        d.account = "";
    } else {
        d.account = Text(host.ExecAtMain("CurrentAccount"));
    }
    if (choice.scope == Scope::kFolder || choice.scope == Scope::kFolderAndSubfolders) {
        d.folder = InMainOrGrepWindow(host) ? host.CurrentFolder() : Text(host.ExecAtMain("CurrentFolder"));
    } else {
        d.folder = choice.specialFolders ? "" : texts::kDefaultFolders;
    }
    return d;
}

void HandOver(const HostLink& host, const std::string& pack, const Destination& d) {
    if (InMainOrGrepWindow(host)) {
        host.SetFindPack(pack.c_str());
        host.StartDoGrep(d.account, d.folder);
        host.PushFindPack();
    } else {
        host.ExecAtMain("SetFindPack", pack.c_str());
        host.ExecAtMain("StartDoGrep", d.account, d.folder);
        host.ExecAtMain("PushFindPack");
    }
}

// A message naming the profile file and why it could not be written.
void TellProfileFailure(const ProfileStore& store, const std::string& failure,
                        const std::string& reason, std::intptr_t owner) {
    platform::ShowMessage((failure + "\r\n\r\n" + store.Path() + "\r\n" + reason).c_str(), owner);
}

// What OK confirmed: the favourite's branch, the help, or the find pack to
// the host. Whether a message about the profile file was shown.
bool RunConfirmed(PluginState& state, const dialog::Choice& choice, std::intptr_t owner) {
    const Destination destination = DestinationFor(state.host, choice);
    std::string query = choice.query;
    const QueryContext context = SearchQueryContext(state.profile, state.host);
    TrimQuery(query, context);
    if (CommandOf(query) == Command::kFavorite) {
        const FavoriteOutcome favorite = RunFavorite(state.profile, query);
        if (!favorite.failure.empty())
            TellProfileFailure(state.profile, favorite.failure, favorite.reason, owner);
        if (!favorite.search) return !favorite.failure.empty();
    }
    // A recalled query goes on as it is: "fav:" again is searched as text.
    const Command command = CommandOf(query);
    if (command == Command::kHelp) {
        ShowHelp(state.help);
        return false;
    }
    std::string pack = command == Command::kDebug
                           ? query.substr(kDebugPrefix.size())
                           : TranslateQuery(query, CoversSubfolders(choice.scope), context);
    HandOver(state.host, pack, destination);
    return false;
}

}  // namespace

int32_t Search(PluginState& state, const char* text) {
    state.profile.StartWork();
    const HostLink& host = state.host;
    if (!HostLinkReadyForSearch(host)) {
        platform::ShowMessage(texts::kHostLibraryMissing);
        return 0;
    }
    if (!host.IsZentoroMail()) {
        platform::ShowMessage(texts::kNotInMailProgram);
        return 0;
    }
    const int32_t mainWindow = host.MainWnd();
    if (!mainWindow) {
        platform::ShowMessage(texts::kMainNotRunning);
        return 0;
    }
    const std::intptr_t owner = mainWindow;
    PrepareInitialEditText(state, text);
    const dialog::Answer answer = dialog::RunSearchDialog(owner, OpeningView(state), DialogHint(state.profile));
    const bool kept = Keep(state, answer);
    const std::string reason = kept ? std::string() : platform::LastErrorText();
    const bool told = answer.result == dialog::kResultQuery && answer.chosen &&
                      RunConfirmed(state, *answer.chosen, owner);
    // Settings and history that were not saved are told once in a process
    // (after the search has started), not at every search.
    if (!kept && !told && !state.unsavedTold)
        TellProfileFailure(state.profile, texts::kSettingsNotSaved, reason, owner);
    if (!kept) state.unsavedTold = true;
    return 0;
}

}  // namespace zms

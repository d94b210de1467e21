#include "plugin/search.h"

#include <string>

#include "dialog/search_dialog.h"
#include "dialog/search_state.h"
#include "platform/message.h"
#include "platform/profile.h"
#include "plugin/favorites.h"
#include "plugin/help.h"
#include "plugin/host_link.h"
#include "plugin/japanese_texts.h"
#include "plugin/query_context.h"
#include "plugin/search_hint.h"
#include "query/query_translator.h"
#include "settings/profile_store.h"

namespace zms {

namespace {

struct Destination {
    const char* account;
    const char* folder;
};

// Texts from the host are held by pointer and passed on as they come.
const char* Text(intptr_t hostResult) { return reinterpret_cast<const char*>(hostResult); }

bool InMainOrGrepWindow() { return g_host.IsZentoroMailMain() || g_host.IsZentoroMailGrep(); }

// The macro's text, first line only: as it stands when it holds no space (it
// is read as plain values, which the translation escapes itself; escaping it
// here too would search for every backslash doubled), else escaped and quoted
// as one quoted value.
void PrepareInitialEditText(const char* text) {
    if (!text || !*text) return;  // the text of the last call stays
    std::string line = text;
    line = line.substr(0, line.find("\r\n"));
    if (line.find(' ') == std::string::npos) {
        g_search.initialEditText = line;
        return;
    }
    const char* encoded = g_host.YenEncode(line.c_str());
    g_search.initialEditText = "\"" + (encoded ? encoded : line) + "\"";
}

Destination DestinationFor(const dialog::Choice& choice) {
    Destination d{};
    if (choice.scope == Scope::kAllAccounts) {
        d.account = "";
    } else {
        d.account = Text(g_host.ExecAtMain("CurrentAccount"));
    }
    if (choice.scope == Scope::kFolder || choice.scope == Scope::kFolderAndSubfolders) {
        d.folder = InMainOrGrepWindow() ? g_host.CurrentFolder() : Text(g_host.ExecAtMain("CurrentFolder"));
    } else {
        d.folder = choice.specialFolders ? "" : texts::kDefaultFolders;
    }
    return d;
}

void HandOver(const std::string& pack, const Destination& d) {
    if (InMainOrGrepWindow()) {
        g_host.SetFindPack(pack.c_str());
        g_host.StartDoGrep(d.account, d.folder);
        g_host.PushFindPack();
    } else {
        g_host.ExecAtMain("SetFindPack", pack.c_str());
        g_host.ExecAtMain("StartDoGrep", d.account, d.folder);
        g_host.ExecAtMain("PushFindPack");
    }
}


// A message naming the profile file and why it could not be written.
void TellProfileFailure(const std::string& failure, const std::string& reason,
                        std::intptr_t owner) {
    const std::string path = g_profileStore ? g_profileStore->Path() : std::string();
    platform::ShowMessage((failure + "\r\n\r\n" + path + "\r\n" + reason).c_str(), owner);
}

// What OK confirmed: the favourite's branch, the help, or the find pack to
// the host. Whether a message about the profile file was shown.
bool RunConfirmed(const dialog::Choice& choice, std::intptr_t owner) {
    const Destination destination = DestinationFor(choice);
    std::string query = choice.query;
    const QueryContext context = SearchQueryContext();
    TrimQuery(query, context);
    if (CommandOf(query) == Command::kFavorite) {
        const FavoriteOutcome favorite = RunFavorite(query);
        if (!favorite.failure.empty()) TellProfileFailure(favorite.failure, favorite.reason, owner);
        if (!favorite.search) return !favorite.failure.empty();
    }
    // A recalled query goes on as it is: "fav:" again is searched as text.
    const Command command = CommandOf(query);
    if (command == Command::kHelp) {
        ShowHelp();
        return false;
    }
    std::string pack = command == Command::kDebug
                           ? query.substr(kDebugPrefix.size())
                           : TranslateQuery(query, CoversSubfolders(choice.scope), context);
    HandOver(pack, destination);
    return false;
}

}  // namespace

int32_t Search(const char* text) {
    const platform::ProfileOperation profileWork;
    if (!HostLinkReadyForSearch()) {
        platform::ShowMessage(texts::kHostLibraryMissing);
        return 0;
    }
    if (!g_host.IsZentoroMail()) {
        platform::ShowMessage(texts::kNotInMailProgram);
        return 0;
    }
    const int32_t mainWindow = g_host.MainWnd();
    if (!mainWindow) {
        platform::ShowMessage(texts::kMainNotRunning);
        return 0;
    }
    const std::intptr_t owner = mainWindow;
    PrepareInitialEditText(text);
    const dialog::Answer answer = RunSearchDialog(owner, DialogHint());
    const bool kept = dialog::Keep(answer);
    const std::string reason = kept ? std::string() : platform::LastErrorText();
    const bool told = answer.result == dialog::kResultQuery && answer.chosen &&
                      RunConfirmed(*answer.chosen, owner);
    // Settings and history that were not saved are told once in a process
    // (after the search has started), not at every search.
    if (!kept && !told && !g_search.unsavedTold) TellProfileFailure(texts::kSettingsNotSaved, reason, owner);
    if (!kept) g_search.unsavedTold = true;
    return 0;
}

}  // namespace zms

// zms-host's command line: how the host is set up, and the sequence of
// host-state changes and searches it runs in one process.
#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zms::host {

extern const char kUsage[];

// A registry value: zms-host's default for it, a directory given, or none.
struct DirectoryChoice {
    enum Kind { kDefault, kGiven, kNone };
    Kind kind = kDefault;
    std::string dir;
};

// What the stand-in answers from this point on (StandInSet).
struct StandInChange {
    std::string name;
    std::optional<std::string> value;
};

// The registry's mail program directory (VorendaDir) from this point on, as
// when the mail program is moved while the plug-in is loaded.
struct MailDirChange {
    std::string dir;
};

// One call of `search`: the macro's text and the dialog's script.
struct Search {
    std::string macro;
    std::vector<std::string> script;  // dialog actions, one a line: type, pick, scope, check, ok, esc, close
};

using Step = std::variant<StandInChange, MailDirChange, Search>;

struct Options {
    std::string plugin;       // "": the plug-in beside zms-host
    std::string profileDir;   // "": a fresh directory under the temporary directory
    DirectoryChoice editor;   // default: the profile directory
    DirectoryChoice macros;   // default: the profile directory
    DirectoryChoice mailDir;  // default: zms-host's directory, where VRInfo.dll lies
    std::string journalFile;
    bool showProfile = false;
    bool interactive = false;  // a person answers the dialog and the message boxes
    bool help = false;
    std::vector<Step> steps;  // in command-line order; never without a search
};

struct ParseResult {
    Options options;
    std::string error;  // "" when the command line is good
};

// With no --macro at all, one demo search runs after the other steps: an
// empty macro text, the query "subject:meeting from:sales", the current
// account (scope 1003), OK.
ParseResult ParseOptions(const std::vector<std::string>& args);

}  // namespace zms::host

#include "tools/zms-host/host_options.h"

#include <cerrno>
#include <cstdlib>
#include <map>

namespace zms::host {

const char kUsage[] =
    "usage: zms-host [SETUP...] [STATE...] [--macro TEXT [DIALOG...] [STATE...]]...\n"
    "Plays the mail program: sets up the registry and a main window, loads the\n"
    "plug-in and the stand-in VRInfo.dll, and runs one search per --macro,\n"
    "printing what the plug-in shows and every call it makes to the host.\n"
    "Without --macro it runs one demo search.\n"
    "\n"
    "Setup:\n"
    "  --plugin PATH      the plug-in to load (default: the one beside zms-host)\n"
    "  --profile-dir DIR  default editor and macro directory, so the profile file\n"
    "                     lands there (default: a new directory under the temp dir)\n"
    "  --editor DIR | --no-editor    the editor's install location\n"
    "  --macros DIR | --no-macros    the editor's macro directory\n"
    "  --mail-dir DIR | --no-mail-dir  the mail program directory, which holds\n"
    "                     VRInfo.dll (default: zms-host's directory)\n"
    "  --journal FILE     also append the host's journal to FILE\n"
    "  --show-profile     print the profile file at the end\n"
    "  --interactive      leave the dialog and the message boxes to a person at\n"
    "                     the display (Windows); by default zms-host answers them\n"
    "Host state, from this point on:\n"
    "  --inside 0|1       whether the macro runs inside the mail program\n"
    "  --main-wnd N|own   what MainWnd returns: N (0: the main window is not\n"
    "                     running), or the host's own main window (the default)\n"
    "  --window main|grep|other   the window the macro runs in\n"
    "  --account A | --null-account   the current account (or a null result)\n"
    "  --folder F | --null-folder     the current folder (or a null result)\n"
    "  --move-mail-dir DIR  the registry's mail program directory becomes DIR\n"
    "Search:\n"
    "  --macro TEXT       call search(TEXT); the dialog actions after it answer\n"
    "                     its dialog:\n"
    "  --type Q  --pick N  --scope ID  --check  --ok  --esc  --close\n";

namespace {

bool IsNumber(const std::string& s) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    std::strtoll(s.c_str(), &end, 0);
    return !*end && !errno;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParseResult Run() {
        ParseResult r;
        while (r.error.empty() && next_ < args_.size()) r.error = One(r.options);
        bool anySearch = false;
        for (const Step& s : r.options.steps)
            anySearch = anySearch || std::holds_alternative<Search>(s);
        if (!anySearch)
            r.options.steps.push_back(
                Search{"", {"type subject:meeting from:sales", "scope 1003", "ok"}});
        return r;
    }

private:
    // Reads the option at next_ and its value; an error message or "".
    std::string One(Options& o) {
        const std::string option = args_[next_++];
        static const std::map<std::string, std::string> kDialogFlags = {
            {"--check", "check"}, {"--ok", "ok"}, {"--esc", "esc"}, {"--close", "close"}};
        static const std::map<std::string, std::string> kDialogValues = {
            {"--type", "type"}, {"--pick", "pick"}, {"--scope", "scope"}};

        if (option == "--help") {
            o.help = true;
        } else if (option == "--show-profile") {
            o.showProfile = true;
        } else if (option == "--interactive") {
            o.interactive = true;
        } else if (option == "--no-editor") {
            o.editor = {DirectoryChoice::kNone, ""};
        } else if (option == "--no-macros") {
            o.macros = {DirectoryChoice::kNone, ""};
        } else if (option == "--no-mail-dir") {
            o.mailDir = {DirectoryChoice::kNone, ""};
        } else if (option == "--null-account" || option == "--null-folder") {
            o.steps.push_back(
                StandInChange{option == "--null-account" ? "account" : "folder", std::nullopt});
        } else if (kDialogFlags.count(option)) {
            return AddAction(o, option, kDialogFlags.at(option));
        } else if (!IsValueOption(option)) {
            return "unknown option " + option;
        } else if (next_ == args_.size()) {
            return option + " needs a value";
        } else {
            return WithValue(o, option, args_[next_++], kDialogValues);
        }
        return "";
    }

    std::string WithValue(Options& o, const std::string& option, const std::string& v,
                          const std::map<std::string, std::string>& dialogValues) {
        if (option == "--plugin") {
            o.plugin = v;
        } else if (option == "--profile-dir") {
            o.profileDir = v;
        } else if (option == "--editor") {
            o.editor = {DirectoryChoice::kGiven, v};
        } else if (option == "--macros") {
            o.macros = {DirectoryChoice::kGiven, v};
        } else if (option == "--mail-dir") {
            o.mailDir = {DirectoryChoice::kGiven, v};
        } else if (option == "--journal") {
            o.journalFile = v;
        } else if (option == "--macro") {
            o.steps.push_back(Search{v, {}});
        } else if (option == "--inside") {
            if (v != "0" && v != "1") return "--inside takes 0 or 1";
            o.steps.push_back(StandInChange{"inside", v});
        } else if (option == "--main-wnd") {
            if (!IsNumber(v) && v != "own") return "--main-wnd takes a number or own";
            o.steps.push_back(StandInChange{"mainwnd", v});
        } else if (option == "--window") {
            if (v != "main" && v != "grep" && v != "other")
                return "--window takes main, grep or other";
            o.steps.push_back(StandInChange{"window", v});
        } else if (option == "--move-mail-dir") {
            o.steps.push_back(MailDirChange{v});
        } else if (option == "--account" || option == "--folder") {
            o.steps.push_back(StandInChange{option.substr(2), v});
        } else {  // --type, --pick, --scope
            if (v.find_first_of("\r\n") != std::string::npos)
                return option + ": a dialog action is one line";
            return AddAction(o, option, dialogValues.at(option) + " " + v);
        }
        return "";
    }

    static std::string AddAction(Options& o, const std::string& option, const std::string& line) {
        Search* search = o.steps.empty() ? nullptr : std::get_if<Search>(&o.steps.back());
        if (!search) return option + " must follow --macro or another dialog action";
        search->script.push_back(line);
        return "";
    }

    static bool IsValueOption(const std::string& option) {
        for (const char* o : {"--plugin", "--profile-dir", "--editor", "--macros", "--mail-dir",
                              "--journal", "--macro", "--inside", "--main-wnd", "--window",
                              "--account", "--folder", "--move-mail-dir", "--type", "--pick",
                              "--scope"})
            if (option == o) return true;
        return false;
    }

    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

}  // namespace

ParseResult ParseOptions(const std::vector<std::string>& args) { return Parser(args).Run(); }

}  // namespace zms::host

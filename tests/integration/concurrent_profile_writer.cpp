// One of several processes that work on the same profile file at once, as two
// mail programs (or two windows of one) each with the plug-in loaded would:
//
//   concurrent_profile_writer write PROFILE WRITER ROUNDS
//       ROUNDS times: the dialog's OK with a query of this writer's own (scope,
//       check box and the query history saved), then a favourite stored under
//       a name of this writer's own ("w<WRITER>_<round % 5>") and one under
//       the name both writers share ("shared").
//   concurrent_profile_writer check PROFILE WRITERS ROUNDS
//       reads the file afterwards, byte by byte and through the profile store,
//       and prints what it found: torn or unknown lines, sections and keys
//       that are missing or doubled, and every favourite whose last value was
//       lost (a stale copy of the file written back over it). Exit status 0
//       when nothing was found, 1 otherwise, 2 for a bad command line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialog/search_dialog_logic.h"
#include "platform/profile.h"
#include "plugin/favorites.h"
#include "plugin/plugin_state.h"

namespace zms {
namespace {

constexpr int kOwnNames = 5;  // favourites of a writer's own, used in turn

std::string Query(int writer, int round) {
    return "w" + std::to_string(writer) + " query " + std::to_string(round);
}
std::string FavoriteName(int writer, int slot) {
    return "w" + std::to_string(writer) + "_" + std::to_string(slot);
}
std::string FavoriteText(int writer, int round) {
    return "subject:w" + std::to_string(writer) + "r" + std::to_string(round);
}

int Write(const char* path, int writer, int rounds) {
    PluginState state(path);
    // Each write waits for its turn as long as it takes: what is checked here
    // is the taking of turns, and a loaded machine can stretch the other
    // writer's turn past a search's budget, after which a write goes on
    // without its turn (giving up on a hung holder is profile_platform_test's).
    state.profile.StartWork(std::chrono::hours(1));
    for (int round = 0; round < rounds; ++round) {
        Keep(state, dialog::Confirm(Scope::kFolder, kScopes[round % 4], round % 2 == 1,
                                     Query(writer, round)));
        std::string own =
            "fav:" + FavoriteName(writer, round % kOwnNames) + " " + FavoriteText(writer, round);
        RunFavorite(state.profile, own);
        std::string shared = "fav:shared " + FavoriteText(writer, round);
        RunFavorite(state.profile, shared);
    }
    return 0;
}

// ---- The check -----------------------------------------------------------------

struct Findings {
    int lines = 0;
    int problems = 0;
    int lostFavorites = 0;
    void Report(const std::string& what) {
        std::printf("problem: %s\n", what.c_str());
        ++problems;
    }
};

std::string Shown(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes.substr(0, 60)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += (c >= 0x20 && c < 0x7f) ? std::string(1, static_cast<char>(c)) : hex;
    }
    return bytes.size() > 60 ? out + "..." : out;
}

// The values each key may hold: whatever some writer wrote to it.
bool Allowed(const std::string& section, const std::string& key, const std::string& value,
             int writers, int rounds) {
    std::set<std::string> ok;
    if (section == "Config" && key == "radio") {
        ok = {"1", "2", "3", "4"};
    } else if (section == "Config" && key == "check") {
        ok = {"TRUE", "FALSE"};
    } else if (section == "History" && key.rfind("history", 0) == 0) {
        for (int w = 0; w < writers; ++w)
            for (int r = 0; r < rounds; ++r) ok.insert(Query(w, r));
    } else if (section == "Favorite") {
        for (int w = 0; w < writers; ++w)
            for (int r = 0; r < rounds; ++r) ok.insert(FavoriteText(w, r));
    }
    return ok.count(value) != 0;
}

int Check(const char* path, int writers, int rounds) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("problem: no profile file %s\n", path);
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Findings f;
    std::map<std::string, std::map<std::string, std::string>> file;
    std::map<std::string, int> headers;
    std::string section;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            f.Report("last line without a line end: " + Shown(bytes.substr(start)));
            end = bytes.size();
        }
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        ++f.lines;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            if (++headers[section] > 1) f.Report("section [" + section + "] twice");
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || section.empty()) {
            f.Report("torn or stray line: " + Shown(line));
            continue;
        }
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (file[section].count(key)) f.Report(section + "/" + key + " twice");
        file[section][key] = value;
        if (!Allowed(section, key, value, writers, rounds))
            f.Report(section + "/" + key + " holds a value nobody wrote: " + Shown(value));
    }
    for (const char* s : {"Config", "History", "Favorite"})
        if (!headers.count(s)) f.Report(std::string("section [") + s + "] missing");

    // Each writer's own favourites must hold the last value it wrote to them:
    // nobody else writes them, so anything else is a lost update.
    ProfileStore store(path);
    for (int w = 0; w < writers; ++w) {
        for (int slot = 0; slot < kOwnNames && slot < rounds; ++slot) {
            int last = slot;
            while (last + kOwnNames < rounds) last += kOwnNames;
            const std::string name = FavoriteName(w, slot), expected = FavoriteText(w, last);
            char* read = store.ReadString("Favorite", name.c_str(), nullptr);
            const std::string got = read ? read : "<null>";
            std::free(read);
            if (got != expected) {
                std::printf("lost: Favorite/%s holds \"%s\", last written \"%s\"\n", name.c_str(),
                            got.c_str(), expected.c_str());
                ++f.lostFavorites;
            }
        }
    }
    // The shared name holds some writer's last value.
    char* shared = store.ReadString("Favorite", "shared", nullptr);
    bool sharedOk = false;
    for (int w = 0; w < writers; ++w)
        sharedOk = sharedOk || (shared && FavoriteText(w, rounds - 1) == shared);
    if (!sharedOk) {
        std::printf("lost: Favorite/shared holds \"%s\", no writer's last value\n",
                    shared ? shared : "<null>");
        ++f.lostFavorites;
    }
    std::free(shared);
    const int ownNames = writers * (rounds < kOwnNames ? rounds : kOwnNames);
    std::printf("lines %d, problems %d, lost favourites %d of %d\n", f.lines, f.problems,
                f.lostFavorites, ownNames + 1);
    return f.problems == 0 && f.lostFavorites == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zms

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: %s write PROFILE WRITER ROUNDS | check PROFILE WRITERS ROUNDS\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const int a = std::atoi(argv[3]), b = std::atoi(argv[4]);
    if (mode == "write" && a >= 0 && b > 0) return zms::Write(argv[2], a, b);
    if (mode == "check" && a > 0 && b > 0) return zms::Check(argv[2], a, b);
    std::fprintf(stderr, "%s: bad arguments\n", argv[0]);
    return 2;
}

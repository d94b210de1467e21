// zms-translate: what a query becomes. Prints the find pack the plug-in would
// hand to the host for each query given, or for each line of standard input.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/console.h"
#include "query/explain.h"
#include "query/query_translator.h"
#include "settings/profile_settings.h"
#include "settings/profile_store.h"
#include "settings/scope.h"
#include "tools/vrinfo/stand_in_escape.h"

namespace {

const char kUsage[] =
    "usage: zms-translate [--scope N] [--profile FILE] [--explain [--japanese]] [--yen] [--]\n"
    "                     [QUERY...]\n"
    "\n"
    "Prints the find pack of each QUERY, one per line. With no QUERY, reads\n"
    "queries from standard input, one per line, and prints one find pack per line.\n"
    "Bytes pass through unchanged (code page 932).\n"
    "\n"
    "  --scope N       1001 current folder (default), 1002 with subfolders,\n"
    "                  1003 current account, 1004 all accounts\n"
    "  --profile FILE  the profile file whose [Option] fullwidthspace_separator=1\n"
    "                  makes the fullwidth space a separator (read for each query)\n"
    "  --explain       after each find pack, one line per step of the translation:\n"
    "                  the field, the form, the value and what was left over\n"
    "  --japanese      the steps' forms and reasons in Japanese; the output in code\n"
    "                  page 932 on Windows, UTF-8 elsewhere\n"
    "  --yen           escape plain values as the stand-in host library's YenEncode\n"
    "                  does: \\ becomes \\\\ and \" becomes \\\" (code page 932 aware)\n"
    "  --help          this text\n";

struct Options {
    zms::Scope scope = zms::Scope::kFolder;
    const char* profile = nullptr;
    bool yen = false;
    bool explain = false;
    bool japanese = false;
    std::vector<std::string> queries;
    bool fromStdin = true;
};

int Usage(const char* problem) {
    std::fprintf(stderr, "zms-translate: %s\n%s", problem, kUsage);
    return 2;
}

// Returns -1 when the arguments are good, else the exit status.
int Parse(int argc, char** argv, Options& o) {
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (options && std::strcmp(a, "--") == 0) {
            options = false;
        } else if (options && std::strcmp(a, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (options && std::strcmp(a, "--yen") == 0) {
            o.yen = true;
        } else if (options && std::strcmp(a, "--explain") == 0) {
            o.explain = true;
        } else if (options && std::strcmp(a, "--japanese") == 0) {
            o.japanese = true;
        } else if (options && (std::strcmp(a, "--scope") == 0 || std::strcmp(a, "--profile") == 0)) {
            if (i + 1 == argc) return Usage("an option needs a value");
            const char* v = argv[++i];
            if (a[2] == 'p') {
                o.profile = v;
                continue;
            }
            char* end = nullptr;
            const std::optional<zms::Scope> scope = zms::ScopeNumbered(std::strtol(v, &end, 10));
            if (*v == '\0' || *end != '\0' || !scope)
                return Usage("--scope takes 1001, 1002, 1003 or 1004");
            o.scope = *scope;
        } else if (options && a[0] == '-' && a[1] == '-') {
            return Usage("unknown option");
        } else {
            o.queries.emplace_back(a);
            o.fromStdin = false;
        }
    }
    return -1;
}

bool g_explain = false;
bool g_japanese = false;
zms::QueryContext g_context;

bool Print(const std::string& query, zms::Scope scope) {
    const bool subfolders = zms::CoversSubfolders(scope);
    const zms::Language language = g_japanese ? zms::Language::kJapanese : zms::Language::kEnglish;
    std::string out = g_explain ? zms::ExplanationText(
                                      zms::Explain(query, subfolders, g_context, SIZE_MAX, language))
                                : zms::TranslateQuery(query, subfolders, g_context) + '\n';
    if (g_japanese) out = zms::platform::ConsoleText(out);
    return std::fwrite(out.data(), 1, out.size(), stdout) == out.size();
}

// Lines end at LF; one CR right before it goes. A last line without LF counts.
// A query is a C string to the plug-in, so a NUL byte ends it there too.
bool TranslateStdin(zms::Scope scope) {
    std::string line;
    char chunk[65536];
    auto flush = [&]() {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool ok = Print(line.substr(0, line.find('\0')), scope);
        line.clear();
        return ok;
    };
    bool pending = false;
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) {
        for (const char* p = chunk; p < chunk + n;) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', chunk + n - p));
            if (!nl) {
                line.append(p, static_cast<std::size_t>(chunk + n - p));
                pending = true;
                break;
            }
            line.append(p, nl);
            if (!flush()) return false;
            pending = false;
            p = nl + 1;
        }
    }
    if (std::ferror(stdin)) return false;
    return !pending || flush();
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (int status = Parse(argc, argv, o); status >= 0) return status;
    // The stand-in host library's escaping, in place of the host's YenEncode.
    if (o.yen) g_context.encode = [](const std::string& value) { return zms::StandInEscape(value); };
    g_explain = o.explain;
    g_japanese = o.japanese;
    zms::platform::SetBinaryStdio();
    std::optional<zms::ProfileStore> profile;
    if (o.profile) {
        profile.emplace(o.profile);
        g_context.fullwidthOption = [&profile] { return zms::settings::FullwidthSpaceSeparates(*profile); };
    }
    bool ok = true;
    if (o.fromStdin) {
        ok = TranslateStdin(o.scope);
    } else {
        for (const std::string& q : o.queries) ok = ok && Print(q, o.scope);
    }
    ok = std::fflush(stdout) == 0 && ok;
    if (!ok) {
        std::fputs("zms-translate: cannot read the input or write the output\n", stderr);
        return 1;
    }
    return 0;
}

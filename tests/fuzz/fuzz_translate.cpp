// The translation over any query.
//
// Input: byte 0 picks the profile file the fullwidth-space option is read
// from, byte 1 the scope (kScopes[byte % 4]), the rest
// is the query, up to its first NUL (a query is a C string wherever it comes
// from). Checks:
// - the find pack reads back by its grammar (tests/unit/find_pack_grammar.h),
//   with the subfolder suffix of the scope;
// - it equals the word-for-word Boost.Regex reading of the rules, for queries
//   up to kReferenceLimit bytes (skipped when the regex engine gives up);
// - one ConvertTerm step equals the reference's too;
// - trimming cuts what the reference's trim cuts, and a second trim changes
//   nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "query/field_table.h"
#include "query/query_translator.h"
#include "settings/profile_settings.h"
#include "settings/profile_store.h"
#include "tests/unit/find_pack_grammar.h"
#include "tests/unit/query_reference.h"

namespace {

using namespace zms;

// The reference searches the whole query with fresh patterns on every pass:
// quadratic, so it runs on shorter queries only.
constexpr std::size_t kReferenceLimit = 2048;

// Profile files holding the option in the ways a person may have written it,
// each with whether it turns the option on (only a value that reads as exactly
// "1" does).
struct OptionFile {
    const char* name;
    const char* contents;  // written as they are; null: through the store
    const char* value;     // written through the store when contents is null
    bool on;
};

const OptionFile kOptionFiles[] = {
    {"missing.ini", nullptr, nullptr, false},
    {"one.ini", nullptr, "1", true},
    {"zero.ini", nullptr, "0", false},
    {"spaced.ini", nullptr, " 1", false},  // the store keeps the space
    {"eleven.ini", nullptr, "11", false},
    {"handwritten.ini", "[option]\nFULLWIDTHSPACE_SEPARATOR = \"1\"\n", nullptr, true},
    {"quoted.ini", "[Option]\r\nfullwidthspace_separator='1' \r\n", nullptr, true},
    {"elsewhere.ini", "[Other]\r\nfullwidthspace_separator=1\r\n", nullptr, false},
};
constexpr std::size_t kOptionCount = sizeof(kOptionFiles) / sizeof(kOptionFiles[0]);

std::vector<std::unique_ptr<ProfileStore>>& Stores() {
    static std::vector<std::unique_ptr<ProfileStore>> stores;
    return stores;
}

void WriteOptionFiles() {
    for (const OptionFile& f : kOptionFiles) {
        const std::string path = fuzz::ScratchDir() + "/" + f.name;
        auto store = std::make_unique<ProfileStore>(path.c_str());
        if (f.contents) fuzz::WriteFile(path, f.contents);
        if (f.value && !store->WriteString("Option", "fullwidthspace_separator", f.value))
            fuzz::Fail(std::string("cannot write ") + path);
        char* read = store->ReadString("Option", "fullwidthspace_separator", nullptr);
        const bool on = read && std::strcmp(read, "1") == 0;
        std::free(read);
        if (on != f.on) fuzz::Fail(std::string("the option in ") + f.name + " does not read as expected");
        Stores().push_back(std::move(store));
    }
}

// The profile file of the run; the option read from it, as the plug-in reads it.
const ProfileStore* g_runStore = nullptr;
const QueryContext& ProfileContext() {
    static const QueryContext context{
        [] { return settings::FullwidthSpaceSeparates(*g_runStore); }, {}};
    return context;
}

void CheckTrim(const std::string& query, bool on) {
    std::string once = query;
    TrimQuery(once, ProfileContext());
    std::string expected = query;
    bool compared = true;
    try {
        reference::TrimQuery(expected, on);
    } catch (const std::exception&) {
        // The regex engine gave up (its complexity limit): nothing to
        // compare with.
        compared = false;
    }
    if (compared && once != expected)
        fuzz::Fail("TrimQuery differs from the reference",
                   "query [" + fuzz::Visible(query) + "]\n got [" + fuzz::Visible(once) + "]\nwant [" +
                       fuzz::Visible(expected) + "]");
    std::string twice = once;
    TrimQuery(twice, ProfileContext());
    if (twice != once)
        fuzz::Fail("a second TrimQuery changed the query",
                   "[" + fuzz::Visible(once) + "] -> [" + fuzz::Visible(twice) + "]");
}

void CheckPack(const std::string& query, Scope scope, const std::string& pack) {
    std::string why;
    const auto parsed = test::ParseFindPack(pack, &why);
    if (!parsed)
        fuzz::Fail("the find pack does not follow its grammar: " + why,
                   "query [" + fuzz::Visible(query) + "]\npack [" + fuzz::Visible(pack) + "]");
    if (parsed->subfolder != (scope == Scope::kFolderAndSubfolders ? 1 : 0))
        fuzz::Fail("wrong subfolder suffix for scope " + std::to_string(ScopeNumber(scope)),
                   fuzz::Visible(pack));
}

void CheckAgainstReference(const std::string& query, Scope scope, bool on,
                           const std::string& pack) {
    std::string expected;
    try {
        expected = reference::TranslateQuery(query, scope, on);
    } catch (const std::exception&) {
        return;  // the regex engine's own limits, not a property of the translation
    }
    if (pack != expected)
        fuzz::Fail("TranslateQuery differs from the reference",
                   "query [" + fuzz::Visible(query) + "] scope " +
                       std::to_string(ScopeNumber(scope)) + " fullwidth " + (on ? "on" : "off") +
                       "\n got [" + fuzz::Visible(pack) + "]\nwant [" + fuzz::Visible(expected) +
                       "]");
}

// One step at the front of the query, as the loop makes it.
void CheckOneConversion(const std::string& query, bool on) {
    const FieldKind kind = ClassifyField(query);
    std::string q = query;
    if (kind == kDefaultField && q.compare(0, kDefaultPrefix.size(), kDefaultPrefix) != 0)
        q = std::string(kDefaultPrefix) + q;
    std::string pack, flags, rq = q, rpack, rflags;
    ConvertTerm(kind, q, pack, flags, ProfileContext());
    try {
        reference::ConvertTerm(kind, rq, rpack, rflags, on);
    } catch (const std::exception&) {
        return;
    }
    if (q != rq || pack != rpack || flags != rflags)
        fuzz::Fail("ConvertTerm differs from the reference",
                   "query [" + fuzz::Visible(query) + "] kind " + std::to_string(Row(kind)) + "\n got [" +
                       fuzz::Visible(q) + "] [" + fuzz::Visible(pack) + "] [" + fuzz::Visible(flags) +
                       "]\nwant [" + fuzz::Visible(rq) + "] [" + fuzz::Visible(rpack) + "] [" +
                       fuzz::Visible(rflags) + "]");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    WriteOptionFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::size_t option = data[0] % kOptionCount;
    const Scope scope = kScopes[data[1] % 4];
    const char* text = reinterpret_cast<const char*>(data + 2);
    const std::string query(text, strnlen(text, size - 2));

    g_runStore = Stores()[option].get();
    const bool on = kOptionFiles[option].on;

    const std::string pack = TranslateQuery(query, CoversSubfolders(scope), ProfileContext());
    CheckPack(query, scope, pack);
    CheckTrim(query, on);
    if (query.size() <= kReferenceLimit) {
        CheckAgainstReference(query, scope, on, pack);
        CheckOneConversion(query, on);
    }
    return 0;
}

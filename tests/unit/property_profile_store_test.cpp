// The profile store over generated values: whatever is written reads back byte
// for byte (enclosing quotes, white space and fullwidth spaces at the ends
// included), and a write touches no other key. Values are code page 932 text
// without CR, LF or NUL, of lengths around the read's buffer doublings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>

#include "settings/profile_store.h"
#include "temp_dir.h"

namespace zms {
namespace {

// One character of code page 932 text: ASCII, a control byte a read might take
// for white space, halfwidth katakana, or an assigned double-byte character
// (symbols with the fullwidth space, hiragana, katakana with the 0x5C trail
// byte, kanji).
std::string Character(std::mt19937& rng) {
    static const char kControls[] = {'\t', '\v', '\f', '\x1a', '\x01', '\x7f'};
    struct Range {
        unsigned char lead, lo, hi;
    };
    static const Range kDouble[] = {
        {0x81, 0x40, 0x7E}, {0x82, 0x9F, 0xF1}, {0x83, 0x40, 0x7E}, {0x88, 0x9F, 0xFC}, {0x89, 0x40, 0x7E}};
    switch (rng() % 8) {
        case 0: return std::string(1, kControls[rng() % sizeof(kControls)]);
        case 1: return std::string(1, static_cast<char>(0xA1 + rng() % (0xDF - 0xA1 + 1)));
        case 2:
        case 3: {
            const Range& r = kDouble[rng() % (sizeof(kDouble) / sizeof(kDouble[0]))];
            return {static_cast<char>(r.lead), static_cast<char>(r.lo + rng() % (r.hi - r.lo + 1))};
        }
        default: return std::string(1, static_cast<char>(0x20 + rng() % (0x7F - 0x20)));
    }
}

std::string GeneratedValue(std::mt19937& rng) {
    static const char* const kEnds[] = {" ", "  ", "\t", "\"", "'", "\x81\x40", "\v", "\f", "\x1a", "="};
    constexpr std::size_t kEndCount = sizeof(kEnds) / sizeof(kEnds[0]);
    // Mostly short; sometimes around the first and second doubling of the
    // read's buffer (253/254 and 509/510 characters fit or not).
    static const std::size_t kLengths[] = {250, 252, 253, 254, 255, 508, 509, 510, 1000};
    std::size_t length = rng() % 6 == 0 ? kLengths[rng() % (sizeof(kLengths) / sizeof(kLengths[0]))]
                                        : rng() % 24;
    std::string v;
    if (rng() % 3 == 0) v += kEnds[rng() % kEndCount];
    while (v.size() < length) v += Character(rng);
    if (rng() % 3 == 0) v += kEnds[rng() % kEndCount];
    if (rng() % 10 == 0) {  // enclosed in quotes of one kind
        const std::string quote = rng() % 2 ? "\"" : "'";
        v = quote + v + quote;
    }
    return v;
}

std::string Read(const ProfileStore& store, const std::string& section, const std::string& key) {
    char* value = store.ReadString(section.c_str(), key.c_str(), nullptr);
    EXPECT_NE(value, nullptr);
    std::string out = value ? value : "<null>";
    std::free(value);
    return out;
}

TEST(ProfileStoreProperties, EveryValueReadsBackAsWrittenAndOthersStay) {
    test::TempDir dir;
    ProfileStore store(dir.File("ZentoroMailSearch.ini").c_str());
    const std::string kSections[] = {"Config", "History", "Favorite"};
    const std::string kKeys[] = {"radio", "history0", "history12", "work", "\x83\x5c\x83\x74\x83\x67", "a b"};
    std::map<std::pair<std::string, std::string>, std::string> model;  // missing: ""
    std::mt19937 rng(31337);
    int quotedEnds = 0, blankEnds = 0, fullwidthEnds = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string& section = kSections[rng() % 3];
        const std::string& key = kKeys[rng() % 6];
        if (rng() % 12 == 0) {
            ASSERT_NE(store.WriteString(section.c_str(), key.c_str(), nullptr), 0);
            model[{section, key}].clear();
            ASSERT_EQ(Read(store, section, key), "");
            continue;
        }
        const std::string value = GeneratedValue(rng);
        ASSERT_NE(store.WriteString(section.c_str(), key.c_str(), value.c_str()), 0) << "[" << value << "]";
        model[{section, key}] = value;
        ASSERT_EQ(Read(store, section, key), value) << "[" << section << "] " << key << " #" << i;
        if (!value.empty()) {
            quotedEnds += value.front() == '"' || value.back() == '"';
            blankEnds += value.front() == ' ' || value.back() == '\t';
            fullwidthEnds += value.size() >= 2 && value.compare(value.size() - 2, 2, "\x81\x40") == 0;
        }
        if (i % 50 == 0) {
            for (const auto& [where, expected] : model)
                ASSERT_EQ(Read(store, where.first, where.second), expected) << where.first << "/" << where.second;
        }
    }
    for (const auto& [where, expected] : model)
        EXPECT_EQ(Read(store, where.first, where.second), expected) << where.first << "/" << where.second;
    EXPECT_GT(quotedEnds, 50);
    EXPECT_GT(blankEnds, 50);
    EXPECT_GT(fullwidthEnds, 20);
}

}  // namespace
}  // namespace zms

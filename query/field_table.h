// The fields a query term can name: what the user types, what the host calls it.
#pragma once
#include <cstddef>
#include <string_view>

namespace zms {

// A row of the field table.
enum class FieldKind {
    kSmallHeaderBody, kSubject, kFromTo, kFrom, kTo, kBody, kHeader, kSmallHeader, kAll, kMemo,
    kAttach, kFlag
};
inline constexpr FieldKind kDefaultField = FieldKind::kSmallHeaderBody;

struct Field {
    FieldKind kind;            // its row
    std::string_view target;   // the host's name, written after ",target="
    std::string_view prefix;   // what the user types: the target name and a colon
};

inline constexpr Field kFields[] = {
    {FieldKind::kSmallHeaderBody, "smallheaderbody", "smallheaderbody:"},
    {FieldKind::kSubject, "subject", "subject:"},
    {FieldKind::kFromTo, "from+to", "from+to:"},
    {FieldKind::kFrom, "from", "from:"},
    {FieldKind::kTo, "to", "to:"},
    {FieldKind::kBody, "body", "body:"},
    {FieldKind::kHeader, "header", "header:"},
    {FieldKind::kSmallHeader, "smallheader", "smallheader:"},
    {FieldKind::kAll, "all", "all:"},
    {FieldKind::kMemo, "memo", "memo:"},
    {FieldKind::kAttach, "attach", "attach:"},
    {FieldKind::kFlag, "flag", "flag:"},
};
inline constexpr int kFieldCount = sizeof(kFields) / sizeof(kFields[0]);

constexpr int Row(FieldKind kind) { return static_cast<int>(kind); }
constexpr const Field& FieldOf(FieldKind kind) { return kFields[Row(kind)]; }

// What a query without a prefix at its front gets there.
inline constexpr std::string_view kDefaultPrefix = FieldOf(kDefaultField).prefix;
// An attachment term names this header instead of its target name.
inline constexpr std::string_view kAttachTarget = "\"X-Attach\"";
inline constexpr std::string_view kAttachWildcard = "attach:*";

namespace field_table_detail {
constexpr bool PrefixIsTargetAndColon(const Field& f) {
    return f.prefix.size() == f.target.size() + 1 && f.prefix.back() == ':' &&
           f.prefix.substr(0, f.target.size()) == f.target;
}
constexpr bool TableIsSound() {
    for (int row = 0; row < kFieldCount; ++row) {
        const Field& f = kFields[row];
        if (Row(f.kind) != row || !PrefixIsTargetAndColon(f)) return false;
    }
    return true;
}
}  // namespace field_table_detail

static_assert(kFieldCount == Row(FieldKind::kFlag) + 1, "a row for every kind");
static_assert(field_table_detail::TableIsSound(),
              "every row's kind is its row, its prefix is its target name and a colon");

}  // namespace zms

// Writes the generated queries of the comparison with the reference reading,
// each with the reference's find pack, for the playground's module to be
// compared on (tests/browser/oracle.js). Binary: the queries hold CR, LF and
// halves of double-byte characters. Per query, numbers as u32 little-endian:
//   fullwidth (0 or 1), scope, query length, query, pack length, pack
// usage: zms_oracle_dump FILE
#include <cstdio>
#include <string>

#include "query_generator.h"
#include "query_reference.h"

int main(int argc, char** argv) {
    std::string out;
    auto number = [&out](std::size_t n) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xff);
    };
    zms::testing::ForEachGeneratedQuery(
        [&](const std::string& q, zms::Scope scope, bool fullwidth) {
            const std::string pack = zms::reference::TranslateQuery(q, scope, fullwidth);
            number(fullwidth);
            number(static_cast<std::size_t>(zms::ScopeNumber(scope)));
            number(q.size());
            out += q;
            number(pack.size());
            out += pack;
        });
    std::FILE* file = argc == 2 ? std::fopen(argv[1], "wb") : nullptr;
    const bool written = file && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (!file || std::fclose(file) != 0 || !written) {
        std::fputs("usage: zms_oracle_dump FILE (which could not be written)\n", stderr);
        return 1;
    }
    return 0;
}

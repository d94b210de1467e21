// Writes the generated queries of the comparison with the reference reading,
// each with the find pack that reading gives, for a translator built
// elsewhere (the playground's module: tests/browser/oracle.js) to be compared
// on. Binary, since the queries hold CR, LF and halves of double-byte
// characters. Per query, numbers little-endian u32:
//   fullwidth (0 or 1), scope, query length, query, pack length, pack
// usage: zms_oracle_dump FILE
#include <cstdint>
#include <cstdio>
#include <string>

#include "query_generator.h"
#include "query_reference.h"

namespace {

void Number(std::string& out, std::size_t n) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xff);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zms_oracle_dump FILE\n", stderr);
        return 2;
    }
    std::string out;
    zms::testing::ForEachGeneratedQuery([&](const std::string& q, int scope, bool fullwidth) {
        const std::string pack = zms::reference::TranslateQuery(q, scope, fullwidth);
        Number(out, fullwidth);
        Number(out, static_cast<std::size_t>(scope));
        Number(out, q.size());
        out += q;
        Number(out, pack.size());
        out += pack;
    });
    std::FILE* file = std::fopen(argv[1], "wb");
    const bool ok = file && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (!file || std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "zms_oracle_dump: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

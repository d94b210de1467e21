// The playground's binding: the page hands a query over as code page 932 bytes
// and gets back the find pack and the explanation, both as bytes, through the
// module's memory (the page encodes and decodes the text itself: the
// translator sees exactly what the plug-in sees).
//
// The result, one malloc'd block that the caller frees with zms_free; numbers
// are u32, little-endian, and a text is its length, the length of what follows
// (less, where the text was cut) and those bytes:
//   total size, pack, passes shown, then per pass: target,
//   form (TranslationStep::Form), its name in English and in Japanese, value,
//   left, the reasons in English (as --explain words them) and in Japanese,
//   hints, then per hint: kind (Hint::Kind), argument.
// A long query's trace is for a person to read: the page asks for its first
// passes only, each value and rest cut short (at a character's end).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "query/explain.h"
#include "settings/scope.h"
#include "text/cp932.h"

namespace {

class Writer {
public:
    void Number(std::size_t n) {
        const std::uint32_t v = static_cast<std::uint32_t>(n);
        for (int i = 0; i < 4; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xff);
    }
    void Text(const std::string& s, std::size_t limit = SIZE_MAX) {
        const std::size_t shown = zms::text::CharactersWithin(s, limit);
        Number(s.size());
        Number(shown);
        out_.append(s, 0, shown);
    }
    // The block: its size first, so that the page knows how much to read.
    unsigned char* Finish() {
        Writer sized;
        sized.Number(out_.size() + 4);
        sized.out_ += out_;
        auto* block = static_cast<unsigned char*>(std::malloc(sized.out_.size()));
        if (block) std::memcpy(block, sized.out_.data(), sized.out_.size());
        return block;
    }

private:
    std::string out_;
};

}  // namespace

extern "C" {

// `query`: `length` bytes; `fullwidth`: [Option] fullwidthspace_separator=1;
// the first `passes` passes, their values and rests cut at `textLimit` bytes.
// Plain values go as typed: the mail program's YenEncode is not here.
// Null when memory runs out.
unsigned char* zms_translate(const char* query, std::size_t length, int scope, int fullwidth,
                             std::size_t passes, std::size_t textLimit) {
    zms::QueryContext context;
    context.fullwidthOption = [fullwidth] { return fullwidth != 0; };
    const std::optional<zms::Scope> chosen = zms::ScopeNumbered(scope);
    const bool subfolders = chosen && zms::CoversSubfolders(*chosen);
    const zms::Explanation e =
        zms::Explain(std::string(query, length), subfolders, context, passes);
    Writer w;
    w.Text(e.pack);
    w.Number(e.passes.size());
    for (const zms::ExplainedPass& p : e.passes) {
        w.Text(p.target);
        w.Number(static_cast<std::size_t>(p.form));
        w.Text(p.formName);
        w.Text(zms::FormName(p.form, zms::Language::kJapanese));
        w.Text(p.value, textLimit);
        w.Text(p.left, textLimit);
        w.Text(p.hint);
        w.Text(zms::HintsText(p.hints, zms::Language::kJapanese));
        w.Number(p.hints.size());
        for (const zms::Hint& h : p.hints) {
            w.Number(static_cast<std::size_t>(h.kind));
            w.Text(h.argument);
        }
    }
    return w.Finish();
}

// Whether `byte` begins a double-byte character: the page's encoder asks.
int zms_lead_byte(int byte) { return zms::text::IsLeadByte(static_cast<char>(byte)) ? 1 : 0; }

void* zms_alloc(std::size_t size) { return std::malloc(size ? size : 1); }
void zms_free(void* block) { std::free(block); }

}  // extern "C"

// The text still to be translated, as a gap buffer. The translation removes
// text at the front (every term), in the middle (a wildcard or a later term of
// the field), at the back (the trim) and puts the default prefix in front. A
// plain string would move the whole tail on every middle removal; here the gap
// sits where the last middle removal was and the front is an offset, so
// removals that sweep forward through the query cost what they remove.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zms {

class QueryText {
public:
    static constexpr std::size_t npos = std::string::npos;
    // Room kept in front of the text for prefixes put there.
    static constexpr std::size_t kHeadroom = 64;

    explicit QueryText(const std::string& text);

    std::size_t size() const { return (gapBegin_ - head_) + (tail_ - gapEnd_); }
    bool empty() const { return size() == 0; }
    unsigned char at(std::size_t i) const {
        std::size_t left = gapBegin_ - head_;
        return static_cast<unsigned char>(i < left ? buf_[head_ + i] : buf_[gapEnd_ + i - left]);
    }
    bool EqualsAt(std::size_t pos, std::string_view literal) const;
    bool StartsWith(std::string_view literal) const { return EqualsAt(0, literal); }
    // First position >= from holding byte c, or npos.
    std::size_t Find(unsigned char c, std::size_t from) const;
    void AppendTo(std::string& out, std::size_t pos, std::size_t length) const;
    std::string Substr(std::size_t pos, std::size_t length) const {
        std::string out;
        AppendTo(out, pos, length);
        return out;
    }
    std::string Str() const { return Substr(0, size()); }

    void EraseFront(std::size_t count);
    void EraseBack(std::size_t count);
    void Erase(std::size_t pos, std::size_t count);
    void Prepend(std::string_view literal);

private:
    // The bytes from pos on that stand together in the buffer: up to the gap or the end.
    std::string_view Run(std::size_t pos) const;
    void MoveGapTo(std::size_t pos);
    void MakeHeadroom(std::size_t length);

    std::string buf_;
    // The text is buf_[head_, gapBegin_) followed by buf_[gapEnd_, tail_).
    std::size_t head_ = 0, gapBegin_ = 0, gapEnd_ = 0, tail_ = 0;
};

}  // namespace zms

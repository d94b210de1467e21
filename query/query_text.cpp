#include "query/query_text.h"

#include <algorithm>
#include <cstring>

namespace zms {

namespace {
// Room kept in front of the text for the default prefix.
constexpr std::size_t kHeadroom = 64;
}  // namespace

QueryText::QueryText(const std::string& text) {
    buf_.assign(kHeadroom, '\0');
    buf_ += text;
    head_ = kHeadroom;
    gapBegin_ = gapEnd_ = tail_ = buf_.size();
}

bool QueryText::EqualsAt(std::size_t pos, const char* literal, std::size_t length) const {
    if (pos > size() || length > size() - pos) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (at(pos + i) != static_cast<unsigned char>(literal[i])) return false;
    return true;
}

std::size_t QueryText::Find(unsigned char c, std::size_t from) const {
    std::size_t left = gapBegin_ - head_;
    if (from < left) {
        const void* hit = std::memchr(buf_.data() + head_ + from, c, left - from);
        if (hit) return static_cast<const char*>(hit) - (buf_.data() + head_);
        from = left;
    }
    std::size_t start = gapEnd_ + (from - left);
    if (start >= tail_) return npos;
    const void* hit = std::memchr(buf_.data() + start, c, tail_ - start);
    if (!hit) return npos;
    return left + (static_cast<const char*>(hit) - (buf_.data() + gapEnd_));
}

void QueryText::AppendTo(std::string& out, std::size_t pos, std::size_t length) const {
    std::size_t left = gapBegin_ - head_;
    length = std::min(length, size() - std::min(pos, size()));
    if (pos < left) {
        std::size_t n = std::min(length, left - pos);
        out.append(buf_, head_ + pos, n);
        pos += n;
        length -= n;
    }
    if (length > 0) out.append(buf_, gapEnd_ + (pos - left), length);
}

std::string QueryText::Substr(std::size_t pos, std::size_t length) const {
    std::string out;
    AppendTo(out, pos, length);
    return out;
}

void QueryText::EraseFront(std::size_t count) {
    count = std::min(count, size());
    std::size_t left = gapBegin_ - head_;
    if (count <= left) {
        head_ += count;
    } else {
        head_ = gapBegin_;
        gapEnd_ += count - left;
    }
}

void QueryText::EraseBack(std::size_t count) {
    count = std::min(count, size());
    std::size_t right = tail_ - gapEnd_;
    if (count <= right) {
        tail_ -= count;
    } else {
        tail_ = gapEnd_;
        gapBegin_ -= count - right;
    }
}

void QueryText::MoveGapTo(std::size_t pos) {
    std::size_t left = gapBegin_ - head_;
    if (pos < left) {
        std::size_t n = left - pos;
        std::memmove(&buf_[gapEnd_ - n], &buf_[gapBegin_ - n], n);
        gapBegin_ -= n;
        gapEnd_ -= n;
    } else if (pos > left) {
        std::size_t n = pos - left;
        std::memmove(&buf_[gapBegin_], &buf_[gapEnd_], n);
        gapBegin_ += n;
        gapEnd_ += n;
    }
}

void QueryText::Erase(std::size_t pos, std::size_t count) {
    if (pos >= size()) return;
    count = std::min(count, size() - pos);
    if (pos == 0) return EraseFront(count);
    MoveGapTo(pos);
    gapEnd_ += count;
}

void QueryText::MakeHeadroom(std::size_t length) {
    // Room for as many more prefixes as the text is long: rebuilding is rare.
    std::size_t room = length + size() + kHeadroom;
    std::string fresh(room, '\0');
    AppendTo(fresh, 0, size());
    buf_.swap(fresh);
    head_ = room;
    gapBegin_ = gapEnd_ = tail_ = buf_.size();
}

void QueryText::Prepend(const char* literal, std::size_t length) {
    if (head_ < length) MakeHeadroom(length);
    head_ -= length;
    std::memcpy(&buf_[head_], literal, length);
}

}  // namespace zms

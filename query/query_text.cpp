#include "query/query_text.h"

#include <algorithm>
#include <cstring>

namespace zms {

QueryText::QueryText(const std::string& text) : buf_(std::string(kHeadroom, '\0') + text) {
    head_ = kHeadroom;
    gapBegin_ = gapEnd_ = tail_ = buf_.size();
}

std::string_view QueryText::Run(std::size_t pos) const {
    const std::size_t left = gapBegin_ - head_;
    if (pos < left) return std::string_view(buf_).substr(head_ + pos, left - pos);
    return std::string_view(buf_).substr(gapEnd_ + (pos - left), size() - pos);
}

bool QueryText::EqualsAt(std::size_t pos, std::string_view literal) const {
    if (pos > size() || literal.size() > size() - pos) return false;
    for (std::size_t i = 0; i < literal.size(); ++i)
        if (at(pos + i) != static_cast<unsigned char>(literal[i])) return false;
    return true;
}

std::size_t QueryText::Find(unsigned char c, std::size_t from) const {
    for (std::string_view run; from < size(); from += run.size()) {
        run = Run(from);
        if (const void* hit = std::memchr(run.data(), c, run.size()))
            return from + (static_cast<const char*>(hit) - run.data());
    }
    return npos;
}

void QueryText::AppendTo(std::string& out, std::size_t pos, std::size_t length) const {
    length = std::min(length, size() - std::min(pos, size()));
    for (std::string_view run; length > 0; pos += run.size(), length -= run.size()) {
        run = Run(pos).substr(0, length);
        out += run;
    }
}

void QueryText::EraseFront(std::size_t count) {
    const std::size_t left = gapBegin_ - head_;
    count = std::min(count, size());
    head_ += std::min(count, left);
    gapEnd_ += count - std::min(count, left);
}

void QueryText::EraseBack(std::size_t count) {
    const std::size_t right = tail_ - gapEnd_;
    count = std::min(count, size());
    tail_ -= std::min(count, right);
    gapBegin_ -= count - std::min(count, right);
}

void QueryText::MoveGapTo(std::size_t pos) {
    const std::size_t left = gapBegin_ - head_;
    if (pos < left) std::memmove(&buf_[gapEnd_ - (left - pos)], &buf_[head_ + pos], left - pos);
    if (pos > left) std::memmove(&buf_[gapBegin_], &buf_[gapEnd_], pos - left);
    gapEnd_ = gapEnd_ + pos - left;
    gapBegin_ = head_ + pos;
}

void QueryText::Erase(std::size_t pos, std::size_t count) {
    if (pos >= size()) return;
    count = std::min(count, size() - pos);
    if (pos == 0) return EraseFront(count);
    if (pos + count == size()) return EraseBack(count);
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

void QueryText::Prepend(std::string_view literal) {
    if (head_ < literal.size()) MakeHeadroom(literal.size());
    head_ -= literal.size();
    std::memcpy(&buf_[head_], literal.data(), literal.size());
}

}  // namespace zms

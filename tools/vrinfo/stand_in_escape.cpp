#include "tools/vrinfo/stand_in_escape.h"

#include "text/cp932.h"

namespace zms {

namespace {

bool IsCp932TrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

}  // namespace

std::string StandInEscape(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (text::IsLeadByte(c) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string StandInQuote(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (text::IsLeadByte(text[i]) && i + 1 < text.size() &&
            IsCp932TrailByte(static_cast<unsigned char>(text[i + 1]))) {
            out += text[i];
            out += text[++i];
        } else if (b == '\\' || b == '"') {
            out += '\\';
            out += text[i];
        } else if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        } else {
            out += text[i];
        }
    }
    return out + '"';
}

std::string StandInQuote(const char* text) {
    return text ? StandInQuote(std::string(text)) : "null";
}

}  // namespace zms

#include "ui/utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void PutUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += (char16_t)c;
        return;
    }
    c -= 0x10000;
    out += (char16_t)(0xD800 + (c >> 10));
    out += (char16_t)(0xDC00 + (c & 0x3FF));
}

void PutUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += (char)c;
    } else if (c < 0x800) {
        out += (char)(0xC0 | (c >> 6));
        out += (char)(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += (char)(0xE0 | (c >> 12));
        out += (char)(0x80 | ((c >> 6) & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    } else {
        out += (char)(0xF0 | (c >> 18));
        out += (char)(0x80 | ((c >> 12) & 0x3F));
        out += (char)(0x80 | ((c >> 6) & 0x3F));
        out += (char)(0x80 | (c & 0x3F));
    }
}

// What a lead byte promises: the sequence's length and the range its second
// byte must fall in, which rules out overlong forms, surrogates and code
// points beyond U+10FFFF. Length 0: not a lead byte.
struct Lead {
    int length;
    unsigned char low, high;
};

Lead LeadOf(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
    if (b == 0xE0) return {3, 0xA0, 0xBF};
    if (b == 0xED) return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
    if (b == 0xF0) return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
    if (b == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = (unsigned char)utf8[i];
        if (b < 0x80) {
            out += (char16_t)b;
            ++i;
            continue;
        }
        const Lead lead = LeadOf(b);
        if (!lead.length) {
            PutUtf16(out, kReplacement);
            ++i;
            continue;
        }
        char32_t c = b & (0x7F >> lead.length);
        int taken = 1;
        for (; taken < lead.length && i + taken < utf8.size(); ++taken) {
            const unsigned char next = (unsigned char)utf8[i + taken];
            const unsigned char low = taken == 1 ? lead.low : 0x80;
            const unsigned char high = taken == 1 ? lead.high : 0xBF;
            if (next < low || next > high) break;
            c = (c << 6) | (next & 0x3F);
        }
        // A broken sequence costs one replacement for as much of it as was
        // well begun; the byte that broke it starts afresh.
        PutUtf16(out, taken == lead.length ? c : kReplacement);
        i += taken;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        PutUtf8(out, c);
    }
    return out;
}

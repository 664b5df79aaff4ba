// What the harnesses share: a failed check aborts, which libFuzzer reports
// with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/utf8.h"

#define FUZZ_CHECK(c) \
    ((c) ? (void)0 : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #c), std::abort()))

inline bool IsUtf8(std::string_view text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

// Splits the input at NUL bytes into at most `count` pieces; missing ones are "".
template <size_t N>
void SplitInput(std::string_view input, std::string (&pieces)[N]) {
    for (size_t i = 0; i < N; ++i) {
        size_t end = i + 1 < N ? input.find('\0') : std::string_view::npos;
        pieces[i] = std::string(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
}

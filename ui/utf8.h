// UTF-8 and UTF-16 converted into each other by the program itself, the same
// on every system: a malformed piece (a stray or missing continuation byte,
// an overlong form, a surrogate written in UTF-8, a lone surrogate in UTF-16)
// becomes one U+FFFD, as recent Windows converts, instead of vanishing as it
// did on older ones.
#pragma once

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

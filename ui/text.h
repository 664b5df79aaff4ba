// Text conversions at the Win32 boundary. Inside, text is UTF-8; our own
// windows speak UTF-16, the host and the profile file speak the ANSI code page.
#pragma once

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// A character the code page lacks becomes '?': the host gets one byte for it.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);
// Whether the code page has every character of the text.
bool FitsAnsi(std::string_view utf8);

// The conversions between UTF-8 and UTF-16: any bytes give well-formed text
// both ways, whole text comes back unchanged, and nothing grows beyond what
// a replacement for every unit could make of it.
#include <cstdint>

#include "tests/fuzz/fuzz.h"

namespace {

bool IsWellFormed(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xDC00 && c <= 0xDFFF) return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
            ++i;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes((const char*)data, size);
    const std::u16string wide = Utf8ToUtf16(bytes);
    FUZZ_CHECK(IsWellFormed(wide));
    FUZZ_CHECK(wide.size() <= bytes.size());
    const std::string back = Utf16ToUtf8(wide);
    FUZZ_CHECK(Utf8ToUtf16(back) == wide);  // well-formed UTF-8 now

    // The same bytes read as UTF-16 units, lone surrogates and all.
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = (char16_t)(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string utf8 = Utf16ToUtf8(units);
    FUZZ_CHECK(utf8.size() <= 3 * units.size());
    const std::u16string again = Utf8ToUtf16(utf8);
    FUZZ_CHECK(IsWellFormed(again));
    if (IsWellFormed(units)) FUZZ_CHECK(again == units);
    return 0;
}

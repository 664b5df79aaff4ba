// The conversions between UTF-8 and UTF-16: any bytes, read either way, give
// text that then goes back and forth unchanged.
#include <cstdint>

#include "tests/fuzz/fuzz.h"
#include "ui/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes((const char*)data, size), utf8 = Utf16ToUtf8(Utf8ToUtf16(bytes));
    FUZZ_CHECK(Utf16ToUtf8(Utf8ToUtf16(utf8)) == utf8);
    // The same bytes as UTF-16 units, lone surrogates and all.
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = (char16_t)(data[2 * i] | (data[2 * i + 1] << 8));
    const std::u16string wide = Utf8ToUtf16(Utf16ToUtf8(units));
    FUZZ_CHECK(Utf8ToUtf16(Utf16ToUtf8(wide)) == wide);
    return 0;
}

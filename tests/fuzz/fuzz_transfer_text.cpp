// The transfer window's texts, as the host may show them: each cut is a piece
// of the text it was cut from, and text that was whole UTF-8 is never cut
// inside a character.
#include <cstdint>

#include "idler/transfer_text.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size);
    const bool whole = IsUtf8(text);

    const std::string name = CutFileName(text);
    // The name runs to the end of the line.
    FUZZ_CHECK(name.size() <= text.size() && text.compare(text.size() - name.size(),
                                                          name.size(), name) == 0);
    const std::string percent = CutPercent(text);
    FUZZ_CHECK(text.find(percent) != std::string::npos);
    FUZZ_CHECK(percent.find('%') == std::string::npos);
    const std::string minutes = CutMinutesLeft(text);
    FUZZ_CHECK(text.find(minutes) != std::string::npos);
    FUZZ_CHECK(minutes.find("minutes") == std::string::npos);
    if (whole) FUZZ_CHECK(IsUtf8(name) && IsUtf8(percent) && IsUtf8(minutes));
    return 0;
}

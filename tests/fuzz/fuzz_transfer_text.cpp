// The transfer window's texts, as the host may show them: each cut is a piece
// of the text it was cut from, the name its end.
#include <cstdint>

#include "idler/transfer_text.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text((const char*)data, size), name = CutFileName(text);
    FUZZ_CHECK(name.size() <= size && text.compare(size - name.size(), name.size(), name) == 0);
    for (const std::string& cut : {CutPercent(text), CutMinutesLeft(text)})
        FUZZ_CHECK(text.find(cut) != std::string::npos);
    return 0;
}

// Chat lines built from whatever the settings file holds and any count: each
// is framed by the decorations. The lines' exact bytes are the unit tests'.
#include <cstdint>

#include "lines/lines.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Handle, handle as typed, reason, the two decorations and a file name,
    // split at NUL bytes; a count that grows with them.
    std::string f[6];
    size_t i = 0;
    for (size_t k = 0; k < size; ++k)
        data[k] == 0 && i < 5 ? void(++i) : f[i].push_back((char)data[k]);
    const IdleCount count{(int)size * 7, (int)size % 24, (int)size % 60};
    Settings s;
    s.handle = f[0], s.handleEdit = f[1], s.reason = f[2], s.leftAscii = f[3], s.rightAscii = f[4];
    const std::string &left = s.leftAscii, &right = s.rightAscii;
    for (const std::string& line : {LoadLine(s), UserLine(s), UnloadLine(s), FarewellLine(s),
                                    StartLine(s), StopLine(s), TotalLine(s, count),
                                    StatusLine(s, count), ReasonLine(s), TransferLine(s, f[5], f[5], f[5])})
        FUZZ_CHECK(line.size() >= left.size() + right.size() && line.compare(0, left.size(), left) == 0 &&
                   line.compare(line.size() - right.size(), right.size(), right) == 0);
    return 0;
}

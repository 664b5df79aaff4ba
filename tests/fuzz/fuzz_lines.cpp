// Chat lines built from whatever the settings file holds and any count: each
// is framed by the decorations. The lines' exact bytes are the unit tests'.
#include <cstdint>
#include <string_view>

#include "idler/lines.h"
#include "tests/fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Three bytes of count, then handle, handle as typed, reason, the two
    // decorations and a file name, split at NUL bytes.
    const IdleCount count{size > 0 ? data[0] * 7 : 0, size > 1 ? data[1] % 24 : 0,
                          size > 2 ? data[2] % 60 : 0};
    std::string_view in((const char*)data, size);
    in.remove_prefix(size < 3 ? size : 3);
    std::string f[6];
    for (std::string& field : f) {
        const size_t end = &field == &f[5] ? in.npos : in.find('\0');
        field = in.substr(0, end);
        in = end == in.npos ? std::string_view() : in.substr(end + 1);
    }
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

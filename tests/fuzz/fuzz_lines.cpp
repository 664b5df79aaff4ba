// Chat lines built from whatever the settings file holds: every line that
// names the user is framed by the decorations, carries the values whole and
// adds nothing to them, and the count carries at 60 and 24 from any count.
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "idler/lines.h"
#include "tests/fuzz/fuzz.h"

namespace {

bool Contains(const std::string& line, const std::string& value) {
    return line.find(value) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IdleCount count;
    if (size >= 3) {
        count = {data[0] * 7, data[1] % 24, data[2] % 60};
        data += 3, size -= 3;
    }
    std::string fields[6];
    SplitInput(std::string_view((const char*)data, size), fields);
    Settings s;
    s.handle = fields[0];
    s.handleEdit = fields[1];
    s.reason = fields[2];
    s.leftAscii = fields[3];
    s.rightAscii = fields[4];
    const std::string file = fields[5];

    const std::vector<std::pair<std::string, std::string>> lines = {
        {LoadLine(s), ""},           {UserLine(s), s.handle},
        {UnloadLine(s), ""},         {FarewellLine(s), s.handle},
        {StartLine(s), s.handleEdit}, {StopLine(s), s.handleEdit},
        {TotalLine(s, count), ""},   {StatusLine(s, count), ""},
        {ReasonLine(s), s.reason},   {TransferLine(s, file, file, file), file},
    };
    bool whole = true;
    for (const std::string& field : fields) whole = whole && IsUtf8(field);
    for (const auto& [line, value] : lines) {
        FUZZ_CHECK(line.compare(0, s.leftAscii.size(), s.leftAscii) == 0);
        FUZZ_CHECK(line.size() >= s.leftAscii.size() + s.rightAscii.size());
        FUZZ_CHECK(line.compare(line.size() - s.rightAscii.size(), s.rightAscii.size(),
                                s.rightAscii) == 0);
        FUZZ_CHECK(Contains(line, value));
        // Values in, the line's own fragments around them: all of it whole
        // UTF-8 when the values are.
        if (whole) FUZZ_CHECK(IsUtf8(line));
    }
    IdleCount next = count;
    next.AddMinute();
    FUZZ_CHECK(next.minutes >= 0 && next.minutes < 60 && next.hours >= 0 && next.hours < 24);
    FUZZ_CHECK((next.days * 24 + next.hours) * 60 + next.minutes ==
               (count.days * 24 + count.hours) * 60 + count.minutes + 1);
    return 0;
}

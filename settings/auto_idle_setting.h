// What a stored "auto idle" value means, apart from the file that holds it.
#pragma once

#include <string>

// The minutes a stored "auto idle" value sets: a whole number from 1 to
// 1440. Anything else (empty, "0", text, blanks, a sign) is off: 0.
int AutoIdleMinutes(const std::string& value);

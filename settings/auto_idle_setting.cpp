#include "settings/auto_idle_setting.h"

namespace {

constexpr int kAutoIdleMaxMinutes = 1440;  // a day

}  // namespace

int AutoIdleMinutes(const std::string& value) {
    // Four digits at most: 1440 fits, and nothing long can overflow.
    if (value.empty() || value.size() > 4) return 0;
    int minutes = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return 0;
        minutes = minutes * 10 + (c - '0');
    }
    return minutes <= kAutoIdleMaxMinutes ? minutes : 0;
}

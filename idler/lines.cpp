#include "idler/lines.h"

namespace {

// Every line that names the user wears the user's decorations.
std::string Framed(const Settings& s, const std::string& body) {
    return s.leftAscii + body + s.rightAscii;
}

std::string Highlighted(const std::string& value) {
    return markup::kHighlight + value + markup::kRunning;
}

}  // namespace

std::string LoadLine(const Settings& s) {
    return Framed(s, std::string(markup::kBanner) + " -  inL<u>o</u>ad ");
}

std::string UserLine(const Settings& s) {
    return Framed(s, " by: vo<u>n</u>k  -  user: " + Highlighted(s.handle) + " ");
}

std::string UnloadLine(const Settings& s) {
    return Framed(s, std::string(markup::kBanner) + " -  u<u>n</u>Load ");
}

std::string FarewellLine(const Settings& s) {
    return Framed(s, " by: vo<u>n</u>k -  user: " + Highlighted(s.handle) + " ");
}

// What the tests expect of the program's chat lines, written out by hand
// rather than built by the code under test, and the settings of the user
// they name; plain C++, for the tests under Wine and the logic tests alike.
#pragma once

#include <string>
#include <vector>

// Chat lines, entries of a list: what tests compare whole.
using Lines = std::vector<std::string>;

// Text in the highlight colour, then back to black, as the program's lines mark it.
inline std::string Marked(const std::string& text) {
    return "< font . color=#0099FF>" + text + "< font . color=#000000>";
}

// The settings of a user "ann" whose lines are framed by "(" and ")".
constexpr char kAnnSettings[] = "[norq idle]\r\nhandle=ann\r\nleft-ascii=(\r\nright-ascii=)\r\n";
// A player line as the room gets it, for handle "ann" framed by "(" and ")":
// what was done (" - paused: "), and the file's name as it is given, in the
// code page at the host and in UTF-8 before it.
inline std::string PlayerSaid(const char* what, const std::string& file) {
    return "( " + Marked("ann") + what + Marked(file) + " )";
}

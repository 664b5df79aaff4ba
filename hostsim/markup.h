// The host's chat mark-up, split into runs of text that share one look, so a
// room can show a line as the host would: colours, underline, links.
#pragma once

#include <string>
#include <vector>

namespace hostsim {

struct Run {
    std::string text;       // the bytes as they arrived
    unsigned color = 0;     // 0xRRGGBB
    bool underline = false;
    bool bold = false;
    bool italic = false;
    std::string link;       // the address of a link, empty outside links
};

// Tags are written "<name ...>" with blanks allowed after the "<" (the host's
// own "< font . color=#0099FF>"); unknown tags vanish, a "<" that is never
// closed stays as text.
std::vector<Run> ParseMarkup(const std::string& line);

}  // namespace hostsim

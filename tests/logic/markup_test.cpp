// hostsim shows each chat line as the host would; the demo and the
// screenshots depend on its reading of the mark-up.
#include <gtest/gtest.h>

#include <cstdio>

#include "hostsim/markup.h"

// Each run as "[text colour]", " u" after the colour when underlined, the
// address of a link after " ->".
static std::string Runs(const std::string& line) {
    std::string out;
    char colour[8];
    for (const hostsim::Run& r : hostsim::ParseMarkup(line)) {
        std::snprintf(colour, sizeof colour, "%06X", r.color);
        out += "[" + r.text + " " + colour + (r.underline ? " u" : "") +
               (r.link.empty() ? "" : " ->" + r.link) + "]";
    }
    return out;
}

TEST(Markup, ColoursUnderlinesLinksAndWhatItDoesNotKnow) {
    const std::pair<const char*, const char*> cases[] = {
        {" norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v",
         "[ norq  000000][i 0099FF][d 0099FF u][ler 0099FF][ v 000000]"},
        {"adv: < a href=\"http://example.com/x\">d/L</a> - ",
         "[adv:  000000][d/L 000000 ->http://example.com/x][ -  000000]"},
        // Unknown tags vanish, an open bracket stays.
        {"a<blink>b<zz > c < d", "[a 000000][b 000000][ c < d 000000]"},
        {"<u></u>", ""},
        // A five-digit colour is read as far as it goes: the host shows black.
        {"< font . color=#00000>%", "[% 000000]"},
    };
    for (const auto& [line, runs] : cases) EXPECT_EQ(runs, Runs(line)) << line;
}

// hostsim shows each chat line as the host would; the demo and the
// screenshots depend on its reading of the mark-up.
#include <gtest/gtest.h>

#include "hostsim/markup.h"

using hostsim::ParseMarkup;
using hostsim::Run;

namespace {

std::string Texts(const std::vector<Run>& runs) {
    std::string out;
    for (const Run& r : runs) out += "[" + r.text + "]";
    return out;
}

}  // namespace

TEST(Markup, ColoursUnderlinesAndTheBannerOfTheLines) {
    auto runs = ParseMarkup(" norq < font . color=#0099FF>i<u>d</u>ler< font . color=#000000> v");

    EXPECT_EQ("[ norq ][i][d][ler][ v]", Texts(runs));
    EXPECT_EQ(0x000000u, runs[0].color);
    EXPECT_EQ(0x0099FFu, runs[1].color);
    EXPECT_FALSE(runs[1].underline);
    EXPECT_TRUE(runs[2].underline);
    EXPECT_EQ(0x0099FFu, runs[2].color);
    EXPECT_FALSE(runs[3].underline);
    EXPECT_EQ(0x000000u, runs[4].color);
}

TEST(Markup, LinksCarryTheirAddress) {
    auto runs = ParseMarkup("adv: < a href=\"http://example.com/x\">d/L</a> - ");

    ASSERT_EQ("[adv: ][d/L][ - ]", Texts(runs));
    EXPECT_EQ("http://example.com/x", runs[1].link);
    EXPECT_EQ("", runs[2].link);
}

TEST(Markup, UnknownTagsVanishAndAnOpenBracketStays) {
    EXPECT_EQ("[a][b][ c < d]", Texts(ParseMarkup("a<blink>b<zz > c < d")));
    EXPECT_EQ("", Texts(ParseMarkup("<u></u>")));
    // A five-digit colour is read as far as it goes: the host shows black.
    EXPECT_EQ(0u, ParseMarkup("< font . color=#00000>%")[0].color);
}

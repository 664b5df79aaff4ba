#include "settings/about.h"

#include "host/chat.h"
#include "host/sequencer.h"
#include "lines/lines.h"
#include "settings/links.h"
#include "ui/form_on_top.h"
#include "ui/text.h"

// Written by CMakeLists.txt from the project's version.
#include "norq_version.h"

const char kProgramVersion[] = NORQ_VERSION;

std::string VersionMark(const std::string& version) {
    // Zero is the ordinal sign "º", as in the chat lines' "v¹·º" (code page
    // 1252 has no superscript zero); 4 to 9 are in Unicode's own block.
    static const char* const kDigits[] = {"\u00BA", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                          "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
    std::string mark;
    for (char c : version) {
        if (c >= '0' && c <= '9')
            mark += kDigits[c - '0'];
        else if (c == '.')
            mark += "\u00B7";
        else
            mark += c;
    }
    return mark;
}

const char kAboutText[] =
    "hey, thanks for using norq idle. i wrote it because so many people on aol 7.0 kept"
    " asking me for an idler, and i wanted one myself for the nights i fall asleep in a room,"
    " so i spent two weekends on it. it is made for aol 7 and aol 8 only; on any other"
    " version it will not find the windows it needs, so please do not try. it keeps you"
    " looking alive in your chat room while you are away, tells everyone how long you have"
    " been gone and why, and has some extras thrown in, like the room buster and the mp3"
    " player. if you have questions, ideas or comments, or you find a bug, use the contact"
    " menu under opts and drop me a line, i read everything. big shouts out to mirtle, jaxo,"
    " peebs, tolly, quenby, drumm and sorrel, and to the whole krellpond crew for testing it"
    " with me. take care, peace.";

namespace {

constexpr wchar_t kAboutTitle[] = L"norq idle";

}  // namespace

void ShowAbout(HWND owner) {
    // The only boxes the program shows carry no icon: just the text and OK.
    MessageBoxW(owner, Widen(kAboutText).c_str(), kAboutTitle, MB_OK);
}

std::string AdvertisingLine(const Settings& s) {
    return markup::Framed(s, std::string(markup::kBanner) + " -  by: vo<u>n</u>k ");
}

std::string DownloadLine(const Settings& s) {
    return markup::Framed(s, std::string(" adv: < a href=\"") + kDownloadAddress +
                                 "\">d/L</a> -  user: " + markup::Highlighted(s.handle) + " ");
}

// The second line is built after the pause from the settings as they are
// then: a settings dialog may be confirmed in it.
void Advertise(const Settings& settings, Window& mainWindow) {
    HostSequencer().Add(HostOperation()
                            .Then([&] {
                                FormOnTop(mainWindow);
                                SendChat(AdvertisingLine(settings));
                            })
                            .PauseToSecond(0)
                            .Then([&] { SendChat(DownloadLine(settings)); }));
}

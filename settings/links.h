// The program's web addresses, all in one place: the download page the
// advertising line links to, and the "sites" of the command menu. Each is a
// placeholder until the program has a site of its own.
#pragma once

struct SiteLink {
    const char* caption;
    const char* address;
};

// The page the program is downloaded from.
inline constexpr char kDownloadAddress[] = "http://www.example.com/norqidle/";

// The menu's five sites; "vonk' site" opens the first.
inline constexpr SiteLink kSites[5] = {
    {"norq idle home", "http://www.example.com/norqidle/"},
    {"idle news", "http://www.example.com/norqidle/news/"},
    {"help", "http://www.example.com/norqidle/help/"},
    {"ascii art", "http://www.example.com/norqidle/ascii/"},
    {"links", "http://www.example.com/norqidle/links/"},
};

#include "hostsim/markup.h"

#include <cctype>
#include <cstdlib>

namespace hostsim {

namespace {

struct Look {
    unsigned color = 0;
    bool underline = false, bold = false, italic = false;
    std::string link;
};

std::string Lower(std::string text) {
    for (char& c : text) c = (char)std::tolower((unsigned char)c);
    return text;
}

// The value after name= in a tag, up to a blank or the end; quotes dropped.
std::string Attribute(const std::string& tag, const std::string& name) {
    std::string lower = Lower(tag);
    size_t at = lower.find(name + "=");
    if (at == std::string::npos) return {};
    size_t from = at + name.size() + 1;
    if (from < tag.size() && tag[from] == '"') {
        size_t end = tag.find('"', from + 1);
        return tag.substr(from + 1, end == std::string::npos ? std::string::npos : end - from - 1);
    }
    size_t end = tag.find(' ', from);
    return tag.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// Applies one tag's content (between "<" and ">") to the look.
void Apply(const std::string& tag, Look& look) {
    size_t start = tag.find_first_not_of(' ');
    if (start == std::string::npos) return;
    std::string lower = Lower(tag.substr(start));
    size_t end = lower.find(' ');
    std::string name = lower.substr(0, end);
    if (name == "font") {
        std::string color = Attribute(tag, "color");
        if (!color.empty() && color[0] == '#')
            look.color = (unsigned)std::strtoul(color.c_str() + 1, nullptr, 16);
    } else if (name == "u" || name == "/u") {
        look.underline = name == "u";
    } else if (name == "b" || name == "/b") {
        look.bold = name == "b";
    } else if (name == "i" || name == "/i") {
        look.italic = name == "i";
    } else if (name == "a") {
        look.link = Attribute(tag, "href");
    } else if (name == "/a") {
        look.link.clear();
    }
}

}  // namespace

std::vector<Run> ParseMarkup(const std::string& line) {
    std::vector<Run> runs;
    Look look;
    auto emit = [&](const std::string& text) {
        if (text.empty()) return;
        runs.push_back(Run{text, look.color, look.underline, look.bold, look.italic, look.link});
    };
    std::string text;
    size_t i = 0;
    while (i < line.size()) {
        size_t close = line[i] == '<' ? line.find('>', i) : std::string::npos;
        if (close == std::string::npos) {
            text += line[i++];
            continue;
        }
        emit(text);
        text.clear();
        Apply(line.substr(i + 1, close - i - 1), look);
        i = close + 1;
    }
    emit(text);
    return runs;
}

}  // namespace hostsim

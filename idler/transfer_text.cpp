#include "idler/transfer_text.h"

namespace {

constexpr char kNameMark = 'g';
constexpr char kPercentMark = '-';
constexpr char kPercentEnd = '%';
constexpr char kMinutesEnd[] = "minutes";
constexpr size_t kTimeLeadLength = 5;

bool IsContinuationByte(char c) { return ((unsigned char)c & 0xC0) == 0x80; }

// The byte offset `count` characters after `from`, or the end of the text.
size_t SkipCharacters(std::string_view text, size_t from, size_t count) {
    for (; count > 0 && from < text.size(); --count) {
        ++from;
        while (from < text.size() && IsContinuationByte(text[from])) ++from;
    }
    return from;
}

// Everything from two characters after the first `mark`: the mark and the
// blank behind it are dropped. Without the mark, counting starts before the
// text, which drops only its first character.
std::string_view AfterMarkAndBlank(std::string_view text, char mark) {
    size_t at = text.find(mark);
    size_t from = at == std::string_view::npos ? SkipCharacters(text, 0, 1)
                                               : SkipCharacters(text, at, 2);
    return text.substr(from);
}

// The text up to the first `end`; all of it when there is none.
std::string_view UpTo(std::string_view text, std::string_view end) {
    return text.substr(0, text.find(end));
}

}  // namespace

std::string CutFileName(std::string_view fileLine) {
    return std::string(AfterMarkAndBlank(fileLine, kNameMark));
}

std::string CutPercent(std::string_view caption) {
    return std::string(UpTo(AfterMarkAndBlank(caption, kPercentMark), {&kPercentEnd, 1}));
}

std::string CutMinutesLeft(std::string_view timeLine) {
    std::string_view rest = timeLine.substr(SkipCharacters(timeLine, 0, kTimeLeadLength));
    return std::string(UpTo(rest, kMinutesEnd));
}

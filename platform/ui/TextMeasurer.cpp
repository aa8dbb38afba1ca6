#include "platform/ui/TextMeasurer.h"

#include <algorithm>

namespace ui {

namespace {

// Lines end at LF, CR LF or CR.
template <typename F>
void forEachLine(std::string_view text, F f) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            f(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    f(text.substr(start));
}

long characters(std::string_view line) {
    return static_cast<long>(std::count_if(line.begin(), line.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;  // UTF-8 continuation bytes are no characters
    }));
}

}  // namespace

long FixedWidthTextMeasurer::textWidth(std::string_view text) const {
    long widest = 0;
    forEachLine(text, [&](std::string_view line) { widest = std::max(widest, characters(line)); });
    return widest * charWidth_;
}

long FixedWidthTextMeasurer::textHeight(std::string_view text) const {
    long lines = 0;
    forEachLine(text, [&](std::string_view) { ++lines; });
    return lines * lineHeight_;
}

}  // namespace ui

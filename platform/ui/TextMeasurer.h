#pragma once
// Text measured as the windows measured it: in twips (1/1440 inch; 15 twips per pixel at 96 dpi). Grid
// layouts size their columns with it, so logic tests use the fixed-width measurer to get exact numbers.

#include <string_view>

namespace ui {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The widest line of the text; "" is 0 wide (a column sized with it is hidden).
    virtual long textWidth(std::string_view text) const = 0;
    // All its lines; "" is one line high.
    virtual long textHeight(std::string_view text) const = 0;
};

// Every character (not byte) equally wide, every line equally high.
class FixedWidthTextMeasurer : public TextMeasurer {
public:
    explicit FixedWidthTextMeasurer(long charWidth = 120, long lineHeight = 240)
        : charWidth_(charWidth), lineHeight_(lineHeight) {}
    long textWidth(std::string_view text) const override;
    long textHeight(std::string_view text) const override;

private:
    long charWidth_;
    long lineHeight_;
};

}  // namespace ui

#pragma once
// The simple controls of the windows, as the presenters read and set them. Views (when a window is shown)
// copy these to their widgets; a presenter running hidden uses them alone. Lengths are in twips.

#include "platform/ui/Color.h"

#include <string>
#include <vector>

namespace ui {

struct Label {
    std::string caption;  // may hold several lines separated by CR LF
};

struct Button {
    std::string caption;
    bool enabled = true;
    bool visible = true;
};

struct TextBox {
    std::string name;
    std::string text;
    std::string dataField;  // the field the box stands for; the edit boxes of grids test it ("Cantidad")
    std::string tag;
    long maxLength = 0;  // 0: no limit. It limits typing only; text set by code is kept whole.
    long selStart = 0;
    bool enabled = true;
    bool visible = true;
    long left = 0, top = 0, width = 0, height = 0;

    void move(long newLeft, long newTop, long newWidth, long newHeight) {
        left = newLeft;
        top = newTop;
        width = newWidth;
        height = newHeight;
    }
};

struct CheckBox {
    std::string caption;
    std::string dataField;
    std::string tag;
    int value = 0;  // 0 clear, 1 ticked
    bool enabled = true;
};

// An editable combo: the text is what the box shows, typed or chosen from the list.
class ComboBox {
public:
    std::string dataField;  // the field the box searches on
    std::string toolTipText;
    Color backColor = kWhite;
    bool visible = true;
    long tabIndex = 0;
    long left = 0, top = 0, width = 0, height = 0;

    void addItem(std::string item);
    void clear();  // the items and the text
    long listCount() const { return static_cast<long>(items_.size()); }
    const std::string& list(long index) const;  // raises 381 outside the items
    const std::vector<std::string>& items() const { return items_; }

    // -1: no item chosen. Choosing an item shows its text; another value raises 380.
    long listIndex() const { return listIndex_; }
    void setListIndex(long index);

    const std::string& text() const { return text_; }
    // Typing leaves the list with no item chosen unless the chosen item's text is typed again.
    void setText(std::string text);

private:
    std::vector<std::string> items_;
    long listIndex_ = -1;
    std::string text_;
};

// The status bar of a voucher screen: panels counted from 1, each with the key it was given and the text it
// shows. A panel outside 1 to Count raises 381.
class StatusBar {
public:
    struct Panel {
        std::string key;
        std::string text;
    };

    void addPanel(std::string key = {}, std::string text = {});
    long count() const { return static_cast<long>(panels_.size()); }
    Panel& panel(long index);
    const Panel& panel(long index) const;

private:
    std::vector<Panel> panels_;
};

// The tab control of a voucher screen: tabs counted from 0, each with a caption and a visibility. A tab
// outside 0 to Tabs - 1 raises 381.
class TabControl {
public:
    void addTab(std::string caption, bool visible = true);
    long tabs() const { return static_cast<long>(tabs_.size()); }
    bool tabVisible(long tab) const;
    void setTabVisible(long tab, bool visible);
    const std::string& tabCaption(long tab) const;
    void setTabCaption(long tab, std::string caption);

private:
    struct Tab {
        std::string caption;
        bool visible = true;
    };
    const Tab& at(long tab) const;
    Tab& at(long tab);

    std::vector<Tab> tabs_;
};

}  // namespace ui

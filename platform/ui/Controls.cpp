#include "platform/ui/Controls.h"

#include "platform/base/Error.h"
#include "platform/ui/UiErrors.h"

#include <utility>

namespace ui {

void ComboBox::addItem(std::string item) {
    items_.push_back(std::move(item));
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    text_.clear();
}

const std::string& ComboBox::list(long index) const {
    if (index < 0 || index >= listCount()) {
        throw base::Error(errors::kSubscriptOutOfRange, "Subscript out of range", "ComboBox");
    }
    return items_[static_cast<std::size_t>(index)];
}

void ComboBox::setListIndex(long index) {
    if (index < -1 || index >= listCount()) {
        throw base::Error(errors::kInvalidPropertyValue, "Invalid property value", "ComboBox");
    }
    listIndex_ = index;
    if (index >= 0) text_ = items_[static_cast<std::size_t>(index)];
}

void ComboBox::setText(std::string text) {
    text_ = std::move(text);
    if (listIndex_ >= 0 && items_[static_cast<std::size_t>(listIndex_)] != text_) listIndex_ = -1;
}

void StatusBar::addPanel(std::string key, std::string text) {
    panels_.push_back({std::move(key), std::move(text)});
}

StatusBar::Panel& StatusBar::panel(long index) {
    return const_cast<Panel&>(std::as_const(*this).panel(index));
}

const StatusBar::Panel& StatusBar::panel(long index) const {
    if (index < 1 || index > count()) {
        throw base::Error(errors::kSubscriptOutOfRange, "Subscript out of range", "StatusBar");
    }
    return panels_[static_cast<std::size_t>(index - 1)];
}

void TabControl::addTab(std::string caption, bool visible) {
    tabs_.push_back({std::move(caption), visible});
}

bool TabControl::tabVisible(long tab) const { return at(tab).visible; }
void TabControl::setTabVisible(long tab, bool visible) { at(tab).visible = visible; }
const std::string& TabControl::tabCaption(long tab) const { return at(tab).caption; }
void TabControl::setTabCaption(long tab, std::string caption) { at(tab).caption = std::move(caption); }

const TabControl::Tab& TabControl::at(long tab) const {
    if (tab < 0 || tab >= tabs()) {
        throw base::Error(errors::kSubscriptOutOfRange, "Subscript out of range", "TabControl");
    }
    return tabs_[static_cast<std::size_t>(tab)];
}

TabControl::Tab& TabControl::at(long tab) {
    return const_cast<Tab&>(std::as_const(*this).at(tab));
}

}  // namespace ui

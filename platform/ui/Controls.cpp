#include "platform/ui/Controls.h"

#include "platform/base/Error.h"
#include "platform/ui/UiErrors.h"

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

}  // namespace ui

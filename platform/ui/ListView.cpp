#include "platform/ui/ListView.h"

#include "platform/base/Error.h"
#include "platform/ui/UiErrors.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace ui {

namespace {

[[noreturn]] void raise(long number, const char* description) {
    throw base::Error(number, description, "ListView");
}

// The next code point of UTF-8 text; bytes that are no valid UTF-8 count as themselves.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    char32_t cp = byte(i);
    std::size_t length = cp < 0x80 ? 1 : (cp >> 5) == 0x6 ? 2 : (cp >> 4) == 0xE ? 3 : (cp >> 3) == 0x1E ? 4 : 1;
    if (i + length > s.size()) length = 1;
    if (length > 1) {
        cp &= 0xFFu >> (length + 1);
        for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return cp;
}

// Latin letters without case; then without accent, except that "ñ" keeps its own place after "n".
char32_t withoutCase(char32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
    return cp;
}

char32_t baseLetter(char32_t lower) {
    static constexpr std::string_view latin1 =  // 0xE0 to 0xFF
        "aaaaaaaceeeeiiii" "d\xf1ooooo\xf7ouuuuy\xfey";
    if (lower >= 0xE0 && lower <= 0xFF) return static_cast<unsigned char>(latin1[lower - 0xE0]);
    return lower;
}

// Primary weight: "ñ" between "n" and "o"; everything else by its base letter.
std::uint64_t weight(char32_t base) {
    if (base == 0xF1) return std::uint64_t{'n'} * 2 + 1;
    return std::uint64_t{base} * 2;
}

int compareBy(std::string_view a, std::string_view b, bool accents) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        char32_t x = withoutCase(nextCodePoint(a, i));
        char32_t y = withoutCase(nextCodePoint(b, j));
        std::uint64_t wx = accents ? x : weight(baseLetter(x));
        std::uint64_t wy = accents ? y : weight(baseLetter(y));
        if (wx != wy) return wx < wy ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

// The list's text order: letters first without regard to accents, then accented after plain; case never counts.
int compareTexts(std::string_view a, std::string_view b) {
    int order = compareBy(a, b, false);
    return order != 0 ? order : compareBy(a, b, true);
}

const std::string kEmpty;

}  // namespace

// ---- ListItem ----

long ListItem::index() const {
    owner_->sortIfNeeded();
    return index_;
}

const ListItem::Sub* ListItem::sub(long j) const {
    if (j < 1 || j >= owner_->columnCount()) raise(errors::kInvalidPropertyValue, "Invalid property value");
    return j <= static_cast<long>(subs_.size()) ? &subs_[static_cast<std::size_t>(j - 1)] : nullptr;
}

ListItem::Sub& ListItem::sub(long j) {
    if (j < 1 || j >= owner_->columnCount()) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (j > static_cast<long>(subs_.size())) {
        // A row's sub-items are set one after the other: room for all the columns is made at the first.
        subs_.reserve(static_cast<std::size_t>(owner_->columnCount() - 1));
        subs_.resize(static_cast<std::size_t>(j));
    }
    return subs_[static_cast<std::size_t>(j - 1)];
}

void ListItem::changed() {
    owner_->itemChanged(*this);
}

void ListItem::setText(std::string text) {
    text_ = std::move(text);
    changed();
}

const std::string& ListItem::subItem(long j) const {
    const Sub* s = sub(j);
    return s ? s->text : kEmpty;
}

void ListItem::setSubItem(long j, std::string text) {
    sub(j).text = std::move(text);
    changed();
}

void ListItem::setChecked(bool checked) {
    checked_ = checked;
    changed();
}

void ListItem::setBold(bool bold) {
    bold_ = bold;
    changed();
}

void ListItem::setForeColor(Color color) {
    foreColor_ = color;
    changed();
}

bool ListItem::subItemBold(long j) const {
    const Sub* s = sub(j);
    return s && s->bold;
}

void ListItem::setSubItemBold(long j, bool bold) {
    sub(j).bold = bold;
    changed();
}

Color ListItem::subItemForeColor(long j) const {
    const Sub* s = sub(j);
    return s ? s->foreColor : 0;
}

void ListItem::setSubItemForeColor(long j, Color color) {
    sub(j).foreColor = color;
    changed();
}

// ---- ListView ----

void ListView::clearColumns() {
    columns_.clear();
    if (observer_) observer_->listChanged();
}

long ListView::addColumn(std::string text, long width, int alignment) {
    if (width < 0 || alignment < Left || alignment > Center) {
        raise(errors::kInvalidPropertyValue, "Invalid property value");
    }
    columns_.push_back({std::move(text), width, alignment});
    if (observer_) observer_->listChanged();
    return columnCount();
}

const ListView::Column& ListView::column(long index) const {
    if (index < 1 || index > columnCount()) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    return columns_[static_cast<std::size_t>(index - 1)];
}

void ListView::setColumnWidth(long index, long width) {
    if (index < 1 || index > columnCount()) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    if (width < 0) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (columns_[static_cast<std::size_t>(index - 1)].width == width) return;
    columns_[static_cast<std::size_t>(index - 1)].width = width;
    if (observer_) observer_->listChanged();
}

long ListView::columnLeft(long index) const {
    column(index);
    long left = 0;
    for (long i = 1; i < index; ++i) left += columns_[static_cast<std::size_t>(i - 1)].width;
    return left;
}

void ListView::clearItems() {
    items_.clear();
    selected_ = nullptr;
    orderStale_ = false;
    if (observer_) observer_->listChanged();
}

ListItem& ListView::addItem(std::string text) {
    items_.push_back(std::unique_ptr<ListItem>(new ListItem(*this, std::move(text))));
    ListItem& item = *items_.back();
    item.added_ = ++added_;
    item.index_ = itemCount();
    if (sorted_) orderStale_ = true;
    if (observer_) observer_->listChanged();
    return item;
}

const ListItem& ListView::item(long index) const {
    if (index < 1 || index > itemCount()) raise(errors::kSubscriptOutOfRange, "Subscript out of range");
    sortIfNeeded();
    return *items_[static_cast<std::size_t>(index - 1)];
}

ListItem& ListView::item(long index) {
    return const_cast<ListItem&>(std::as_const(*this).item(index));
}

void ListView::setCheckboxes(bool on) {
    if (on == checkboxes_) return;
    checkboxes_ = on;
    if (observer_) observer_->listChanged();
}

void ListView::setSelectedItem(ListItem* item) {
    if (item && item->owner_ != this) raise(errors::kInvalidPropertyValue, "Invalid property value");
    if (item == selected_) return;
    selected_ = item;
    if (observer_) observer_->listSelectionChanged();
}

void ListView::ensureVisible(const ListItem& item) {
    if (observer_) observer_->listScrollTo(item);
}

void ListView::setSorted(bool sorted) {
    sorted_ = sorted;
    if (sorted_) {
        orderStale_ = true;
        if (observer_) observer_->listChanged();
    }
}

void ListView::setSortKey(long key) {
    if (key < 0) raise(errors::kInvalidPropertyValue, "Invalid property value");
    sortKey_ = key;
    if (sorted_) {
        orderStale_ = true;
        if (observer_) observer_->listChanged();
    }
}

void ListView::setSortOrder(int order) {
    if (order != Ascending && order != Descending) raise(errors::kInvalidPropertyValue, "Invalid property value");
    sortOrder_ = order;
    if (sorted_) {
        orderStale_ = true;
        if (observer_) observer_->listChanged();
    }
}

void ListView::itemChanged(const ListItem& item) {
    if (observer_) observer_->listItemChanged(item);
}

void ListView::sortIfNeeded() const {
    if (!orderStale_) return;
    orderStale_ = false;
    auto keyText = [this](const ListItem& item) -> const std::string& {
        if (sortKey_ == 0) return item.text_;
        auto j = static_cast<std::size_t>(sortKey_);
        return j <= item.subs_.size() ? item.subs_[j - 1].text : kEmpty;
    };
    std::sort(items_.begin(), items_.end(), [&](const auto& a, const auto& b) {
        int order = compareTexts(keyText(*a), keyText(*b));
        if (sortOrder_ == Descending) order = -order;
        return order != 0 ? order < 0 : a->added_ < b->added_;
    });
    renumber();
}

void ListView::renumber() const {
    long index = 0;
    for (auto& item : items_) item->index_ = ++index;
}

}  // namespace ui

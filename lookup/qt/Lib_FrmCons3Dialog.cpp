#include "lookup/qt/Lib_FrmCons3Dialog.h"

#include "lookup/qt/SearchBoxKeys.h"
#include "platform/ui/qt/ListViewWidget.h"
#include "platform/ui/qt/QtColors.h"
#include "platform/ui/qt/VbKeys.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr long kTwipsPerPixel = ui::QtTextMeasurer::kTwipsPerPixel;
// The legacy window's lengths are its outer ones: these are its borders and caption.
constexpr long kBorderWidth = 120;
constexpr long kBorderHeight = 420;

int pixels(long twips) {
    return static_cast<int>(std::max(0L, twips) / kTwipsPerPixel);
}

int signedPixels(long twips) {
    return static_cast<int>(twips / kTwipsPerPixel);
}

}  // namespace

Lib_FrmCons3Dialog::Lib_FrmCons3Dialog(Lib_FrmCons3& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setSizeGripEnabled(true);

    panel_ = new QWidget(this);
    list_ = new ui::ListViewWidget(form_.ListView1, panel_);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->installEventFilter(this);
    // The boxes follow a column's edge when the operator drags it.
    connect(list_->header(), &QHeaderView::sectionResized, this, [this] {
        if (!updating_) form_.placeSearchBoxes();
    });

    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setSingleStep(150);
    scroll_->setPageStep(1500);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (updating_) return;
        form_.HScroll1.value = value;
        form_.HScroll1_Change();
    });

    frame_ = new QWidget(this);
    auto* buttons = new QHBoxLayout(frame_);
    buttons->setContentsMargins(2, 2, 2, 2);
    nueva_ = new QPushButton(QString::fromStdString(form_.CmdNueva.caption), frame_);
    cancelar_ = new QPushButton(QString::fromStdString(form_.CmdCancelar.caption), frame_);
    aceptar_ = new QPushButton(QString::fromStdString(form_.CmdAceptar.caption), frame_);
    aceptar_->setDefault(true);
    for (QPushButton* button : {nueva_, cancelar_, aceptar_}) {
        buttons->addWidget(button);
        button->installEventFilter(this);
    }
    scroll_->installEventFilter(this);
    connect(nueva_, &QPushButton::clicked, this, [this] { form_.CmdNueva_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });

    measurer_ = std::make_unique<ui::QtTextMeasurer>(list_->font());
    form_.setTextMeasurer(measurer_.get());
    if (QScreen* screen = this->screen()) form_.ScreenWidth = screen->geometry().width() * kTwipsPerPixel;
    form_.setObserver(this);
    makeBoxes();
    applyLayout();
}

Lib_FrmCons3Dialog::~Lib_FrmCons3Dialog() {
    form_.setObserver(nullptr);
    form_.setTextMeasurer(nullptr);
}

int Lib_FrmCons3Dialog::exec() {
    form_.Form_Load();
    return QDialog::exec();
}

QComboBox* Lib_FrmCons3Dialog::searchBox(int index) const {
    return index >= 0 && index < searchBoxCount() ? boxes_[static_cast<std::size_t>(index)] : nullptr;
}

// One editable box per box of the window; the window makes them as it loads.
void Lib_FrmCons3Dialog::makeBoxes() {
    while (boxes_.size() < form_.CmbSearch.size()) {
        const int index = static_cast<int>(boxes_.size());
        auto* box = new QComboBox(panel_);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
        connect(box, &QComboBox::editTextChanged, this, [this, index](const QString& text) {
            if (!updating_) form_.setSearchText(index, text.toStdString());
        });
        connect(box, &QComboBox::activated, this, [this, index] {
            if (!updating_) form_.CmbSearch_Click(index);
        });
        boxes_.push_back(box);
        if (isVisible()) box->show();
    }
}

void Lib_FrmCons3Dialog::applyLayout() {
    updating_ = true;
    const int boxHeight = boxes_.empty() ? 22 : boxes_.front()->sizeHint().height();
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        QComboBox* box = boxes_[i];
        const ui::ComboBox& model = form_.CmbSearch[i];
        box->setGeometry(signedPixels(model.left), 0, pixels(model.width), boxHeight);
        box->setVisible(model.visible);
        box->setToolTip(QString::fromStdString(model.toolTipText));
        const QString text = QString::fromStdString(model.text());
        if (box->currentText() != text) box->setEditText(text);
        QPalette palette = box->lineEdit()->palette();
        palette.setColor(QPalette::Base, ui::toQColor(model.backColor));
        box->lineEdit()->setPalette(palette);
    }
    panel_->setGeometry(signedPixels(form_.picFields.left), 0, pixels(form_.picFields.width), pixels(form_.picFields.height));
    list_->setGeometry(signedPixels(form_.ListView1Bounds.left), boxHeight + 2, pixels(form_.ListView1Bounds.width),
                       pixels(form_.ListView1Bounds.height));
    scroll_->setGeometry(signedPixels(form_.HScroll1.left), pixels(form_.HScroll1.top), pixels(form_.HScroll1.width),
                         pixels(form_.HScroll1.height));
    scroll_->setRange(0, static_cast<int>(std::max(0L, form_.HScroll1.max)));
    scroll_->setValue(static_cast<int>(form_.HScroll1.value));
    frame_->setGeometry(signedPixels(form_.Frame1.left), pixels(form_.Frame1.top), pixels(form_.Frame1.width),
                        pixels(form_.Frame1.height));
    scroll_->raise();
    frame_->raise();
    const QSize size(pixels(form_.Width - kBorderWidth), pixels(form_.Height - kBorderHeight));
    if (this->size() != size) resize(size);
    updating_ = false;
}

void Lib_FrmCons3Dialog::formChanged() {
    makeBoxes();
    applyLayout();
}

QWidget* Lib_FrmCons3Dialog::focusWidgetOf(const Lib_FrmCons3::Focus& focus) const {
    switch (focus.kind) {
    case Lib_FrmCons3::Focus::Kind::List: return list_;
    case Lib_FrmCons3::Focus::Kind::SearchBox: return searchBox(focus.index);
    default: return nullptr;
    }
}

void Lib_FrmCons3Dialog::focusMoved() {
    QWidget* target = focusWidgetOf(form_.focus());
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
}

void Lib_FrmCons3Dialog::formHidden() {
    QDialog::done(QDialog::Accepted);
}

void Lib_FrmCons3Dialog::formCentred() {
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void Lib_FrmCons3Dialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (updating_) return;
    const QSize expected(pixels(form_.Width - kBorderWidth), pixels(form_.Height - kBorderHeight));
    if (size() != expected) form_.setSize(width() * kTwipsPerPixel + kBorderWidth, height() * kTwipsPerPixel + kBorderHeight);
}

void Lib_FrmCons3Dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The first box is first in the tab order: the operator starts typing there.
    if (form_.focus().kind == Lib_FrmCons3::Focus::Kind::None) form_.setFocus({Lib_FrmCons3::Focus::Kind::SearchBox, 0});
    focusMoved();
}

void Lib_FrmCons3Dialog::reject() {
    if (!form_.hidden()) form_.CmdCancelar_Click();
}

bool Lib_FrmCons3Dialog::listKey(QKeyEvent& key) {
    int keyCode = ui::vbKeyCode(key);
    const std::string typed = key.text().toStdString();
    if (keyCode == 0 && typed.empty()) return false;
    form_.ListView1_KeyDown(keyCode, ui::vbShiftState(key.modifiers()), typed);
    // A character that went to a search box is not the list's to search with as well.
    return keyCode == 0 || form_.focus().kind == Lib_FrmCons3::Focus::Kind::SearchBox;
}

bool Lib_FrmCons3Dialog::eventFilter(QObject* watched, QEvent* event) {
    // A box's line edit stands for its box.
    auto boxIndex = [this](QObject* object) -> int {
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            if (object == boxes_[i] || object == boxes_[i]->lineEdit()) return static_cast<int>(i);
        }
        return -1;
    };
    if (event->type() == QEvent::FocusIn) {
        if (watched == list_) form_.setFocus({Lib_FrmCons3::Focus::Kind::List, 0});
        else if (const int index = boxIndex(watched); index >= 0) form_.setFocus({Lib_FrmCons3::Focus::Kind::SearchBox, index});
        else form_.setFocus({Lib_FrmCons3::Focus::Kind::Other, 0});
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto& key = static_cast<QKeyEvent&>(*event);
    // The window sees every key before its controls.
    if (int keyCode = ui::vbKeyCode(key); keyCode != 0) {
        form_.Form_KeyDown(keyCode, ui::vbShiftState(key.modifiers()));
        if (keyCode == 0) return true;
    }
    if (watched == list_) return listKey(key);
    if (const int index = boxIndex(watched); index >= 0) return searchBoxKey(form_, index, key);
    return false;
}

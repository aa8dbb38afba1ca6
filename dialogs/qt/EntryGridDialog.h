#pragma once
// What the dialogs that enter values in a grid share on screen: the grid with a line edit laid over the cell
// where the dialog's edit box stands, the tool bar, the caption under the grid, "Aceptar" and "Cancelar". The
// operator's keys (seen before the controls, as legacy key codes with the text they type), clicks and buttons
// go back to the dialog's logic, the Form; a view adds only what its dialog has of its own.

#include "core/qt/WindowSetUpQt.h"
#include "platform/ui/qt/FlexGridView.h"
#include "platform/ui/qt/QtTextMeasurer.h"
#include "platform/ui/qt/VbKeys.h"

#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

namespace entry_grid {

constexpr int kEnter = 13;
constexpr int kEsc = 27;
constexpr int kUp = 38;
constexpr int kDown = 40;

int pixels(long twips);

// The character code a key types, as the legacy key-press events gave it: Enter, Backspace, Esc and the
// space by their codes, another one-byte character by its own, and -1 for a character of several bytes
// (handed over as text). 0: the key types nothing.
int keyAscii(const QKeyEvent& key, std::string& typed);

}  // namespace entry_grid

template <class Form>
class EntryGridDialog : public QDialog, private Form::Observer {
public:
    EntryGridDialog(Form& form, const char* objectName, QWidget* parent);
    ~EntryGridDialog() override {
        form_.setObserver(nullptr);
        form_.setTextMeasurer(nullptr);
    }

    // Shows the dialog modally until it hides itself.
    int exec() override {
        if (form_.hidden()) return QDialog::Accepted;
        return QDialog::exec();
    }
    // Esc outside the edit box and the window's close box cancel, as "&Cancelar" does.
    void reject() override {
        if (!form_.hidden()) form_.CmdCancelar_Click();
    }

    ui::FlexGridView* grid() const { return grid_; }
    QLineEdit* editBox() const { return edit_; }
    QToolBar* toolBar() const { return toolbar_; }
    QPushButton* aceptar() const { return aceptar_; }

protected:
    // A key the window takes before any control sees it; true when it was taken.
    virtual bool windowKey(int /*code*/) { return false; }
    // A tool-bar button that hands its number to the Form.
    void addToolButton(QStyle::StandardPixmap icon, std::string_view tip, int button);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void formChanged() override;

    Form& form_;

private:
    void focusMoved() override;
    void formHidden() override { QDialog::done(QDialog::Accepted); }

    bool gridKey(QKeyEvent& key);
    bool boxKey(QKeyEvent& key);

    std::unique_ptr<ui::QtTextMeasurer> measurer_;
    ui::FlexGridView* grid_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool syncing_ = false;
};

template <class Form>
EntryGridDialog<Form>::EntryGridDialog(Form& form, const char* objectName, QWidget* parent)
    : QDialog(parent), form_(form) {
    using entry_grid::pixels;
    setObjectName(objectName);
    const ui::FlexGrid& g = form_.MSFlexGrid1;

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setGeometry(pixels(g.left), 4, pixels(g.width), pixels(g.top) - 8);
    addToolButton(QStyle::SP_ArrowDown, Form::kBotonLlenar, 1);
    addToolButton(QStyle::SP_DialogResetButton, Form::kBotonBlanquear, 2);

    grid_ = new ui::FlexGridView(form_.MSFlexGrid1, this);
    grid_->setFrameShape(QFrame::NoFrame);
    grid_->setGeometry(pixels(g.left), pixels(g.top), pixels(g.width), pixels(g.height));
    grid_->onCellClick = [this](long row, long col) {
        form_.clickCell(row, col);
        formChanged();
    };

    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->hide();
    connect(edit_, &QLineEdit::cursorPositionChanged, this, [this](int, int position) {
        if (!syncing_) form_.TxtEdit.selStart = position;
    });

    const int below = pixels(g.top + g.height) + 6;
    label_ = new QLabel(this);
    label_->setGeometry(pixels(g.left), below, pixels(g.width), 20);
    aceptar_ = new QPushButton(QString::fromStdString(form_.CmdAceptar.caption), this);
    cancelar_ = new QPushButton(QString::fromStdString(form_.CmdCancelar.caption), this);
    aceptar_->setGeometry(pixels(g.left + g.width) - 250, below + 26, 120, 26);
    cancelar_->setGeometry(pixels(g.left + g.width) - 120, below + 26, 120, 26);
    for (QPushButton* button : {aceptar_, cancelar_}) {
        // Enter belongs to the grid and the edit box, never to a default button.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(aceptar_, &QPushButton::clicked, this, [this] {
        form_.CmdAceptar_Click();
        formChanged();
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });

    for (QWidget* w : std::initializer_list<QWidget*>{grid_, edit_, aceptar_, cancelar_, toolbar_}) w->installEventFilter(this);
    setFixedSize(pixels(g.left + g.width) + 8, below + 60);

    measurer_ = std::make_unique<ui::QtTextMeasurer>(grid_->font());
    form_.setTextMeasurer(measurer_.get());
    form_.setObserver(this);
    formChanged();
}

template <class Form>
void EntryGridDialog<Form>::addToolButton(QStyle::StandardPixmap icon, std::string_view tip, int button) {
    QAction* action = toolbar_->addAction(style()->standardIcon(icon), {});
    action->setToolTip(QString::fromUtf8(tip.data(), static_cast<int>(tip.size())));
    connect(action, &QAction::triggered, this, [this, button] {
        form_.Toolbar1_ButtonClick(button);
        formChanged();
    });
}

template <class Form>
void EntryGridDialog<Form>::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    ConfiguraFormulario(*this);
    focusMoved();
}

template <class Form>
bool EntryGridDialog<Form>::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        // The window sees keys before its controls.
        if (windowKey(ui::vbKeyCode(key))) return true;
        if (watched == grid_) return gridKey(key);
        if (watched == edit_) return boxKey(key);
    }
    if (event->type() == QEvent::FocusIn && watched == grid_ && form_.TxtEdit.visible) {
        // A click reaches the dialog as a click on a cell; any other way back to the grid folds the box here.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
            form_.MSFlexGrid1_GotFocus();
            formChanged();
        }
    }
    return QDialog::eventFilter(watched, event);
}

template <class Form>
bool EntryGridDialog<Form>::gridKey(QKeyEvent& key) {
    std::string typed;
    const int code = entry_grid::keyAscii(key, typed);
    if (code == 0) return false;  // the grid's own navigation
    form_.MSFlexGrid1_KeyPress(code, typed);
    formChanged();
    return true;
}

template <class Form>
bool EntryGridDialog<Form>::boxKey(QKeyEvent& key) {
    using namespace entry_grid;
    const int code = ui::vbKeyCode(key);
    if (code == kEnter || code == kEsc || code == kUp || code == kDown) {
        form_.TxtEdit_KeyDown(code);
        formChanged();
        return true;
    }
    std::string typed;
    const int ascii = keyAscii(key, typed);
    if (ascii == 0) return false;  // caret movement stays the line edit's
    form_.TxtEdit_KeyPress(ascii, typed);
    formChanged();
    return true;
}

template <class Form>
void EntryGridDialog<Form>::formChanged() {
    using entry_grid::pixels;
    syncing_ = true;
    setWindowTitle(QString::fromStdString(form_.Caption));
    label_->setText(QString::fromStdString(form_.lblArticulo.caption));
    const auto& box = form_.TxtEdit;
    if (box.visible) {
        edit_->setGeometry(pixels(box.left), pixels(box.top), std::max(1, pixels(box.width)), pixels(box.height));
        const QString text = QString::fromStdString(box.text);
        if (edit_->text() != text) edit_->setText(text);
        edit_->setCursorPosition(static_cast<int>(box.selStart));
        edit_->show();
        edit_->raise();
    } else {
        edit_->hide();
    }
    syncing_ = false;
}

template <class Form>
void EntryGridDialog<Form>::focusMoved() {
    QWidget* target = nullptr;
    switch (form_.focus()) {
    case Form::Focus::Grid: target = grid_; break;
    case Form::Focus::Box: target = edit_; break;
    case Form::Focus::Aceptar: target = aceptar_; break;
    }
    formChanged();
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
}

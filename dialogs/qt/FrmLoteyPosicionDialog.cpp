#include "dialogs/qt/FrmLoteyPosicionDialog.h"

#include "core/qt/WindowSetUpQt.h"
#include "platform/ui/qt/FlexGridView.h"
#include "platform/ui/qt/VbKeys.h"

#include <QAction>
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

namespace {

constexpr long kTwipsPerPixel = ui::QtTextMeasurer::kTwipsPerPixel;
constexpr int kEnter = 13;
constexpr int kEsc = 27;
constexpr int kUp = 38;
constexpr int kDown = 40;

int pixels(long twips) {
    return static_cast<int>(std::max(0L, twips) / kTwipsPerPixel);
}

// The character code a key types, as the legacy key-press events gave it: Enter, Backspace, Esc and the
// space by their codes, another one-byte character by its own, and -1 for a character of several bytes
// (handed over as text). 0: the key types nothing.
int keyAscii(const QKeyEvent& key, std::string& typed) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kEnter;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return kEsc;
    default: break;
    }
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint()) return 0;
    typed = text.toStdString();
    return typed.size() == 1 ? static_cast<unsigned char>(typed[0]) : -1;
}

}  // namespace

FrmLoteyPosicionDialog::FrmLoteyPosicionDialog(FrmLoteyPosicion& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName("FrmLoteyPosicion");
    const ui::FlexGrid& g = form_.MSFlexGrid1;

    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setGeometry(pixels(g.left), 4, pixels(g.width), pixels(g.top) - 8);
    QAction* llenar = toolbar_->addAction(style()->standardIcon(QStyle::SP_ArrowDown), {});
    llenar->setToolTip(QString::fromUtf8(FrmLoteyPosicion::kBotonLlenar.data(),
                                         static_cast<int>(FrmLoteyPosicion::kBotonLlenar.size())));
    QAction* blanquear = toolbar_->addAction(style()->standardIcon(QStyle::SP_DialogResetButton), {});
    blanquear->setToolTip(QString::fromUtf8(FrmLoteyPosicion::kBotonBlanquear.data(),
                                            static_cast<int>(FrmLoteyPosicion::kBotonBlanquear.size())));
    connect(llenar, &QAction::triggered, this, [this] {
        form_.Toolbar1_ButtonClick(1);
        formChanged();
    });
    connect(blanquear, &QAction::triggered, this, [this] {
        form_.Toolbar1_ButtonClick(2);
        formChanged();
    });
    QAction* proponer = toolbar_->addAction(style()->standardIcon(QStyle::SP_BrowserReload), {});
    proponer->setToolTip(QString::fromUtf8(FrmLoteyPosicion::kBotonProponer.data(),
                                           static_cast<int>(FrmLoteyPosicion::kBotonProponer.size())));
    connect(proponer, &QAction::triggered, this, [this] {
        form_.Toolbar1_ButtonClick(3);
        formChanged();
    });

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

FrmLoteyPosicionDialog::~FrmLoteyPosicionDialog() {
    form_.setObserver(nullptr);
    form_.setTextMeasurer(nullptr);
}

int FrmLoteyPosicionDialog::exec() {
    if (form_.hidden()) return QDialog::Accepted;
    return QDialog::exec();
}

void FrmLoteyPosicionDialog::reject() {
    if (!form_.hidden()) form_.CmdCancelar_Click();
}

void FrmLoteyPosicionDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    ConfiguraFormulario(*this);
    focusMoved();
}

bool FrmLoteyPosicionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        // The window sees keys before its controls.
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

bool FrmLoteyPosicionDialog::gridKey(QKeyEvent& key) {
    std::string typed;
    const int code = keyAscii(key, typed);
    if (code == 0) return false;  // the grid's own navigation
    form_.MSFlexGrid1_KeyPress(code, typed);
    formChanged();
    return true;
}

bool FrmLoteyPosicionDialog::boxKey(QKeyEvent& key) {
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

void FrmLoteyPosicionDialog::formChanged() {
    syncing_ = true;
    setWindowTitle(QString::fromStdString(form_.Caption));
    label_->setText(QString::fromStdString(form_.lblArticulo.caption));
    const ui::TextBox& box = form_.TxtEdit;
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

void FrmLoteyPosicionDialog::focusMoved() {
    QWidget* target = nullptr;
    switch (form_.focus()) {
    case FrmLoteyPosicion::Focus::Grid: target = grid_; break;
    case FrmLoteyPosicion::Focus::Box: target = edit_; break;
    case FrmLoteyPosicion::Focus::Aceptar: target = aceptar_; break;
    }
    formChanged();
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
}

void FrmLoteyPosicionDialog::formHidden() {
    QDialog::done(QDialog::Accepted);
}

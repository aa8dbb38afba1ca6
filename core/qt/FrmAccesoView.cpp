#include "core/qt/FrmAccesoView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The password box shows every character as the dialog's PasswordChar, whatever the desktop's style uses.
class PasswordCharStyle : public QProxyStyle {
public:
    PasswordCharStyle(QChar character) : character_(character) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return character_.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar character_;
};

QLineEdit* textBox(const ui::TextBox& model, QWidget* parent)
{
    auto* box = new QLineEdit(qt(model.text), parent);
    box->setObjectName(qt(model.name));
    return box;
}

}  // namespace

FrmAccesoView::FrmAccesoView(frmAcceso& presenter, QWidget* parent) : QDialog(parent), presenter_(presenter)
{
    setObjectName("frmAcceso");
    setWindowTitle(qt(presenter_.Caption));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    TxtUserId_ = textBox(presenter_.TxtUserId, this);
    TxtUserPassword_ = textBox(presenter_.TxtUserPassword, this);
    TxtUserPassword_->setEchoMode(QLineEdit::Password);
    auto* passwordStyle = new PasswordCharStyle(qt(presenter_.PasswordChar).at(0));
    passwordStyle->setParent(TxtUserPassword_);
    TxtUserPassword_->setStyle(passwordStyle);
    TxtDbName_ = textBox(presenter_.TxtDbName, this);
    TxtServidor_ = textBox(presenter_.TxtServidor, this);

    CboPlataformaDB_ = new QComboBox(this);
    CboPlataformaDB_->setObjectName("CboPlataformaDB");
    for (const std::string& item : presenter_.CboPlataformaDB.items()) CboPlataformaDB_->addItem(qt(item));
    CboPlataformaDB_->setCurrentIndex(static_cast<int>(presenter_.CboPlataformaDB.listIndex()));

    bcAceptar_ = new QPushButton(qt(presenter_.bcAceptar.caption), this);
    bcAceptar_->setObjectName("bcAceptar");
    bcAceptar_->setDefault(true);
    bcCancelar_ = new QPushButton(qt(presenter_.bcCancelar.caption), this);
    bcCancelar_->setObjectName("bcCancelar");
    bcCancelar_->setAutoDefault(false);

    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [label, box] : {std::pair{&presenter_.LblUserId, TxtUserId_},
                              std::pair{&presenter_.LblUserPassword, TxtUserPassword_},
                              std::pair{&presenter_.LblDbName, TxtDbName_},
                              std::pair{&presenter_.LblServidor, TxtServidor_}}) {
        auto* caption = new QLabel(qt(label->caption), this);
        caption->setBuddy(box);
        fields->addWidget(caption, row, 0);
        fields->addWidget(box, row++, 1);
    }
    fields->addWidget(CboPlataformaDB_, row, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bcAceptar_);
    buttons->addWidget(bcCancelar_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(bcAceptar_, &QPushButton::clicked, this, [this] {
        copiaAlPresentador();
        presenter_.bcAceptar_Click();
        cierraSiOculto();
    });
    connect(bcCancelar_, &QPushButton::clicked, this, [this] {
        copiaAlPresentador();
        presenter_.bcCancelar_Click();
        cierraSiOculto();
    });

    setFixedSize(sizeHint());
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FrmAccesoView::copiaAlPresentador()
{
    presenter_.TxtUserId.text = TxtUserId_->text().toStdString();
    presenter_.TxtUserPassword.text = TxtUserPassword_->text().toStdString();
    presenter_.TxtDbName.text = TxtDbName_->text().toStdString();
    presenter_.TxtServidor.text = TxtServidor_->text().toStdString();
    presenter_.CboPlataformaDB.setListIndex(CboPlataformaDB_->currentIndex());
}

void FrmAccesoView::cierraSiOculto()
{
    if (!presenter_.Visible) done(presenter_.Aceptar ? Accepted : Rejected);
}

void FrmAccesoView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bcCancelar_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmAccesoView::reject()
{
    presenter_.Form_Unload();
    if (!presenter_.Visible) QDialog::reject();
}

void FrmAccesoQt::muestraModal(frmAcceso& dialogo)
{
    FrmAccesoView view(dialogo, parent_);
    view.exec();
}

// The log-in dialog on screen, and the window set-up of a Qt window.

#include "core/StartUp.h"
#include "core/qt/FrmAccesoView.h"
#include "core/qt/WindowSetUpQt.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>

namespace {

template <class Widget>
Widget* child(QWidget* dialog, const char* name)
{
    auto* widget = dialog->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void press(QWidget* target, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Shows the dialog through the data-access object's interface and lets `operate` act on it once it is up.
std::optional<DatosAcceso> askWith(const DatosAcceso& current, std::function<void(QWidget*)> operate)
{
    uitest::whenModalShows(std::move(operate));
    FrmAccesoQt view;
    frmAcceso dialog(view);
    return dialog.pedir(current);
}

const DatosAcceso kCurrent{"EMPRESA", "SRV01", "ana", "clave", false};

TEST(FrmAccesoView, ShowsTheBoxesAndAcceptsWithEnter)
{
    QString title, passwordShown;
    QStringList labels, platforms;
    int platform = -1;
    bool passwordHidden = false;
    const auto answer = askWith(kCurrent, [&](QWidget* dialog) {
        title = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        auto* password = child<QLineEdit>(dialog, "TxtUserPassword");
        passwordHidden = password->echoMode() == QLineEdit::Password;
        passwordShown = password->displayText();
        auto* combo = child<QComboBox>(dialog, "CboPlataformaDB");
        for (int i = 0; i < combo->count(); ++i) platforms << combo->itemText(i);
        platform = combo->currentIndex();
        EXPECT_EQ(child<QLineEdit>(dialog, "TxtUserId")->text(), "ana");
        EXPECT_EQ(child<QLineEdit>(dialog, "TxtDbName")->text(), "EMPRESA");
        EXPECT_EQ(child<QLineEdit>(dialog, "TxtServidor")->text(), "SRV01");
        EXPECT_TRUE(child<QPushButton>(dialog, "bcAceptar")->isDefault());

        auto* server = child<QLineEdit>(dialog, "TxtServidor");
        server->setText(" ORA1 ");
        combo->setCurrentIndex(1);
        server->setFocus();
        press(server, Qt::Key_Return);
    });
    EXPECT_EQ(title, "Control de Acceso");
    EXPECT_EQ(labels, (QStringList{"&Usuario", "&Contraseña", "&Base de Datos", "&Servidor"}));
    EXPECT_TRUE(passwordHidden);
    EXPECT_EQ(passwordShown, "*****");
    EXPECT_EQ(platforms, (QStringList{"SQL Server", "ORACLE"}));
    EXPECT_EQ(platform, 0);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->servidor, " ORA1 ");  // as typed
    EXPECT_EQ(answer->usuario, "ana");
    EXPECT_EQ(answer->password, "clave");
    EXPECT_EQ(answer->dbName, "EMPRESA");
    EXPECT_TRUE(answer->oracle);
}

TEST(FrmAccesoView, EscCancelAndTheFrameAreNotAccepted)
{
    const std::pair<const char*, std::function<void(QWidget*)>> closes[] = {
        {"Esc", [](QWidget* dialog) { press(dialog, Qt::Key_Escape); }},
        {"Cancelar", [](QWidget* dialog) { child<QPushButton>(dialog, "bcCancelar")->click(); }},
        {"frame", [](QWidget* dialog) { dialog->close(); }},
    };
    for (const auto& [how, close] : closes) {
        const auto answer = askWith(kCurrent, [close = close](QWidget* dialog) {
            child<QLineEdit>(dialog, "TxtUserId")->setText("otro");
            close(dialog);
        });
        EXPECT_FALSE(answer.has_value()) << how;
    }
    // Aceptar still works after a cancel
    const auto answer = askWith(kCurrent, [](QWidget* dialog) { child<QPushButton>(dialog, "bcAceptar")->click(); });
    ASSERT_TRUE(answer.has_value());
    EXPECT_FALSE(answer->oracle);
}

TEST(WindowSetUpQt, ToolbarsGetTheStyleAndAnOwnIconStays)
{
    gFlatToolbars = 0;
    QWidget dialog;
    dialog.setObjectName("FrmLoteyPosicion");
    QPixmap own(16, 16);
    own.fill(Qt::red);
    dialog.setWindowIcon(QIcon(own));
    auto* util = new QToolBar(&dialog);
    util->setObjectName("UtilNet1");
    auto* other = new QToolBar(&dialog);
    other->setObjectName("Otra");
    ConfiguraFormulario(dialog);
    EXPECT_EQ(util->property("StyleBar").toDouble(), 0);
    EXPECT_FALSE(other->property("StyleBar").isValid());
    EXPECT_EQ(dialog.windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));

    QWidget frame;
    frame.setObjectName("FRMMDI");
    auto* frameBar = new QToolBar(&frame);
    frameBar->setObjectName("UtilNet1");
    ConfiguraFormulario(frame);
    EXPECT_FALSE(frameBar->property("StyleBar").isValid());
    gFlatToolbars = 1;
}

}  // namespace

#include "platform/ui/qt/QtPrompter.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace ui;

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows a real message box, notes what it showed and clicks `click` on it.
int answerMessage(const char* text, int style, const char* title, QMessageBox::StandardButton click, Seen& seen) {
    uitest::whenModalShows([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        box->button(click)->click();
    });
    QtPrompter prompter("Migrador");
    return prompter.msgBox(text, style, title);
}

TEST(QtPrompter, MessageBoxShowsTheStyleAndAnswersWithTheClickedButton) {
    struct Case {
        int style;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton click;
        int answer;
    };
    const Case cases[] = {
        {vbOKOnly, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, vbOK},
        {vbAbortRetryIgnore + vbCritical, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
         QMessageBox::Critical, QMessageBox::Abort, QMessageBox::Retry, vbRetry},
        {vbAbortRetryIgnore + vbCritical, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
         QMessageBox::Critical, QMessageBox::Abort, QMessageBox::Ignore, vbIgnore},
        {vbYesNo + vbCritical + vbDefaultButton2, QMessageBox::Yes | QMessageBox::No, QMessageBox::Critical,
         QMessageBox::No, QMessageBox::Yes, vbYes},
        {vbYesNo + vbQuestion, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QMessageBox::Yes,
         QMessageBox::No, vbNo},
        {vbOKCancel + vbInformation, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information,
         QMessageBox::Ok, QMessageBox::Cancel, vbCancel},
        {vbYesNoCancel + vbExclamation + vbDefaultButton3, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Cancel, QMessageBox::Yes, vbYes},
    };
    for (const Case& c : cases) {
        Seen seen;
        EXPECT_EQ(answerMessage("VACIAR TODOS LOS MOVIMIENTOS", c.style, "ATENCION!", c.click, seen), c.answer)
            << c.style;
        EXPECT_EQ(seen.buttons, c.buttons) << c.style;
        EXPECT_EQ(seen.icon, c.icon) << c.style;
        EXPECT_EQ(seen.defaultButton, c.defaultButton) << c.style;
        EXPECT_EQ(seen.title, "ATENCION!");
    }
}

TEST(QtPrompter, MessageBoxWithoutTitleShowsTheProgramsTitleAndLines) {
    Seen seen;
    EXPECT_EQ(answerMessage("Desea informar el articulo 1 Pino\r\ncomo un faltante de stock?", vbOKOnly, "",
                            QMessageBox::Ok, seen),
              vbOK);
    EXPECT_EQ(seen.title, "Migrador");
    EXPECT_EQ(seen.text, "Desea informar el articulo 1 Pino\ncomo un faltante de stock?");
}

TEST(QtPrompter, EscapeAnswersCancelOrTheOnlyButton) {
    struct Case {
        int style;
        int answer;
    };
    for (const Case& c : {Case{vbOKCancel, vbCancel}, Case{vbOKOnly, vbOK}, Case{vbRetryCancel, vbCancel}}) {
        uitest::whenModalShows([](QWidget* modal) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(modal, &escape);
        });
        QtPrompter prompter("Migrador");
        EXPECT_EQ(prompter.msgBox("texto", c.style, "titulo"), c.answer) << c.style;
    }
}

TEST(QtPrompter, InputBoxGivesTheTypedTextAndCancelGivesEmpty) {
    QString shownTitle;
    QString shownDefault;
    uitest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownTitle = dialog->windowTitle();
        shownDefault = dialog->textValue();
        dialog->setTextValue(QStringLiteral("12.5"));
        dialog->accept();
    });
    QtPrompter prompter("Migrador");
    EXPECT_EQ(prompter.inputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", "3.00"), "12.5");
    EXPECT_EQ(shownTitle, "Carga de Datos");
    EXPECT_EQ(shownDefault, "3.00");

    uitest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownTitle = dialog->windowTitle();
        dialog->setTextValue(QStringLiteral("clave"));
        dialog->reject();
    });
    EXPECT_EQ(prompter.inputBox("Ingrese la clave del supervisor"), "");
    EXPECT_EQ(shownTitle, "Migrador");
}

}  // namespace

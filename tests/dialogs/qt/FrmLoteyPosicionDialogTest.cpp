// The storage-position and lot dialog on screen (offscreen platform): only the CANT. column opens the edit
// box, a quantity above what is available is refused and the box stays, Enter on the last quantity goes to
// the accept button, the third tool bar button proposes and the window's close box cancels.

#include "dialogs/qt/FrmLoteyPosicionDialog.h"
#include "platform/ui/qt/FlexGridView.h"
#include "tests/dialogs/LoteyPosicionForms.h"
#include "tests/dialogs/qt/DialogOperator.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace {

using uitest::press;

class LoteyPosicionWindow : public LoteyPosicionFixture {
protected:
    void SetUp() override {
        LoteyPosicionFixture::SetUp();
        posicion("A01", 1);
        saldo("A01", "", "U", 4);
        saldo("", "", "U", 4);
    }

    static void focusCell(FrmLoteyPosicionDialog& dialog, FrmLoteyPosicion& form, long row, long col) {
        form.MSFlexGrid1.setRow(row);
        form.MSFlexGrid1.setCol(col);
        dialog.grid()->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(LoteyPosicionWindow, OnlyTheQuantityColumnOpensTheBoxAndAValueAboveIsRefused) {
    auto form = dialogo(5, false);
    FrmLoteyPosicionDialog dialog(*form);
    uitest::whenModalShows([&](QWidget* modal) {
        [&] {
            ASSERT_EQ(modal, &dialog);
            EXPECT_EQ(dialog.windowTitle(), "Posiciones (Deposito: 1)");
            focusCell(dialog, *form, 1, 3);
            press(dialog.grid(), Qt::Key_7, "7");
            EXPECT_FALSE(dialog.editBox()->isVisible());

            focusCell(dialog, *form, 1, 4);
            press(dialog.grid(), Qt::Key_7, "7");
            QLineEdit* box = dialog.editBox();
            ASSERT_TRUE(box->isVisible());
            EXPECT_EQ(box->text(), "7");
            const QRect cell = dialog.grid()->visualRect(dialog.grid()->model()->index(1, 4));
            EXPECT_NEAR(box->geometry().left(), dialog.grid()->viewport()->mapTo(&dialog, cell.topLeft()).x(), 3);
            expectRefusal("No hay disponible para esa posicion");
            press(box, Qt::Key_Return, "\r");
            EXPECT_TRUE(prompter.satisfied()) << prompter.report();
            EXPECT_TRUE(box->isVisible());
            EXPECT_EQ(form->MSFlexGrid1.textMatrix(1, 4), "4");

            press(box, Qt::Key_Backspace, "\b");
            press(box, Qt::Key_3, "3");
            press(box, Qt::Key_Return, "\r");
            EXPECT_FALSE(box->isVisible());
            EXPECT_EQ(form->MSFlexGrid1.textMatrix(1, 4), "3");
            EXPECT_EQ(form->MSFlexGrid1.row(), 2);
            press(dialog.grid(), Qt::Key_2, "2");
            press(dialog.editBox(), Qt::Key_Return, "\r");
            EXPECT_TRUE(dialog.aceptar()->hasFocus());
        }();
        dialog.close();
    });
    dialog.exec();
}

TEST_F(LoteyPosicionWindow, TheThirdButtonProposesAndClosingTheFrameCancels) {
    auto form = dialogo(5, false, "|A01*1|");
    FrmLoteyPosicionDialog dialog(*form);
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            EXPECT_EQ(cantidades(*form), (std::vector<std::string>{"1", "0"}));
            QToolBar* toolbar = dialog.findChild<QToolBar*>("Toolbar1");
            ASSERT_NE(toolbar, nullptr);
            ASSERT_EQ(toolbar->actions().size(), 3);
            toolbar->actions()[2]->trigger();
            QApplication::processEvents();
            EXPECT_EQ(cantidades(*form), (std::vector<std::string>{"4", "1"}));
        }();
        dialog.close();
    });
    dialog.exec();
    EXPECT_TRUE(form->hidden());
    EXPECT_FALSE(form->accepted());
    EXPECT_EQ(form->Posiciones, "");
}

}  // namespace

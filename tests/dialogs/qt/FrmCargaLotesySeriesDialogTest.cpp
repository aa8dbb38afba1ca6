// The lot and serial-number dialog on screen (offscreen platform): typing on the grid opens the edit box
// over the cell, Enter folds it back and moves, a refused click away keeps it, F2 accepts from it and the
// window's close box cancels.

#include "dialogs/qt/FrmCargaLotesySeriesDialog.h"
#include "platform/ui/qt/FlexGridView.h"
#include "tests/dialogs/LotesySeriesForms.h"
#include "tests/dialogs/qt/DialogOperator.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QLineEdit>

namespace {

using uitest::clickCell;
using uitest::press;

class LotesySeriesWindow : public LotesySeriesFixture {
protected:
    void SetUp() override {
        LotesySeriesFixture::SetUp();
        dosLotes();
    }

    // Where a cell of the grid stands in the dialog.
    static QRect cellInDialog(FrmCargaLotesySeriesDialog& dialog, int row, int col) {
        ui::FlexGridView* grid = dialog.grid();
        const QRect cell = grid->visualRect(grid->model()->index(row, col));
        return QRect(grid->viewport()->mapTo(&dialog, cell.topLeft()), cell.size());
    }
};

TEST_F(LotesySeriesWindow, TypingOpensTheBoxOverTheCellAndEnterFoldsItAndMoves) {
    auto form = salida(6, true, false);
    form->lblArticulo.caption = "A1 - Tornillo";
    FrmCargaLotesySeriesDialog dialog(*form);
    uitest::whenModalShows([&](QWidget* modal) {
        [&] {
            ASSERT_EQ(modal, &dialog);
            EXPECT_EQ(dialog.windowTitle(), "Números de Lote (Deposito:    1)");
            form->MSFlexGrid1.setRow(1);
            form->MSFlexGrid1.setCol(3);
            dialog.grid()->setFocus();
            QApplication::processEvents();
            press(dialog.grid(), Qt::Key_4, "4");
            QLineEdit* box = dialog.editBox();
            ASSERT_TRUE(box->isVisible());
            EXPECT_TRUE(box->hasFocus());
            EXPECT_EQ(box->text(), "4");
            const QRect cell = cellInDialog(dialog, 1, 3);
            EXPECT_NEAR(box->geometry().left(), cell.left(), 3);
            EXPECT_NEAR(box->geometry().top(), cell.top(), 3);
            EXPECT_NEAR(box->geometry().width(), cell.width(), 3);

            press(box, Qt::Key_Return, "\r");
            EXPECT_FALSE(box->isVisible());
            EXPECT_EQ(form->MSFlexGrid1.textMatrix(1, 3), "4");
            EXPECT_EQ(dialog.grid()->model()->index(1, 3).data().toString(), "4");
            EXPECT_EQ(form->MSFlexGrid1.row(), 2);
            EXPECT_EQ(dialog.grid()->currentIndex().row(), 2);
        }();
        dialog.close();
    });
    dialog.exec();
}

TEST_F(LotesySeriesWindow, ARefusedClickAwayKeepsTheBoxAndF2AcceptsFromIt) {
    auto form = salida(6, true, false);
    FrmCargaLotesySeriesDialog dialog(*form);
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            form->MSFlexGrid1.setRow(1);
            form->MSFlexGrid1.setCol(3);
            dialog.grid()->setFocus();
            QApplication::processEvents();
            press(dialog.grid(), Qt::Key_9, "9");
            expectRefusal("La Cantidad supera a la cantidad disponible en Stock");
            clickCell(dialog.grid(), 2, 3);
            EXPECT_TRUE(prompter.satisfied()) << prompter.report();
            EXPECT_TRUE(dialog.editBox()->isVisible());
            EXPECT_EQ(form->MSFlexGrid1.row(), 1);
            EXPECT_EQ(form->MSFlexGrid1.textMatrix(1, 3), "5");

            press(dialog.editBox(), Qt::Key_Backspace, "\b");
            press(dialog.editBox(), Qt::Key_5, "5");
            EXPECT_EQ(dialog.editBox()->text(), "5");
            press(dialog.editBox(), Qt::Key_F2);
        }();
        if (dialog.isVisible()) dialog.close();
    });
    dialog.exec();
    EXPECT_TRUE(form->accepted());
    EXPECT_EQ(form->Series, "|5|1|0|");
}

TEST_F(LotesySeriesWindow, AnAcceptedClickAwayFoldsAndMoves) {
    auto form = salida(6, true, false);
    FrmCargaLotesySeriesDialog dialog(*form);
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            form->MSFlexGrid1.setRow(1);
            form->MSFlexGrid1.setCol(3);
            dialog.grid()->setFocus();
            QApplication::processEvents();
            press(dialog.grid(), Qt::Key_2, "2");
            clickCell(dialog.grid(), 2, 3);
            EXPECT_FALSE(dialog.editBox()->isVisible());
            EXPECT_EQ(form->MSFlexGrid1.textMatrix(1, 3), "2");
            EXPECT_EQ(form->MSFlexGrid1.row(), 2);
        }();
        dialog.close();
    });
    dialog.exec();
}

TEST_F(LotesySeriesWindow, ClosingTheFrameAfterTypingCancels) {
    auto form = salida(6, true, false);
    FrmCargaLotesySeriesDialog dialog(*form);
    uitest::whenModalShows([&](QWidget*) {
        form->MSFlexGrid1.setRow(1);
        form->MSFlexGrid1.setCol(3);
        dialog.grid()->setFocus();
        QApplication::processEvents();
        press(dialog.grid(), Qt::Key_1, "1");
        dialog.close();
    });
    dialog.exec();
    EXPECT_TRUE(form->hidden());
    EXPECT_FALSE(form->accepted());
    EXPECT_EQ(form->Lotes, "");
}

}  // namespace

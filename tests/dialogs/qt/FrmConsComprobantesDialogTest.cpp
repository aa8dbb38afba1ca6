// The voucher query window on screen (offscreen platform): purchase orders with check boxes and images,
// ticks by mouse and Enter, a header click, and the frame's close through the engine.

#include "dialogs/qt/FrmConsComprobantesDialog.h"
#include "platform/ui/qt/ListViewWidget.h"
#include "stock/ClsCmnCptes.h"
#include "tests/dialogs/VoucherQueryFixture.h"
#include "tests/dialogs/qt/DialogOperator.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>

namespace {

using uitest::click;

class QueryWindow : public VoucherQuery {
protected:
    void SetUp() override {
        VoucherQuery::SetUp();
        vouchers();
        voucher({"OC", "OC6", "2110101003"});
    }

    // The operator clicks the check box of the list's row `row` (from 0).
    static void tick(ui::ListViewWidget* list, int row) {
        const QRect cell = list->visualItemRect(list->topLevelItem(row));
        click(list->viewport(), QPoint(cell.left() + 9, cell.center().y()));
    }

    static std::vector<std::string> shownNumbers(ui::ListViewWidget* list) {
        std::vector<std::string> out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) out.push_back(list->topLevelItem(i)->text(2).toStdString());
        return out;
    }
};

TEST_F(QueryWindow, OrdersTickedByMouseAreHandedBackOnEnter) {
    FrmConsComprobantes form;
    form.TC = "OC";
    FrmConsComprobantesDialog dialog(form);
    bool checked = false;
    uitest::whenModalShows([&](QWidget* modal) {
        [&] {
            ASSERT_EQ(modal, &dialog);
            QApplication::processEvents();
            dialog.list()->sync();
            EXPECT_EQ(dialog.windowTitle(), "Consulta de Comprobantes");
            ASSERT_EQ(dialog.list()->topLevelItemCount(), 3);
            EXPECT_EQ(dialog.list()->headerItem()->text(5), "Inf. Recepción");
            for (int i = 0; i < 3; ++i) {
                QTreeWidgetItem* row = dialog.list()->topLevelItem(i);
                EXPECT_EQ(row->checkState(0), Qt::Unchecked);
                EXPECT_FALSE(row->icon(0).isNull());
            }
            EXPECT_EQ(shownNumbers(dialog.list()), (std::vector<std::string>{asStored("OC6"), asStored("OC4"), asStored("OC1")}));
            tick(dialog.list(), 0);
            tick(dialog.list(), 2);
            EXPECT_EQ(dialog.list()->topLevelItem(0)->checkState(0), Qt::Checked);
            EXPECT_TRUE(form.ListView1.item(1).checked());
            EXPECT_FALSE(form.ListView1.item(2).checked());
            EXPECT_TRUE(form.ListView1.item(3).checked());
            checked = true;
        }();
        dialog.list()->setFocus();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(dialog.list(), &enter);
        QApplication::processEvents();
        if (dialog.isVisible()) dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(checked);
    EXPECT_EQ(form.NroComprobante, asStored("OC6,OC1"));
    EXPECT_EQ(form.IdComplemento, "0");
    EXPECT_TRUE(form.hidden());
}

TEST_F(QueryWindow, AHeaderClickReordersTheList) {
    FrmConsComprobantes form;
    form.TC = "FC";
    FrmConsComprobantesDialog dialog(form);
    bool sorted = false;
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            QApplication::processEvents();
            dialog.list()->sync();
            auto numbers = [&] {
                std::vector<std::string> out;
                for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
                    out.push_back(dialog.list()->topLevelItem(i)->text(1).toStdString());
                return out;
            };
            ASSERT_EQ(numbers(), (std::vector<std::string>{asStored("FC2"), asStored("FC1")}));
            QHeaderView* header = dialog.list()->header();
            // Descending first, as the window's order flips from ascending.
            click(header->viewport(), QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
            click(header->viewport(), QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
            dialog.list()->sync();
            EXPECT_EQ(numbers(), (std::vector<std::string>{asStored("FC1"), asStored("FC2")}));
            sorted = true;
        }();
        dialog.cancelButton()->click();
    });
    dialog.exec();
    EXPECT_TRUE(sorted);
    EXPECT_EQ(form.NroComprobante, "");
}

TEST_F(QueryWindow, ClosingTheFrameHandsBackNothing) {
    uitest::QtDialogsInstalled dialogs;
    bool shown = false;
    uitest::whenModalShows([&](QWidget* modal) {
        shown = true;
        modal->close();
    });
    ClsCmnCptes engine;
    std::string respuesta = "x", complemento = "7", proveedor = "p";
    engine.ConsultaComprobante("FCC", respuesta, nullptr, &complemento, &proveedor);
    EXPECT_TRUE(shown);
    EXPECT_EQ(respuesta, "");
    EXPECT_EQ(complemento, "");
    EXPECT_EQ(proveedor, "");
}

}  // namespace

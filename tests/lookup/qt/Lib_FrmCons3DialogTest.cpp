// The list pick-list on screen (offscreen platform): the engine's way of showing it, the operator typing
// into a search box, the panel sliding headers and boxes together, and Enter accepting.

#include "lookup/qt/Lib_FrmCons3Dialog.h"
#include "platform/ui/qt/ListViewWidget.h"
#include "tests/lookup/PickListFixture.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace {

class PickListWindow : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        account("1", "Uno");
        account("2", "Dos");
        account("3", "Tres");
    }

    // Keys go where the operator's would: to the widget that has the focus.
    static void type(QWidget* fallback, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : fallback;
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
    }

    static int xIn(QWidget* widget, QWidget* window) { return widget->mapTo(window, QPoint(0, 0)).x(); }
};

TEST_F(PickListWindow, TypingInASearchBoxAndEnterPicksTheRow) {
    Lib_FrmCons3 form;
    form.SQL = "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO";
    form.CampoDevuelto = "CODIGO";
    Lib_FrmCons3Dialog dialog(form);

    bool checked = false;
    uitest::whenModalShows([&](QWidget* modal) {
        [&] {
            ASSERT_EQ(modal, &dialog);
            QApplication::processEvents();
            dialog.list()->sync();
            ASSERT_EQ(dialog.searchBoxCount(), 2);
            ASSERT_EQ(dialog.list()->topLevelItemCount(), 3);
            EXPECT_EQ(dialog.list()->headerItem()->text(1), "DESCRIPCION");
            EXPECT_EQ(dialog.windowTitle(), "Consulta...");

            // Each box stands over its column.
            QComboBox* box = dialog.searchBox(1);
            QHeaderView* header = dialog.list()->header();
            const int columnX = xIn(header->viewport(), &dialog) + header->sectionViewportPosition(1);
            EXPECT_NEAR(xIn(box, &dialog), columnX, 3);

            // The operator starts in the first box; a click puts him in the second, which lights up.
            EXPECT_EQ(form.focus(), (Lib_FrmCons3::Focus{Lib_FrmCons3::Focus::Kind::SearchBox, 0}));
            box->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            EXPECT_EQ(form.focus(), (Lib_FrmCons3::Focus{Lib_FrmCons3::Focus::Kind::SearchBox, 1}));
            EXPECT_EQ(box->lineEdit()->palette().color(QPalette::Base), QColor(0, 255, 255));
            EXPECT_EQ(dialog.searchBox(0)->lineEdit()->palette().color(QPalette::Base), QColor(255, 255, 255));

            type(box, Qt::Key_D, "d");
            type(box, Qt::Key_O, "o");
            EXPECT_EQ(box->currentText(), "do");
            EXPECT_EQ(form.CmbSearch[1].text(), "do");
            EXPECT_EQ(selectedText(form), "2");
            ASSERT_NE(dialog.list()->currentItem(), nullptr);
            EXPECT_EQ(dialog.list()->currentItem()->text(0), "2");

            // The scroll bar slides headers and boxes together.
            const int boxBefore = xIn(box, &dialog);
            const int headerBefore = xIn(header, &dialog);
            dialog.scrollBar()->setValue(300);
            EXPECT_EQ(form.picFields.left, -300);
            EXPECT_EQ(xIn(box, &dialog), boxBefore - 20);
            EXPECT_EQ(xIn(header, &dialog), headerBefore - 20);
            dialog.scrollBar()->setValue(0);

            type(box, Qt::Key_Return, "\r");
            checked = true;
        }();
        if (!form.hidden()) dialog.reject();  // never leave the test waiting on the window
    });
    dialog.exec();

    EXPECT_TRUE(checked);
    EXPECT_TRUE(form.hidden());
    EXPECT_EQ(form.ValorDevuelto, base::Value("2"));
    EXPECT_FALSE(dialog.isVisible());
    form.Form_Unload();
}

TEST_F(PickListWindow, KeysInTheListAndEscape) {
    Lib_FrmCons3 form;
    form.SQL = "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO";
    form.CampoDevuelto = "CODIGO";
    form.ValorDevuelto = "antes";
    Lib_FrmCons3Dialog dialog(form);

    bool checked = false;
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            QApplication::processEvents();
            dialog.list()->sync();
            // Down arrow in the first box takes the operator to the list; what he types there searches in that box.
            type(dialog.searchBox(0), Qt::Key_Down, {});
            EXPECT_EQ(form.focus().kind, Lib_FrmCons3::Focus::Kind::List);
            ASSERT_TRUE(dialog.list()->hasFocus());
            type(dialog.list(), Qt::Key_1, "1", Qt::KeypadModifier);
            EXPECT_EQ(form.CmbSearch[0].text(), "1");
            EXPECT_TRUE(dialog.searchBox(0)->hasFocus());
            EXPECT_EQ(selectedText(form), "1");
            type(dialog.searchBox(0), Qt::Key_Escape, {});
            checked = true;
        }();
        if (!form.hidden()) dialog.reject();
    });
    dialog.exec();

    EXPECT_TRUE(checked);
    EXPECT_EQ(form.ValorDevuelto, base::Value(""));
    EXPECT_TRUE(form.Valores.empty());
}

TEST_F(PickListWindow, SpaceTicksRowsOfAMultiPick) {
    Lib_FrmCons3 form;
    form.SQL = "select CODIGO, DESCRIPCION from MA_CUENTAS order by CODIGO";
    form.CheckBoxes = true;
    Lib_FrmCons3Dialog dialog(form);

    bool checked = false;
    uitest::whenModalShows([&](QWidget*) {
        [&] {
            QApplication::processEvents();
            dialog.list()->sync();
            type(dialog.searchBox(0), Qt::Key_3, "3");
            EXPECT_EQ(selectedText(form), "3");
            type(dialog.searchBox(0), Qt::Key_Down, {});
            ASSERT_TRUE(dialog.list()->hasFocus());
            type(dialog.list(), Qt::Key_Space, " ");
            EXPECT_TRUE(form.ListView1.item(3).checked());
            EXPECT_EQ(form.CmbSearch[0].text(), "3");  // with check boxes Space ticks, it does not search
            type(dialog.list(), Qt::Key_Return, "\r");
            checked = true;
        }();
        if (!form.hidden()) dialog.reject();
    });
    dialog.exec();

    EXPECT_TRUE(checked);
    EXPECT_EQ(form.Valores, std::vector<std::string>{"3"});
}

}  // namespace

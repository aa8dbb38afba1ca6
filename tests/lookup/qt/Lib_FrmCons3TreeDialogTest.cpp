// The tree pick-list on screen (offscreen platform), shown by the lookup engine as the program shows it:
// typing finds a node, a tick spreads down the tree, F5 filters, and Enter accepts.

#include "lookup/Lib_ClsCons3.h"
#include "lookup/qt/Lib_FrmCons3TreeDialog.h"
#include "lookup/qt/QtLookupWindows.h"
#include "platform/ui/qt/TreeViewWidget.h"
#include "tests/lookup/PickListFixture.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

class TreeWindow : public PickList {
protected:
    void SetUp() override {
        PickList::SetUp();
        for (const auto& [code, description] : {std::pair{"1", "Herramientas"}, {"11", "Manuales"}, {"12", "Electricas"},
                                                {"2", "Pinturas"}, {"21", "Latex"}}) {
            run("INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION) VALUES ('" + std::string(code) + "', '" +
                description + "')");
        }
    }

    static void type(QWidget* target, int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
    }

    static QTreeWidgetItem* item(QTreeWidget* tree, const QString& text) {
        const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    static constexpr const char* kFamilias = "SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA";
};

TEST_F(TreeWindow, TheEngineShowsTheTreeOverItsOwner) {
    QWidget owner;
    setLookupWindows(new QtLookupWindows(&owner));
    Lib_ClsCons3 engine;

    // A multi-pick: typing finds a node, a tick on a branch ticks what hangs from it, Enter accepts.
    engine.Checks = true;
    engine.CampoDevuelto = "IDFAMILIA";
    bool checked = false;
    uitest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<Lib_FrmCons3TreeDialog*>(modal);
        [&] {
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Consulta...");
            EXPECT_EQ(dialog->parentWidget(), &owner);
            QApplication::processEvents();
            ui::TreeViewWidget* tree = dialog->tree();
            tree->sync();
            ASSERT_EQ(tree->topLevelItemCount(), 1);
            QTreeWidgetItem* root = tree->topLevelItem(0);
            EXPECT_EQ(root->text(0), "Consulta...");
            EXPECT_TRUE(root->isExpanded());
            ASSERT_EQ(root->childCount(), 2);
            EXPECT_EQ(root->child(0)->text(0), "1 - Herramientas");
            EXPECT_EQ(root->child(0)->childCount(), 2);
            EXPECT_EQ(root->child(1)->child(0)->text(0), "21 - Latex");
            QComboBox* box = dialog->searchBox();
            EXPECT_EQ(box->toolTip(), "F5 realiza nueva busqueda");

            // The operator starts in the search box.
            ASSERT_TRUE(box->hasFocus() || box->lineEdit()->hasFocus());
            type(box, Qt::Key_L, "l");
            type(box, Qt::Key_A, "a");
            ASSERT_NE(tree->currentItem(), nullptr);
            EXPECT_EQ(tree->currentItem()->text(0), "21 - Latex");

            QTreeWidgetItem* herramientas = item(tree, "1 - Herramientas");
            ASSERT_NE(herramientas, nullptr);
            ASSERT_EQ(herramientas->checkState(0), Qt::Unchecked);
            herramientas->setCheckState(0, Qt::Checked);
            QApplication::processEvents();
            EXPECT_EQ(item(tree, "11 - Manuales")->checkState(0), Qt::Checked);
            EXPECT_EQ(item(tree, "12 - Electricas")->checkState(0), Qt::Checked);
            EXPECT_EQ(item(tree, "21 - Latex")->checkState(0), Qt::Unchecked);

            type(box, Qt::Key_Return, "\r");
            checked = true;
        }();
        if (dialog && dialog->isVisible()) dialog->reject();  // never leave the test waiting on the window
    });
    engine.ConsultaSearch(kFamilias, nullptr, "", nullptr, nullptr, "", true);
    EXPECT_TRUE(checked);
    EXPECT_EQ(engine.Valores, (std::vector<std::string>{"1", "11", "12"}));

    // A single pick: F5 filters the tree, Down takes the operator to it, Enter accepts the node there.
    engine.CampoDevuelto = "IDFAMILIA";
    checked = false;
    uitest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<Lib_FrmCons3TreeDialog*>(modal);
        [&] {
            ASSERT_NE(dialog, nullptr);
            QApplication::processEvents();
            ui::TreeViewWidget* tree = dialog->tree();
            QComboBox* box = dialog->searchBox();
            box->setFocus();
            box->setEditText("ele");
            type(box, Qt::Key_F5, {});
            tree->sync();
            EXPECT_EQ(box->currentText(), "");
            ASSERT_EQ(tree->topLevelItemCount(), 1);
            ASSERT_EQ(tree->topLevelItem(0)->childCount(), 1);
            QTreeWidgetItem* electricas = tree->topLevelItem(0)->child(0);
            EXPECT_EQ(electricas->text(0), "12 - Electricas");
            EXPECT_EQ(electricas->data(0, Qt::CheckStateRole), QVariant());  // no boxes in a single pick

            type(box, Qt::Key_Down, {});
            ASSERT_TRUE(tree->hasFocus());
            tree->setCurrentItem(electricas);
            type(tree, Qt::Key_Return, "\r");
            checked = true;
        }();
        if (dialog && dialog->isVisible()) dialog->reject();
    });
    engine.ConsultaSearch(kFamilias, nullptr, "", nullptr, nullptr, "", true);
    EXPECT_TRUE(checked);
    EXPECT_EQ(engine.ValorDevuelto, base::Value("12"));
    EXPECT_TRUE(engine.Valores.empty());
    setLookupWindows(nullptr);
}

}  // namespace

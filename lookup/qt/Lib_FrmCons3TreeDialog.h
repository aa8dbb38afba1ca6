#pragma once
// The tree pick-list window on screen. The window's logic is Lib_FrmCons3Tree; this dialog shows its tree
// and search box and hands the operator's typing, keys (as legacy key codes), ticks and clicks back to it.

// moc cannot read the C++20 library headers the window's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "lookup/Lib_FrmCons3Tree.h"
#endif

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace ui {
class TreeViewWidget;
}

class Lib_FrmCons3TreeDialog : public QDialog, private Lib_FrmCons3Tree::Observer {
    Q_OBJECT
public:
    explicit Lib_FrmCons3TreeDialog(Lib_FrmCons3Tree& form, QWidget* parent = nullptr);
    ~Lib_FrmCons3TreeDialog() override;

    // Loads the window (builds its tree) and shows it modally until it hides itself.
    int exec() override;
    // Esc and the window's close box cancel, as "&Cancelar" does.
    void reject() override;

    ui::TreeViewWidget* tree() const { return tree_; }
    QComboBox* searchBox() const { return box_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void formChanged() override;
    void focusMoved() override;
    void formHidden() override;

    Lib_FrmCons3Tree& form_;
    ui::TreeViewWidget* tree_ = nullptr;
    QComboBox* box_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* nueva_ = nullptr;
    bool updating_ = false;
};

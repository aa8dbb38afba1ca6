#pragma once
// The storage-position and lot dialog on screen. Its logic is FrmLoteyPosicion; this view shows the grid,
// lays a line edit over the cell where the dialog's edit box stands, and hands the operator's keys (seen
// before the controls, as legacy key codes with the text they type), clicks and buttons back to it.

// moc cannot read the C++20 library headers the dialog's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "dialogs/FrmLoteyPosicion.h"
#endif
#include "platform/ui/qt/QtTextMeasurer.h"

#include <QDialog>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

namespace ui {
class FlexGridView;
}

class FrmLoteyPosicionDialog : public QDialog, private FrmLoteyPosicion::Observer {
    Q_OBJECT
public:
    explicit FrmLoteyPosicionDialog(FrmLoteyPosicion& form, QWidget* parent = nullptr);
    ~FrmLoteyPosicionDialog() override;

    // Shows the dialog modally until it hides itself.
    int exec() override;
    // Esc outside the edit box and the window's close box cancel, as "&Cancelar" does.
    void reject() override;

    ui::FlexGridView* grid() const { return grid_; }
    QLineEdit* editBox() const { return edit_; }
    QToolBar* toolBar() const { return toolbar_; }
    QPushButton* aceptar() const { return aceptar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void formChanged() override;
    void focusMoved() override;
    void formHidden() override;

    bool gridKey(QKeyEvent& key);
    bool boxKey(QKeyEvent& key);

    FrmLoteyPosicion& form_;
    std::unique_ptr<ui::QtTextMeasurer> measurer_;
    ui::FlexGridView* grid_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    bool syncing_ = false;
};

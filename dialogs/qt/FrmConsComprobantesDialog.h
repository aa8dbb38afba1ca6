#pragma once
// The voucher query window on screen. The window's logic is FrmConsComprobantes; this dialog lays out
// its list and buttons (twips, 15 a pixel), draws the row images of its image list and hands clicks,
// ticks and keys back to it. Closing the frame cancels, as "&Cancelar" does.

// moc cannot read the C++20 library headers the window's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "dialogs/FrmConsComprobantes.h"
#endif
#include "platform/ui/qt/QtTextMeasurer.h"

#include <QDialog>

#include <memory>

class QPushButton;

namespace ui {
class ListViewWidget;
}

class FrmConsComprobantesDialog : public QDialog, private FrmConsComprobantes::Observer {
    Q_OBJECT
public:
    explicit FrmConsComprobantesDialog(FrmConsComprobantes& form, QWidget* parent = nullptr);
    ~FrmConsComprobantesDialog() override;

    // Loads the window (its load fills the list) and shows it modally until it unloads itself.
    int exec() override;
    void reject() override;

    ui::ListViewWidget* list() const { return list_; }
    QPushButton* acceptButton() const { return aceptar_; }
    QPushButton* cancelButton() const { return cancelar_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void formCentred() override;
    void formHidden() override;

    FrmConsComprobantes& form_;
    std::unique_ptr<ui::QtTextMeasurer> measurer_;
    ui::ListViewWidget* list_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    QPushButton* cancelar_ = nullptr;
};

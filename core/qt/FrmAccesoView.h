#pragma once
// The log-in dialog on screen: a fixed dialog centred on the screen, built each time it is shown and gone
// once the operator closes it.

#include "core/FrmAcceso.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class FrmAccesoView : public QDialog {
    Q_OBJECT
public:
    FrmAccesoView(frmAcceso& presenter, QWidget* parent = nullptr);

protected:
    // Esc presses "Cancelar", as the cancel button of the dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // Closing by the frame: not accepted.
    void reject() override;

private:
    void copiaAlPresentador();
    void cierraSiOculto();

    frmAcceso& presenter_;
    QLineEdit* TxtUserId_;
    QLineEdit* TxtUserPassword_;
    QLineEdit* TxtDbName_;
    QLineEdit* TxtServidor_;
    QComboBox* CboPlataformaDB_;
    QPushButton* bcAceptar_;
    QPushButton* bcCancelar_;
};

// The dialog the data-access object shows: install `FrmAccesoQt vista; frmAcceso acceso(vista);` and put
// &acceso in gDB_Dll().dialogoAcceso before start-up.
class FrmAccesoQt : public VistaAcceso {
public:
    explicit FrmAccesoQt(QWidget* parent = nullptr) : parent_(parent) {}
    void muestraModal(frmAcceso& dialogo) override;

private:
    QWidget* parent_;
};

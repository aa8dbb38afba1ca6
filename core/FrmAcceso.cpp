#include "core/FrmAcceso.h"

void frmAcceso::Form_Load()
{
    Aceptar = false;
    CboPlataformaDB.clear();
    CboPlataformaDB.addItem(kPlataformaSqlServer);
    CboPlataformaDB.addItem(kPlataformaOracle);
}

void frmAcceso::bcAceptar_Click()
{
    Aceptar = true;
    Visible = false;
}

void frmAcceso::bcCancelar_Click()
{
    Aceptar = false;
    Visible = false;
}

void frmAcceso::Form_Unload() { Visible = false; }

std::optional<DatosAcceso> frmAcceso::pedir(const DatosAcceso& actuales)
{
    Form_Load();
    TxtDbName.text = actuales.dbName;
    TxtServidor.text = actuales.servidor;
    TxtUserId.text = actuales.usuario;
    TxtUserPassword.text = actuales.password;
    CboPlataformaDB.setListIndex(0);
    Visible = true;
    vista_.muestraModal(*this);
    // A view that came back with the dialog still up did not close it through a button.
    const bool aceptado = Aceptar && !Visible;
    Visible = false;
    if (!aceptado) return std::nullopt;
    return DatosAcceso{TxtDbName.text, TxtServidor.text, TxtUserId.text, TxtUserPassword.text,
                       CboPlataformaDB.listIndex() > 0};
}

#pragma once
// The log-in dialog "Control de Acceso": user, password, database and server, and the database platform.
// The data-access object asks through it when start-up has no server to log in to, and again after a failed
// open. The presenter holds the dialog's controls and handlers; a view puts it on screen (core/qt has the Qt
// one) and runs the operator's clicks into the handlers.

#include "core/DB_Dll.h"
#include "platform/ui/Controls.h"

#include <optional>
#include <string>

class frmAcceso;

// How the dialog is shown: modally, returning once the dialog has been hidden or closed.
class VistaAcceso {
public:
    virtual ~VistaAcceso() = default;
    virtual void muestraModal(frmAcceso& dialogo) = 0;
};

class frmAcceso : public PideAcceso {
public:
    explicit frmAcceso(VistaAcceso& vista) : vista_(vista) {}

    static constexpr const char* kPlataformaSqlServer = "SQL Server";
    static constexpr const char* kPlataformaOracle = "ORACLE";

    const std::string Caption = "Control de Acceso";
    ui::Label LblUserId{"&Usuario"};
    ui::TextBox TxtUserId = caja("TxtUserId");
    ui::Label LblUserPassword{"&Contraseña"};
    ui::TextBox TxtUserPassword = caja("TxtUserPassword");
    const std::string PasswordChar = "*";  // what TxtUserPassword shows for every character
    ui::Label LblDbName{"&Base de Datos"};
    ui::TextBox TxtDbName = caja("TxtDbName");
    ui::Label LblServidor{"&Servidor"};
    ui::TextBox TxtServidor = caja("TxtServidor");
    ui::ComboBox CboPlataformaDB;
    ui::Button bcAceptar{"Aceptar"};   // the default button: Enter
    ui::Button bcCancelar{"Cancelar"};  // the cancel button: Esc

    // Which button closed the dialog: True for "Aceptar".
    bool Aceptar = false;
    bool Visible = false;

    // Load: the platforms listed, nothing accepted yet.
    void Form_Load();
    void bcAceptar_Click();
    void bcCancelar_Click();
    // Closed by the window frame: not accepted.
    void Form_Unload();

    // Loads the dialog with the current values and "SQL Server", shows it modally and answers the four boxes
    // as typed (not trimmed) and the platform; nothing when it was not closed with "Aceptar".
    std::optional<DatosAcceso> pedir(const DatosAcceso& actuales) override;

private:
    static ui::TextBox caja(std::string nombre)
    {
        ui::TextBox box;
        box.name = std::move(nombre);
        return box;
    }

    VistaAcceso& vista_;
};

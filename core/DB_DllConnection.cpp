// The data-access object's connection and log-in.

#include "core/DB_Dll.h"

#include "core/ProgramServices.h"
#include "platform/base/Conversions.h"
#include "platform/base/Text.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

DB_Dll& gDB_Dll()
{
    static DB_Dll instance;
    return instance;
}

void DB_Dll::construyeCadenaConexion()
{
    if (gServidor.find('#') != std::string::npos) {
        gConnString = "Provider=OraOLEDB.Oracle.1;Data Source=" + gDBName + ";User Id=" + gUsuario +
                      ";Password=" + gUserPassWord + ";";
    } else {
        gConnString = "PROVIDER=" + gDB_Dll().pSQLOLEDB() + ";" + "Server=" + gServidor + ";" + "Database =" + gDBName +
                      ";" + "UId=" + gUsuario + ";" + "Pwd=" + gUserPassWord + ";" + gExtended;
    }
}

bool DB_Dll::pideDatosAcceso()
{
    const std::optional<DatosAcceso> datos =
        dialogoAcceso ? dialogoAcceso->pedir({gDBName, gServidor, gUsuario, gUserPassWord, false}) : std::nullopt;
    gOpenFlag = datos.has_value();
    if (!datos) return false;
    gDBName = datos->dbName;
    gServidor = datos->servidor;
    gUsuario = datos->usuario;
    gUserPassWord = datos->password;
    if (datos->oracle) {
        gProveedor = "OraOLEDB.Oracle.1";
        if (gServidor.find('#') == std::string::npos) gServidor += "#";
    } else {
        gProveedor = gDB_Dll().pSQLOLEDB();
    }
    return true;
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, std::string ConnString, bool ValidaAdmin)
{
    gOpenFlag = true;
    if (gProveedor.empty()) gProveedor = "SQLOLEDB";
    if (base::trim(ConnString).empty()) construyeCadenaConexion();
    else gConnString = ConnString;
    if (PideParametrosSQL) {
        if (!pideDatosAcceso()) return;
        construyeCadenaConexion();
    }

    enum Step { kCursor, kOpen, kAdministrator, kDone };
    for (int step = kCursor; step != kDone;) {
        try {
            switch (step) {
            case kCursor:
                gCnn.setCursorLocation(lCursor == 3 ? db::CursorLocation::Client : db::CursorLocation::Server);
                break;
            case kOpen: gCnn.open(gConnString, "", "", -1); break;
            case kAdministrator:
                gEsAdmin = !ValidaAdmin ||
                           base::leadingNumber(DatosTabla("ta_usuarios", gUsuario, "Administrador", "nombre", 8, "", true)) == 1;
                break;
            }
            ++step;
        } catch (const base::Error& error) {
            if (!gCnn.errors().empty()) {
                const db::ProviderError& first = gCnn.errors().item(0);
                const std::string text = fmt::format(
                    " Estado de Sql: {}\rNumero de Error: {}\rDescripcion: {}\rCodigo Nativo: {}\r - Desea Intentarlo Nuevamente??? ",
                    first.sqlState, first.number, first.description, first.nativeError);
                if (programPrompter().msgBox(text, ui::vbYesNo | ui::vbCritical, " Error de Conexion a Base de Datos") ==
                    ui::vbYes) {
                    gCnn.errors().clear();
                    if (!pideDatosAcceso()) return;
                    construyeCadenaConexion();
                    continue;  // the failed step again, with the new data
                }
            } else {
                programPrompter().msgBox(error.description(), ui::vbOKOnly, "");
            }
            // Start-up ends the program on a false flag; it must never go on with a closed connection.
            gOpenFlag = false;
            return;
        }
    }
}

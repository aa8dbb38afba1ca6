#pragma once
// The data-access object through which every part of the program reaches a database. The program-wide
// instance (gDB_Dll) holds the ERP connection; the import window makes a second one on the legacy source
// for each task. Failures of statements are not raised to callers: they read the connection's error list.

#include "platform/base/Error.h"
#include "platform/base/Value.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the log-in dialog shows and hands back.
struct DatosAcceso {
    std::string dbName;
    std::string servidor;
    std::string usuario;
    std::string password;
    bool oracle = false;  // the platform chosen is "ORACLE" rather than "SQL Server"
};

// The log-in dialog as the data-access object needs it: shown with the current values, it answers the
// values typed, or nothing when the operator cancels.
class PideAcceso {
public:
    virtual ~PideAcceso() = default;
    virtual std::optional<DatosAcceso> pedir(const DatosAcceso& actuales) = 0;
};

class DB_Dll {
public:
    // Public state, read and written freely by the rest of the program.
    bool gOpenFlag = false;
    db::Connection gCnn;
    std::string gProveedor;
    std::string gServidor;
    std::string gDBName;
    std::string gUsuario;
    bool gEsAdmin = false;
    std::string gUserPassWord;
    std::string gConnString;
    std::string gExtended;
    std::string gLogErr;

    // The dialog OpenServerADODB shows when it must ask; without one, asking counts as a cancel.
    PideAcceso* dialogoAcceso = nullptr;

    // --- connection and log-in
    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 3, std::string ConnString = {},
                         bool ValidaAdmin = true);
    // Kept for the callers written against it; it never did anything.
    void OpenLocalADODB(std::string_view /*ConnString*/ = {}, std::string_view /*CadenaID*/ = "User Id",
                        std::string_view /*CadenaPWD*/ = "Password") {}
    static std::string pJETOLEDB40() { return "Microsoft.Jet.OLEDB.4.0"; }
    static std::string pJETOLEDB35() { return "Microsoft.Jet.OLEDB.3.51"; }
    static std::string pSQLOLEDB() { return "SQLOLEDB"; }
    base::Value ArchivoErrores() const { return base::Value(gLogErr); }
    void ArchivoErrores(const base::Value& path) { gLogErr = path.isNull() ? std::string() : path.toText(); }

    // --- statements, recordsets, literals, error treatment
    // Runs a statement or batch; the rewritten text is written back. Never raises: failures stay in the
    // connection's error list, and those outside the common kinds are also shown.
    void EjecutaConsultaSQL(std::string& SentenciaSQL, long* RecordsAffected = nullptr);
    // Opens LRCS on the statement (closing it first); the rewritten text is written back. Failures go to
    // the error treatment; when the operator gives up, LRCS stays closed and reads as being at its end.
    void AbrirRecordset(std::string& SentenciaSQL, db::Recordset& LRCS, db::Connection* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, long Options = -1, bool ConvOracle = true);
    // Opens LRCS on the ERP connection as AbrirRecordset does (closing it first, synonyms, Oracle's dialect),
    // but raises a failure instead of asking about it, so that the caller's own error treatment names it.
    void abreSinTratamiento(std::string SentenciaSQL, db::Recordset& LRCS, int CursorType = 0, int LockType = 1);
    void CierraRecordset(db::Recordset& LrcsTemp);
    // The value as an SQL literal: "'" texts (apostrophes doubled) and dates (the connection's date
    // literal), "@" numbers ("," read as decimal separator, written with "."), any other type unchanged.
    // Null is NULL, or 0 for "@".
    std::string SQLValue(const base::Value& Valor, std::string_view Tipo = "'") const;
    // The same literal appended to `destino`, for a statement built in one buffer.
    void agregaSQLValue(std::string& destino, const base::Value& Valor, std::string_view Tipo = "'") const;
    // A text's "'" literal (apostrophes doubled) appended to `destino`.
    static void agregaTextoSQL(std::string& destino, std::string_view texto);
    // Whether the ERP connection's string names Oracle anywhere; asked of a kept answer.
    bool conexionOracle() const;
    static bool adodate(const base::Value& Qtype);
    static bool ADOText(const base::Value& Qtype);
    static bool ADONumeric(const base::Value& Qtype);
    static bool ADOCurrency(const base::Value& Qtype);
    static bool ADOBoolean(const base::Value& Qtype);
    // Shows the error, logs it with the answer and returns the button pressed (0 for error number 0).
    int TratamientoErrores(const base::Error& CodErr, std::optional<int> Botones = {},
                           std::optional<std::string> Rutina = {});
    // One line of the error log in the error treatment's form, for what was shown another way or is worth
    // knowing afterwards without stopping the operator. `answer` 0 writes no answer word.
    void registraError(std::string_view message, std::string_view rutina, int answer);
    // The error log those lines go to: "QVERR.LOG" in the program folder unless gLogErr names another.
    std::filesystem::path rutaRegistroErrores() const;

    // --- synonyms and the Oracle dialect
    std::string SS_TSinonimos(std::string_view SQL) const;
    // The statement in Oracle's dialect when gConnString names Oracle, else unchanged. Raises invalid
    // procedure call (5) for a text without its closing apostrophe and for TOP without a number.
    std::string ORACLE_Dicc(std::string_view Valor) const;
    // Empties (and answers empty) a statement Oracle cannot run: SET NOCOUNT, IF [NOT] EXISTS guards.
    static std::string FiltraSentenciaOracle(std::string& Sentencia);
    // The statements of a SQL Server script in the order they run on Oracle; "SET TRANSACTION", "COMMIT"
    // and "ROLLBACK" stand for the transaction's begin, commit and rollback.
    static std::vector<std::string> cortaScriptOracle(std::string_view script);

    // --- table queries (Tipodato: 8 text, 7 date, 3/5/4 numbers, other written unchanged)
    base::Value BuscaMaximo(std::string_view QueTabla, std::string_view QueCampo, const base::Value& Tipo = {},
                            std::optional<std::string> Condicion = {});
    base::Value BuscaMinimo(std::string_view QueTabla, std::string_view QueCampo, const base::Value& Tipo = {},
                            std::optional<std::string> Condicion = {});
    base::Value BuscaUltimoCodigo(std::string_view QueTabla, std::string_view QueCampo, int Tipo = 8,
                                  std::string_view Condicion = {});
    bool ExisteEnTablaST(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view Campo = "Codigo",
                         db::Recordset* LRCS = nullptr, int Tipodato = 8, std::string_view Condicion = {},
                         bool SoloLectura = false);
    bool ExisteEnTabla(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view Campo = "Codigo",
                       db::Recordset* LRCS = nullptr, int Tipodato = 8, std::string_view Condicion = {});
    std::string DatosTabla(std::string_view Tabla, const base::Value& ValorBuscado, std::string_view CampoDevuelto,
                           std::string_view Campo = "Codigo", int Tipodato = 8, std::string_view Condicion = {},
                           bool UsaTrim = true);
    // Kept for the callers written against them; they never did anything.
    void QConsulta(std::string_view /*TB*/, std::string_view /*Rsp*/, std::string_view /*Cl1*/, std::string_view /*Cl2*/,
                   std::string_view /*CmpDisplay*/ = "Codigo", std::string_view /*SQLWHERE*/ = {}) {}
    void QGridConsulta(std::string_view /*Sentencia*/, std::string_view /*CampoDevuelto1*/,
                       std::string_view /*gCnnString*/, std::string_view /*CampoDevuelto2*/ = {},
                       std::string_view /*CampoDevuelto3*/ = {}) {}

    // --- names and schema
    static std::string stSTF(std::string& rsName, bool rnPart);
    static std::string AddBrackets(std::string_view rObjName);
    static std::string StripConnect(std::string_view rsTblName);
    static std::string StripBrackets(std::string_view rsObjName);
    static std::string StripOwner(std::string& rsTblName);
    static std::string StripFileName(std::string_view rsFileName);
    void AddField(std::string_view Tabla, std::string_view Campo, std::string_view Tipo, bool PermiteNulos,
                  std::optional<std::string> ValorDefault = {});
    bool ExisteTablaDB(std::string_view Tabla);
    bool ExisteCampoDB(std::string_view Tabla, std::string_view Campo);
    bool VerCampoDB(std::string_view Tabla, std::string_view Campo, bool Agregar = true, std::string_view Tipo = {},
                    bool PermiteNulos = true, std::optional<std::string> ValorDefault = {});

private:
    // Runs a script on Oracle statement by statement. A failing statement raises, and the rest does not run.
    void EjecutaScriptOracle(const std::string& script, long& RecordsAffected);
    void construyeCadenaConexion();
    bool pideDatosAcceso();
    std::string condicionClave(std::string_view head, std::string_view Campo, const base::Value& ValorBuscado,
                               int Tipodato, std::string_view Condicion, bool trimmedText) const;
    int avisoTablas(const base::Error& error);
    base::Value leeExtremo(const std::string& statement, std::string_view alias);
};

// The program-wide instance on the ERP database, created on first use.
DB_Dll& gDB_Dll();

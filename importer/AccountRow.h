#pragma once
// The account row the import window writes for legacy suppliers, customers and employees: how an account
// code is made from a legacy record, the VAT condition, the tax number, the postal code, the city of
// fciudade, the existence test on the ERP side, and the register that keeps two legacy records of one run
// from writing the same account.
//
// An account code is a seven-character chart prefix and an identifier from the legacy record, at most 15
// characters. Legacy texts may be Null where a table allows it; they read as empty texts.

#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class ImportLoop;

class DB_Dll;
class Importar;

namespace cuentas {

inline constexpr std::string_view kPrefijoProveedores = "2110101";
inline constexpr std::string_view kPrefijoClientes = "1140101";
inline constexpr std::string_view kPrefijoEmpleados = "2130101";
inline constexpr long kLargoCuenta = 15;
inline constexpr long kLargoCiudad = 50;

// The field's text, "" for Null.
std::string texto(const base::Value& valor);
// A text as an SQL literal of the ERP database (apostrophes doubled).
std::string sql(std::string_view valor);

// "2110101" and the trimmed legacy supplier code, cut to 15 characters.
std::string cuentaProveedor(const base::Value& CODI_FPR);
// "1140101" and characters 3 to 6 of the legacy customer code, trimmed.
std::string cuentaCliente(const base::Value& CODI_FCL);
// A customer code whose number is above 4999 has no account of this chart.
bool clienteFueraDeRango(const base::Value& CODI_FCL);
// "2130101" and the employee number with at least four digits, cut to 15 characters.
std::string cuentaEmpleado(const base::Value& LEGAJO);
// An employee number is a whole number: digits alone, blanks around them aside. Read as a number, a text such
// as "1.234" or a fraction would give the account of another employee.
bool esLegajo(const base::Value& LEGAJO);

// "5", "3", "2" give those conditions; anything else is condition 1.
std::string condicionIvaProveedor(const base::Value& LEAD_FPR);
// "05", "03", "02" give conditions 5, 3, 2; anything else is condition 1.
std::string condicionIvaCliente(const base::Value& CTRI_FCL);
// Characters 1-2, "-", 3-10, "-", 11 of the legacy tax number, trimmed; "--" for an empty one. A number
// already in the form NN-NNNNNNNN-N stays as it is.
std::string numeroDocumento(const base::Value& RUTT);
// "0" for Null, else the value trimmed.
std::string codigoPostal(const base::Value& CASI);
// True when the flag reads "S" in either case; `recortado` trims it first.
bool esSi(const base::Value& flag, bool recortado);

// Whether the ERP table holds the account code in its column Codigo.
bool existeCuenta(std::string_view tabla, const std::string& cuenta);

// The cities of fciudade, read once per task: a lookup per record would scan the table once per customer.
// Keys compare as the dBase folder compares texts: exactly, trailing blanks aside.
class Ciudades {
public:
    // Nothing when fciudade cannot be read (the operator has been told); the entry is marked as abreOrigen
    // marks it.
    static std::optional<Ciudades> carga(Importar& ventana);
    // NOMB_FCI of the first row with these province and city codes, trimmed, cut to 50 characters and
    // trimmed again; "" when there is none.
    std::string nombre(const base::Value& provincia, const base::Value& ciudad) const;

private:
    std::unordered_map<std::string, std::string> nombres_;
};

// The accounts written in this run and the legacy record each came from. A second legacy record that gives
// an account already written (supplier codes alike in their first 8 characters, customer codes alike in
// characters 3 to 6) is not written over the first: it gets a line in the error log with both legacy
// codes, and at the end of the task one box tells how many there were and where the log is. A box per
// record would keep the operator answering boxes through a run with many of them.
class CuentasDelProceso {
public:
    // `rutina` is the import's name, `tabla` the legacy table, for the messages.
    CuentasDelProceso(std::string rutina, std::string tabla) : rutina_(std::move(rutina)), tabla_(std::move(tabla)) {}

    // False (after logging it) when another record of this run already wrote the account.
    bool libre(const std::string& cuenta, const std::string& codigoLegado);
    // The account was written from this legacy code.
    void toma(const std::string& cuenta, const std::string& codigoLegado);
    // Writes the account's statement for the loop's current record (a failure named in one box) and takes
    // the account when it was written.
    void escribe(ImportLoop& loop, std::string sentencia, const std::string& cuenta, const std::string& codigoLegado);
    // For the task's one box at its end, however it ended: how many records were turned away; "" when none.
    std::string aviso() const;

private:
    std::string rutina_, tabla_;
    // By the account as the ERP compares codes: without regard to case.
    std::unordered_map<std::string, std::string> tomadas_;
    int compartidas_ = 0;
};

}  // namespace cuentas

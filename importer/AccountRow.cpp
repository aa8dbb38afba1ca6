#include "importer/AccountRow.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <algorithm>
#include <fmt/format.h>

namespace cuentas {
namespace {

std::string sinBlancosFinales(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Province and city code together, as one key of the city map.
std::string claveCiudad(const std::string& provincia, const std::string& ciudad)
{
    return sinBlancosFinales(provincia) + '\x1f' + sinBlancosFinales(ciudad);
}

bool soloCifras(std::string_view texto)
{
    return !texto.empty() && std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// NN-NNNNNNNN-N, digits where the N stand.
bool conGuiones(std::string_view numero)
{
    return numero.size() == 13 && numero[2] == '-' && numero[11] == '-' && soloCifras(numero.substr(0, 2)) &&
           soloCifras(numero.substr(3, 8)) && soloCifras(numero.substr(12));
}

std::string condicionIva(const base::Value& valor, std::string_view cinco, std::string_view tres, std::string_view dos)
{
    const std::string codigo = texto(valor);
    if (base::equalsIgnoringCase(codigo, cinco)) return "   5";
    if (base::equalsIgnoringCase(codigo, tres)) return "   3";
    if (base::equalsIgnoringCase(codigo, dos)) return "   2";
    return "   1";
}

}  // namespace

std::string texto(const base::Value& valor) { return gUtilidades().NuloACadena(valor); }

std::string sql(std::string_view valor) { return gDB_Dll().SQLValue(base::Value(std::string(valor))); }

std::string cuentaProveedor(const base::Value& CODI_FPR)
{
    return base::left(base::trim(std::string(kPrefijoProveedores) + base::trim(texto(CODI_FPR))), kLargoCuenta);
}

std::string cuentaCliente(const base::Value& CODI_FCL)
{
    return base::trim(std::string(kPrefijoClientes) + base::mid(texto(CODI_FCL), 3, 4));
}

bool clienteFueraDeRango(const base::Value& CODI_FCL)
{
    return gUtilidades().ValorNumerico(texto(CODI_FCL)) > base::Currency::fromInteger(4999);
}

std::string cuentaEmpleado(const base::Value& LEGAJO)
{
    const base::Value numero(gUtilidades().ValorNumerico(texto(LEGAJO)));
    return base::left(base::trim(std::string(kPrefijoEmpleados) + base::format(numero, "0000")), kLargoCuenta);
}

bool esLegajo(const base::Value& LEGAJO) { return soloCifras(base::trim(texto(LEGAJO))); }

std::string condicionIvaProveedor(const base::Value& LEAD_FPR) { return condicionIva(LEAD_FPR, "5", "3", "2"); }

std::string condicionIvaCliente(const base::Value& CTRI_FCL) { return condicionIva(CTRI_FCL, "05", "03", "02"); }

std::string numeroDocumento(const base::Value& RUTT)
{
    // The padding of a character field is not part of the number: an empty field gives "--".
    const std::string numero = base::trim(texto(RUTT));
    // Cut again, a number the legacy system already kept with its hyphens would lose its last digit.
    if (conGuiones(numero)) return numero;
    return base::mid(numero, 1, 2) + "-" + base::mid(numero, 3, 8) + "-" + base::mid(numero, 11, 1);
}

std::string codigoPostal(const base::Value& CASI) { return CASI.isNull() ? "0" : base::trim(texto(CASI)); }

bool esSi(const base::Value& flag, bool recortado)
{
    const std::string valor = texto(flag);
    return base::equalsIgnoringCase(recortado ? base::trim(valor) : valor, "S");
}

bool existeCuenta(std::string_view tabla, const std::string& cuenta)
{
    // The column compared as it stands, not trimmed as ExisteEnTabla would compare it: a trimmed column
    // cannot use the table's key, and the test then reads every account once per legacy record. Account
    // codes begin with their chart prefix, never with a blank, and the database ignores trailing blanks.
    return gDB_Dll().ExisteEnTabla(tabla, base::Value(cuenta), "Codigo", nullptr, 8, "Codigo = " + sql(cuenta));
}

std::optional<Ciudades> Ciudades::carga(Importar& ventana)
{
    db::Recordset filas;
    if (!abreOrigen(ventana, "SELECT * FROM fciudade", filas)) return std::nullopt;
    Ciudades ciudades;
    for (; !filas.eof(); filas.moveNext()) {
        const base::Value& provincia = filas.field("CODP_FCI").value();
        const base::Value& ciudad = filas.field("CODI_FCI").value();
        // A Null code equals nothing in the legacy query, so such a row is never found.
        if (provincia.isNull() || ciudad.isNull()) continue;
        const std::string nombre =
            base::trim(base::left(base::trim(texto(filas.field("NOMB_FCI").value())), kLargoCiudad));
        ciudades.nombres_.emplace(claveCiudad(provincia.toText(), ciudad.toText()), nombre);
    }
    gDB_Dll().CierraRecordset(filas);
    return ciudades;
}

std::string Ciudades::nombre(const base::Value& provincia, const base::Value& ciudad) const
{
    const auto found = nombres_.find(claveCiudad(texto(provincia), texto(ciudad)));
    return found == nombres_.end() ? std::string() : found->second;
}

bool CuentasDelProceso::libre(const std::string& cuenta, const std::string& codigoLegado)
{
    const auto found = tomadas_.find(base::toUpperCase(cuenta));
    if (found == tomadas_.end()) return true;
    const std::string mensaje =
        fmt::format("La cuenta {} ya se importó del código {} de {}; el código {} da la misma cuenta y no se importa",
                    cuenta, found->second, tabla_, codigoLegado);
    gDB_Dll().registraError(mensaje, rutina_, 0);
    ++compartidas_;
    return false;
}

std::string CuentasDelProceso::aviso() const
{
    if (compartidas_ == 0) return {};
    return fmt::format("{} de {} no se importaron: dan una cuenta que otro registro de esta tarea ya importó. El detalle "
                       "de cada uno está en el registro de errores {}",
                       compartidas_ == 1 ? std::string("1 registro") : fmt::format("{} registros", compartidas_), tabla_,
                       gDB_Dll().rutaRegistroErrores().string());
}

void CuentasDelProceso::toma(const std::string& cuenta, const std::string& codigoLegado)
{
    tomadas_.emplace(base::toUpperCase(cuenta), codigoLegado);
}

void CuentasDelProceso::escribe(ImportLoop& loop, std::string sentencia, const std::string& cuenta,
                                const std::string& codigoLegado)
{
    if (loop.grabaRegistro({std::move(sentencia)}, "código " + codigoLegado)) toma(cuenta, codigoLegado);
}

}  // namespace cuentas

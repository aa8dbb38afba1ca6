// The accounting-entry questions: existence of a voucher's entry, registration types and entry numbers.

#include "numbering/EntryChecks.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"

#include <fmt/format.h>

bool ExisteAsientoComprobante(const std::string& TC, const std::string& Suc, const std::string& Nro,
                              const std::string& Letra, std::string& Asiento, const std::string& Cuenta)
{
    if (numbering::esTipo(TC, {"OC"})) return false;
    const DB_Dll& erp = gDB_Dll();
    std::string statement = "SELECT * FROM MV_ASIENTOS WHERE TC = " + erp.SQLValue(numbering::codigo4(TC)) +
                            " AND SUCURSAL = " + erp.SQLValue(Suc) + " AND NUMERO = " + erp.SQLValue(Nro) +
                            " AND LETRA = " + erp.SQLValue(Letra);
    if (!Cuenta.empty()) statement += " AND CUENTA = " + erp.SQLValue(Cuenta);
    db::Recordset rs;
    numbering::abreConsulta(statement, rs);
    if (rs.eof()) return false;
    Asiento = base::format(rs["MES_OPERATIVO"].value(), "00") + " - " +
              base::format(rs["NUMERO ASIENTO"].value(), "000000");
    return true;
}

std::string ObtieneTipoRegCont(const std::string& TC)
{
    const DB_Dll& erp = gDB_Dll();
    std::string tipo;
    base::ErrorTrap trap = numbering::trampa("ObtieneTipoRegCont$");
    trap.step([&] {
        db::Recordset rs;
        numbering::abreConsulta("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC = " +
                                    erp.SQLValue(gUtilidades().RellenaCodigo(base::trim(TC))),
                                rs);
        if (rs.eof()) {
            tipo = "    ";
            return;
        }
        const std::string subdiario = numbering::texto(rs["SUBDIARIO"].value());
        numbering::abreConsulta("SELECT * FROM MA_SUBDIARIOS WHERE CODIGO = " + erp.SQLValue(subdiario), rs);
        tipo = rs.eof() ? "    " : subdiario;
    });
    return tipo;
}

namespace {

// The literals of every way a registration type can stand in its four-character column: the code itself
// and behind each number of leading blanks that still fits. Listing them, rather than trimming the column,
// lets the series be read through its index; trailing blanks are ignored by the comparison anyway.
std::string formasGuardadas(const std::string& tipo)
{
    const DB_Dll& erp = gDB_Dll();
    constexpr long kAnchoTipoReg = 4;
    std::string formas = erp.SQLValue(tipo);
    for (long blancos = 1; blancos + base::length(tipo) <= kAnchoTipoReg; ++blancos)
        formas += ", " + erp.SQLValue(std::string(static_cast<std::size_t>(blancos), ' ') + tipo);
    return formas;
}

}  // namespace

std::int32_t ObtieneNroAsiento(const base::Value& Mes, const base::Value& Periodo, std::string_view TipoReg)
{
    std::int32_t siguiente = 0;
    base::ErrorTrap trap = numbering::trampa("ObtieneNroAsiento");
    trap.step([&] {
        const std::int64_t mes = numbering::enteroEstricto(Mes, "El mes del asiento");
        const std::int64_t periodo = numbering::enteroEstricto(Periodo, "El periodo del asiento");
        const std::string tipo = base::trim(TipoReg);
        // The blank type and the reserved one number as one series.
        const std::string serie = "TIPO_REG IN (" +
                                  (tipo.empty() ? formasGuardadas(base::characterOfCode(255) + "RS") + ", ''"
                                                : formasGuardadas(tipo)) +
                                  ")";
        db::Recordset rs;
        numbering::abreConsulta(fmt::format("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS "
                                            "WHERE MES_OPERATIVO = {} AND {} AND PERIODO = {}",
                                            mes, serie, periodo),
                                rs);
        const base::Value ultimo = rs.eof() ? base::Value::null() : rs["NRO_ASIENTO"].value();
        siguiente = static_cast<std::int32_t>(numbering::numero(ultimo) + 1);
    });
    return siguiente;
}

bool ExisteAsientoCliente(const std::string& TC, const std::string& Suc, const std::string& Nro,
                          const std::string& Letra, const std::string& Cuenta, std::int32_t Transmision)
{
    const DB_Dll& erp = gDB_Dll();
    // One column is enough to tell whether there is a line.
    std::string statement = "SELECT MV_ASIENTOS.TC FROM MV_ASIENTOS INNER JOIN MA_CUENTAS ON MV_ASIENTOS.CUENTA = "
                            "MA_CUENTAS.CODIGO WHERE MA_CUENTAS.TipoVista = 'CL' AND TC = " +
                            erp.SQLValue(numbering::codigo4(TC)) + " AND SUCURSAL = " + erp.SQLValue(base::trim(Suc)) +
                            " AND NUMERO = " + erp.SQLValue(Nro) + " AND LETRA = " + erp.SQLValue(Letra);
    // A line without a mark is never one of the task's own.
    if (!Cuenta.empty())
        statement += fmt::format(" AND (MV_ASIENTOS.CUENTA <> {} OR MV_ASIENTOS.TRANSMISION IS NULL OR "
                                 "MV_ASIENTOS.TRANSMISION <> {})",
                                 erp.SQLValue(Cuenta), Transmision);
    db::Recordset rs;
    numbering::abreConsulta(statement, rs);
    return !rs.eof();
}

// Numbering booklets: proposing a voucher's number, checking it against its booklet and recording it used.

#include "numbering/NumberingBooklets.h"

#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "numbering/EntryChecks.h"
#include "numbering/NumberingQueries.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/Conversions.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/Clock.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <fmt/format.h>
#include <map>
#include <optional>

namespace {

using numbering::abreConsulta;
using numbering::activado;
using numbering::codigo4;
using numbering::esTipo;
using numbering::numero;
using numbering::texto;

// The booklet chosen last for each type (by its code as stored, in upper case). Kept per type, so that a
// proposal for one type between another type's proposal and its recording cannot redirect the recording.
std::map<std::string, int>& talonarios()
{
    static std::map<std::string, int> porTipo;
    return porTipo;
}

// A voucher asks for its type's key several times in a row: the last one made is kept with its type.
const std::string& claveDeTipo(std::string_view TC)
{
    thread_local std::string tipo, clave;
    thread_local bool hecha = false;
    if (!hecha || TC != tipo) {
        clave = base::toUpperCase(codigo4(TC));
        tipo = TC;
        hecha = true;
    }
    return clave;
}

void recuerdaTalonario(std::string_view TC, int talonario) { talonarios()[claveDeTipo(TC)] = talonario; }

// A branch ("0000") or a number ("00000000") padded with zeros. Each voucher formats several, so the
// common case, a number not below zero, is written straight away; a negative one goes through the mask.
std::string conMascara(std::int64_t number, std::string_view mask)
{
    if (number >= 0 && mask.find_first_not_of('0') == std::string_view::npos)
        return fmt::format("{:0{}}", number, mask.size());
    return base::format(base::Value(static_cast<long long>(number)), mask);
}

// A booklet numbered freely by the operator: no range, and the number may be changed.
bool esLibre(db::Recordset& rs, const std::string& L)
{
    return numero(rs[L + "_NRO_DESDE"].value()) == 0 && numero(rs[L + "_NRO_HASTA"].value()) == 0 &&
           activado(rs["MODIFICANUMERACION"].value());
}

// Whether the booklet's letters (such as "A,B") include the voucher letter.
bool sirveLetra(std::string_view letras, std::string_view letra)
{
    if (!numbering::esLetraDeComprobante(letra)) return false;
    for (const std::string& parte : base::split(letras, ","))
        if (base::equalsIgnoringCase(base::trim(parte), letra)) return true;
    return false;
}

// What the walk over the booklets hands out.
struct Propuesta {
    std::string suc, nro, letra, nroHasta;
    bool modificaNumeracion = false;
};

// Walks the type's booklets in booklet order and takes the first with numbers left. Raises when there is no
// booklet, when all are used up or expired, and for a booklet letter that is no voucher letter.
Propuesta tomaNumero(const std::string& TC, std::string letra, const std::string& Fecha, const std::string& UNegocio)
{
    const DB_Dll& erp = gDB_Dll();
    const std::string porCodigo = "SELECT * FROM V_TA_CPTE WHERE CODIGO = " + erp.SQLValue(codigo4(TC));
    db::Recordset rs;
    if (!base::trim(UNegocio).empty()) {
        abreConsulta(porCodigo + " AND UNEGOCIO = " + erp.SQLValue(gUtilidades().RellenaCodigo(UNegocio, 4)) +
                         " ORDER BY TALONARIO",
                     rs);
    }
    // A unit that owns no booklet of the type numbers from the booklets of all units.
    if (rs.eof()) abreConsulta(porCodigo + " ORDER BY TALONARIO", rs);
    if (rs.eof())
        throw base::Error(numbering::kNumeracionNoConfigurada,
                          "Debe configurar la numeracióN de Comprobantes " + base::trim(TC));

    bool agotado = false;
    std::int64_t vencido = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const base::Value letras = rs["LETRAS"].value();
        // A letter the booklet does not serve becomes its first one, for the booklets that follow too.
        if (!letras.isNull() && !sirveLetra(letras.toText(), letra)) {
            letra = base::left(base::trim(letras.toText()), 1);
            if (letra.empty()) letra = "X";
        }
        const std::string L = numbering::letraDeColumna(TC, letra);
        letra = L;
        const base::Value ultimo = rs[L + "_ULTIMO_NRO"].value();
        const base::Value hasta = rs[L + "_NRO_HASTA"].value();
        // The next number must stay below the last: a booklet whose next number is its last is used up.
        if (ultimo.isNull() || hasta.isNull() || numero(ultimo) >= numero(hasta)) {
            agotado = true;
            continue;
        }
        const base::Value vence = rs["VENCE" + L].value();
        if (!base::trim(Fecha).empty() && !vence.isNull() &&
            numbering::fecha(base::Value(Fecha)) > numbering::fecha(vence)) {
            vencido = numero(rs["TALONARIO"].value());
            continue;
        }
        // A fresh booklet starts at its first number, so a second booklet never hands out the first's numbers.
        std::int64_t siguiente = numero(ultimo);
        if (siguiente == 0) siguiente = std::max<std::int64_t>(numero(rs[L + "_NRO_DESDE"].value()), 1);
        recuerdaTalonario(TC, static_cast<int>(numero(rs["TALONARIO"].value())));
        return {conMascara(numero(rs[L + "_SUC_DEFAULT"].value()), "0000"), conMascara(siguiente, "00000000"), letra,
                conMascara(numero(hasta), "00000000"), activado(rs["MODIFICANUMERACION"].value())};
    }
    if (agotado)
        throw base::Error(numbering::kTalonariosAgotados,
                          "Todos los talonarios del comprobante " + TC +
                              " se encuentran utilizados, debe dar de alta un nuevo talonario para el comprobante " + TC);
    throw base::Error(numbering::kTalonariosAgotados,
                      fmt::format("El rango de numeracion del comprobante {} Control nro: {} se encuenta vencida...! "
                                  "Debe dar de alta un nuevo talonario para el comprobante {}",
                                  TC, vencido, TC));
}

// The number that follows the highest of a MAX(idcomprobante) when the proposed one is not above it.
std::string pasaElUltimoId(db::Recordset& rs, const std::string& Nro)
{
    const base::Value ultimo = rs.eof() ? base::Value::null() : rs["ULTIMO"].value();
    if (ultimo.isNull()) return Nro;
    const auto mayor = static_cast<std::int64_t>(base::leadingNumber(base::mid(ultimo.toText(), 5, 8)));
    return base::leadingNumber(Nro) > static_cast<double>(mayor) ? Nro : conMascara(mayor + 1, "00000000");
}

// The number that follows a MAX(NUMERO); the first one when there is none.
std::string siguienteNumero(db::Recordset& rs)
{
    const base::Value ultimo = rs.eof() ? base::Value::null() : rs["ULTIMO"].value();
    return ultimo.isNull() ? "00000001" : conMascara(numero(ultimo) + 1, "00000000");
}

// The proposed number checked against what the type's family already stored; the number to hand out.
std::string verificaNumero(const std::string& TC, const std::string& Suc, const std::string& Nro,
                           const std::string& Letra, const std::string& NroHasta)
{
    DB_Dll& erp = gDB_Dll();
    const std::string codigo = erp.SQLValue(codigo4(TC));
    const std::string id = erp.SQLValue(Suc + Nro + Letra);
    const std::string sucursal = erp.SQLValue(Suc), letra = erp.SQLValue(Letra);
    db::Recordset rs;
    if (esTipo(TC, {"VJ"})) {
        abreConsulta("SELECT * From MV_VIAJES WHERE TC = " + codigo + " AND IDCOMPROBANTE = " + id, rs);
        if (rs.eof()) return Nro;
        abreConsulta("SELECT MAX(idcomprobante) AS ULTIMO From MV_VIAJES WHERE TC = " + codigo +
                         " AND SUBSTRING(IDCOMPROBANTE,1,4)= " + sucursal +
                         " AND SUBSTRING(IDCOMPROBANTE,13,1) = " + letra,
                     rs);
        return pasaElUltimoId(rs, Nro);
    }
    std::string asiento;
    if (ExisteAsientoComprobante(TC, Suc, Nro, Letra, asiento, {})) {
        abreConsulta("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = " + codigo + " AND SUCURSAL= " +
                         sucursal + " AND LETRA = " + letra,
                     rs);
        const std::string nro = siguienteNumero(rs);
        if (!esTipo(TC, {"CBFP"})) return nro;
        abreConsulta("SELECT MAX(idcomprobante) AS ULTIMO From V_MV_CPTE WHERE TC = " + codigo +
                         " AND SUBSTRING(IDCOMPROBANTE,1,4)= " + sucursal +
                         " AND SUBSTRING(IDCOMPROBANTE,13,1) = " + letra,
                     rs);
        return pasaElUltimoId(rs, nro);
    }
    if (esTipo(TC, {"OPG", "PG", "FC", "NC", "ND", "NP", "GF", "PR", "RM", "TK", "TKFC", "FP", "IR", "VS", "SI", "AJP",
                    "AJN", "TRP"}))
        return Nro;
    if (esTipo(TC, {"OC"})) {
        abreConsulta("SELECT * From C_MV_CPTE WHERE TC = " + codigo + " AND IDCOMPROBANTE = " + id, rs);
        if (rs.eof()) return Nro;
        // Only the numbers of the booklet that proposed count.
        const std::string debajo =
            base::leadingNumber(NroHasta) > 0 ? " AND NUMERO < " + erp.SQLValue(NroHasta) : std::string();
        abreConsulta("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE WHERE TC = " + codigo + " AND SUCURSAL = " +
                         sucursal + debajo + " AND LETRA = " + letra,
                     rs);
        return siguienteNumero(rs);
    }
    // A number proposed again is no longer used.
    std::string borra = "DELETE FROM V_MV_CTROL_CPTE WHERE TC = " + codigo + " AND SUCURSAL = " + sucursal +
                        " AND NUMERO = " + erp.SQLValue(Nro) + " AND LETRA = " + letra;
    erp.EjecutaConsultaSQL(borra);
    if (!erp.gCnn.errors().empty()) {
        const db::ProviderError& error = erp.gCnn.errors().item(0);
        throw base::Error(error.number, error.description, error.source);
    }
    return Nro;
}

// No booklet row to advance: an external type has nothing to record; for any other it is the operator's to
// know, and the caller's voucher must not be written.
bool sinTalonario(const std::string& TC, const std::string& codigo, std::string& SentenciaSQL)
{
    db::Recordset rs;
    abreConsulta("SELECT * FROM V_TA_CPTE WHERE CODIGO = " + codigo, rs);
    if (!rs.eof() && activado(rs["EXTERNO"].value())) {
        SentenciaSQL.clear();
        return true;
    }
    const std::string mensaje = "Error en grabación del Comprobante, no se ha encontrado el comprobante configurado";
    const int answer = programPrompter().msgBox(mensaje, ui::vbCritical | ui::vbOKOnly, "ATENCION");
    gDB_Dll().registraError(mensaje + " (" + base::trim(TC) + ")", "GrabaNumeroComprobante", answer);
    return false;
}

bool grabaNumero(const std::string& TC, const std::string& Sistema, const std::string& Suc, const std::string& Nro,
                 std::string& Letra, bool GeneraSentencia, std::string& SentenciaSQL, bool ControlSiempre)
{
    const std::int64_t siguiente = numbering::enteroEstricto(base::Value(Nro), "El número a grabar");
    // The booklet whose range holds the number used, not the one that follows it: the last number of a
    // booklet is that booklet's, though the number after it opens the next one.
    std::string mensaje;
    ValidaNumeroComprobante(TC, Suc, conMascara(siguiente - 1, "00000000"), Letra, mensaje, {});
    const int talonario = TalonarioActual(TC);
    const DB_Dll& erp = gDB_Dll();
    const std::string codigo = erp.SQLValue(codigo4(TC));

    // The booklet is in V_TA_CPTE, or else in the voucher-type table itself. One written through the recordset
    // is read whole; one the caller's batch advances, by the columns the statement needs (a booklet row has
    // some fifty, each described again for every query).
    const std::string letra = base::trim(Letra).empty() ? std::string("X") : base::toUpperCase(base::trim(Letra));
    const std::string columnas = GeneraSentencia && numbering::esLetraDeComprobante(letra)
                                     ? fmt::format("SISTEMA, {0}_SUC_DEFAULT, {0}_ULTIMO_NRO", letra)
                                     : std::string("*");
    db::Recordset rs;
    std::string tabla = "V_TA_CPTE";
    std::string fila = fmt::format("CODIGO = {} AND TALONARIO = {}", codigo, talonario);
    abreConsulta("SELECT " + columnas + " FROM " + tabla + " WHERE " + fila, rs, !GeneraSentencia);
    if (rs.eof()) {
        tabla = "TA_COMPROBANTES";
        fila += " AND SISTEMA = " + erp.SQLValue(base::trim(Sistema));
        abreConsulta("SELECT " + columnas + " FROM " + tabla + " WHERE " + fila, rs, !GeneraSentencia);
    }
    if (rs.eof()) return sinTalonario(TC, codigo, SentenciaSQL);

    if (base::trim(Letra).empty()) Letra = "X";
    const std::string L = numbering::letraDeColumna(TC, Letra);
    const Utilidades& util = gUtilidades();
    if (util.ValorNumerico(texto(rs[L + "_SUC_DEFAULT"].value())) != util.ValorNumerico(Suc)) return false;
    // Never backwards, and never again once the booklet has passed this number.
    const base::Value ultimo = rs[L + "_ULTIMO_NRO"].value();
    const bool avanza = ultimo.isNull() || numero(ultimo) < siguiente;

    if (!GeneraSentencia) {
        if (avanza) {
            rs[L + "_ULTIMO_NRO"].setValue(base::Value(static_cast<long long>(siguiente)));
            rs["FECHAHORA_MODIFICACION"].setValue(programClock().now());
            rs.update();
        }
        return true;
    }
    std::string sentencias = SentenciaSQL;
    if (avanza) {
        // The same guard again when the caller's batch runs, in case the booklet moved in between.
        sentencias = fmt::format(" UPDATE {0} SET {1}_ULTIMO_NRO = {2} WHERE {3} AND ({1}_ULTIMO_NRO IS NULL OR "
                                 "{1}_ULTIMO_NRO < {2})",
                                 tabla, L, siguiente, fila);
    }
    if (base::equalsIgnoringCase(base::trim(texto(rs["SISTEMA"].value())), "Contable") || ControlSiempre ||
        esTipo(TC, {"OC"})) {
        sentencias += "\r\n INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES (" + codigo + "," +
                      erp.SQLValue(conMascara(util.ValorNumerico(Suc).scaled() / base::Currency::kScale, "0000")) +
                      "," + erp.SQLValue(conMascara(siguiente - 1, "00000000")) + "," + erp.SQLValue(L) + ")\r\n";
    }
    SentenciaSQL = sentencias;
    return true;
}

}  // namespace

bool Obtener_Nro_Comprobante_Contable(const std::string& TC, std::string& Suc, std::string& Nro, std::string& Letra,
                                      bool& ModificaNumeracion, const std::string& Fecha, const std::string& UNegocio,
                                      std::string& NroHasta)
{
    const std::string letra = base::trim(Letra).empty() ? std::string("X") : base::trim(Letra);
    std::optional<Propuesta> propuesta;
    base::ErrorTrap trap = numbering::trampa("Obtener_Nro_Comprobante_Contable");
    trap.step([&] { propuesta = tomaNumero(TC, letra, Fecha, UNegocio); });
    if (!propuesta) {
        Suc.clear();
        Nro.clear();
        return false;
    }
    Suc = propuesta->suc;
    Nro = propuesta->nro;
    Letra = propuesta->letra;
    NroHasta = propuesta->nroHasta;
    ModificaNumeracion = propuesta->modificaNumeracion;
    return true;
}

bool Obtener_Nro_Comprobante(const std::string& TC, std::string& Suc, std::string& Nro, std::string& Letra,
                             bool& ModificaNumeracion, bool Verificar, const std::string& /*Reservado*/,
                             const std::string& UNegocio)
{
    if (base::trim(TC).empty()) return false;
    // A type that shares another's numbering still numbers from its own booklets; the shared range only
    // lifts the limit a purchase order's number is checked below.
    const bool compartido = !ObtieneTCEquivalente(TC).empty();
    std::string nroHasta;
    if (!Obtener_Nro_Comprobante_Contable(TC, Suc, Nro, Letra, ModificaNumeracion, {}, UNegocio, nroHasta))
        return false;
    if (compartido) nroHasta = "99999999";
    if (!Verificar) return true;

    std::string nro = Nro;
    base::ErrorTrap trap = numbering::trampa("Obtener_Nro_Comprobante");
    trap.step([&] { nro = verificaNumero(TC, Suc, Nro, Letra, nroHasta); });
    if (trap.left()) {
        Suc.clear();
        Nro.clear();
        return false;
    }
    Nro = nro;
    return true;
}

bool ValidaNumeroComprobante(const std::string& TC, const std::string& Suc, const std::string& Nro,
                             std::string& Letra, std::string& Mensaje, const std::string& Fecha)
{
    Mensaje.clear();
    const double nro = base::leadingNumber(Nro);
    bool valido = nro > 0;
    const std::string letra = base::trim(Letra);
    if (!letra.empty() && !numbering::esLetraDeComprobante(letra)) {
        Mensaje = " La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M";
        return false;
    }
    if (letra.empty()) Letra = "X";
    const std::string L = numbering::letraDeColumna(TC, Letra);

    const DB_Dll& erp = gDB_Dll();
    const std::string codigo = erp.SQLValue(codigo4(TC));
    db::Recordset rs;
    // The columns of the letter's range alone: a booklet row has some fifty, each described again for every
    // query, and a voucher's number is checked once per voucher.
    const std::string columnas =
        fmt::format("TALONARIO, EXTERNO, MODIFICANUMERACION, {0}_NRO_DESDE, {0}_NRO_HASTA, VENCE{0}", L);
    abreConsulta("Select " + columnas + " from v_ta_cpte where codigo = " + codigo + " and " + L +
                     "_SUC_DEFAULT = " + gUtilidades().ValorNumerico(Suc).toText('.') + " ORDER BY TALONARIO",
                 rs);
    bool externo = false;
    int hallado = 0, libre = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const base::Value esExterno = rs["EXTERNO"].value();
        if (!esExterno.isNull()) externo = numbering::logico(esExterno);
        if (externo || esLibre(rs, L)) {
            libre = static_cast<int>(numero(rs["TALONARIO"].value()));
            break;
        }
        if (nro >= static_cast<double>(numero(rs[L + "_NRO_DESDE"].value())) &&
            nro <= static_cast<double>(numero(rs[L + "_NRO_HASTA"].value())))
            hallado = static_cast<int>(numero(rs["TALONARIO"].value()));
    }
    // The booklet whose range holds the number; else the one proposed for the type; else, for a type numbered
    // freely or outside the system, the booklet that says so (no proposal ever comes from a free one).
    if (hallado != 0) recuerdaTalonario(TC, hallado);
    else if (TalonarioActual(TC) == 0 && libre != 0) recuerdaTalonario(TC, libre);

    const int talonario = TalonarioActual(TC);
    abreConsulta(fmt::format("SELECT {} FROM V_TA_CPTE WHERE CODIGO = {} and Talonario = {}", columnas, codigo, talonario),
                 rs);
    if (rs.eof()) {
        Mensaje = "Debe configurar la numeracióN de Comprobantes";
        return false;
    }
    if (esLibre(rs, L) || activado(rs["EXTERNO"].value())) return true;

    const base::Value vence = rs["VENCE" + L].value();
    if (valido && !base::trim(Fecha).empty() && !vence.isNull() &&
        numbering::fecha(vence) < numbering::fecha(base::Value(Fecha))) {
        valido = false;
        Mensaje = fmt::format("El rango de numeracion del comprobante {} Control nro: {} se encuenta vencida...! Debe "
                              "dar de alta un nuevo talonario para el comprobante {}",
                              TC, talonario, TC);
    }
    const auto fueraDeRango = [&](std::string_view parametro, const base::Value& limite) {
        Mensaje += fmt::format("\rEl Número de comprobante ({}) no respeta el parametro {} del comprobante ({}) , Nro "
                               "de Control: {}",
                               base::numberWithSignSpace(nro), parametro, texto(limite), talonario);
    };
    const base::Value desde = rs[L + "_NRO_DESDE"].value(), hasta = rs[L + "_NRO_HASTA"].value();
    if (valido && nro < static_cast<double>(numero(desde))) {
        valido = false;
        fueraDeRango("NRO DESDE", desde);
    }
    if (valido && nro > static_cast<double>(numero(hasta))) {
        valido = false;
        fueraDeRango("NRO HASTA", hasta);
    }
    if (valido) {
        Mensaje.clear();
        return true;
    }
    Mensaje += "\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo";
    return false;
}

bool GrabaNumeroComprobante(const std::string& TC, const std::string& Sistema, const std::string& Suc,
                            const std::string& Nro, std::string& Letra, bool GeneraSentencia,
                            std::string& SentenciaSQL, bool ControlSiempre)
{
    bool grabado = false;
    base::ErrorTrap trap = numbering::trampa("GrabaNumeroComprobante");
    trap.step([&] { grabado = grabaNumero(TC, Sistema, Suc, Nro, Letra, GeneraSentencia, SentenciaSQL, ControlSiempre); });
    return grabado;
}

int TalonarioActual(const std::string& TC)
{
    const auto found = talonarios().find(claveDeTipo(TC));
    return found == talonarios().end() ? 0 : found->second;
}

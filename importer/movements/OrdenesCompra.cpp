#include "importer/movements/OrdenesCompra.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "platform/base/Text.h"

#include <algorithm>
#include <fmt/format.h>

namespace ordenes {
namespace {

constexpr long kTipoIncorrecto = 13;
constexpr std::size_t kCifras = 8;

// Widths in twips: the ordinal's column, and what the text's column leaves of the grid's width.
constexpr long kAnchoOrdinal = 350;
constexpr long kMargenTexto = 300;

bool soloCifras(std::string_view texto)
{
    return !texto.empty() && std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

// --- legacy records

void CamposLegado::falla(std::string_view campo, long numero, std::string_view porque) const
{
    throw base::Error(numero, fmt::format("Tabla {}, registro {}, campo {}: {}", tabla_, registro_, campo, porque),
                      "ImportaOrdenes");
}

base::Value CamposLegado::valor(std::string_view campo) const
{
    try {
        return origen_.field(campo).value();
    } catch (const base::Error& error) {
        falla(campo, error.number(), error.description());
    }
}

std::string CamposLegado::texto(std::string_view campo) const { return gUtilidades().NuloACadena(valor(campo)); }

base::Currency CamposLegado::numero(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) falla(campo, kTipoIncorrecto, "está vacío y hace falta un número");
    try {
        if (leido.isNumeric()) return leido.toCurrency();
    } catch (const base::Error& error) {
        falla(campo, error.number(), error.description());
    }
    if (const auto importe = base::Currency::parse(base::trim(leido.toText()))) return *importe;
    falla(campo, kTipoIncorrecto, fmt::format("\"{}\" no es un número", leido.toText()));
}

base::Currency CamposLegado::numeroOCero(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) return base::Currency();
    return numero(campo);
}

base::DateTime CamposLegado::fecha(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.kind() == base::Value::Kind::DateTime) return leido.asDateTime();
    if (leido.isNull() || leido.isEmpty()) falla(campo, kTipoIncorrecto, "está vacío y hace falta una fecha");
    falla(campo, kTipoIncorrecto, fmt::format("\"{}\" no es una fecha", leido.toText()));
}

base::Value CamposLegado::fechaONula(std::string_view campo) const
{
    const base::Value leido = valor(campo);
    if (leido.isNull() || leido.isEmpty()) return base::Value::null();
    return base::Value(fecha(campo));
}

// --- amounts

base::Currency cociente(base::Currency dividendo, base::Currency divisor)
{
    __int128 numerador = static_cast<__int128>(dividendo.scaled()) * base::Currency::kScale;
    __int128 denominador = divisor.scaled();
    if (denominador < 0) {
        numerador = -numerador;
        denominador = -denominador;
    }
    __int128 entero = numerador / denominador;
    const __int128 resto = numerador % denominador;
    const __int128 doble = (resto < 0 ? -resto : resto) * 2;
    if (doble > denominador || (doble == denominador && entero % 2 != 0)) entero += resto < 0 ? -1 : 1;
    return base::Currency::fromScaled(static_cast<std::int64_t>(entero));
}

// --- order numbers

NumeroOrden numeroOrden(const base::Value& nume, const base::Value& nums)
{
    Utilidades& util = gUtilidades();
    NumeroOrden orden{base::trim(util.NuloACadena(nume)), base::trim(util.NuloACadena(nums)), {}};
    const std::string unido = orden.nume + orden.nums;
    if (!soloCifras(unido)) return orden;
    const std::size_t primera = std::min(unido.find_first_not_of('0'), unido.size() - 1);
    const std::string cifras = unido.substr(primera);
    if (cifras.size() > kCifras) return orden;
    orden.numero = std::string(kCifras - cifras.size(), '0') + cifras;
    return orden;
}

std::string motivoSinNumero(const NumeroOrden& orden, const std::string& cuenta)
{
    const std::string unido = orden.nume + orden.nums;
    return fmt::format("Orden {} del proveedor {}: {}; no se importa", orden.par(), cuenta,
                       soloCifras(unido) ? fmt::format("el número {} tiene más de ocho cifras", unido)
                                : fmt::format("\"{}\" no es un número de orden", unido));
}

std::optional<std::string> cuentaDelComprobante(const std::string& id)
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset fila;
    erp.abreSinTratamiento("SELECT CUENTA FROM C_MV_CPTE WHERE TC = " + erp.SQLValue(base::Value(std::string(kTipoOrden))) +
                               " AND IDCOMPROBANTE = " + erp.SQLValue(base::Value(id)),
                           fila);
    if (fila.eof()) return std::nullopt;
    return base::trim(gUtilidades().NuloACadena(fila.field("CUENTA").value()));
}

std::string nombraProveedor(const std::string& cuenta, const std::string& codigo)
{
    const std::string codigoLimpio = base::trim(codigo);
    if (base::toUpperCase(cuenta).ends_with(base::toUpperCase(codigoLimpio))) return cuenta;
    return fmt::format("{} (código {})", cuenta, codigoLimpio);
}

std::optional<std::string> RegistroOrdenes::reclama(const NumeroOrden& orden, const std::string& cuenta,
                                                    const std::string& codigo)
{
    const std::string codigoLimpio = base::trim(codigo);
    const auto [lugar, nuevo] = duenios_.try_emplace(orden.id(), Duenio{orden.nume, orden.nums, cuenta, codigoLimpio});
    if (nuevo) return std::nullopt;
    const Duenio& duenio = lugar->second;
    if (duenio.nume == orden.nume && duenio.nums == orden.nums &&
        base::toUpperCase(duenio.codigo) == base::toUpperCase(codigoLimpio))
        return std::nullopt;
    return fmt::format("{}/{} del proveedor {}", duenio.nume, duenio.nums, nombraProveedor(duenio.cuenta, duenio.codigo));
}

namespace {
std::string claveDescarte(const NumeroOrden& orden, const std::string& codigo)
{
    return orden.par() + '\x1f' + base::toUpperCase(base::trim(codigo));
}
}  // namespace

void RegistroOrdenes::descarta(const NumeroOrden& orden, const std::string& codigo)
{
    descartadas_.insert(claveDescarte(orden, codigo));
}

bool RegistroOrdenes::descartada(const NumeroOrden& orden, const std::string& codigo) const
{
    return descartadas_.contains(claveDescarte(orden, codigo));
}

// --- the run

void CorridaOrdenes::preparaListaErrores()
{
    ui::FlexGrid& lista = ventana.MSFlexGrid1;
    lista.clear();
    lista.setColWidth(0, kAnchoOrdinal);
    lista.setColWidth(1, std::max(0L, lista.width - kMargenTexto));
    ventana.cambio();
}

bool CorridaOrdenes::abre(std::string sentencia, db::Recordset& origen)
{
    return abreOrigen(ventana, std::move(sentencia), origen);
}

int CorridaOrdenes::trataError(const base::Error& error, int botones) const
{
    const int respuesta = gUtilidades().MuestraError(error, botones);
    gDB_Dll().registraError(fmt::format("({}) {}", error.number(), error.description()), "ImportaOrdenes", respuesta);
    return respuesta;
}

void CorridaOrdenes::listaError(const std::string& texto)
{
    ui::FlexGrid& lista = ventana.MSFlexGrid1;
    lista.setRows(lista.rows() + 1);
    const long fila = lista.rows() - 1;
    lista.setTextMatrix(fila, 0, std::to_string(contadores.errores));
    lista.setTextMatrix(fila, 1, texto);
    lista.setTopRow(fila);
    ventana.cambio();
}

void CorridaOrdenes::rechaza(std::string texto, std::string& motivo) const
{
    gDB_Dll().registraError(texto, "ImportaOrdenes", 0);
    motivo = std::move(texto);
}

ImportLoop::PasosPorRegistro CorridaOrdenes::pasos(std::string trasMinutos)
{
    ImportLoop::PasosPorRegistro pasos;
    pasos.progreso = [trasMinutos](const ContadoresImportacion& c) { return c.lineas(trasMinutos); };
    pasos.trataError = [this](const base::Error& error, int botones) { return trataError(error, botones); };
    pasos.listaError = [this](const std::string& texto) { listaError(texto); };
    pasos.textoFallo = [](const std::string& textoError) { return textoError; };
    return pasos;
}

}  // namespace ordenes

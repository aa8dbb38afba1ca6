#include "importer/movements/OrdenesCompra.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"

#include <algorithm>
#include <fmt/format.h>
#include <vector>

namespace ordenes {
namespace {

constexpr std::size_t kCifras = 8;

bool soloCifras(std::string_view texto)
{
    return !texto.empty() && std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

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

void CorridaOrdenes::empieza(Fase fase) { inicios_[static_cast<int>(fase)] = contadores.errores; }

void CorridaOrdenes::informaNoImportados() const
{
    struct Nombre {
        const char* uno;
        const char* varios;
    };
    static constexpr Nombre kNombres[3] = {{"orden de FORCOMPR", "órdenes de FORCOMPR"},
                                           {"renglón de FDEORCOM", "renglones de FDEORCOM"},
                                           {"recepción de FDEORCOM", "recepciones de FDEORCOM"}};
    std::vector<std::string> partes;
    std::int32_t total = 0;
    for (int fase = 0; fase < 3; ++fase) {
        if (inicios_[fase] < 0) continue;
        std::int32_t hasta = contadores.errores;
        for (int siguiente = fase + 1; siguiente < 3; ++siguiente)
            if (inicios_[siguiente] >= 0) {
                hasta = inicios_[siguiente];
                break;
            }
        const std::int32_t n = hasta - inicios_[fase];
        if (n <= 0) continue;
        total += n;
        partes.push_back(fmt::format("{} {}", n, n == 1 ? kNombres[fase].uno : kNombres[fase].varios));
    }
    if (partes.empty()) return;
    std::string cuales = partes.front();
    for (std::size_t i = 1; i < partes.size(); ++i) cuales += (i + 1 == partes.size() ? " y " : ", ") + partes[i];
    avisaNoImportados(cuales, total == 1);
}

}  // namespace ordenes

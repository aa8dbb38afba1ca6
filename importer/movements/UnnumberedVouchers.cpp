#include "importer/movements/UnnumberedVouchers.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/movements/EntryLines.h"
#include "importer/movements/LegacyRecord.h"
#include "platform/base/Text.h"

#include <charconv>
#include <fmt/format.h>
#include <optional>

namespace movimientos {
namespace {

std::string llave(const ClaveComprobante& clave)
{
    return base::toUpperCase(clave.tc + '\x1f' + clave.sucursal + '\x1f' + clave.letra);
}

// The number a stored NUMERO holds; none when it is not all digits.
std::optional<std::int64_t> numeroGuardado(const std::string& texto)
{
    const std::string cifras = base::trim(texto);
    std::int64_t numero = 0;
    const auto [fin, error] = std::from_chars(cifras.data(), cifras.data() + cifras.size(), numero);
    if (cifras.empty() || error != std::errc() || fin != cifras.data() + cifras.size()) return std::nullopt;
    return numero;
}

std::string sql(const std::string& texto) { return gDB_Dll().SQLValue(base::Value(texto)); }

}  // namespace

void NumeracionSinNumero::lee(db::Recordset& origen, std::string_view tabla, std::string_view rutina)
{
    std::unordered_map<std::string, ClaveComprobante> sinNumero;
    for (std::int32_t registro = 1; !origen.eof(); ++registro, origen.moveNext()) {
        const CamposLegado campos(origen, tabla, registro, rutina);
        const ClaveComprobante clave = claveComprobante(campos.texto("tipo_fte"), campos.texto("Nume_fte"));
        if (clave.numeroCero) sinNumero.emplace(llave(clave), clave);
        else if (const auto numero = numeroGuardado(clave.numero)) ocupados_[llave(clave)].insert(*numero);
    }
    for (const auto& [_, clave] : sinNumero) leeAsientos(clave);
}

void NumeracionSinNumero::leeAsientos(const ClaveComprobante& clave)
{
    db::Recordset filas;
    gDB_Dll().abreSinTratamiento(fmt::format("SELECT NUMERO FROM MV_ASIENTOS WHERE TC = {} AND SUCURSAL = {} AND LETRA = {} "
                                             "AND SECUENCIA = 1 AND (TRANSMISION IS NULL OR TRANSMISION <> {})",
                                             sql(clave.tc), sql(clave.sucursal), sql(clave.letra), kTransmisionSaldos),
                                 filas);
    std::unordered_set<std::int64_t>& ocupados = ocupados_[llave(clave)];
    for (; !filas.eof(); filas.moveNext())
        if (const auto numero = numeroGuardado(gUtilidades().NuloACadena(filas.field("NUMERO").value()))) ocupados.insert(*numero);
}

std::string NumeracionSinNumero::siguiente(const ClaveComprobante& clave)
{
    const auto ocupados = ocupados_.find(llave(clave));
    if (ocupados != ocupados_.end())
        while (ocupados->second.contains(contador_)) ++contador_;
    return fmt::format("{:08}", contador_++);
}

}  // namespace movimientos

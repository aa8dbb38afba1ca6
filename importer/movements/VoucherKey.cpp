#include "importer/movements/VoucherKey.h"

#include "core/Utilidades.h"
#include "platform/base/Currency.h"
#include "platform/base/Text.h"

#include <fmt/format.h>

namespace movimientos {
namespace {

// The whole number a part of the text holds; 0 when it holds none.
long long valor(const std::string& parte)
{
    return static_cast<long long>(base::roundHalfEven(gUtilidades().ValorNumerico(parte).toDouble()));
}

}  // namespace

ClaveComprobante claveComprobante(const std::string& tipo, const std::string& numero)
{
    ClaveComprobante clave;
    clave.tc = gUtilidades().RellenaCodigo(base::trim(tipo), 4);
    clave.sucursal = fmt::format("{:04}", valor(numero.substr(0, 4)));
    const long long cifras = valor(base::replace(numero.size() > 5 ? numero.substr(5, 8) : std::string(), "-", ""));
    clave.numero = fmt::format("{:08}", cifras);
    clave.numeroCero = cifras == 0;
    clave.letra = numero.empty() || numero.back() == ' ' ? "X" : std::string(1, numero.back());
    return clave;
}

std::string claveEnCuenta(const ClaveComprobante& clave, const std::string& cuenta)
{
    return base::toUpperCase(clave.tc + clave.sucursal + clave.numero + clave.letra + '\x1f' + cuenta);
}

std::int32_t CuotasComprobante::registra(const ClaveComprobante& clave, const std::string& cuenta)
{
    return ++vistos_[claveEnCuenta(clave, cuenta)];
}

}  // namespace movimientos

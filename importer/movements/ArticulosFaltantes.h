#pragma once
// The legacy orders whose lines name an article the ERP's master does not have. Such an order is refused
// whole before its header is written: a voucher whose lines cannot all be written would be half an order.

#include "importer/movements/OrdenesCompra.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class Importar;

namespace ordenes {

// Each order (its number pair and its trimmed, upper-case supplier code) with the FDEORCOM records and the
// article codes, trimmed, that the master lacks.
class ArticulosFaltantes {
public:
    struct Falta {
        std::int32_t registro;
        std::string articulo;
    };

    // Reads FDEORCOM once. A table that cannot be read gives no order: the line phase tells the operator.
    static ArticulosFaltantes lee(Importar& ventana);

    // The order's missing articles, as the error list names them; empty when it lacks none.
    std::string de(const NumeroOrden& orden, const std::string& codigo) const;

private:
    void recorre(Importar& ventana);
    static std::string clave(const std::string& nume, const std::string& nums, const std::string& codigo);

    std::unordered_map<std::string, std::vector<Falta>> faltas_;
};

}  // namespace ordenes

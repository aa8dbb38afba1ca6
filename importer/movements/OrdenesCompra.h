#pragma once
// What the phases of the purchase-order import share beyond a movement import's run: the order numbers and
// the register that keeps two legacy orders from becoming one voucher.
//
// A legacy order is known by two numbers (NUME_ and NUMS_), joined into the eight digits of its voucher
// number. The join is ambiguous: (1, 23) and (12, 3) both give 00000123. The first order of the run that
// gives an id owns it; any other order, and every line of another order, that gives the same id is listed,
// logged and counted as an error, never written into the first one.

#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "platform/base/Currency.h"
#include "platform/base/DateTime.h"
#include "platform/base/Error.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class Importar;

namespace ordenes {

// The voucher type of a purchase order, as codes are written: right-aligned in four characters.
inline constexpr std::string_view kTipoOrden = "  OC";

using movimientos::CamposLegado;
using movimientos::cociente;

// The voucher number a legacy order's two numbers give.
struct NumeroOrden {
    std::string nume, nums;  // the two numbers' texts, trimmed
    std::string numero;      // eight digits; empty when the pair gives none

    bool valido() const { return !numero.empty(); }
    // "0001" + the eight digits + "C": the 13 characters of the voucher id.
    std::string id() const { return "0001" + numero + "C"; }
    // "nume/nums", as the messages name the order.
    std::string par() const { return nume + "/" + nums; }
};

// The joined texts zero-padded to eight digits. A join that is not a number, or that has more than eight
// digits, gives none: cutting it would make it another order's number.
NumeroOrden numeroOrden(const base::Value& nume, const base::Value& nums);
// Why the order gives no voucher number, for the error list.
std::string motivoSinNumero(const NumeroOrden& orden, const std::string& cuenta);

// A supplier as the messages name him: his account, and his legacy code beside it when the account, cut to
// its width, no longer shows it.
std::string nombraProveedor(const std::string& cuenta, const std::string& codigo);

// The account of the purchase-order voucher stored under `id`; nothing when there is none.
std::optional<std::string> cuentaDelComprobante(const std::string& id);

// The legacy order (number pair and trimmed supplier code) that gave each voucher id in this run: two
// suppliers whose accounts come out alike are still two orders.
class RegistroOrdenes {
public:
    // Nothing when the id is this order's, taking it when nobody has; otherwise whose it is, as "nume/nums
    // del proveedor cuenta".
    std::optional<std::string> reclama(const NumeroOrden& orden, const std::string& cuenta, const std::string& codigo);
    // An order the header phase refused and listed: its lines and its reception are passed over unlisted.
    void descarta(const NumeroOrden& orden, const std::string& codigo);
    bool descartada(const NumeroOrden& orden, const std::string& codigo) const;

private:
    struct Duenio {
        std::string nume, nums, cuenta, codigo;
    };
    std::unordered_map<std::string, Duenio> duenios_;
    std::unordered_set<std::string> descartadas_;
};

// One run of the import, from the error list's preparation to its last phase.
class CorridaOrdenes : public movimientos::CorridaImportacion {
public:
    enum class Fase { Cabeceras, Lineas, Recepciones };

    explicit CorridaOrdenes(Importar& ventana) : CorridaImportacion(ventana, "ImportaOrdenes") {}

    // The errors counted from here on are the phase's.
    void empieza(Fase fase);
    // At the end of the run, whatever ended it: the one box counting, phase by phase, the orders, lines and
    // receptions that were refused or that the database did not take; none when all were written.
    void informaNoImportados() const;

    RegistroOrdenes registro;

private:
    // Errores when each phase began; -1 for a phase not reached.
    std::int32_t inicios_[3] = {-1, -1, -1};
};

// The phases, in the order the import runs them. Each answers whether the import goes on: it ends when
// the phase's table cannot be opened or is empty, on Cancel, and when the operator leaves the import.
bool ImportaCabeceras(CorridaOrdenes& corrida);
bool ImportaLineas(CorridaOrdenes& corrida);
bool ImportaRecepciones(CorridaOrdenes& corrida);

}  // namespace ordenes

#pragma once
// What the price-list tasks of the import window share: the six sale lists and the legacy columns that
// price each one, the article code and supplier account of a legacy article, the costing columns of a
// price row, the local-supplier flag, the side files, and a batch loop in which a record may be passed
// over or a failed record may end the task.
//
// Price rows (V_MA_PRECIOS) are one per list and article; article codes are right-aligned with leading
// blanks to 25 characters. Sale lists are type 'V', purchase lists type 'C'.

#include "core/StatementBuilders.h"
#include "importer/ImportCounters.h"
#include "platform/base/DateTime.h"
#include "platform/base/Value.h"
#include "platform/db/Recordset.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class Importar;

namespace precios {

struct ListaVenta {
    std::string_view id;           // "A1"
    std::string_view bandera;      // the legacy article's flag for this list: a row only when it is "N"
    std::string_view nombre;       // the name the article import gives the list ("ZIRA1")
    std::string_view nombreLocal;  // the name the local supplier rows give it ("ZIRA 1")
    std::string_view precio;       // the costing column with the list's price (to PRECIO4)
    std::string_view margen;       // the costing column with the list's margin (to UTILIDAD)
    bool conGrupo;                 // the row carries Grupo "RG"; list A4 has none
};

inline constexpr std::array<ListaVenta, 6> kListasVenta{{
    {"A1", "PED1_FAR", "ZIRA1", "ZIRA 1", "NPR1_FCO", "MAR2_FCO", true},
    {"A2", "PED2_FAR", "ZIRA2", "ZIRA 2", "NPR1_FCO", "MAR2_FCO", true},
    {"A3", "PED3_FAR", "ZIRA3", "ZIRA 3", "NPR1_FCO", "MAR2_FCO", true},
    {"A4", "PED4_FAR", "ZIRA4", "ZIRA 4", "NPR2_FCO", "MAR3_FCO", false},
    {"A5", "PED5_FAR", "ZIRA5", "ZIRA 5", "NPR1_FCO", "MAR2_FCO", true},
    {"A6", "PED6_FAR", "ZIRA6", "ZIRA 6", "NPR1_FCO", "MAR2_FCO", true},
}};

// The legacy articles that get sale-list rows: those whose six list flags are all "N".
inline constexpr std::string_view kArticulosConListas =
    "SELECT * FROM FARTICUL where ped1_far = 'N' and ped2_far = 'N' and  ped3_far = 'N' and  ped4_far = 'N' and "
    " ped5_far = 'N' and  ped6_far = 'N' ";

// The field's text, "" for Null.
std::string texto(const base::Value& valor);
// The value as a quoted text literal of the ERP database (apostrophes doubled).
std::string literal(std::string_view valor);
// The trimmed legacy code right-aligned to the 25 characters of an ERP article code.
std::string codigoArticulo(const base::Value& codigo);
// "2110101" followed by the trimmed legacy supplier code, the whole trimmed again and cut to 15 characters.
std::string cuentaProveedor(const base::Value& PROV_FAR);
// The ERP's local-supplier flag as the Boolean it is: Null, or a value that reads as no Boolean, is False.
bool esProveedorLocal(const base::Value& PROVEEDORLOCAL);
// A costing amount greater than 0; Null is not.
bool esPositivo(const base::Value& importe);

// Appends to the field list the costing columns of a sale-list row for `lista`, from the costing record
// (FCOSTEOS) `costeo` is on: cost, prices, discounts (DTO1 to DTO6 always 0, the three legacy discounts to
// DTO7 to DTO9), surcharges, the list's price and margin, and, when the record has an offer price above 0,
// the offer price and its first and last day as dates. An empty legacy amount is 0. `primero` starts the
// list anew.
void agregaCosteo(db::Recordset& costeo, const ListaVenta& lista, bool primero);

// Where a side file with a Windows path ("C:\PROVLOCAL.TXT") lives on this machine. On Windows a drive's
// root always exists; the folder it maps to is made when it is missing, so the file can be written.
std::filesystem::path archivoLateral(std::string_view rutaWindows);

// The batch-style walk of a price-list task: one record at a time, Cancel seen between records, the
// counters line in LblDetalle before each record, events let run once per record. Unlike the shared loop, a
// record can be passed over (read and counted in Leidos alone) and a record can fail in a way that ends
// the task; a failure to read a record ends it too, with a message naming the table and the record.
class RecorridoPrecios {
public:
    enum class Fin { Completo, Cancelado, Detenido };
    enum class Registro {
        Ejecutar,  // run the record's statements
        Omitir,    // the record is passed over: no statement runs, it counts in Leidos only
        Fallido,   // the record failed and has been reported: it counts under Errores and the walk ends
    };
    // Runs a record's statements; true when they were written. Without one, EjecutaTransaccion runs them in
    // one transaction, tolerating duplicate keys.
    using Ejecutor = std::function<bool(const ListaSentencias&)>;

    RecorridoPrecios(Importar& ventana, std::string tabla) : ventana_(ventana), tabla_(std::move(tabla)) {}

    // `armaRegistro` builds the record's statements. With `detieneAlFallar`, a record whose statements
    // fail ends the walk as well.
    Fin recorre(db::Recordset& origen, const std::function<Registro(ListaSentencias&)>& armaRegistro,
                const Ejecutor& ejecuta = {}, bool detieneAlFallar = false);

    std::int32_t leidos() const { return c_.leidos; }
    std::int32_t grabados() const { return c_.grabados; }
    std::int32_t errores() const { return c_.errores; }
    // "Leidos n Grabados:n Errores: n Inicio: <date> transcurrido: m Min. (Promedio: r x minuto)"
    std::string lineaContadores() const;

private:
    // "DETENIDO en el registro n de T" in LblDetalle.
    Fin detenido();

    Importar& ventana_;
    std::string tabla_;
    ContadoresImportacion c_;
};

}  // namespace precios

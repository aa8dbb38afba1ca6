#pragma once
// What the voucher query window reads, shows and how, per voucher type, held as tables: the statement
// that selects a type's vouchers, the columns the list gets, and what each row shows under each column.
// Each table is read through one function that picks its first matching row; voucher types are compared
// trimmed and without regard to case.

#include <string>
#include <string_view>
#include <vector>

namespace consulta {

// A condition a statement row puts on one switch; Cualquiera leaves it free.
enum class Requisito { Cualquiera, Si, No };

// What the statement choice looks at.
struct Seleccion {
    std::string TC;           // the plain type, after the pseudo-types were turned into plain ones
    bool pendiente = false;   // only vouchers still open
    bool conFiltro = false;   // the filter holds more than blanks
    bool remitoContado = false;     // "UsaRemitoContado" on
    bool entregaParcial = false;    // "EntregaParcialRemito" on
};

// One row of the statement table. The statement is `cabeza`, the type code in four characters as an SQL
// literal (when `conTipo`), `medio`, the filter (when `conFiltro`) and `cola`.
struct FilaSentencia {
    int fila = 0;  // the row's number, for whoever reads which row was chosen
    std::vector<std::string_view> tipos;  // empty: every type
    Requisito pendiente = Requisito::Cualquiera;
    Requisito filtroEnBlanco = Requisito::Cualquiera;
    Requisito remitoContado = Requisito::Cualquiera;
    Requisito entregaParcial = Requisito::Cualquiera;
    std::string_view cabeza;
    bool conTipo = true;
    std::string_view medio;
    bool conFiltro = false;
    std::string_view cola;
};

// The first row of the statement table whose conditions hold.
const FilaSentencia& filaSentencia(const Seleccion& seleccion);
// The statement of that row, with the type code `type4` as an SQL literal and the filter as given: the
// filter is the caller's SQL.
std::string armaSentencia(const FilaSentencia& fila, std::string_view type4, std::string_view filtro);

// How a row's image is chosen (the tags are the window's image list's).
enum class ReglaImagen {
    Ninguna,     // no image
    TipoAnulado,       // the type's; "Anulado" for a void voucher
    Tipo,              // the type's
    TipoGarantiaAnulado,  // the type's; "OCG" under guarantee; "Anulado" for a void one, over "OCG"
    TipoEstado,        // the type's; "Anulado" for a void one, else "Aprobado" for an approved one, and
                       // "Aprobado" for a prepared pending order
};

// What a cell shows.
enum class Origen {
    Campo,                // the field `campo`
    Vacio,                // nothing: the rows of this kind carry no value for the column
    CuentaYNombre,        // CUENTA, a blank and NOMBRE
    SucursalNumeroLetra,  // SUCURSAL, NUMERO and LETRA run together
    NombreProveedor,      // the supplier's name, looked up by CUENTA
    NumeroRecepcion,      // the stock receipt made from the purchase order IDCOMPROBANTE
    ComplementoOTFC,      // IDCOMPLEMENTO for the types "OT" and "FC"; nothing for the others
};

struct Celda {
    std::string_view cabecera;  // the column the value stands under
    Origen origen = Origen::Campo;
    std::string_view campo;
};

// One row of the fill table: which types, their image rule and a cell for every column those types can
// get. A column without a cell here stays empty.
struct FilaRelleno {
    int grupo = 0;
    std::vector<std::string_view> tipos;  // empty: every type
    ReglaImagen regla = ReglaImagen::Ninguna;
    std::vector<Celda> celdas;
};

const FilaRelleno& filaRelleno(std::string_view TC);
// The cell that stands under `cabecera`; nullptr when the rows of that kind show nothing there.
const Celda* celdaBajo(const FilaRelleno& fila, std::string_view cabecera);

struct Columna {
    std::string_view cabecera;
    int equis = 0;  // the width: that many capital X
    bool soloConReferencia = false;  // only when "UsaReferenciaPresupuestos" is on
};

struct GrupoColumnas {
    int grupo = 0;  // 0: the default group
    std::vector<std::string_view> tipos;  // empty: every type
    std::vector<Columna> columnas;
};

const GrupoColumnas& grupoColumnas(std::string_view TC);

// The tags of the window's row images, in the order of the image list.
const std::vector<std::string_view>& etiquetasImagenes();

}  // namespace consulta

#include "core/MasterLookups.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <array>

namespace {

// Opens one statement after another and tells whether a row came back; the caller's recordset receives the
// last one opened.
class Lookup {
public:
    Lookup(db::Recordset* callers, bool soloLectura) : callers_(callers), soloLectura_(soloLectura) {}

    bool open(std::string statement)
    {
        gDB_Dll().AbrirRecordset(statement, recordset_, nullptr, soloLectura_ ? 0 : 2, soloLectura_ ? 1 : 3, -1, true);
        return !recordset_.bof();
    }
    std::string text(std::string_view column) { return gUtilidades().NuloACadena(recordset_.field(column).value()); }
    void handOver()
    {
        if (callers_) *callers_ = std::move(recordset_);
    }

private:
    db::Recordset* callers_;
    db::Recordset recordset_;
    bool soloLectura_;
};

std::string literal(std::string_view code) { return gDB_Dll().SQLValue(std::string(code)); }

}  // namespace

bool BuscaCuentaSucursal(std::string_view tabla, std::string& codigo, db::Recordset* recordset, bool soloLectura,
                         long sucursal)
{
    Lookup lookup(recordset, soloLectura);
    const std::string code = literal(base::trim(codigo));
    bool found;
    if (sucursal >= 1) {
        found = lookup.open("SELECT * FROM ma_cuentassuc WHERE CODIGO = " + code + " and SUCURSAL = " + std::to_string(sucursal));
    } else {
        const std::string table = base::equalsIgnoringCase(tabla, "MA_CUENTASSUC") ? "MA_CUENTAS" : std::string(tabla);
        found = lookup.open("SELECT * FROM " + table + " WHERE CODIGO = " + code);
        if (!found && (found = lookup.open("SELECT * FROM " + table + " WHERE CODIGOOPCIONAL = " + code)))
            codigo = lookup.text("CODIGO");
    }
    lookup.handOver();
    return found;
}

bool BuscaCuenta(std::string& codigo, db::Recordset* recordset, bool soloLectura, bool& porCodigoOpcional)
{
    Lookup lookup(recordset, soloLectura);
    const std::string byMain = "SELECT * FROM MA_CUENTAS WHERE Codigo =  " + literal(codigo);
    const std::string byOptional = "SELECT * FROM MA_CUENTAS WHERE CodigoOpcional =  " + literal(codigo);
    bool found = lookup.open(porCodigoOpcional ? byOptional : byMain);
    if (found) {
        codigo = lookup.text("CODIGO");
    } else if (porCodigoOpcional) {
        found = lookup.open(byMain);
    } else if ((found = lookup.open(byOptional))) {
        porCodigoOpcional = true;
        codigo = lookup.text("CODIGO");
    }
    lookup.handOver();
    return found;
}

bool BuscaArticulo(std::string& codigo, db::Recordset* recordset, bool soloLectura, bool& porCodigoBarra,
                   std::string& descripcion)
{
    const bool shortCode = base::length(codigo) <= 6;
    if (shortCode) porCodigoBarra = false;
    const std::string padded = literal(gUtilidades().RellenaCodigo(codigo, 25));
    Lookup lookup(recordset, soloLectura);
    const std::string byId = "SELECT * FROM V_MA_ARTICULOS WHERE IDARTICULO = " + padded;
    const std::string byBarcode = "SELECT * FROM V_MA_ARTICULOS WHERE codigobarra =  " + padded;

    bool found = lookup.open(porCodigoBarra ? byBarcode : byId);
    if (found) {
        codigo = lookup.text("IdArticulo");
    } else if (!shortCode) {
        // The barcode chain: the main barcode, the bulk one and the four secondary ones, each giving the unit
        // it stands for as IDUNIDAD; last the article id itself.
        static const std::array<const char*, 6> kBarcodes{
            "SELECT * FROM V_MA_ARTICULOS WHERE codigobarra =  ",
            "SELECT *, UD_TTE AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRADUN = ",
            "SELECT *, UMCB1 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA1 = ",
            "SELECT *, UMCB2 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA2 = ",
            "SELECT *, UMCB3 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA3 = ",
            "SELECT *, UMCB4 AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA4 = ",
        };
        for (const char* head : kBarcodes) {
            if ((found = lookup.open(head + padded))) {
                codigo = lookup.text("IdArticulo");
                break;
            }
        }
        if (!found) found = lookup.open(byId);
    }
    if (found) descripcion = lookup.text("Descripcion");
    // A short code that is no article's id hands nothing back.
    if (found || !shortCode) lookup.handOver();
    return found;
}

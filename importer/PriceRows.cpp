#include "importer/PriceRows.h"

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/Utilidades.h"
#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "platform/os/Clock.h"
#include "platform/os/PathMapping.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

namespace precios {

std::string texto(const base::Value& valor) { return gUtilidades().NuloACadena(valor); }

std::string literal(std::string_view valor) { return gDB_Dll().SQLValue(base::Value(std::string(valor)), "'"); }

std::string codigoArticulo(const base::Value& codigo)
{
    return gUtilidades().RellenaCodigo(base::trim(texto(codigo)), 25);
}

std::string cuentaProveedor(const base::Value& PROV_FAR)
{
    // Cut to the 15 characters of an account code, as the supplier import cuts it: a longer legacy code gives
    // the account that import made, and a row that the database can hold.
    return base::trim(base::left(base::trim("2110101" + base::trim(texto(PROV_FAR))), 15));
}

bool esProveedorLocal(const base::Value& PROVEEDORLOCAL)
{
    if (PROVEEDORLOCAL.isNull() || PROVEEDORLOCAL.isEmpty()) return false;
    try {
        return PROVEEDORLOCAL.toBoolean();
    } catch (const base::Error&) {
        // A text that is no Boolean ("S", "x") does not make a supplier local.
        return false;
    }
}

bool esPositivo(const base::Value& importe)
{
    if (importe.isNull() || importe.isEmpty()) return false;
    if (importe.isNumeric()) return importe.toDouble() > 0;
    return gUtilidades().ValorNumerico(importe.toText()) > base::Currency::fromInteger(0);
}

void agregaCosteo(db::Recordset& costeo, const ListaVenta& lista, bool primero)
{
    const auto campo = [&costeo](std::string_view nombre) -> const base::Value& { return costeo.field(nombre).value(); };
    // Amounts go in with "@": an empty legacy amount (Null) is written 0, a blank amount being none.
    AgregaCampo("Costo", campo("COSB_FCO"), "@", primero);
    AgregaCampo("PRECIO1", campo("PPRO_FCO"), "@", false);
    AgregaCampo("PRECIO2", campo("IFLE_FCO"), "@", false);
    AgregaCampo("PORCSEGURO", campo("SEGU_FCO"), "@", false);
    AgregaCampo("DTO1", base::Value(0), "@", false);
    AgregaCampo("DTO2", base::Value(0), "@", false);
    AgregaCampo("DTO3", base::Value(0), "@", false);
    AgregaCampo("DTO7", campo("DES1_FCO"), "@", false);
    AgregaCampo("DTO8", campo("DES2_FCO"), "@", false);
    AgregaCampo("DTO9", campo("DES3_FCO"), "@", false);
    AgregaCampo("DTO4", base::Value(0), "@", false);
    AgregaCampo("DTO5", base::Value(0), "@", false);
    AgregaCampo("DTO6", base::Value(0), "@", false);
    AgregaCampo("REC1", campo("REC1_FCO"), "@", false);
    AgregaCampo("REC2", campo("REC2_FCO"), "@", false);
    AgregaCampo("PRECIO4", campo(lista.precio), "@", false);
    AgregaCampo("UTILIDAD", campo(lista.margen), "@", false);
    if (esPositivo(campo("POFE_FCO"))) {
        AgregaCampo("PRECIO5", campo("POFE_FCO"), "@", false);
        // The offer's days are dates: they go in as the database's date literal (Null when a day is missing),
        // never through the number conversion, which would turn them into a count of days or into 0.
        AgregaCampo("FhOfertaDesde", campo("DOFE_FCO"), "'", false);
        AgregaCampo("FhOfertaHasta", campo("HOFE_FCO"), "'", false);
    }
}

std::filesystem::path archivoLateral(std::string_view rutaWindows)
{
    const std::filesystem::path archivo = os::mapWindowsPath(rutaWindows);
    std::error_code ignorado;
    // A folder that cannot be made is reported by the file's own opening.
    if (archivo.has_parent_path()) std::filesystem::create_directories(archivo.parent_path(), ignorado);
    return archivo;
}

std::string RecorridoPrecios::lineaContadores() const { return c_.linea(); }

RecorridoPrecios::Fin RecorridoPrecios::detenido()
{
    ventana_.LblDetalle.caption = "DETENIDO en el registro " + std::to_string(c_.leidos) + " de " + tabla_;
    ventana_.cambio();
    return Fin::Detenido;
}

RecorridoPrecios::Fin RecorridoPrecios::recorre(db::Recordset& origen,
                                                const std::function<Registro(ListaSentencias&)>& armaRegistro,
                                                const Ejecutor& ejecuta, bool detieneAlFallar)
{
    c_.inicio = programClock().now();
    ListaSentencias lote;
    while (!origen.eof()) {
        if (ventana_.Cancelado) {
            ventana_.LblDetalle.caption = "CANCELADO";
            ventana_.cambio();
            return Fin::Cancelado;
        }
        lote.assign(1, std::string());
        c_.actualizaPromedio(programClock().now());
        ventana_.LblDetalle.caption = lineaContadores();
        ventana_.cambio();
        ++c_.leidos;

        Registro registro;
        try {
            registro = armaRegistro(lote);
        } catch (const base::Error& error) {
            // A record that cannot be read or looked up stops the task before anything of it is written.
            const std::string donde = fmt::format("Tabla {}, registro {}: {}", tabla_, c_.leidos, error.description());
            gDB_Dll().TratamientoErrores(base::Error(error.number(), donde, error.source()),
                                         ui::vbOKOnly | ui::vbCritical, tabla_);
            return detenido();
        }
        if (registro == Registro::Fallido) {
            ++c_.errores;
            return detenido();
        }
        if (registro == Registro::Ejecutar) {
            ventana_.HuboError = false;
            bool escrito;
            if (ejecuta) {
                escrito = ejecuta(lote);
                if (!escrito) ventana_.HuboError = true;
            } else {
                long codigo = 0;
                std::string texto, errorTexto;
                EjecutaTransaccion(lote, ventana_.HuboError, codigo, true, false, texto, errorTexto);
                escrito = !ventana_.HuboError;
            }
            if (escrito) ++c_.grabados;
            else ++c_.errores;
            if (!escrito && detieneAlFallar) return detenido();
        }
        ventana_.HuboError = false;
        ventana_.eventos().doEvents();
        origen.moveNext();
    }
    return Fin::Completo;
}

}  // namespace precios

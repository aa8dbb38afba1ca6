// "PROV.LO": the six sale-list rows of the legacy articles that have a costing record with a list price,
// priced from that record and recorded in "C:\PROVLOCAL.TXT"; then the sale prices of the articles the ERP
// marks suspended are deleted, each such article recorded in "C:\XXX.TXT".

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "importer/Importar.h"
#include "importer/PriceRows.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/TextFile.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <optional>
#include <set>

namespace {

// The sale lists the article already has a row in, by id in upper case; nothing when they cannot be read
// (the data-access object has said why).
std::optional<std::set<std::string>> listasExistentes(const std::string& articuloSql)
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset filas;
    std::string busqueda = "SELECT IDLISTA FROM V_MA_PRECIOS WHERE TIPOLISTA = 'V' AND IDARTICULO = " + articuloSql;
    erp.AbrirRecordset(busqueda, filas);
    if (filas.state() == db::kStateClosed) return std::nullopt;
    std::set<std::string> listas;
    for (; !filas.eof(); filas.moveNext())
        listas.insert(base::toUpperCase(base::trim(precios::texto(filas.field(0).value()))));
    erp.CierraRecordset(filas);
    return listas;
}

// The removal of the sale prices of suspended articles. False when it did not reach its end.
bool BorraPreciosSuspendidos(Importar& ventana)
{
    DB_Dll& erp = gDB_Dll();
    std::optional<os::TextWriter> registro;
    try {
        registro.emplace(precios::archivoLateral("C:\\XXX.TXT"), os::TextWriter::Mode::Append);
    } catch (const base::Error& error) {
        erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "Command1_Click");
        return false;
    }
    db::Recordset suspendidos;
    std::string busqueda = "SELECT * FROM V_MA_ARTICULOS WHERE SUSPENDIDO = 1";
    erp.AbrirRecordset(busqueda, suspendidos);
    if (suspendidos.state() == db::kStateClosed) return false;  // reported by the data-access object

    long fallidos = 0;
    for (; !suspendidos.eof(); suspendidos.moveNext()) {
        ventana.eventos().doEvents();
        if (ventana.Cancelado) {
            ventana.LblDetalle.caption = "CANCELADO";
            ventana.cambio();
            return false;
        }
        const base::Value& articulo = suspendidos.field("IdArticulo").value();
        const std::string articuloSql = erp.SQLValue(articulo, "'");
        std::string borrado = "DELETE V_MA_PRECIOS WHERE tipolista = 'V' and Idarticulo = " + articuloSql;
        erp.EjecutaConsultaSQL(borrado);
        if (erp.gCnn.errors().empty()) {
            // Only an article whose prices are gone goes into the record of what was deleted.
            try {
                registro->writeLine("2," + articuloSql);
            } catch (const base::Error& error) {
                erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "Command1_Click");
                return false;
            }
        } else {
            ++fallidos;
            erp.registraError("No se borraron los precios del articulo suspendido " + precios::texto(articulo) + ": " +
                                  erp.gCnn.errors().item(0).description,
                              "- Command1_Click", 0);
            erp.gCnn.errors().clear();
        }
        ventana.eventos().doEvents();
        ventana.LblDetalle.caption = precios::texto(articulo);
        ventana.cambio();
    }
    erp.CierraRecordset(suspendidos);
    if (fallidos > 0) {
        ventana.LblDetalle.caption =
            "Articulos suspendidos cuyos precios no se pudieron borrar: " + std::to_string(fallidos) + " (ver QVERR.LOG)";
        ventana.cambio();
    }
    return true;
}

}  // namespace

bool Importar::ImportaProveedorLocal(DB_Dll& origen)
{
    DB_Dll& erp = gDB_Dll();
    std::optional<os::TextWriter> registro;
    try {
        registro.emplace(precios::archivoLateral("C:\\PROVLOCAL.TXT"), os::TextWriter::Mode::Append);
    } catch (const base::Error& error) {
        erp.TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "ImportaProveedorLocal");
        return false;
    }
    db::Recordset articulos;
    std::string fuente(precios::kArticulosConListas);
    origen.AbrirRecordset(fuente, articulos);
    if (articulos.state() == db::kStateClosed) return false;  // reported by the data-access object
    if (articulos.eof()) return true;

    std::string linea;  // the side-file line of the record being written
    precios::RecorridoPrecios recorrido(*this, "FARTICUL");
    const auto fin = recorrido.recorre(
        articulos,
        [&](ListaSentencias& lote) {
            using Registro = precios::RecorridoPrecios::Registro;
            const base::Value& codigoLegado = articulos.field("CODI_FAR").value();
            const std::string cuenta = precios::cuentaProveedor(articulos.field("PROV_FAR").value());
            db::Recordset costeo;
            // The code as read: the legacy folder compares texts with their trailing blanks ignored.
            std::string busqueda = "SELECT * FROM FCOSTEOS WHERE CODI_FCO = " + origen.SQLValue(codigoLegado, "'");
            origen.AbrirRecordset(busqueda, costeo);
            if (costeo.state() == db::kStateClosed) return Registro::Fallido;  // reported
            if (costeo.eof() || !precios::esPositivo(costeo.field("NPR1_FCO").value())) return Registro::Omitir;

            const std::string articulo = precios::codigoArticulo(codigoLegado);
            const std::string articuloSql = precios::literal(articulo);
            const std::optional<std::set<std::string>> existentes = listasExistentes(articuloSql);
            if (!existentes) return Registro::Fallido;
            lote.assign(1, std::string());
            for (const precios::ListaVenta& lista : precios::kListasVenta) {
                // A row the article already has in the list is not written again.
                if (existentes->count(std::string(lista.id))) continue;
                AgregaCampo("IdLista", base::Value(std::string(lista.id)), "'", true);
                AgregaCampo("Nombre", base::Value(std::string(lista.nombreLocal)), "'", false);
                AgregaCampo("IdArticulo", base::Value(articulo), "'", false);
                AgregaCampo("ConIva", base::Value(1), "@", false);
                AgregaCampo("IdMoneda", base::Value("   1"), "'", false);
                AgregaCampo("TipoLista", base::Value("V"), "'", false);
                AgregaCampo("CuentaProveedor", base::Value(cuenta), "'", false);
                if (lista.conGrupo) AgregaCampo("Grupo", base::Value("RG"), "'", false);
                precios::agregaCosteo(costeo, lista, false);
                std::string sinCondicion;
                ArmaSentencia(gCampos, lote, "V_MA_PRECIOS", false, sinCondicion, false);
            }
            origen.CierraRecordset(costeo);
            const bool escribe = std::any_of(lote.begin(), lote.end(), [](const std::string& s) { return !s.empty(); });
            linea = escribe ? cuenta + "," + precios::texto(codigoLegado) : std::string();
            return Registro::Ejecutar;
        },
        [&](const ListaSentencias& lote) {
            bool fallo = false;
            long codigo = 0;
            std::string texto, errorTexto;
            EjecutaTransaccion(lote, fallo, codigo, true, false, texto, errorTexto);
            // The side file lists the articles whose rows were written, so a failed batch leaves no line.
            if (!fallo && !linea.empty()) registro->writeLine(linea);
            return !fallo;
        });
    if (fin != precios::RecorridoPrecios::Fin::Completo) return false;
    erp.CierraRecordset(articulos);
    return true;
}

void Importar::Command1_Click()
{
    if (running_) return;
    // A cancel left over from the task list must not stop this job half-way; "Cancelar" stops it now.
    Cancelado = false;
    entraEnEjecucion();
    DB_Dll origen;  // the window's own DBOrigen stays as it is
    bool completo = false;
    try {
        origen.gCnn.setConnectionString(CadenaOrigenDbf());
        origen.gCnn.open();
        completo = ImportaProveedorLocal(origen);
        origen.gCnn.close();
    } catch (const base::Error& error) {
        gDB_Dll().TratamientoErrores(error, ui::vbOKOnly | ui::vbCritical, "Command1_Click");
    }
    // The prices of suspended articles are deleted only after the new rows are all in.
    if (completo) completo = BorraPreciosSuspendidos(*this);
    vuelveAReposo();
    if (completo) programPrompter().msgBox("listo", ui::vbOKOnly, "");
}

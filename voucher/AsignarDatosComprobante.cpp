// Loading a stored voucher into the voucher grids: the settings and the type the load depends on, the four
// reads of the voucher, the IdReparto handed back and the hand-over of the header.

#include "stock/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Currency.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "voucher/VoucherLoad.h"

namespace {

// The complement as it goes into the key condition: a whole number, blank being 0. Anything else raises
// before the voucher is read.
std::string complementoDeClave(const std::string& IdComplemento)
{
    if (base::trim(IdComplemento).empty()) return "0";
    return std::to_string(numbering::enteroEstricto(base::Value(IdComplemento), "IdComplemento"));
}

}  // namespace

void ClsCmnCptes::AsignarDatosComprobante(const std::string& TC, const std::string& SucNroLetra,
                                          const std::string& IdComplemento, ui::FlexGrid& MSFlexGrid1,
                                          ui::FlexGrid& MSFlexGrid2, ui::FlexGrid& MSFlexGrid3, bool /*Inicializar*/,
                                          db::Recordset* LrcsCpte, bool Compras, const std::string& Proveedor,
                                          std::int32_t* IdRepartoRM)
{
    DB_Dll& erp = gDB_Dll();
    std::string complemento;
    if (!Compras) {
        try {
            complemento = complementoDeClave(IdComplemento);
        } catch (const base::Error& error) {
            erp.TratamientoErrores(error, {}, std::string(voucher::kRutinaCarga));
            return;
        }
    }

    voucher::CargaComprobante carga(*this, TC, SucNroLetra, Compras);
    carga.step([&] { carga.entregaParcial = ValorLogico(LeeConfiguracion("EntregaParcialRemito")); });
    carga.cantidadNegada = IdRepartoRM != nullptr && *IdRepartoRM == -98;
    carga.step([&] { carga.condIvaEmpresa = LeeConfiguracion("CONDIVA"); });

    const std::string prefix = Compras ? "C_" : "V_";
    std::string condition = " WHERE TC = " + erp.SQLValue(numbering::codigo4(TC)) +
                            " AND IDCOMPROBANTE = " + erp.SQLValue(carga.SucNroLetra);
    if (Compras)
        condition += " AND CUENTA = " + erp.SQLValue(base::trim(Proveedor));
    else
        condition += " AND IdComplemento = " + complemento;
    const std::string order = " ORDER BY ID ";

    carga.step([&] {
        db::Recordset type;
        erp.abreSinTratamiento("SELECT TOP 1 SISTEMA FROM V_TA_CPTE WHERE LTRIM(RTRIM(Codigo)) = " +
                                   erp.SQLValue(base::trim(TC)),
                               type);
        carga.sistemaCompras =
            !type.eof() && base::equalsIgnoringCase(voucher::textoDe(type, "SISTEMA"), "COMPRAS");
    });

    db::Recordset tasks, lines, others;
    // The article lines are walked twice, their articles counted first: they are kept whole whatever the
    // connection's cursor.
    lines.cursorLocation = db::CursorLocation::Client;
    carga.step([&] { erp.abreSinTratamiento("SELECT * FROM " + prefix + "MV_CPTE " + condition + order, carga.header); });
    carga.step([&] { erp.abreSinTratamiento("SELECT * FROM " + prefix + "MV_CPTETAREAS " + condition + order, tasks); });
    carga.step([&] {
        const std::string linesOrder = numbering::esTipo(TC, {"NP"}) ? " ORDER BY PALLETS " : order;
        erp.abreSinTratamiento("SELECT * FROM " + prefix + "MV_CPTEINSUMOS " + condition + linesOrder, lines);
    });
    carga.step([&] {
        erp.abreSinTratamiento("SELECT * FROM " + prefix + "MV_CPTE_Observ " + condition + " AND TIPO_OBS ='OC' " + order,
                               others);
    });

    if (!carga.sistemaCompras) {
        carga.step([&] {
            // Read before it is handed back, so a header that is not there leaves the caller's value.
            const std::string reparto = gUtilidades().NuloACadena(carga.header.field("IdReparto").value());
            const double value = gUtilidades().ValorNumerico(reparto).toDouble();
            if (IdRepartoRM) *IdRepartoRM = static_cast<std::int32_t>(base::roundHalfEven(value));
        });
    }

    carga.step([&] { carga.preparaEntregas(lines); });
    carga.llenaGrilla(MSFlexGrid1, tasks, &voucher::CargaComprobante::filaTarea);
    carga.llenaGrilla(MSFlexGrid2, lines, &voucher::CargaComprobante::filaArticulo);
    carga.llenaGrilla(MSFlexGrid3, others, &voucher::CargaComprobante::filaOtroConcepto);
    if (carga.trap.left()) return;
    if (LrcsCpte) *LrcsCpte = std::move(carga.header);
}

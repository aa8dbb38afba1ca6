// The line phase of the purchase-order import: every legacy order line of FDEORCOM becomes a line of its
// order's voucher in C_MV_CPTEINSUMOS, one transaction each, with the article's description taken in the
// same statement.
//
// One order may list an article twice. Both lines are kept: the k-th line of an article in an order is
// written while the table holds fewer than k lines of that article in that order, so a second run writes
// nothing again.

#include "core/DB_Dll.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/Importar.h"
#include "importer/movements/OrdenesCompra.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <fmt/format.h>
#include <optional>
#include <unordered_map>

namespace ordenes {
namespace {

// The fields of one FDEORCOM record, read and computed.
struct Linea {
    std::string id, cuenta, articulo;
    bool porBultos = false;  // counted in bulks ("BL") rather than in units ("UN")
    base::Currency cantidad, unidades, equivalencia;
    base::Currency costo, importe, descuentos[6], recargos[3];
};

Linea leeLinea(const CamposLegado& campos, std::string id, std::string cuenta, std::string articulo)
{
    Linea l;
    l.id = std::move(id);
    l.cuenta = std::move(cuenta);
    l.articulo = std::move(articulo);
    const base::Currency bultos = campos.numero("PIEZ_FOD");
    l.unidades = campos.numero("UNID_FOD");
    l.porBultos = bultos > base::Currency();
    l.cantidad = l.porBultos ? bultos : l.unidades;
    // Units per unit of the line: per bulk for a bulk line, 1 for a unit line.
    l.equivalencia = l.cantidad == base::Currency() ? base::Currency() : cociente(l.unidades, l.cantidad);
    l.costo = campos.numeroOCero("TPRE_FOD");
    l.importe = campos.numeroOCero("PRET_FOD");
    const char* descuentos[6] = {"DES1_FOD", "DES2_FOD", "DES3_FOD", "D_S1_FOD", "D_S2_FOD", "D_S3_FOD"};
    for (int i = 0; i < 6; ++i) l.descuentos[i] = campos.numeroOCero(descuentos[i]);
    const char* recargos[3] = {"REC1_FOD", "REC2_FOD", "REC3_FOD"};
    for (int i = 0; i < 3; ++i) l.recargos[i] = campos.numeroOCero(recargos[i]);
    return l;
}

// The line's 27 columns in the field list. The description is the article's, or empty when the ERP has no
// such article: never Null.
void ArmaLinea(const Linea& l)
{
    const auto texto = [](std::string_view columna, std::string valor) { AgregaCampo(columna, base::Value(valor), "'", false); };
    const auto numero = [](std::string_view columna, base::Currency valor) {
        AgregaCampo(columna, base::Value(valor), "@", false);
    };
    const base::Currency cero;
    AgregaCampo("TC", base::Value(std::string(kTipoOrden)), "'", true);
    texto("IdComprobante", l.id);
    texto("Cuenta", l.cuenta);
    texto("IdArticulo", l.articulo);
    AgregaCampo("Descripcion",
                "COALESCE((SELECT DESCRIPCION FROM V_MA_ARTICULOS WHERE IDARTICULO = " + cuentas::sql(l.articulo) + "), '')",
                "", false);
    texto("IdUnidad", l.porBultos ? "  BL" : "  UN");
    numero("Cantidad", l.cantidad);
    numero("CantidadUD", l.unidades);
    numero("COSTO", l.costo);
    numero("Importe", l.importe);
    numero("Importe_S_IVA", l.importe);
    numero("Impuestos", cero);
    numero("Total", l.importe);
    for (int i = 0; i < 6; ++i) numero("Desc" + std::to_string(i + 1), l.descuentos[i]);
    numero("Desc7", cero);
    numero("Desc8", cero);
    numero("Desc9", cero);
    for (int i = 0; i < 3; ++i) numero("Rec" + std::to_string(i + 1), l.recargos[i]);
    texto("IdUnidadBase", "  UN");
    numero("EQUIV_UDBASE", l.equivalencia);
}

// How many lines of the article the order's voucher holds.
long lineasGrabadas(const std::string& id, const std::string& articulo)
{
    std::string consulta = "SELECT COUNT(*) AS N FROM C_MV_CPTEINSUMOS WHERE TC = " + cuentas::sql(kTipoOrden) +
                           " AND IDCOMPROBANTE = " + cuentas::sql(id) + " AND IDARTICULO = " + cuentas::sql(articulo);
    db::Recordset filas;
    gDB_Dll().AbrirRecordset(consulta, filas);
    const long n = static_cast<long>(filas.field("N").value().toInteger());
    gDB_Dll().CierraRecordset(filas);
    return n;
}

class FaseLineas {
public:
    explicit FaseLineas(CorridaOrdenes& corrida) : corrida_(corrida) {}

    ImportLoop::Destino arma(db::Recordset& origen, std::int32_t registro, ListaSentencias& lote,
                             std::string& motivo)
    {
        const CamposLegado campos(origen, "FDEORCOM", registro);
        const std::string cuenta = cuentas::cuentaProveedor(campos.valor("CODP_FOD"));
        const std::string codigo = campos.texto("CODP_FOD");
        const NumeroOrden orden = numeroOrden(campos.valor("NUME_FOD"), campos.valor("NUMS_FOD"));
        articuloLegado_ = base::trim(campos.texto("CODI_FOD"));
        id_ = orden.valido() ? orden.id() : orden.nume + orden.nums;
        if (!orden.valido()) {
            corrida_.rechaza(fmt::format("Renglón {}: {}", articuloLegado_, motivoSinNumero(orden, cuenta)), motivo);
            return ImportLoop::Destino::Rechaza;
        }
        const std::string proveedor = nombraProveedor(cuenta, codigo);
        if (const auto duenio = corrida_.registro.reclama(orden, cuenta, codigo)) {
            corrida_.rechaza(fmt::format("Renglón {} de la orden {} del proveedor {}: su comprobante {} es el de la "
                                         "orden {}; no se importa",
                                         articuloLegado_, orden.par(), proveedor, id_, *duenio),
                             motivo);
            return ImportLoop::Destino::Rechaza;
        }
        // Its order was refused and listed already.
        if (corrida_.registro.descartada(orden, codigo)) return ImportLoop::Destino::Omite;
        // A line belongs to a voucher the header phase wrote, of its own supplier.
        const std::optional<std::string>& guardada = cuentaGuardada(id_);
        if (!guardada || !base::equalsIgnoringCase(*guardada, cuenta)) {
            corrida_.rechaza(fmt::format("Renglón {} de la orden {} del proveedor {}: {}; no se importa", articuloLegado_,
                                         orden.par(), proveedor,
                                         guardada ? fmt::format("su comprobante {} es de otro proveedor, {}", id_, *guardada)
                                                  : fmt::format("no hay comprobante {} de su orden", id_)),
                             motivo);
            return ImportLoop::Destino::Rechaza;
        }
        const std::string articulo = gUtilidades().RellenaCodigo(articuloLegado_, 25);
        const Linea linea = leeLinea(campos, id_, cuenta, articulo);

        // Counted once the line has been read whole: a line passed over takes no place among its article's.
        const long k = ++vistas_[id_ + '\x1f' + base::toUpperCase(articulo)];
        if (lineasGrabadas(id_, articulo) >= k) return ImportLoop::Destino::Omite;
        ArmaLinea(linea);
        std::string sinCondicion;
        ArmaSentencia(gCampos, lote, "C_MV_CPTEINSUMOS", false, sinCondicion, false);
        return ImportLoop::Destino::Escribe;
    }

    // A line the database refused: its order and article before the error lines.
    std::string textoFallo(const std::string& textoError) const
    {
        return fmt::format("{} {}: {}", id_, articuloLegado_, textoError);
    }

private:
    // The headers are all written before the first line: what the table holds of a voucher does not change
    // during the phase.
    const std::optional<std::string>& cuentaGuardada(const std::string& id)
    {
        const auto lugar = cuentas_.find(id);
        if (lugar != cuentas_.end()) return lugar->second;
        return cuentas_.emplace(id, cuentaDelComprobante(id)).first->second;
    }

    CorridaOrdenes& corrida_;
    std::unordered_map<std::string, std::optional<std::string>> cuentas_;
    std::string id_, articuloLegado_;
    // Lines of each order and article read so far in this run.
    std::unordered_map<std::string, long> vistas_;
};

}  // namespace

bool ImportaLineas(CorridaOrdenes& corrida)
{
    db::Recordset origen;
    if (!corrida.abre("SELECT * FROM FDEORCOM ", origen)) return false;
    if (origen.eof()) return false;
    ImportLoop loop(corrida.ventana, "FDEORCOM", corrida.contadores);
    FaseLineas fase(corrida);
    ImportLoop::PasosPorRegistro pasos = corrida.pasos(" Min.");
    pasos.arma = [&](ListaSentencias& lote, std::int32_t registro, std::string& motivo) {
        return fase.arma(origen, registro, lote, motivo);
    };
    pasos.textoFallo = [&](const std::string& textoError) { return corrida.registraFallo(fase.textoFallo(textoError)); };
    const ImportLoop::Fin fin = loop.porRegistro(origen, pasos);
    gDB_Dll().CierraRecordset(origen);
    return fin == ImportLoop::Fin::Completo;
}

}  // namespace ordenes

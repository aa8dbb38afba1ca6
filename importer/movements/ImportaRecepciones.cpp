// The reception phase of the purchase-order import: the received lines of FDEORCOM, order by order, become
// "IR" reception vouchers posted to warehouse CD61. Each order is one transaction: its reception warehouse,
// its stock movements with their component discharge and accounting entry, the booklet's advance, the
// "RECEPCIONADO|" mark of its received lines and the descriptions of its movements; a failure anywhere
// leaves nothing of it, and the next order is offered the same number.
//
// An order that already has reception movements is passed over, so a second run writes nothing again. An
// order without a reception number (no booklet, one used up, a number already taken) ends the phase: every
// later order would meet the same booklet.

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/Importar.h"
#include "importer/movements/OrdenesCompra.h"
#include "numbering/NumberingBooklets.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/Clock.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include <string>
#include <vector>

namespace ordenes {
namespace {

constexpr std::string_view kTipoRecepcion = "  IR";
const std::string kDepositoRecepcion = "CD61";

// Columns of the article-line grid a received line fills.
constexpr long kIdArticulo = 0, kDescripcion = 1, kIdUnidad = 5, kCantidad = 7, kCoeficiente = 8;
constexpr long kArtImporte = 14, kPrecioSinIva = 17, kNroLote = 21, kNroSerie = 22, kCosto = 38, kImpuestos = 40;
constexpr long kIdUnidadBase = 41, kPerecedero = 46, kPideTalle = 61, kInsumosPorPorcentaje = 68;
constexpr long kCantidadUD = 74, kPesable = 76;

std::string sql(std::string_view texto) { return gDB_Dll().SQLValue(base::Value(std::string(texto))); }

// True when the statement answers at least one row. A failed read raises: an order is never taken for new
// because its movements could not be looked at.
bool hayFilas(const std::string& consulta)
{
    db::Recordset filas;
    gDB_Dll().abreSinTratamiento(consulta, filas);
    return !filas.eof();
}

// The received lines of one legacy order (its number pair and supplier) held in the grid.
struct Pendiente {
    std::string clave;             // the pair and the account, as read: the rows of one order come together
    NumeroOrden orden;
    std::string cuenta;
    std::string rechazo;           // why the order is not posted; empty while it may be
    bool descartada = false;       // refused and listed before this phase: passed over unlisted
    long renglones = 0;            // the grid rows it fills
    std::vector<std::int64_t> lineas;  // the ids of the stored order lines its rows were received on

    bool hay() const { return !clave.empty(); }
};

// The stored order line a received legacy row belongs to: what the line phase wrote for that row.
struct LineaGuardada {
    std::int64_t id = 0;
    base::Currency cantidadUD, costo, importeSinIva;
    std::string importe, impuestos, importeTexto, costoTexto;
};

// a * b / (c * d) to four decimals, one division, ties to the even neighbour; c * d is not 0.
base::Currency proporcion(base::Currency a, base::Currency b, base::Currency c, base::Currency d)
{
    using Amplio = __int128;
    const auto cabe = [](Amplio v) { return v < 0 ? -v : v; };
    Amplio numerador = static_cast<Amplio>(a.scaled()) * b.scaled();
    Amplio denominador = static_cast<Amplio>(c.scaled()) * d.scaled();
    // Beyond this a product times the scale would not fit; no amount of an order comes near it.
    constexpr Amplio kTope = static_cast<Amplio>(1) << 110;
    if (cabe(numerador) > kTope || cabe(denominador) > kTope)
        throw base::Error(6, "el valor por unidad recibida no cabe en un importe", "ImportaRecepciones");
    numerador *= base::Currency::kScale;
    if (denominador < 0) {
        numerador = -numerador;
        denominador = -denominador;
    }
    Amplio entero = numerador / denominador;
    const Amplio resto = numerador % denominador;
    const Amplio doble = cabe(resto) * 2;
    if (doble > denominador || (doble == denominador && entero % 2 != 0)) entero += resto < 0 ? -1 : 1;
    if (cabe(entero) > std::numeric_limits<std::int64_t>::max())
        throw base::Error(6, "el valor por unidad recibida no cabe en un importe", "ImportaRecepciones");
    return base::Currency::fromScaled(static_cast<std::int64_t>(entero));
}

class FaseRecepciones {
public:
    explicit FaseRecepciones(CorridaOrdenes& corrida) : corrida_(corrida), ventana_(corrida.ventana) {}

    bool ejecuta()
    {
        db::Recordset origen;
        if (!corrida_.abre("SELECT * FROM FDEORCOM WHERE ESTA_FOD='C' ORDER BY NUME_FOD,NUMS_FOD,UPPER(TRIM(CODP_FOD)) ", origen))
            return false;
        // Nothing received: no reception is made, so none needs its voucher type.
        if (origen.eof() || !dispone()) return false;
        corrida_.contadores.inicio = programClock().now();
        std::int32_t registro = 0;
        bool sigue = true;
        while (sigue && !origen.eof()) {
            if (ventana_.Cancelado) {
                ventana_.LblDetalle.caption = "CANCELADO";
                ventana_.cambio();
                return false;
            }
            ContadoresImportacion& c = corrida_.contadores;
            c.actualizaPromedio(programClock().now());
            ventana_.LblDetalle.caption = c.lineas(" Min. ");
            ventana_.cambio();
            sigue = leeRenglon(origen, ++registro);
            ventana_.eventos().doEvents();
            if (sigue && !avanza(origen)) sigue = false;
        }
        gDB_Dll().CierraRecordset(origen);
        // An order whose lines could not all be read is not posted.
        return sigue && GrabaRecepcion();
    }

private:
    // Lays the grid out for a reception, emptying it. False when it cannot be (no "IR" voucher type, a
    // setting that cannot be read): the operator has been told, and no order can be posted.
    bool dispone()
    {
        bool hecho = false;
        base::ErrorTrap trap([this](const base::Error& error) { return corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical); });
        trap.step([&] {
            ventana_.CmnCptes().InicializaGrids(nullptr, &ventana_.MSFlexGrid2, nullptr, nullptr, &ventana_.TxtEdit,
                                                nullptr, ventana_.medidorTexto(), "IR");
            hecho = true;
        });
        const ui::FlexGrid& grilla = ventana_.MSFlexGrid2;
        titulos_.clear();
        for (long columna = 0; hecho && columna < grilla.cols(); ++columna) titulos_.push_back(grilla.textMatrix(0, columna));
        return hecho;
    }

    // The grid as the layout left it, for the next order. Posting changes only the grid's rows and texts, and
    // the layout's settings cannot change during the phase; reading them again for every order would cost
    // more than the order's own reads.
    void vacia()
    {
        ui::FlexGrid& grilla = ventana_.MSFlexGrid2;
        grilla.clear();
        grilla.setRows(2);
        for (std::size_t columna = 0; columna < titulos_.size(); ++columna)
            grilla.setTextMatrix(0, static_cast<long>(columna), titulos_[columna]);
        grilla.refresh();
        ventana_.TxtEdit.visible = false;
    }

    bool avanza(db::Recordset& origen)
    {
        try {
            origen.moveNext();
            return true;
        } catch (const base::Error& error) {
            // The next record cannot be read: the order in the grid may be missing lines, so it is not posted.
            corrida_.trataError(error, ui::vbOKOnly | ui::vbCritical);
            return false;
        }
    }

    // One received line: a change of order posts the one in the grid, then the line joins its order. False
    // when the phase ends (the operator left it, or no reception number can be had).
    bool leeRenglon(db::Recordset& origen, std::int32_t registro)
    {
        const CamposLegado campos(origen, "FDEORCOM", registro);
        base::ErrorTrap trap([&](const base::Error& error) {
            const int respuesta = corrida_.trataError(error, ui::vbAbortRetryIgnore | ui::vbCritical);
            // A line passed over takes its order with it: an order is posted whole or not at all.
            if (respuesta == base::answers::kIgnore && pendiente_.hay() && pendiente_.rechazo.empty())
                pendiente_.rechazo = fmt::format("Recepción de la orden {} del proveedor {}: {}; no se recibe",
                                                 pendiente_.orden.par(), pendiente_.cuenta, error.description());
            return respuesta;
        });
        std::string clave, cuenta, codigo;
        NumeroOrden orden;
        trap.step([&] {
            cuenta = cuentas::cuentaProveedor(campos.valor("CODP_FOD"));
            codigo = base::trim(campos.texto("CODP_FOD"));
            orden = numeroOrden(campos.valor("NUME_FOD"), campos.valor("NUMS_FOD"));
            clave = orden.par() + '\x1f' + base::toUpperCase(codigo);
        });
        if (trap.left()) return false;
        if (clave.empty()) return true;  // whose line it is is not known; the order in the grid has been refused
        if (pendiente_.hay() && clave != pendiente_.clave && !GrabaRecepcion()) return false;
        if (!pendiente_.hay()) empieza(clave, orden, cuenta, codigo);
        trap.step([&] { ArmaRenglonRecepcion(campos); });
        return !trap.left();
    }

    void empieza(const std::string& clave, const NumeroOrden& orden, const std::string& cuenta, const std::string& codigo)
    {
        pendiente_ = Pendiente{clave, orden, cuenta, {}, false, 0, {}};
        const std::string proveedor = nombraProveedor(cuenta, codigo);
        if (!orden.valido()) {
            pendiente_.rechazo = "Recepción: " + motivoSinNumero(orden, cuenta);
        } else if (const auto duenio = corrida_.registro.reclama(orden, cuenta, codigo)) {
            pendiente_.rechazo = fmt::format("Recepción de la orden {} del proveedor {}: su comprobante {} es el de la "
                                             "orden {}; no se recibe",
                                             orden.par(), proveedor, orden.id(), *duenio);
        } else if (corrida_.registro.descartada(orden, codigo)) {
            pendiente_.descartada = true;
        } else if (const auto guardada = cuentaDelComprobante(orden.id()); !guardada) {
            pendiente_.rechazo = fmt::format("Recepción de la orden {} del proveedor {}: no hay comprobante {} de su orden; "
                                             "no se recibe",
                                             orden.par(), proveedor, orden.id());
        } else if (!base::equalsIgnoringCase(*guardada, cuenta)) {
            pendiente_.rechazo = fmt::format("Recepción de la orden {} del proveedor {}: su comprobante {} es de otro "
                                             "proveedor, {}; no se recibe",
                                             orden.par(), proveedor, orden.id(), *guardada);
        }
    }

    // The line on the grid's last row, which then gets a new empty row after it. A line with nothing
    // received posts nothing; a negative quantity, or bulks received with no units, refuses its order.
    void ArmaRenglonRecepcion(const CamposLegado& campos)
    {
        if (!pendiente_.rechazo.empty() || pendiente_.descartada) return;
        Utilidades& util = gUtilidades();
        const std::string codigo = base::trim(campos.texto("CODI_FOD"));
        const std::string articulo = util.RellenaCodigo(codigo, 25);
        const base::Currency bultos = campos.numeroOCero("ZREC_FOD");
        const base::Currency unidades = campos.numeroOCero("CREC_FOD");
        const base::Currency cero;
        const auto refusa = [&](std::string porque) {
            pendiente_.rechazo = fmt::format("Recepción de la orden {} del proveedor {}, artículo {}: {}; no se recibe",
                                             pendiente_.orden.par(), pendiente_.cuenta, codigo, porque);
        };
        if (bultos < cero) return refusa(fmt::format("ZREC_FOD es {}", bultos.toText()));
        if (unidades < cero) return refusa(fmt::format("CREC_FOD es {}", unidades.toText()));
        if (bultos == cero && unidades == cero) return;
        const bool porBultos = bultos > cero;
        if (porBultos && unidades == cero)
            return refusa(fmt::format("ZREC_FOD es {} y CREC_FOD 0: no se sabe cuántas unidades llegaron", bultos.toText()));
        const base::Currency cantidad = porBultos ? bultos : unidades;

        ui::FlexGrid& grilla = ventana_.MSFlexGrid2;
        const long r = grilla.rows() - 1;
        grilla.setTextMatrix(r, kIdArticulo, articulo);
        grilla.setTextMatrix(r, kDescripcion, "");
        grilla.setTextMatrix(r, kIdUnidad, porBultos ? "BL" : "UN");
        grilla.setTextMatrix(r, kCantidad, cantidad.toText());
        // Units per bulk, as the order line has it, so that the movement's equivalence agrees with its
        // quantities; a unit line leaves it to the poster (1).
        if (porBultos) grilla.setTextMatrix(r, kCoeficiente, cociente(unidades, bultos).toText());
        for (long columna : {kNroLote, kNroSerie, kPerecedero, kPideTalle}) grilla.setTextMatrix(r, columna, "0");

        if (const auto linea = lineaGuardada(campos, articulo)) {
            grilla.setTextMatrix(r, kArtImporte, linea->importe);
            grilla.setTextMatrix(r, kImpuestos, linea->impuestos);
            grilla.setTextMatrix(r, kCosto, linea->costoTexto);
            // What was received is worth its share of the line's amount: the units received over the units
            // ordered, per unit of the grid's quantity, whether the line counts bulks or units.
            const base::Currency porUnidad = linea->cantidadUD == cero
                                                 ? proporcion(linea->costo, unidades, base::Currency::fromInteger(1), cantidad)
                                                 : proporcion(linea->importeSinIva, unidades, linea->cantidadUD, cantidad);
            grilla.setTextMatrix(r, kPrecioSinIva, porUnidad.toText());
            pendiente_.lineas.push_back(linea->id);
        }
        // Not a percentage line: a received article with components discharges them per unit.
        grilla.setTextMatrix(r, kInsumosPorPorcentaje, "0");
        grilla.setTextMatrix(r, kPesable, "");
        grilla.setTextMatrix(r, kIdUnidadBase, "UN");
        grilla.setTextMatrix(r, kCantidadUD, unidades.toText());
        grilla.setRows(grilla.rows() + 1);
        ++pendiente_.renglones;
    }

    // The stored line the line phase wrote for this legacy row: the same article, unit, quantity and amount.
    // Of several alike, the first that no earlier received row of the order has taken.
    std::optional<LineaGuardada> lineaGuardada(const CamposLegado& campos, const std::string& articulo) const
    {
        const base::Currency piezas = campos.numeroOCero("PIEZ_FOD");
        const bool porBultos = piezas > base::Currency();
        const base::Currency cantidad = porBultos ? piezas : campos.numeroOCero("UNID_FOD");
        const base::Currency importe = campos.numeroOCero("PRET_FOD");
        const std::string unidad = porBultos ? "  BL" : "  UN";

        Utilidades& util = gUtilidades();
        const auto monto = [](const base::Value& valor) {
            return valor.isNumeric() ? valor.toCurrency() : base::Currency();
        };
        db::Recordset filas;
        gDB_Dll().abreSinTratamiento("SELECT ID, IDUNIDAD, CANTIDAD, CANTIDADUD, COSTO, IMPORTE, IMPORTE_S_IVA, IMPUESTOS "
                                     "FROM C_MV_CPTEINSUMOS WHERE TC = " + sql(kTipoOrden) + " AND IDCOMPROBANTE = " +
                                         sql(pendiente_.orden.id()) + " AND IDARTICULO = " + sql(articulo) + " ORDER BY ID",
                                     filas);
        for (; !filas.eof(); filas.moveNext()) {
            const std::int64_t id = filas.field("ID").value().toInteger();
            if (!base::equalsIgnoringCase(base::trim(util.NuloACadena(filas.field("IDUNIDAD").value())), base::trim(unidad)))
                continue;
            if (monto(filas.field("CANTIDAD").value()) != cantidad || monto(filas.field("IMPORTE").value()) != importe)
                continue;
            if (std::find(pendiente_.lineas.begin(), pendiente_.lineas.end(), id) != pendiente_.lineas.end()) continue;
            LineaGuardada linea;
            linea.id = id;
            linea.cantidadUD = monto(filas.field("CANTIDADUD").value());
            linea.costo = monto(filas.field("COSTO").value());
            linea.importeSinIva = monto(filas.field("IMPORTE_S_IVA").value());
            linea.importe = util.NuloACadena(filas.field("IMPORTE").value());
            linea.impuestos = util.NuloACadena(filas.field("IMPUESTOS").value());
            linea.costoTexto = util.NuloACadena(filas.field("COSTO").value());
            return linea;
        }
        return std::nullopt;
    }

    // Posts the order in the grid, then empties the grid. False when the phase ends.
    bool GrabaRecepcion()
    {
        if (!pendiente_.hay()) return true;
        Pendiente orden = std::move(pendiente_);
        pendiente_ = Pendiente{};
        const Resultado resultado = posteaOrden(orden);
        ventana_.HuboError = false;
        if (resultado == Resultado::Termina) return false;
        vacia();
        return true;
    }

    enum class Resultado { Sigue, Termina };

    Resultado rechaza(const std::string& texto, Resultado resultado = Resultado::Sigue)
    {
        std::string motivo;
        corrida_.rechaza(texto, motivo);
        ++corrida_.contadores.errores;
        corrida_.listaError(motivo);
        return resultado;
    }

    Resultado posteaOrden(Pendiente& orden)
    {
        ContadoresImportacion& c = corrida_.contadores;
        if (orden.descartada) return Resultado::Sigue;
        ++c.leidos;
        if (!orden.rechazo.empty()) return rechaza(orden.rechazo);
        const std::string id = orden.orden.id();
        if (orden.renglones == 0)
            return rechaza(fmt::format("Orden {} del proveedor {}: sus renglones recibidos no tienen cantidad; no se recibe",
                                       id, orden.cuenta));

        Resultado resultado = Resultado::Sigue;
        bool armada = false;
        ListaSentencias sentencias;
        base::ErrorTrap trap([&](const base::Error& error) {
            const int respuesta = corrida_.trataError(error, ui::vbAbortRetryIgnore | ui::vbCritical);
            if (respuesta == base::answers::kIgnore)
                rechaza(fmt::format("Orden {}: {}; no se recibe", id, error.description()));
            else if (respuesta != base::answers::kRetry)
                resultado = Resultado::Termina;
            return respuesta;
        });
        trap.step([&] {
            sentencias.clear();
            resultado = Resultado::Sigue;
            // Received before, by an earlier run: nothing is written twice.
            if (hayFilas("SELECT ID FROM V_MV_STOCK WHERE TC_ORIGEN = " + sql(kTipoOrden) +
                         " AND IDCOMPROBANTE_ORIGEN = " + sql(id)))
                return;
            resultado = armaLote(orden, sentencias);
            armada = resultado == Resultado::Sigue && !sentencias.empty();
        });
        if (!armada) return resultado;

        // A refused order is listed and counted in the run's end box, not shown in a box of its own.
        constexpr ModoLote kSinAviso{.muestraMensaje = false};
        long nativo = 0;
        std::string enviado, textoError;
        EjecutaLote(sentencias, kSinAviso, ventana_.HuboError, nativo, true, true, enviado, textoError);
        if (ventana_.HuboError) {
            ++c.errores;
            corrida_.listaError(corrida_.registraFallo(
                fmt::format("Recepción de la orden {} del proveedor {}, comprobante {}: {}", orden.orden.par(), orden.cuenta, id,
                            textoError)));
        } else {
            ++c.grabados;
        }
        return Resultado::Sigue;
    }

    // The order's batch; `sentencias` stays empty when the order is not to be run.
    Resultado armaLote(const Pendiente& orden, ListaSentencias& sentencias)
    {
        const std::string id = orden.orden.id();
        std::string suc, nro;
        bool modifica = false;
        if (!Obtener_Nro_Comprobante("IR", suc, nro, letra_, modifica, true, "", ""))
            return rechaza(fmt::format("Orden {}: no hay número de recepción IR; no se reciben ni ella ni las que siguen", id),
                           Resultado::Termina);
        const std::string recepcion = suc + nro + letra_;
        if (hayFilas("SELECT ID FROM V_MV_STOCK WHERE TC = " + sql(kTipoRecepcion) + " AND IDCOMPROBANTE = " + sql(recepcion)))
            return rechaza(fmt::format("Orden {}: el número de recepción {} ya está en los movimientos de stock; no se "
                                       "reciben ni ella ni las que siguen",
                                       id, recepcion),
                           Resultado::Termina);

        std::string textoStock;
        const EstadoPosteo posteo = posteaStock(recepcion, orden, textoStock);
        if (posteo == EstadoPosteo::SinNumero)
            return rechaza(fmt::format("Orden {}: no hay número de comprobante PE para descargar los insumos; no se "
                                       "reciben ni ella ni las que siguen",
                                       id),
                           Resultado::Termina);
        if (posteo == EstadoPosteo::Fallido || base::trim(textoStock).empty())
            return rechaza(fmt::format("Orden {}: su stock no pudo armarse; no se recibe", id));

        std::string textoNumeracion;
        const long usado = gUtilidades().ValorEntero(nro);
        if (!GrabaNumeroComprobante("IR", "STOCK", suc, " " + std::to_string(usado + 1), letra_, true, textoNumeracion,
                                    false))
            return rechaza(fmt::format("Orden {}: el número de recepción {} no pudo registrarse en su talonario; no se "
                                       "reciben ni ella ni las que siguen",
                                       id, recepcion),
                           Resultado::Termina);

        sentencias.push_back("UPDATE C_MV_CPTE SET IDDEPOSITORECEPCION = " + sql(kDepositoRecepcion) + " WHERE TC = " +
                             sql(kTipoOrden) + " AND IDCOMPROBANTE = " + sql(id));
        sentencias.push_back(textoStock);
        sentencias.push_back(textoNumeracion);
        if (!orden.lineas.empty()) sentencias.push_back(marca(orden, recepcion));
        // The descriptions of this reception's movements and of its discharge's.
        const std::string descripcion =
            " SET DESCRIPCION = COALESCE((SELECT DESCRIPCION FROM V_MA_ARTICULOS WHERE V_MA_ARTICULOS.IDARTICULO = "
            "V_MV_STOCK.IDARTICULO), '')";
        sentencias.push_back("UPDATE V_MV_STOCK" + descripcion + " WHERE TC = " + sql(kTipoRecepcion) +
                             " AND IDCOMPROBANTE = " + sql(recepcion));
        sentencias.push_back("UPDATE V_MV_STOCK" + descripcion + " WHERE TC_ORIGEN = " + sql(kTipoRecepcion) +
                             " AND IDCOMPROBANTE_ORIGEN = " + sql(recepcion));
        sentencias.push_back({});
        return Resultado::Sigue;
    }

    // The stored lines the order's rows were received on, and no other.
    std::string marca(const Pendiente& orden, const std::string& recepcion) const
    {
        return "UPDATE C_MV_CPTEINSUMOS SET CONTROLADOPOR = " + sql("RECEPCIONADO|" + recepcion) + " WHERE ID IN (" +
               fmt::format("{}", fmt::join(orden.lineas, ",")) + ")";
    }

    enum class EstadoPosteo { Hecho, Fallido, SinNumero };

    EstadoPosteo posteaStock(const std::string& recepcion, const Pendiente& orden, std::string& textoStock);

    CorridaOrdenes& corrida_;
    Importar& ventana_;
    Pendiente pendiente_;
    std::vector<std::string> titulos_;  // the captions the layout gave the grid
    std::string letra_;  // the reception letter, passed on from one order to the next
};

FaseRecepciones::EstadoPosteo FaseRecepciones::posteaStock(const std::string& recepcion, const Pendiente& orden,
                                                           std::string& textoStock)
{
    // The day of the import, as the platform writes a date.
    std::string fecha = base::Value(programClock().now().dateOnly()).toText();
    std::string deposito = kDepositoRecepcion, destino, motivo, tcOrigen = "OC", origen = orden.orden.id();
    std::string cuenta = orden.cuenta, tecnico = "Null", loteFijo, aduana, loteOrigen, vendedor;
    bool transferencia = false, genera = true, hayError = false, cartel = false;
    std::int16_t signo = 0;
    ClsCmnCptes& motor = ventana_.CmnCptes();
    motor.ActualizaStock(ventana_.MSFlexGrid2, "IR", recepcion, "0", fecha, &deposito, &destino, &motivo, &tcOrigen,
                         &origen, &transferencia, &cuenta, &genera, &textoStock, &hayError, &tecnico, &loteFijo, &aduana,
                         &loteOrigen, &signo, &cartel, &vendedor);
    if (motor.DescargaSinNumero) return EstadoPosteo::SinNumero;
    return hayError ? EstadoPosteo::Fallido : EstadoPosteo::Hecho;
}

}  // namespace

bool ImportaRecepciones(CorridaOrdenes& corrida) { return FaseRecepciones(corrida).ejecuta(); }

}  // namespace ordenes

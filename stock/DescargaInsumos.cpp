#include "stock/DescargaInsumos.h"

#include "core/BatchRunner.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "numbering/NumberingBooklets.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Prompter.h"
#include "stock/Stock.h"

#include <vector>

namespace {

// Grid columns the discharge reads.
constexpr long kIdArticulo = 0, kDescripcion = 1, kIdUnidad = 5, kIdDepositoArt = 6, kCantidad = 7, kCoeficiente = 8;
constexpr long kIdUnidadEquiv = 9, kCantidadEquiv = 10, kAuxCpteOrigen = 34, kCosto = 38, kIdUnidadBase = 41;
constexpr long kInsumosPorPorcentaje = 68, kCantidadUD = 74, kPesable = 76;

// The "PE" voucher the discharge writes under: branch 1, letter X.
const std::string kTipoDescarga = "PE";
constexpr std::size_t kLargoDescripcion = 100;

std::string padded(std::string_view code, int width) { return gUtilidades().RellenaCodigo(base::trim(code), width); }

double numero(std::string_view text) { return gUtilidades().ValorNumerico(text).toDouble(); }

std::string textoSql(const std::string& value) { return gDB_Dll().SQLValue(base::Value(value)); }

std::string sinApostrofes(std::string_view text) { return gUtilidades().QuitaCaracteres(text, "'"); }

// A column of V_MA_ARTICULOS for the article; "" when it has none.
std::string datoArticulo(const std::string& articulo, std::string_view columna)
{
    return base::trim(gDB_Dll().DatosTabla("V_MA_ARTICULOS", base::Value(articulo), columna, "IDARTICULO"));
}

// One row to write: an article row (the line's own article) or a component row, with or without a lot.
struct Renglon {
    bool articulo = false;
    std::string codigo;     // article or component, trimmed
    std::string unidad;     // the component's unit, normalised
    double cantidad = 0;    // already signed
    bool conLote = false;
    std::string lote;       // blank for the part no lot covers
};

class Corrida {
public:
    Corrida(PosteoStock& posteo, std::string& id) : p_(posteo), id_(id) {}

    DescargaInsumos::Resultado ejecuta()
    {
        if (base::equalsIgnoringCase(base::trim(LeeConfiguracion("DescargaInsumosProduccion")), "SI") ||
            base::equalsIgnoringCase(base::trim(p_.TC), "OP"))
            return DescargaInsumos::Resultado::Completa;
        // A run that finds the id already made (a transfer's second) writes under it and leaves its booklet
        // to the run that made it.
        const bool asignaNumero = id_.empty();
        if (p_.pasada != 3) p_.Secuencia = 0;

        ui::FlexGrid& grilla = p_.grilla;
        for (long fila = 1; fila < grilla.rows(); ++fila) {
            const DescargaInsumos::Resultado resultado = descargaLinea(fila);
            if (resultado != DescargaInsumos::Resultado::Completa) return resultado;
        }
        if (!asignaNumero || id_.empty() || p_.Secuencia <= 0) return DescargaInsumos::Resultado::Completa;
        return registraNumero();
    }

private:
    // The components are per unit of the article: a line counted in bulks discharges for every unit in them.
    // The units in the base unit when the line has them, else its quantity times its units per bulk (an
    // empty or zero coefficient counting as one).
    double unidadesDeLinea(long fila) const
    {
        const ui::FlexGrid& grilla = p_.grilla;
        const double enBase = numero(grilla.textMatrix(fila, kCantidadUD));
        if (enBase > 0) return enBase;
        const double coeficiente = numero(grilla.textMatrix(fila, kCoeficiente));
        return numero(grilla.textMatrix(fila, kCantidad)) * (coeficiente == 0 ? 1 : coeficiente);
    }

    double cantidadPorcentual(long fila) const
    {
        const ui::FlexGrid& grilla = p_.grilla;
        const double enBase = numero(grilla.textMatrix(fila, kCantidadUD));
        return enBase > 0 ? enBase : numero(grilla.textMatrix(fila, kCantidad));
    }

    DescargaInsumos::Resultado descargaLinea(long fila)
    {
        const ui::FlexGrid& grilla = p_.grilla;
        const std::string articulo = base::trim(grilla.textMatrix(fila, kIdArticulo));
        if (numero(grilla.textMatrix(fila, kCantidad)) == 0 || articulo.empty())
            return DescargaInsumos::Resultado::Completa;
        const bool porcentaje = ValorLogico(grilla.textMatrix(fila, kInsumosPorPorcentaje));
        const double cantidadLinea = porcentaje ? cantidadPorcentual(fila) : unidadesDeLinea(fila);

        // Components that could not be read are not none: the article would be posted without discharging them.
        bool leidos = true;
        const bool tieneInsumos = IdArticuloTieneInsumos(articulo, gInsumos, false, &leidos);
        if (!leidos) {
            p_.HayError = true;
            return DescargaInsumos::Resultado::Fallida;
        }
        if (!tieneInsumos) return DescargaInsumos::Resultado::Completa;
        if (id_.empty()) {
            std::string suc = "0001", letra = "X";
            id_ = base::trim(AsignarNumeroComprobante(kTipoDescarga, suc, letra));
            if (id_.empty()) return sinNumero();
        }
        // The warehouse every row of the line is written to, which is also where its lots are taken.
        const std::string deposito = depositoDeLinea(fila);

        if (porcentaje) {
            Renglon propio;
            propio.articulo = true;
            propio.codigo = articulo;
            propio.cantidad = numero(grilla.textMatrix(fila, kCantidad)) * (p_.signo == -1 ? 1 : -1);
            if (!escribe(fila, propio, deposito, porcentaje)) return DescargaInsumos::Resultado::Fallida;
        }
        // A copy: the lots and descriptions read below must not disturb the components being walked.
        const std::vector<ItemCantidad> insumos = gInsumos;
        for (const ItemCantidad& insumo : insumos) {
            const std::string componente = NormalizaTexto(base::Value(insumo.CodigoItem.text()));
            if (componente.empty()) continue;
            const double cantidad = porcentaje ? cantidadLinea * insumo.CantidadItem / 100
                                               : cantidadLinea * insumo.CantidadItem;
            Renglon renglon;
            renglon.codigo = componente;
            renglon.unidad = NormalizaTexto(base::Value(insumo.UnidadItem.text()));
            std::vector<ItemCantidad> lotes;
            if (ArticuloTieneLotes(componente, deposito, lotes, cantidad)) {
                for (const ItemCantidad& lote : lotes) {
                    renglon.conLote = true;
                    renglon.lote = base::trim(lote.CodigoItem.text());
                    renglon.cantidad = lote.CantidadItem * p_.signo;
                    if (!escribe(fila, renglon, deposito, porcentaje)) return DescargaInsumos::Resultado::Fallida;
                }
            } else {
                renglon.cantidad = cantidad * p_.signo;
                if (!escribe(fila, renglon, deposito, porcentaje)) return DescargaInsumos::Resultado::Fallida;
            }
        }
        return DescargaInsumos::Resultado::Completa;
    }

    // A transfer's second run writes to the destination; otherwise the line's own warehouse, else the
    // poster's. Kept as the literal the rows carry.
    std::string depositoDeLinea(long fila) const
    {
        if (p_.pasada == 3) return p_.IdDepositoDestino;
        std::string deposito = base::trim(p_.grilla.textMatrix(fila, kIdDepositoArt));
        if (deposito.empty()) deposito = p_.IdDeposito;
        deposito = gUtilidades().RellenaCodigo(deposito, 4);
        if (deposito.empty() || deposito.back() != '\'') deposito = textoSql(deposito);
        return deposito;
    }

    // The supplier account of the row: the poster's, or with "PorDefault" the article's own (the line's
    // article on every row of a percentage line). Empty when the row carries none.
    std::string cuentaProveedor(long fila, const Renglon& renglon, bool porcentaje) const
    {
        std::string cuenta = base::trim(p_.Cuenta);
        if (base::equalsIgnoringCase(cuenta, "PorDefault")) {
            const std::string clave = porcentaje ? padded(p_.grilla.textMatrix(fila, kIdArticulo), 25)
                                                 : padded(renglon.codigo, 25);
            cuenta = datoArticulo(clave, "CUENTAPROVEEDOR");
            if (cuenta.empty()) cuenta = "NULL";
        }
        if (base::equalsIgnoringCase(base::trim(cuenta), "NULL")) return {};
        return cuenta;
    }

    bool escribe(long fila, const Renglon& r, const std::string& deposito, bool porcentaje)
    {
        const ui::FlexGrid& grilla = p_.grilla;
        ++p_.Secuencia;
        const std::string componente = padded(r.codigo, 25);

        AgregaCampo("TC", base::Value(padded(kTipoDescarga, 4)), "'", true);
        AgregaCampo("IdComprobante", base::Value(id_), "'", false);
        if (!p_.compras) AgregaCampo("IdComplemento", base::Value(p_.IdComplemento), "", false);
        AgregaCampo("Secuencia", base::Value(std::to_string(p_.Secuencia)), "", false);
        AgregaCampo("Fecha", base::Value(p_.Fecha), "", false);
        AgregaCampo("IdDeposito", base::Value(deposito), "", false);
        AgregaCampo("IdArticulo", base::Value(componente), "'", false);
        if (r.articulo) {
            const std::string descripcion = base::left(base::trim(grilla.textMatrix(fila, kDescripcion)),
                                                       static_cast<long>(kLargoDescripcion));
            AgregaCampo("Descripcion", base::Value(sinApostrofes(descripcion)), "'", false);
            AgregaCampo("IdUnidad", base::Value(gUtilidades().RellenaCodigo(grilla.textMatrix(fila, kIdUnidad), 4)), "'",
                        false);
            agregaCantidadUD(fila);
        } else {
            AgregaCampo("Descripcion", base::Value(sinApostrofes(datoArticulo(componente, "DESCRIPCION"))), "'", false);
            // The part of a component no lot covers moves without one, as the poster's own rows do.
            if (r.conLote)
                AgregaCampo("NroLote", r.lote.empty() ? base::Value::null() : base::Value(padded(r.lote, 25)), "'", false);
            AgregaCampo("IdUnidad", r.unidad.empty() ? base::Value::null() : base::Value(padded(r.unidad, 4)), "'", false);
        }
        AgregaCampo("Cantidad", base::Value(r.cantidad), "@", false);
        const std::string cuenta = cuentaProveedor(fila, r, porcentaje);
        if (!cuenta.empty()) AgregaCampo("CuentaProveedor", base::Value(cuenta), "'", false);
        AgregaCampo("IdMotivoStock", base::Value(p_.IdMotivoStock), "", false);
        AgregaCampo("PrecioVenta", base::Value(0), "@", false);
        AgregaCampo("Importe_S_iva", base::Value(0), "@", false);
        const double costo = r.articulo ? numero(grilla.textMatrix(fila, kCosto)) : numero(datoArticulo(componente, "Costo"));
        AgregaCampo("Costo", base::Value(costo), "@", false);
        if (p_.tcOrigenDelGrid) {
            p_.TcOrigenCodigo = base::trim(base::left(grilla.textMatrix(fila, kAuxCpteOrigen), 4));
            p_.TcOrigen = textoSql(p_.TcOrigenCodigo);
        }
        AgregaCampo("Tc_Origen", base::Value(padded(p_.TC, 4)), "'", false);
        AgregaCampo("IdComprobante_Origen", base::Value(p_.SucNroLetra), "'", false);
        AgregaCampo("ControladoPor", base::Value(base::trim(grilla.textMatrix(fila, kIdArticulo))), "'", false);

        std::string sentencia = "INSERT INTO V_MV_STOCK";
        ArmaValores(sentencia, gCampos, true);
        return envia(sentencia);
    }

    // The base-unit quantity of an article row: a weighable article's own, or with confirmed equivalent
    // units the equivalent quantity; otherwise the row carries none. Reversed as the row's quantity is.
    void agregaCantidadUD(long fila)
    {
        const ui::FlexGrid& grilla = p_.grilla;
        const double inverso = p_.signo == -1 ? 1 : -1;
        if (ValorLogico(base::trim(grilla.textMatrix(fila, kPesable)))) {
            AgregaCampo("CantidadUD", base::Value(numero(grilla.textMatrix(fila, kCantidadUD)) * inverso), "@", false);
            AgregaCampo("IdUnidadBase", base::Value(padded(grilla.textMatrix(fila, kIdUnidadBase), 4)), "'", false);
        } else if (base::equalsIgnoringCase(base::trim(LeeConfiguracion("ConfirmaUDEquiv")), "SI")) {
            AgregaCampo("CantidadUD", base::Value(numero(grilla.textMatrix(fila, kCantidadEquiv)) * inverso), "@", false);
            AgregaCampo("IdUnidadBase", base::Value(padded(grilla.textMatrix(fila, kIdUnidadEquiv), 4)), "'", false);
        }
    }

    // Collected into the caller's batch, or executed at once as a unit of its own; a failure at once is told
    // and ends the poster.
    bool envia(const std::string& sentencia)
    {
        if (p_.GeneraSentenciaSQL) {
            p_.SQLTemp += "\r" + sentencia;
            return true;
        }
        static const ModoLote kSola{false, false, false, false, false};
        bool fallo = false;
        long codigo = 0;
        std::string lote, textoError;
        EjecutaLote({sentencia}, kSola, fallo, codigo, false, false, lote, textoError);
        if (!fallo) return true;
        std::string mensaje = textoError.substr(0, textoError.find_first_of("\r\n"));
        if (const std::size_t separador = mensaje.find(" : "); separador != std::string::npos)
            mensaje = mensaje.substr(separador + 3);
        const int respuesta = programPrompter().msgBox(mensaje, ui::vbOKOnly | ui::vbCritical, "Aviso al operador");
        gDB_Dll().registraError(mensaje, "ActualizaStock", respuesta);
        p_.HayError = true;
        return false;
    }

    // The booklet advanced past the number used, with the rows: in the caller's batch, or at once.
    DescargaInsumos::Resultado registraNumero()
    {
        const std::string suc = base::mid(id_, 1, 4);
        const long usado = gUtilidades().ValorEntero(base::mid(id_, 5, 8));
        std::string letra = base::mid(id_, 13, 1);
        std::string texto;
        if (!GrabaNumeroComprobante(kTipoDescarga, "STOCK", suc, " " + std::to_string(usado + 1), letra, true, texto,
                                    false))
            return sinNumero();
        if (base::trim(texto).empty()) return DescargaInsumos::Resultado::Completa;
        return envia(texto) ? DescargaInsumos::Resultado::Completa : DescargaInsumos::Resultado::Fallida;
    }

    DescargaInsumos::Resultado sinNumero()
    {
        p_.HayError = true;
        return DescargaInsumos::Resultado::SinNumero;
    }

    PosteoStock& p_;
    std::string& id_;
};

}  // namespace

DescargaInsumos::Resultado DescargaInsumos::ejecuta(PosteoStock& posteo)
{
    gCampos.clear();
    return Corrida(posteo, id_).ejecuta();
}

// The legacy stock history: every record of VENTAS, COMPRAS or MOVSTK becomes one row of V_MV_STOCKHIS, in
// a transaction of its own. The history keeps what the legacy system had: a movement of an article or an
// account the ERP does not know is written all the same, with the article's code as its description.
//
// A record without a readable date, article code or quantity is refused, never written without that
// column; a row the database refuses is rolled back. Each is logged, listed and named in Text1, and the run
// goes on; one box at the end counts them. A second run writes every row again: the history is emptied
// with the other movements before it is imported.

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/MasterLookups.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/movements/ImportRun.h"
#include "importer/movements/LegacyRecord.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>

#include <cctype>

namespace {

constexpr std::string_view kRutina = "ImportaMovimientosStock";
constexpr long kTipoIncorrecto = 13;

// The legacy table a kind of movement comes from, and the price class its rows carry.
struct Fuente {
    std::string sentencia;
    std::string tabla;
    int clasePrecio;
};

Fuente fuenteDe(std::string_view tipo)
{
    if (base::equalsIgnoringCase(tipo, "Ventas")) return {"SELECT * FROM VENTAS ", "VENTAS", 4};
    if (base::equalsIgnoringCase(tipo, "Compras")) return {"Select * from COMPRAS ", "COMPRAS", 1};
    return {"Select * from MOVSTK ", "MOVSTK", 0};
}

// The legacy number without its separators; a number without a letter of its own gets "X".
std::string idComprobante(const std::string& leido)
{
    const std::string numero = base::rightTrim(leido);
    if (numero.empty()) return numero;
    const char ultima = static_cast<char>(std::toupper(static_cast<unsigned char>(numero.back())));
    std::string id = base::replace(numero, "-", "");
    if (std::string_view("ABCMRX").find(ultima) == std::string_view::npos) id += 'X';
    return id;
}

// The account before its "/" suffix.
std::string cuentaDe(const std::string& leida)
{
    const std::string cuenta = base::trim(leida);
    return cuenta.substr(0, cuenta.find('/'));
}

// "KG" in whatever case the legacy system wrote it; any other unit is counted in units.
std::string unidadDe(const std::string& leida)
{
    const std::string unidad = base::trim(leida);
    return base::equalsIgnoringCase(unidad, "KG") ? unidad : std::string("UN");
}

class HistoriaStock {
public:
    HistoriaStock(Importar& ventana, std::string_view tipo)
        : corrida_(ventana, std::string(kRutina)), ventana_(ventana), fuente_(fuenteDe(tipo))
    {
    }

    void ejecuta()
    {
        gCampos.clear();
        corrida_.preparaListaErrores();
        db::Recordset origen;
        if (!corrida_.abre(fuente_.sentencia, origen)) return;

        ImportLoop bucle(ventana_, fuente_.tabla, corrida_.contadores);
        ImportLoop::PasosPorRegistro pasos = corrida_.pasos("");
        pasos.progreso = [&](const ContadoresImportacion& c) { return progreso(origen, c); };
        pasos.arma = [&](ListaSentencias& lote, std::int32_t registro, std::string&) {
            registro_ = registro;
            lote.push_back(fila(movimientos::CamposLegado(origen, fuente_.tabla, registro, kRutina)));
            return ImportLoop::Destino::Escribe;
        };
        pasos.trataError = [this](const base::Error& error, int botones) { return rechaza(error, botones); };
        pasos.ejecuta = [this](const ListaSentencias& lote, std::string& textoError) { return graba(lote, textoError); };
        const ImportLoop::Fin fin = bucle.porRegistro(origen, pasos);
        gDB_Dll().CierraRecordset(origen);
        corrida_.termina(fin, fuente_.tabla);
    }

private:
    // The record's date glued to the counters, the record in hand counted from 1.
    std::string progreso(db::Recordset& origen, const ContadoresImportacion& c) const
    {
        std::string fecha;
        try {
            fecha = gUtilidades().NuloACadena(origen.field("FECH_FTE").value());
        } catch (const base::Error&) {
            // The record's own reading names the field.
        }
        return fmt::format("{}Leidos {} Grabados:{} Errores: {}\r\n Inicio: {} transcurrido: {} Min. (Promedio x minuto: {} ) ",
                           fecha, c.leidos + 1, c.grabados, c.errores, base::Value(c.inicio).toText(), c.minutos,
                           c.promedio);
    }

    std::string fila(const movimientos::CamposLegado& campos)
    {
        Utilidades& util = gUtilidades();
        const base::DateTime fecha = campos.fecha("FECH_FTE");
        const std::string codigo = base::trim(campos.texto("Codi_fte"));
        if (codigo.empty())
            throw base::Error(kTipoIncorrecto,
                              fmt::format("Tabla {}, registro {}, campo Codi_fte: está vacío y hace falta un artículo",
                                          fuente_.tabla, registro_),
                              std::string(kRutina));
        const base::Currency cantidad = campos.numero("Cant_fte");
        const std::string tipo = base::trim(campos.texto("TC_fte"));
        const base::Currency signo = base::Currency::fromInteger(base::equalsIgnoringCase(tipo, "NC") ? 1 : -1);
        const base::Currency alicuota = campos.numeroOCero("Alic_fte");
        const base::Currency precio = campos.numeroOCero("Pven_fte");
        const base::Currency sinIva = alicuota > base::Currency() ? movimientos::cociente(precio, alicuota) : precio;
        const std::string unidad = util.RellenaCodigo(unidadDe(campos.texto("Unid_fte")), 4);

        const auto texto = [](std::string_view columna, std::string valor) {
            AgregaCampo(columna, base::Value(std::move(valor)), "'", false);
        };
        const auto numero = [](std::string_view columna, base::Value valor) { AgregaCampo(columna, valor, "@", false); };
        AgregaCampo("TC", base::Value(util.RellenaCodigo(tipo, 4)), "'", true);
        texto("IdComprobante", idComprobante(campos.texto("IDco_fte")));
        texto("CuentaProveedor", cuentaDe(campos.texto("CCLI_fte")));
        numero("Secuencia", campos.numeroOCero("Secu_fte"));
        AgregaCampo("Fecha", base::Value(fecha), "'", false);
        texto("IdArticulo", util.RellenaCodigo(codigo, 25));
        texto("Descripcion", descripcionDe(codigo));
        texto("IdUnidad", unidad);
        texto("IdUnidadBase", unidad);
        numero("Cantidad", signo * cantidad);
        numero("CantidadUd", signo * cantidad);
        numero("ClasePrecio", fuente_.clasePrecio);
        texto("IdCaja", "   1");
        texto("IdDeposito", util.RellenaCodigo(base::trim(campos.texto("Depo_fte")), 4));
        numero("Costo", campos.numeroOCero("Cost_fte"));
        numero("IVARI", alicuota);
        numero("PrecioVenta", precio);
        numero("importe_s_iva", util.ValorNumerico(FormatoNumerico(sinIva.toText(), -1)));
        texto("UNEGOCIO", util.RellenaCodigo(base::trim(campos.texto("Unne_fte")), 4));
        texto("IdMotivoStock", util.RellenaCodigo(base::trim(campos.texto("IdMo_fte")), 4));
        numero("Transmision", 4);
        numero("Revisado", 0);
        numero("Anulado", 0);
        texto("usuario", gUsuarioLogeado);
        std::string sentencia = "INSERT INTO V_MV_STOCKHIS ";
        ArmaValores(sentencia, gCampos, true);
        return sentencia;
    }

    // The ERP's description of the article, or the legacy code when the ERP does not know it.
    static std::string descripcionDe(const std::string& codigo)
    {
        std::string buscado = codigo, descripcion;
        bool porCodigoBarra = false;
        db::Recordset articulo;
        if (!BuscaArticulo(buscado, &articulo, true, porCodigoBarra, descripcion)) return codigo;
        gDB_Dll().CierraRecordset(articulo);
        return base::trim(descripcion);
    }

    // A record that cannot be read is refused and the run goes on; a source that cannot be read further is
    // shown and ends it.
    int rechaza(const base::Error& error, int botones)
    {
        if (botones == (ui::vbOKOnly | ui::vbCritical)) return corrida_.trataError(error, botones);
        gDB_Dll().registraError(error.description(), kRutina, base::answers::kIgnore);
        ventana_.Text1.text = error.description();
        ventana_.cambio();
        return base::answers::kIgnore;
    }

    ImportLoop::Escritura graba(const ListaSentencias& lote, std::string& textoError)
    {
        bool hayError = false;
        long codigo = 0;
        std::string errores;
        ventana_.gActualizarDatosScript3(lote, hayError, &codigo, false, true, nullptr, &errores);
        if (!hayError && codigo == 0) return ImportLoop::Escritura::Grabado;
        ventana_.Text1.text = errores;
        textoError = fmt::format("Tabla {}, registro {}: {}", fuente_.tabla, registro_, errores.substr(0, errores.find_last_not_of("\r\n ") + 1));
        gDB_Dll().registraError(textoError, kRutina, 0);
        ventana_.cambio();
        return ImportLoop::Escritura::Fallido;
    }

    movimientos::CorridaImportacion corrida_;
    Importar& ventana_;
    Fuente fuente_;
    std::int32_t registro_ = 0;
};

}  // namespace

void Importar::ImportaMovimientosStock(std::string_view tipo) { HistoriaStock(*this, tipo).ejecuta(); }

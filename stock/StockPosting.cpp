// Posting a voucher's article lines to stock: the passes over the grid, the movements of each line, their
// statements executed at once or collected for the caller's batch, and the accounting entry.

#include "core/BatchRunner.h"
#include "core/Cartel.h"
#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Prompter.h"
#include "stock/ClsCmnCptes.h"
#include "stock/DescargaInsumos.h"
#include "stock/MovementPieces.h"
#include "stock/MovementRow.h"
#include "stock/StockPostingPreparation.h"

#include <set>

namespace {

// Executing, each movement with its entry lines is one unit of its own: the runner shows and records
// nothing, the posting tells the operator.
const ModoLote kMovimientoSolo{false, false, false, false, false};

bool tcIs(const PreparacionStock& p, std::string_view code) { return base::equalsIgnoringCase(p.tcRecortado, code); }

// The kind of accounting entry the movements make, from the voucher type, its origin, a loan and the account.
int entryKind(const PreparacionStock& p, const EstadoPosteo& e)
{
    const auto from = [&](std::string_view code) { return base::equalsIgnoringCase(e.tcOrigenCodigo, code); };
    if (tcIs(p, "IR") && from("OC")) return 5;
    if (tcIs(p, "RMC")) return 5;
    if (tcIs(p, "IR") && from("RM")) return 4;
    if (tcIs(p, "RM") && e.comodato) return 2;
    const std::string centro = base::trim(LeeConfiguracion("CuentaCtroDist"));
    if (tcIs(p, "RM") && !centro.empty() && base::equalsIgnoringCase(base::trim(p.cuenta), centro)) return 3;
    if (tcIs(p, "RM")) return 1;
    return 0;
}

// The first error's description in the runner's error text ("native : description" lines).
std::string firstDescription(const std::string& textoError)
{
    std::string line = textoError.substr(0, textoError.find_first_of("\r\n"));
    const std::size_t separator = line.find(" : ");
    return separator == std::string::npos ? line : line.substr(separator + 3);
}

// An error of the posting goes to the error treatment; one a retry does not cure leaves HayError set.
int treatError(const base::Error& error, bool& hayError)
{
    gCartel().CierraCartel();
    const int answer = gDB_Dll().TratamientoErrores(error, {}, "ActualizaStock");
    if (answer != base::answers::kRetry) hayError = true;
    return answer;
}

void avisoAlOperador(const std::string& mensaje)
{
    const int answer = programPrompter().msgBox(mensaje, ui::vbCritical, "Aviso al operador");
    gDB_Dll().registraError(mensaje, "ActualizaStock", answer);
}

// One posting: the grid, the prepared arguments and what has been written so far.
class Posteo {
public:
    Posteo(ClsCmnCptes& motor, ui::FlexGrid& grilla, const ArgumentosStock& argumentos, const PreparacionStock& p,
           bool muestraCartel, bool& hayError)
        : motor_(motor), grilla_(grilla), argumentos_(argumentos), p_(p), muestraCartel_(muestraCartel),
          hayError_(hayError), trap_([this](const base::Error& error) {
              const int answer = treatError(error, hayError_);
              if (answer != base::answers::kRetry) fallida_ = true;
              return answer;
          })
    {
        estado_.secuencia = p.secuencia;
        estado_.motivo = p.motivo;
        estado_.tcOrigen = p.tcOrigen;
        estado_.tcOrigenCodigo = p.tcOrigenCodigo;
        estado_.comprobanteOrigen = p.comprobanteOrigen;
    }

    // Runs the passes. False when the posting was stopped: by the operator, or by a movement that failed.
    bool passes()
    {
        for (estado_.pasada = 1; estado_.pasada <= p_.pasadas; ++estado_.pasada) {
            estado_.signo = p_.signo;
            if (p_.esTransferencia) estado_.signo = estado_.pasada == 1 ? -1 : 1;
            if (p_.produccion) estado_.signo = estado_.pasada == 1 ? 1 : -1;
            const long rows = grilla_.rows();
            for (long fila = 1; fila < rows; ++fila)
                if (!postLine(fila)) return false;
        }
        return true;
    }

    // Collecting: the statements this posting adds to the caller's batch, the origin's reception ahead of
    // the movements and the accounting entry last. Nothing when no movement was posted.
    std::string collected()
    {
        if (movimientos_ == 0) return {};
        std::string entry;
        trap_.step([&] { entry = accountingEntry(entryKind(p_, estado_), 0); });
        if (trap_.left()) return {};
        std::string text;
        if (!p_.recepcion.empty()) text += "\r" + p_.recepcion;
        text += collected_;
        if (!base::trim(entry).empty()) text += "\r" + entry;
        return text;
    }

    // The components of the posted articles, after the passes: once, and for a transfer once more with the
    // sign reversed, into the destination. False when the posting stopped there.
    bool discharge()
    {
        PosteoStock posteo{grilla_, argumentos_.TC, argumentos_.SucNroLetra, p_.idComplemento, p_.fecha,
                           p_.depositoDeLinea, p_.depositoDestino, estado_.motivo, p_.cuenta, estado_.tcOrigen,
                           estado_.tcOrigenCodigo, p_.tcOrigenDelGrid, argumentos_.GeneraSentenciaSQL, collected_,
                           hayError_, estado_.signo, p_.pasadas + 1, estado_.secuencia, p_.compras};
        DescargaInsumos descarga;
        for (int run = 0; run < (p_.esTransferencia ? 2 : 1); ++run) {
            if (run == 1) {
                posteo.pasada = 3;
                posteo.signo = -posteo.signo;
            }
            DescargaInsumos::Resultado resultado = DescargaInsumos::Resultado::Completa;
            trap_.step([&] { resultado = descarga.ejecuta(posteo); });
            if (trap_.left()) return false;
            if (resultado == DescargaInsumos::Resultado::SinNumero) motor_.DescargaSinNumero = true;
            if (resultado != DescargaInsumos::Resultado::Completa) return false;
        }
        return true;
    }

    bool left() const { return trap_.left(); }
    // An error met and not cured by a retry, whether the operator left the posting or went on past it.
    bool fallida() const { return fallida_; }
    const EstadoPosteo& estado() const { return estado_; }

private:
    const std::string& cell(long fila, long col) const { return grilla_.textMatrix(fila, col); }

    bool postLine(long fila)
    {
        std::vector<PiezaMovimiento> piezas;
        UnidadBaseDeLinea unidadBase;
        trap_.step([&] { piezas = piecesOf(fila, unidadBase); });
        if (trap_.left()) return false;
        for (const PiezaMovimiento& pieza : piezas) {
            trap_.step([&] { postMovement(fila, pieza, unidadBase); });
            if (trap_.left() || detenido_) return false;
        }
        return true;
    }

    // The movements of a line in this pass; none for a line without article or quantity, or one that belongs
    // to the other pass of a production order.
    std::vector<PiezaMovimiento> piecesOf(long fila, UnidadBaseDeLinea& unidadBase)
    {
        const Utilidades& u = gUtilidades();
        const base::Currency cantidad = u.ValorNumerico(cell(fila, 7));
        if (cantidad == base::Currency() || base::trim(cell(fila, 0)).empty()) return {};
        if (p_.produccion && (estado_.pasada == 1) != (cell(fila, 28) == "-1")) return {};
        if (estado_.signo < 0 && base::trim(cell(fila, 61)).empty()) grilla_.setTextMatrix(fila, 61, "0");
        const std::string perecedero = base::trim(cell(fila, 46));
        const LineaDePiezas linea{cantidad,
                                  ValorLogico(base::trim(cell(fila, 19))),
                                  ValorLogico(perecedero.empty() ? "0" : perecedero),
                                  ValorLogico(base::trim(cell(fila, 61))),
                                  cell(fila, 21),
                                  cell(fila, 22)};
        std::vector<PiezaMovimiento> piezas = PiezasDeLinea(motor_, linea, estado_.signo, p_.esTransferencia, p_.loteFijo);
        unidadBase = UnidadBaseDeLaLinea(grilla_, fila, p_);
        ReparteCantidadUD(piezas, cantidad, unidadBase.cantidad);
        return piezas;
    }

    void postMovement(long fila, const PiezaMovimiento& pieza, const UnidadBaseDeLinea& unidadBase)
    {
        // A movement that does not get written gives its number back.
        struct Numero {
            std::int32_t& secuencia;
            bool usado = false;
            ~Numero() { if (!usado) --secuencia; }
        } numero{++estado_.secuencia};
        ArmaMovimientoStock(grilla_, fila, pieza, unidadBase, p_, estado_);
        std::string insert = "INSERT INTO V_MV_STOCK ";
        ArmaValores(insert, gCampos, true);
        if (muestraCartel_)
            gCartel().ActualizaCartel(0, "Grabando Stock...", base::trim(cell(fila, 0)) + "  " + cell(fila, 1),
                                      std::to_string(fila) + " de " + std::to_string(grilla_.rows() - 1));
        if (argumentos_.GeneraSentenciaSQL) collected_ += "\r" + insert;
        else execute(fila, insert);
        numero.usado = true;
        ++movimientos_;
    }

    // Executing: the movement, the origin's reception with the first one and the line's entry with its first
    // movement run as one unit. A unit that fails stops the posting; the movements before it stay.
    void execute(long fila, const std::string& insert)
    {
        ListaSentencias unidad;
        if (movimientos_ == 0 && !p_.recepcion.empty()) unidad.push_back(p_.recepcion);
        unidad.push_back(insert);
        if (filasConAsiento_.insert(fila).second) unidad.push_back(accountingEntry(0, fila));
        bool fallo = false;
        long codigo = 0;
        std::string lote, textoError;
        EjecutaLote(unidad, kMovimientoSolo, fallo, codigo, false, false, lote, textoError);
        if (!fallo) return;
        gCartel().CierraCartel();
        avisoAlOperador(firstDescription(textoError));
        hayError_ = true;
        detenido_ = true;
    }

    std::string accountingEntry(int tipoMov, long soloRegistro)
    {
        std::string motivo = estado_.motivo;
        std::string tc = argumentos_.TC;
        std::string suc = base::mid(argumentos_.SucNroLetra, 1, 4);
        std::string nro = base::mid(argumentos_.SucNroLetra, 5, 8);
        std::string letra = base::mid(argumentos_.SucNroLetra, 13, 1);
        bool esDebito = true;
        int secuencia = 1;
        return motor_.GeneraAsientoStock(grilla_, motivo, tc, suc, nro, letra, argumentos_.Fecha, esDebito, tipoMov,
                                         soloRegistro, &secuencia);
    }

    ClsCmnCptes& motor_;
    ui::FlexGrid& grilla_;
    const ArgumentosStock& argumentos_;
    const PreparacionStock& p_;
    const bool muestraCartel_;
    bool& hayError_;
    base::ErrorTrap trap_;
    EstadoPosteo estado_;
    std::string collected_;
    long movimientos_ = 0;
    std::set<long> filasConAsiento_;
    bool detenido_ = false;
    bool fallida_ = false;
};

}  // namespace

void ClsCmnCptes::ActualizaStock(ui::FlexGrid& MSFlexGrid2, std::string TC, std::string SucNroLetra,
                                 std::string IdComplemento, std::string& Fecha, std::string* IdDeposito,
                                 std::string* IdDepositoDestino, std::string* IdMotivoStock, std::string* TcOrigen,
                                 std::string* ComprobanteOrigen, bool* EsTransferencia, std::string* Cuenta,
                                 bool* GeneraSentenciaSQL, std::string* SQLTemp, bool* HayError, std::string* IdTecnico,
                                 std::string* LoteFijo, std::string* Aduana, std::string* LoteOrigen,
                                 std::int16_t* SignoRemota, bool* MuestraCartel, std::string* IdVendedor)
{
    ArgumentosStock argumentos;
    argumentos.TC = std::move(TC);
    argumentos.SucNroLetra = std::move(SucNroLetra);
    argumentos.IdComplemento = std::move(IdComplemento);
    argumentos.Fecha = Fecha;
    if (IdDeposito) argumentos.IdDeposito = *IdDeposito;
    if (IdDepositoDestino) argumentos.IdDepositoDestino = *IdDepositoDestino;
    if (IdMotivoStock) argumentos.IdMotivoStock = *IdMotivoStock;
    if (TcOrigen) argumentos.TcOrigen = *TcOrigen;
    if (ComprobanteOrigen) argumentos.ComprobanteOrigen = *ComprobanteOrigen;
    if (EsTransferencia) argumentos.EsTransferencia = *EsTransferencia;
    if (Cuenta) argumentos.Cuenta = *Cuenta;
    if (GeneraSentenciaSQL) argumentos.GeneraSentenciaSQL = *GeneraSentenciaSQL;
    if (IdTecnico) argumentos.IdTecnico = *IdTecnico;
    if (LoteFijo) argumentos.LoteFijo = *LoteFijo;
    if (Aduana) argumentos.Aduana = *Aduana;
    if (LoteOrigen) argumentos.LoteOrigen = *LoteOrigen;
    if (SignoRemota) argumentos.SignoRemota = *SignoRemota;
    if (IdVendedor) argumentos.IdVendedor = *IdVendedor;
    bool noError = false;
    bool& hayError = HayError ? *HayError : noError;
    const bool muestraCartel = MuestraCartel && *MuestraCartel;

    DescargaSinNumero = false;
    Cartel& cartel = gCartel();
    if (muestraCartel) cartel.AbreCartel("Grabando Stock....", 0);

    // A posting whose arguments could not be settled is not begun, whatever the operator answers.
    PreparacionStock preparacion;
    ResultadoPreparacion preparada;
    bool preparado = false;
    base::ErrorTrap trap([&](const base::Error& error) { return treatError(error, hayError); });
    trap.step([&] {
        preparada = PreparaStock(*this, argumentos, preparacion);
        preparado = true;
    });
    if (!preparado) {
        cartel.CierraCartel();
        hayError = true;
        return;
    }
    if (preparada.tipo != ResultadoPreparacion::Tipo::Lista) {
        cartel.CierraCartel();
        if (preparada.tipo == ResultadoPreparacion::Tipo::DatoInvalido) avisoAlOperador(preparada.mensaje);
        hayError = true;
        return;
    }
    if (IdDeposito) *IdDeposito = preparacion.deposito;
    if (IdDepositoDestino) *IdDepositoDestino = preparacion.depositoDestino;

    Posteo posteo(*this, MSFlexGrid2, argumentos, preparacion, muestraCartel, hayError);
    const bool completo = posteo.passes() && posteo.discharge();
    if (IdMotivoStock) *IdMotivoStock = posteo.estado().motivo;
    if (TcOrigen) *TcOrigen = posteo.estado().tcOrigen;
    if (ComprobanteOrigen) *ComprobanteOrigen = posteo.estado().comprobanteOrigen;
    if (!completo) return;  // the caller's batch stays as it was: no batch carries half a voucher

    cartel.CierraCartel();
    if (argumentos.GeneraSentenciaSQL) {
        const std::string text = posteo.collected();
        // A movement or an entry passed over would leave the rest to be committed without it.
        if (!posteo.fallida() && SQLTemp) *SQLTemp += text;
    }
}

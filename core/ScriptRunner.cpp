#include "core/ScriptRunner.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/EjecutaStart.h"
#include "core/Entorno.h"
#include "core/ProgramServices.h"
#include "core/ProgressBar.h"
#include "core/StartUp.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Format.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"
#include "platform/os/Clock.h"
#include "platform/os/PathMapping.h"
#include "platform/os/TextFile.h"
#include "platform/ui/EventPump.h"
#include "platform/ui/Prompter.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
#include <optional>
#include <vector>

namespace {

bool contiene(std::string_view texto, std::string_view parte) { return base::inStr(texto, parte) > 0; }

// Errors a re-run of a script meets as a matter of course: objects not there yet (208) or there already.
constexpr std::array<long, 6> kNoSeRegistran{208, 1913, 1779, 1781, 2714, 2729};
constexpr long kObjetoInexistente = 208;

bool esBisiesto(int anio) { return (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0; }

// The same day a number of years on; 29 February becomes 28 in a year without it.
base::DateTime sumaAnios(const base::DateTime& fecha, int anios)
{
    const int anio = fecha.year() + anios;
    const int dia = fecha.month() == 2 && fecha.day() == 29 && !esBisiesto(anio) ? 28 : fecha.day();
    return base::DateTime::fromParts(anio, fecha.month(), dia);
}

std::string vistaCuentas(bool confidencial)
{
    if (confidencial) {
        return std::string("CREATE VIEW dbo.SS_MA_CUENTAS ") + " AS " + " SELECT MA_CUENTAS.* " +
               " FROM MA_CUENTAS_USUARIOS INNER JOIN " + " MA_CUENTAS ON  " +
               " MA_CUENTAS_USUARIOS.Cuenta = MA_CUENTAS.CODIGO INNER  " + " Join TA_USUARIOS ON " +
               " MA_CUENTAS_USUARIOS.GrupoUser = TA_USUARIOS.Grupo  " + " Where (TA_USUARIOS.Nombre = SYSTEM_USER)";
    }
    return std::string("CREATE VIEW dbo.SS_MA_CUENTAS ") + " AS " + " SELECT * " + " FROM MA_CUENTAS";
}

// One batch of the script and what became of it in the last pass it was sent in.
struct Lote {
    std::string texto;
    bool pendiente = true;  // sent in the next pass: every batch in the first, then those an object was missing for
    std::string enviado;
    db::ProviderError error;
};

class Ejecucion {
public:
    Ejecucion(const VentanaScript& ventana, std::filesystem::path log) : ventana_(ventana), log_(std::move(log)) {}

    void eventos()
    {
        if (ventana_.eventos) ventana_.eventos->doEvents();
    }
    void progreso(std::string_view texto) { MuestraProgreso(0, texto, ventana_.picStatus); }

    void abreLog() { salida_.emplace(log_, os::TextWriter::Mode::Append); }
    void cierraLog() { salida_.reset(); }

    // A failed batch in the log; a log that cannot be written loses the entry, the run goes on.
    void registra(long numero, std::string_view descripcion, std::string_view lote)
    {
        conErrores_ = true;
        if (!salida_) return;
        const std::string asteriscos(112, '*');
        const base::Value ahora(programClock().now());
        try {
            salida_->writeLine(asteriscos);
            salida_->writeLine(base::format(ahora, "dd/mm/yyyy") + " - " + base::format(ahora, "hh:nn:ss"));
            salida_->writeLine(fmt::format("  Error {} {}", numero, descripcion));
            salida_->writeLine(asteriscos);
            salida_->writeLine(lote);
            salida_->writeLine(asteriscos);
        } catch (const base::Error&) {
        }
    }

    bool conErrores() const { return conErrores_; }
    const std::filesystem::path& log() const { return log_; }

private:
    const VentanaScript& ventana_;
    std::filesystem::path log_;
    std::optional<os::TextWriter> salida_;
    bool conErrores_ = false;
};

}  // namespace

std::filesystem::path ArchivoLogScript(const base::DateTime& inicio)
{
    return os::mapWindowsPath(gUtilidades().NormalizaCarpeta(gEntorno().CarpetaTemporal()) +
                              fmt::format("Script{:02}{:02}{:02}.TXT", inicio.hour(), inicio.minute(), inicio.second()));
}

std::string ReemplazaFechasScript(std::string_view lote, const base::DateTime& ahora)
{
    const db::Connection& conexion = gDB_Dll().gCnn;
    const base::DateTime hoy = ahora.dateOnly();
    const std::array<std::pair<std::string_view, base::DateTime>, 4> fichas{{
        {"<DATE>", hoy}, {"<NOW>", ahora}, {"<DATE+YEAR>", sumaAnios(hoy, 1)}, {"<DATE-YEAR>", sumaAnios(hoy, -1)}}};
    std::string texto(lote);
    for (const auto& [ficha, fecha] : fichas) {
        if (!contiene(texto, ficha)) continue;
        // A date as regional text would be read day for month by a server set otherwise: the literal is the
        // database's own. Scripts written for the text form put the token between apostrophes.
        const std::string literal = conexion.dateLiteral(fecha);
        texto = base::replace(texto, "'" + std::string(ficha) + "'", literal);
        texto = base::replace(texto, ficha, literal);
    }
    return texto;
}

void EjecutaScript(std::string_view Path, const VentanaScript& Ventana, std::string_view Filtro, bool& Autorizado)
{
    if (Path.empty()) return;
    DB_Dll& erp = gDB_Dll();
    const base::DateTime inicio = programClock().now();
    const bool deVistas = contiene(Path, "VISTAS") || contiene(Path, "COMPLETO");
    Ejecucion ejecucion(Ventana, ArchivoLogScript(inicio));
    bool confidencial = false;
    std::optional<os::TextReader> script;
    std::vector<Lote> lotes(1);
    bool abortado = false;

    // Until the first batch goes out a failure is the operator's to decide; leaving closes every file.
    base::ErrorTrap trap([](const base::Error& error) { return gUtilidades().MuestraError(error, {}, "Ejecutar"); });
    trap.step([&] {
        if (deVistas)
            confidencial = base::equalsIgnoringCase(base::trim(LeeConfiguracion("SS_Confidencialidad")), "SI");
    });
    trap.step([&] { ejecucion.abreLog(); });
    trap.step([&] { script.emplace(os::mapWindowsPath(Path)); });
    trap.step([&] {
        while (script && !abortado) {
            const std::optional<std::string> linea = script->readLine();
            if (!linea) break;
            const std::string recortada = base::trim(*linea);
            if (recortada.starts_with("--")) continue;
            ejecucion.progreso("Analizando Script " + std::to_string(lotes.size() - 1));
            if (!Autorizado && (contiene(*linea, "drop table") || contiene(*linea, "truncate table"))) {
                const std::string clave =
                    programPrompter().inputBox("Ingresa la Clave para permitir ejecutar este comando..", "Atencion", "");
                if (!base::equalsIgnoringCase(clave, kClaveSupervisor)) {
                    programPrompter().msgBox("SE HA DETECTADO UN COMANDO DE ELIMINACION DE TABLA... NO ESTA PERMITIDO LA "
                                             "EJECUCION DE ESTOS COMANDOS...\r\nOPERACION ABORTADA!!!",
                                             ui::vbCritical, "ATENCION!");
                    abortado = true;
                    break;
                }
                Autorizado = true;
            }
            if (base::equalsIgnoringCase(recortada, "GO") || recortada == "/") lotes.emplace_back();
            else lotes.back().texto += *linea + "\r\n";
            ejecucion.eventos();
        }
    });
    script.reset();
    if (trap.left() || abortado) {
        ejecucion.cierraLog();
        return;
    }
    std::string sinCuentas = "SET NOCOUNT ON";
    trap.step([&] { erp.EjecutaConsultaSQL(sinCuentas); });
    if (trap.left()) {
        ejecucion.cierraLog();
        return;
    }

    // From here on nothing is asked: the server's errors are read from the connection after each batch.
    const std::size_t ultimo = lotes.size() - 1;
    bool faltanObjetos = true;
    for (int pasada = 1; pasada <= kPasadasScript && faltanObjetos; ++pasada) {
        faltanObjetos = false;
        for (std::size_t i = 0; i <= ultimo; ++i) {
            Lote& lote = lotes[i];
            std::string texto = ReemplazaFechasScript(lote.texto, inicio);
            ejecucion.eventos();
            if (!Filtro.empty() && !contiene(texto, Filtro)) {
                lote.pendiente = false;
                continue;
            }
            if (deVistas && contiene(texto, "CREATE VIEW dbo.SS_MA_CUENTAS")) texto = vistaCuentas(confidencial);
            // A later pass sends again only what waited for an object: the script's inserts and updates must
            // not be applied twice, and what it drops is gone already.
            if (!lote.pendiente) continue;
            ejecucion.progreso(fmt::format("Ciclo: {}({} de {})", pasada, i, ultimo));
            lote.pendiente = false;
            erp.gCnn.errors().clear();
            erp.EjecutaConsultaSQL(texto);
            const db::ErrorList& errores = erp.gCnn.errors();
            if (!errores.empty()) {
                const db::ProviderError& primero = errores.item(0);
                if (primero.nativeError == kObjetoInexistente && !contiene(texto, "drop ")) {
                    lote.pendiente = faltanObjetos = true;
                    lote.enviado = texto;
                    lote.error = primero;
                } else if (std::find(kNoSeRegistran.begin(), kNoSeRegistran.end(), primero.nativeError) ==
                           kNoSeRegistran.end()) {
                    ejecucion.registra(primero.nativeError, primero.description, texto);
                }
            }
            erp.gCnn.errors().clear();
            ejecucion.eventos();
        }
    }
    // An object still missing after the last pass will not appear: the batches that needed it did not run.
    for (const Lote& lote : lotes)
        if (lote.pendiente && faltanObjetos)
            ejecucion.registra(lote.error.nativeError, lote.error.description, lote.enviado);

    ejecucion.cierraLog();
    if (ejecucion.conErrores()) {
        programPrompter().msgBox("Se detectaron errores, consulte el archivo " + ejecucion.log().string(), ui::vbOKOnly);
        EjecutaStart(ejecucion.log().string(), true);
    }
}

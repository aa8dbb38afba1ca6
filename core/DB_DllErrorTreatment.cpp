// The program-wide error treatment: the box that asks what to do, and the line each answer leaves in the
// error log.

#include "core/DB_Dll.h"

#include "core/ProgramServices.h"
#include "platform/base/Text.h"
#include "platform/os/Clock.h"
#include "platform/os/PathMapping.h"
#include "platform/os/ProgramFolder.h"
#include "platform/ui/Prompter.h"

#include <fmt/format.h>
#include <fstream>

namespace {

std::string answerWord(int answer)
{
    switch (answer) {
    case ui::vbRetry: return "Reintentar";
    case ui::vbIgnore: return "Ignorar";
    case ui::vbAbort: return "Abortar";
    case ui::vbCancel: return "Cancelar";
    case ui::vbYes: return "Sí";
    case ui::vbNo: return "No";
    default: return "";
    }
}

}  // namespace

std::filesystem::path DB_Dll::rutaRegistroErrores() const
{
    return gLogErr.empty() ? os::programFolder() / "QVERR.LOG" : os::mapWindowsPath(gLogErr);
}

void DB_Dll::registraError(std::string_view message, std::string_view rutina, int answer)
{
    const std::filesystem::path log = rutaRegistroErrores();
    const base::DateTime now = programClock().now();
    // A log that cannot be written must not turn one failure into two: the line is simply lost.
    std::ofstream out(log, std::ios::app | std::ios::binary);
    out << fmt::format("{:02}-{:02}-{:04} {:02}:{:02}:{:02} Rutina: {} Mensaje {} Respondió : {}\r\n", now.month(),
                       now.day(), now.year(), now.hour(), now.minute(), now.second(), base::trim(rutina),
                       base::trim(message), answerWord(answer));
}

int DB_Dll::TratamientoErrores(const base::Error& CodErr, std::optional<int> Botones, std::optional<std::string> Rutina)
{
    const long number = CodErr.number();
    const std::string description = CodErr.description();
    const std::string source = CodErr.source();
    if (number == 0) return 0;

    const std::string message = fmt::format("Ha ocurrido el Siguiente Error ({}) {}", number, base::trim(description));
    const std::string rutinaPart = Rutina ? " - " + *Rutina : std::string();
    const std::string title = source + rutinaPart + " Aviso al operador!!! ";
    int answer = 0;
    try {
        answer = programPrompter().msgBox(message, Botones.value_or(ui::vbAbortRetryIgnore | ui::vbCritical), title);
    } catch (const base::Error&) {
    }
    registraError(message, rutinaPart, answer);
    return answer;
}

#pragma once
// Runs an SQL script file on the ERP database, batch by batch: the trigger scripts "Completo.sql" and
// "CompletoDrop.sql" of the main window. Lines "GO" and "/" end a batch, "--" lines are comments, date tokens
// become the database's date literals, and a script that drops or truncates a table needs the supervisor
// key. A batch that names an object the script creates further down fails with 208 and is sent again in the
// next pass, up to 20 passes. Failures worth reading go to a log in the temporary folder, which is opened for
// the operator at the end.

#include "platform/base/DateTime.h"

#include <filesystem>
#include <string_view>

class ProgressBar;
namespace ui {
class EventPump;
}

// The window a script runs for: the box its progress shows in and the pump that lets its events run.
// Either may be missing.
struct VentanaScript {
    ProgressBar* picStatus = nullptr;
    ui::EventPump* eventos = nullptr;
};

inline constexpr int kPasadasScript = 20;

// `Filtro` empty runs every batch, otherwise only those that hold it (without regard to case). `Autorizado`
// on means the supervisor key was given already; the runner turns it on once the key is typed right. A wrong
// key ends the run before anything is sent.
void EjecutaScript(std::string_view Path, const VentanaScript& Ventana, std::string_view Filtro, bool& Autorizado);

// The log of a run started at `inicio`: "Script" + hour, minute and second in two digits each + ".TXT", in
// the temporary folder.
std::filesystem::path ArchivoLogScript(const base::DateTime& inicio);

// Replaces "<DATE>", "<NOW>", "<DATE+YEAR>" and "<DATE-YEAR>" (any case) by the date literals of the ERP
// connection for `ahora`'s date, `ahora` itself, and the date a year later and a year earlier. A token the
// script put between apostrophes is replaced apostrophes and all.
std::string ReemplazaFechasScript(std::string_view lote, const base::DateTime& ahora);

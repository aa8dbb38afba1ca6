#pragma once
// The lookup definition file "consultas.qvx": fixed records of 1202 bytes, record n (from 1) at byte
// (n - 1) x 1202, no header. Texts are single-byte Windows 1252, left-aligned and padded with blanks:
//   0  title      100   (written, never read by the lookups)
//   100 table     100   the record's key: the table or view the lookup reads
//   200 columns   500   "|" before each column name and one at the end
//   700 condition 500   default condition, without WHERE
//   1200 CR LF
// Start-up writes the built-in definitions when the file is missing; the lookup engine reads it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kArchivoConsultas = "consultas.qvx";

struct RegistroConsulta {
    std::string TituloConsulta;
    std::string TablaConsulta;
    std::string CamposConsulta;
    std::string CondicionConsulta;
};

class ArchivoConsultas {
public:
    static constexpr std::size_t kLargoRegistro = 1202;
    static constexpr std::size_t kLargoTitulo = 100, kLargoTabla = 100, kLargoCampos = 500, kLargoCondicion = 500;

    explicit ArchivoConsultas(std::filesystem::path archivo) : archivo_(std::move(archivo)) {}
    const std::filesystem::path& archivo() const { return archivo_; }

    // Whole records in the file (0 when it is missing); a torn record at the end does not count.
    long cantidadRegistros() const;

    // Record `numero` (from 1) with its fields as stored, padding included, in UTF-8; nothing beyond the last
    // whole record. Raises file not found (53) when the file is missing, path/file access error (75) when it
    // cannot be read.
    std::optional<RegistroConsulta> lee(long numero) const;
    std::vector<RegistroConsulta> leeTodos() const;

    // Writes record `numero` (from 1), creating the file when missing. Each field is cut or padded to its
    // width; characters Windows 1252 cannot hold become "?". Raises path not found (76) when the folder is
    // missing, path/file access error (75) when the file cannot be opened, device I/O error (57) when a
    // write fails.
    void escribe(long numero, const RegistroConsulta& registro);
    // Writes after the last whole record: at record number (file length \ 1202) + 1.
    void agrega(const RegistroConsulta& registro);

private:
    std::filesystem::path archivo_;
};

// What start-up tells the lookup engine: the connection string its list window opens, whether lookups use
// the definition file, and the file's full path. The lookup engine takes these as its own settings.
struct AjustesConsultas {
    std::string gConnString;
    bool gUsarMascarasConsultas = false;
    std::string gRutaMascaraConsultas;
};
AjustesConsultas& gAjustesConsultas();

// Appends the built-in lookup definitions to the file at gAjustesConsultas().gRutaMascaraConsultas (created
// when missing). Titles, columns and conditions are stored trimmed, table names as given. The new file is
// written beside it as "consultas.aux" and renamed over it once whole: a failure leaves the file as it was.
// Raises what ArchivoConsultas::escribe raises, or path/file access error (75) when the side file cannot
// take the old records or replace the file; the caller handles it.
void RegistraConsultas();

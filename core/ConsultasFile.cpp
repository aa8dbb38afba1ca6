#include "core/ConsultasFile.h"

#include "platform/base/CodePages.h"
#include "platform/base/Error.h"
#include "platform/os/FileErrors.h"

#include <fmt/format.h>
#include <fstream>

namespace {

constexpr auto kCodePage = base::CodePage::Cp1252;
// The side file the definitions are written to before they replace the file: "consultas.aux".
constexpr const char* kExtensionLateral = ".aux";

[[noreturn]] void raise(long number, std::string_view what, const std::filesystem::path& file)
{
    throw base::Error(number, fmt::format("{}: {}", what, file.string()));
}

// One field as the record stores it: single-byte text, cut or padded with blanks to its width.
void putField(std::string& record, std::string_view text, std::size_t width)
{
    std::string bytes = base::fromUtf8(text, kCodePage);
    bytes.resize(width, ' ');
    record += bytes;
}

std::string field(std::string_view record, std::size_t offset, std::size_t width)
{
    return base::toUtf8(record.substr(offset, width), kCodePage);
}

}  // namespace

long ArchivoConsultas::cantidadRegistros() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(archivo_, error);
    return error ? 0 : static_cast<long>(size / kLargoRegistro);
}

std::optional<RegistroConsulta> ArchivoConsultas::lee(long numero) const
{
    std::error_code error;
    if (!std::filesystem::exists(archivo_, error)) raise(os::errors::kFileNotFound, "File not found", archivo_);
    if (numero < 1 || numero > cantidadRegistros()) return std::nullopt;
    std::ifstream in(archivo_, std::ios::binary);
    if (!in) raise(os::errors::kPathFileAccessError, "Path/File access error", archivo_);
    std::string record(kLargoRegistro, '\0');
    in.seekg(static_cast<std::streamoff>((numero - 1) * kLargoRegistro));
    if (!in.read(record.data(), static_cast<std::streamsize>(record.size())))
        raise(os::errors::kPathFileAccessError, "Path/File access error", archivo_);
    std::size_t offset = 0;
    RegistroConsulta r;
    r.TituloConsulta = field(record, offset, kLargoTitulo);
    r.TablaConsulta = field(record, offset += kLargoTitulo, kLargoTabla);
    r.CamposConsulta = field(record, offset += kLargoTabla, kLargoCampos);
    r.CondicionConsulta = field(record, offset += kLargoCampos, kLargoCondicion);
    return r;
}

std::vector<RegistroConsulta> ArchivoConsultas::leeTodos() const
{
    std::vector<RegistroConsulta> all;
    const long count = cantidadRegistros();
    for (long n = 1; n <= count; ++n) all.push_back(*lee(n));
    return all;
}

void ArchivoConsultas::escribe(long numero, const RegistroConsulta& registro)
{
    if (numero < 1) throw base::Error(base::errors::kInvalidProcedureCall, "Bad record number");
    std::error_code error;
    const std::filesystem::path folder = archivo_.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error))
        raise(os::errors::kPathNotFound, "Path not found", archivo_);
    if (!std::filesystem::exists(archivo_, error)) {
        std::ofstream create(archivo_, std::ios::binary);
        if (!create) raise(os::errors::kPathFileAccessError, "Path/File access error", archivo_);
    }

    std::string record;
    record.reserve(kLargoRegistro);
    putField(record, registro.TituloConsulta, kLargoTitulo);
    putField(record, registro.TablaConsulta, kLargoTabla);
    putField(record, registro.CamposConsulta, kLargoCampos);
    putField(record, registro.CondicionConsulta, kLargoCondicion);
    record += "\r\n";

    std::fstream out(archivo_, std::ios::binary | std::ios::in | std::ios::out);
    if (!out) raise(os::errors::kPathFileAccessError, "Path/File access error", archivo_);
    out.seekp(static_cast<std::streamoff>((numero - 1) * kLargoRegistro));
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
    out.close();
    if (!out) raise(os::errors::kDeviceIoError, "Device I/O error", archivo_);
}

void ArchivoConsultas::agrega(const RegistroConsulta& registro) { escribe(cantidadRegistros() + 1, registro); }

AjustesConsultas& gAjustesConsultas()
{
    static AjustesConsultas instance;
    return instance;
}

void RegistraConsultas()
{
    struct Definicion {
        const char* tabla;
        const char* titulo;
        const char* campos;
    };
    // The technicians' lookup is written twice, as the ERP's own file has it; the first of equal keys wins.
    static const Definicion definiciones[] = {
        {"V_MA_ARTICULOS", "ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
        {"VT_CLIENTES", "CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
        {"VT_PROVEEDORES", "PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
        {"MA_CONTACTOS", "CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
        {"V_TA_VENDEDORES", "VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
        {"V_TA_TECNICOS", "TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"V_TA_TECNICOS", "TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"V_MA_MANTENIMIENTOS", "MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    };
    // The definitions are written to a side file, which then replaces the file in one step: start-up writes
    // them only when the file is missing, so a file left half-written would keep its missing lookups for good.
    const std::filesystem::path destino(gAjustesConsultas().gRutaMascaraConsultas);
    std::filesystem::path lateral = destino;
    lateral.replace_extension(kExtensionLateral);
    std::error_code error;
    std::filesystem::remove(lateral, error);
    try {
        ArchivoConsultas archivo(lateral);
        // The records already there come first, byte for byte; a torn one at the end is left behind, as
        // appending would write over it.
        if (const long presentes = ArchivoConsultas(destino).cantidadRegistros(); presentes > 0) {
            std::filesystem::copy_file(destino, lateral, error);
            if (!error) std::filesystem::resize_file(lateral, static_cast<std::uintmax_t>(presentes) * ArchivoConsultas::kLargoRegistro, error);
            if (error) raise(os::errors::kPathFileAccessError, "Path/File access error", lateral);
        }
        // Every condition is blank.
        for (const Definicion& d : definiciones) archivo.agrega({d.titulo, d.tabla, d.campos, ""});
        std::filesystem::rename(lateral, destino, error);
        if (error) raise(os::errors::kPathFileAccessError, "Path/File access error", destino);
    } catch (const base::Error&) {
        std::filesystem::remove(lateral, error);
        throw;
    }
}

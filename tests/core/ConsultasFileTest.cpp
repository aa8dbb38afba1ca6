// The lookup definition file: fixed 1202-byte records in Windows 1252, and the built-in definitions.

#include "core/ConsultasFile.h"
#include "platform/base/Error.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

class DefinitionFile : public ::testing::Test {
protected:
    void SetUp() override { gAjustesConsultas().gRutaMascaraConsultas = file.string(); }
    void TearDown() override { gAjustesConsultas() = {}; }

    testing_support::TempFolder folder;
    std::filesystem::path file = folder.path() / "consultas.qvx";
};

TEST_F(DefinitionFile, TheBuiltInDefinitionsAreEightFixedRecords)
{
    RegistraConsultas();
    const std::string bytes = bytesOf(file);
    ASSERT_EQ(bytes.size(), 8 * 1202u);
    // the first record byte by byte
    EXPECT_EQ(bytes.substr(0, 100), padded("ARTICULOS", 100));
    EXPECT_EQ(bytes.substr(100, 100), padded("V_MA_ARTICULOS", 100));
    EXPECT_EQ(bytes.substr(200, 500), padded("|DESCRIPCION|IDARTICULO|", 500));
    EXPECT_EQ(bytes.substr(700, 500), std::string(500, ' '));
    for (std::size_t record = 0; record < 8; ++record)
        EXPECT_EQ(bytes.substr(record * 1202 + 1200, 2), "\r\n") << record;

    struct Expected {
        const char* tabla;
        const char* titulo;
        const char* campos;
    };
    const Expected expected[] = {
        {"V_MA_ARTICULOS", "ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
        {"VT_CLIENTES", "CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
        {"VT_PROVEEDORES", "PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
        {"MA_CONTACTOS", "CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
        {"V_TA_VENDEDORES", "VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
        {"V_TA_TECNICOS", "TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"V_TA_TECNICOS", "TECNICOS", "|NOMBRE|IDTECNICO|"},
        {"V_MA_MANTENIMIENTOS", "MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    };
    const std::vector<RegistroConsulta> records = ArchivoConsultas(file).leeTodos();
    ASSERT_EQ(records.size(), 8u);
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].TablaConsulta, padded(expected[i].tabla, 100)) << i;
        EXPECT_EQ(records[i].TituloConsulta, padded(expected[i].titulo, 100)) << i;
        EXPECT_EQ(records[i].CamposConsulta, padded(expected[i].campos, 500)) << i;
        EXPECT_EQ(records[i].CondicionConsulta, std::string(500, ' ')) << i;
    }
}

TEST_F(DefinitionFile, RegisteringAgainAppendsAfterTheLastWholeRecord)
{
    RegistraConsultas();
    RegistraConsultas();
    EXPECT_EQ(ArchivoConsultas(file).cantidadRegistros(), 16);

    // a torn record at the end is written over
    std::filesystem::resize_file(file, 2 * 1202 + 300);
    ArchivoConsultas archivo(file);
    EXPECT_EQ(archivo.cantidadRegistros(), 2);
    archivo.agrega({"MIA", "MA_CUENTAS", "|CODIGO|", "BLOQUEO = 0"});
    EXPECT_EQ(std::filesystem::file_size(file), 3 * 1202u);
    EXPECT_EQ(archivo.lee(3)->TablaConsulta, padded("MA_CUENTAS", 100));
    EXPECT_EQ(archivo.lee(3)->CondicionConsulta, padded("BLOQUEO = 0", 500));
    EXPECT_FALSE(archivo.lee(4).has_value());
    EXPECT_FALSE(archivo.lee(0).has_value());
}

TEST_F(DefinitionFile, TheFileAppearsOnlyWhole)
{
    const std::filesystem::path side = folder.path() / "consultas.aux";
    // A side file a crash left behind is written over, not appended to.
    {
        std::ofstream stale(side, std::ios::binary);
        stale << std::string(1202 * 3 + 17, 'x');
    }
    RegistraConsultas();
    EXPECT_EQ(ArchivoConsultas(file).cantidadRegistros(), 8);
    EXPECT_EQ(std::filesystem::file_size(file), 8 * 1202u);
    EXPECT_FALSE(std::filesystem::exists(side));

    // Registering again keeps the whole records there and leaves a torn one behind.
    std::filesystem::resize_file(file, 2 * 1202 + 300);
    RegistraConsultas();
    EXPECT_EQ(std::filesystem::file_size(file), 10 * 1202u);
    EXPECT_EQ(ArchivoConsultas(file).lee(2)->TablaConsulta, padded("VT_CLIENTES", 100));
    EXPECT_EQ(ArchivoConsultas(file).lee(3)->TablaConsulta, padded("V_MA_ARTICULOS", 100));

    // When the side file cannot be written, the file stays as it was: here missing, so the next start-up
    // writes it again instead of keeping half of it.
    std::filesystem::remove(file);
    std::filesystem::create_directories(side / "ocupado");
    try {
        RegistraConsultas();
        FAIL() << "the definitions were written through a folder";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.number(), 75);
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(DefinitionFile, TextsAreSingleByteAndCutToTheirWidth)
{
    ArchivoConsultas archivo(file);
    archivo.escribe(1, {"AÑO €", std::string(120, 'T'), "|DESCRIPCIÓN|漢|", ""});
    const std::string bytes = bytesOf(file);
    ASSERT_EQ(bytes.size(), 1202u);
    EXPECT_EQ(bytes.substr(0, 5), "A\xD1O \x80");
    EXPECT_EQ(bytes.substr(100, 100), std::string(100, 'T'));
    EXPECT_EQ(bytes.substr(200, 15), "|DESCRIPCI\xD3N|?|");

    const RegistroConsulta read = *archivo.lee(1);
    EXPECT_EQ(read.TituloConsulta, "AÑO €" + std::string(95, ' '));
    EXPECT_EQ(read.TablaConsulta, std::string(100, 'T'));
    EXPECT_EQ(read.CamposConsulta.substr(0, 18), "|DESCRIPCIÓN|?|  ");
}

TEST_F(DefinitionFile, FileErrorsCarryTheRuntimesNumbers)
{
    ArchivoConsultas missing(file);
    EXPECT_EQ(missing.cantidadRegistros(), 0);
    try {
        missing.lee(1);
        FAIL() << "a missing file was read";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.number(), 53);
    }

    ArchivoConsultas noFolder(folder.path() / "no-existe" / "consultas.qvx");
    try {
        noFolder.agrega({});
        FAIL() << "a file was written in a missing folder";
    } catch (const base::Error& error) {
        EXPECT_EQ(error.number(), 76);
    }
}

}  // namespace

// Starting a sibling program of the suite with the current log-in.

#include "core/Configuracion.h"
#include "core/SiblingPrograms.h"
#include "core/StartUp.h"
#include "platform/os/PathMapping.h"
#include "tests/core/ProgramFixture.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

class SiblingPrograms : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        DB_Dll& erp = gDB_Dll();
        erp.gServidor = "SRV01";
        erp.gDBName = "EMPRESA";
        erp.gUsuario = "ana";
        erp.gUserPassWord = "pw";
        gUsuarioLogeado = "juan perez";
        gCaja = "3";
    }
    void TearDown() override
    {
        gUsuarioLogeado = gCaja = "";
        ProgramFixture::TearDown();
    }

    void writeProgram(const std::string& name, const std::string& text) const
    {
        const std::filesystem::path file = folder.path() / name;
        std::ofstream(file, std::ios::binary) << text;
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }
};

TEST_F(SiblingPrograms, TheParameterStringCarriesTheLogInInItsFixedOrder)
{
    EXPECT_EQ(ArmaParametrosConexion("ACUM"),
              " ; @server=SRV01; @dbname=EMPRESA; @usuario=ana; @Password=pw; @ParametroAdicional=ACUM; tupa@ ;"
              " @UsuarioLogeado = juan perez; @Caja=3;");
    EXPECT_EQ(ArmaParametrosConexion(""),
              " ; @server=SRV01; @dbname=EMPRESA; @usuario=ana; @Password=pw; @ParametroAdicional=; tupa@ ;"
              " @UsuarioLogeado = juan perez; @Caja=3;");
}

TEST_F(SiblingPrograms, TheSiblingReadsBackEveryValue)
{
    gDB_Dll().gUserPassWord = "a=b";
    const std::string text = ArmaParametrosConexion("X");
    const std::pair<const char*, const char*> keys[] = {
        {"@Server", "SRV01"},  {"@DbName", "EMPRESA"},         {"@Usuario", "ana"},  {"@Password", "a=b"},
        {"@ParametroAdicional", "X"}, {"@UsuarioLogeado", "juan perez"}, {"@Caja", "3"}, {"@Menu", nullptr}};
    for (const auto& [key, value] : keys) {
        if (value) EXPECT_EQ(ValorParametro(text, key), value) << key;
        else EXPECT_FALSE(ValorParametro(text, key).has_value()) << key;
    }
}

TEST_F(SiblingPrograms, AnOptionNamesAProgramOfTheProgramFolderOrAPath)
{
    writeProgram("RA_ROZori", "");
    writeProgram("Otro.EXE", "");
    const std::filesystem::path home = folder.path();
    const std::pair<const char*, std::filesystem::path> cases[] = {
        {"shell:RA_ROZori.exe", home / "RA_ROZori"},    // installed here without ".exe"
        {"shell:ra_rozori.exe", home / "RA_ROZori"},    // found without regard to case
        {"shell:RA_ROZori", home / "RA_ROZori"},
        {"shell:otro.exe", home / "Otro.EXE"},          // there with its ".exe"
        {"shell:NoEsta.exe", home / "NoEsta.exe"},      // missing: named as given
        {"shell:/usr/bin/env", "/usr/bin/env"},         // a path is used as it stands
        {"shell:", home / ""},
    };
    for (const auto& [option, program] : cases) EXPECT_EQ(ProgramaDeOpcion(option), program) << option;
    EXPECT_EQ(ProgramaDeOpcion("shell:C:\\QV\\RA.exe"), os::mapWindowsPath("C:\\QV\\RA.exe"));
}

TEST_F(SiblingPrograms, TheProgramStartsWithTheParameterStringAsItsArgument)
{
    // The started program writes what it received into a pipe: reading it waits exactly as long as needed.
    const std::filesystem::path pipe = folder.path() / "recibido";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    writeProgram("RA_ROZori", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + pipe.string() + "'\n");

    long resultado = -1;
    EjecutaOpcionMenu("shell:RA_ROZori.exe", "", resultado);
    ASSERT_GT(resultado, 0);
    std::ifstream in(pipe, std::ios::binary);
    const std::string received((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(received, "1|" + ArmaParametrosConexion(""));
}

TEST_F(SiblingPrograms, AProgramThatCannotStartIsReportedAsNotImplemented)
{
    writeProgram("SinPermiso", "");
    std::filesystem::permissions(folder.path() / "SinPermiso", std::filesystem::perms::owner_read);
    for (const char* option : {"shell:NoEsta.exe", "shell:SinPermiso", "x"}) {
        prompter.expectMessage("Opcion no Implementada!\rComuniquese con su proveedor de sistemas", ui::vbCritical,
                               "Atención", ui::vbOK);
        long resultado = -1;
        EjecutaOpcionMenu(option, "", resultado);
        EXPECT_EQ(resultado, 0) << option;
    }
}

}  // namespace

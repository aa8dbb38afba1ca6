// How an import's failures reach the operator through the window: a legacy record that cannot be read, a
// record the database refuses and legacy records that share an account, each told once and whole.

#include "tests/importer/AccountImportFixture.h"
#include "tests/support/LegacyFixtures.h"

namespace {

using namespace testing_support;

class ImportFailures : public AccountImport {};

TEST_F(ImportFailures, ABadFieldInRecordThreeSaysRecordsOneAndTwoAreWrittenAndTheRestUnread)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("000001"), customer("000002"), customer("000003"), customer("000004")})
        .table("FPROVEED", {supplier("123")})
        .write(legacy.path());
    const std::filesystem::path file = legacy.path() / "FCLIENTE.DBF";
    patchBytes(file, fieldOffset(file, 3, "LCRE_FCL"), "   12a.40");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error ("), ui::vbOKOnly | ui::vbCritical,
                           "Microsoft Visual FoxPro Driver - FCLIENTE Aviso al operador!!! ", ui::vbOK);

    run({kClientes, kProveedores});

    const std::string box = prompter.shown().back().text;
    for (const char* part : {"Tabla FCLIENTE, registro 3: ", "record 3, field LCRE_FCL", "12a.40",
                             "Quedan grabados los registros 1 a 2; el registro 3 y los siguientes no se leyeron."})
        EXPECT_NE(box.find(part), std::string::npos) << part << " not in: " << box;
    EXPECT_EQ(window.lblTabla.caption,
              "Tabla: " + caption(kClientes) + " ---> DETENIDO: grabados los registros 1 a 2, sin leer desde el 3");
    EXPECT_EQ(window.LblDetalle.caption, "DETENIDO en el registro 3 de FCLIENTE");
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010001", "11401010002"}));
    // The run ends with the task: the supplier entry never starts, so the label stays for the operator.
    EXPECT_TRUE(window.cmdImportar.enabled);
    EXPECT_NE(errorLog().find("Tabla FCLIENTE, registro 3"), std::string::npos) << errorLog();
}

TEST_F(ImportFailures, ABadFieldInTheFirstRecordSaysNothingWasWritten)
{
    LegacyTables tables;
    withCities(tables).table("FPROVEED", {supplier("123", {{"CPAG_FPR", number("30")}}), supplier("124")}).write(legacy.path());
    const std::filesystem::path file = legacy.path() / "FPROVEED.DBF";
    // The source opens on its first record, so an unreadable first record is a source that cannot be opened.
    patchBytes(file, fieldOffset(file, 1, "CPAG_FPR"), "3x0");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error ("), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbIgnore);
    run({kProveedores});
    EXPECT_NE(prompter.shown().back().text.find("record 1, field CPAG_FPR"), std::string::npos)
        << prompter.shown().back().text;
    EXPECT_EQ(window.lblTabla.caption, "Tabla: " + caption(kProveedores) + " ---> ERROR");
    EXPECT_TRUE(codes("MA_CUENTASADIC").empty());
}

TEST_F(ImportFailures, FiftyCustomersSharingTenAccountsWriteTenAndLogFortyWithOneBox)
{
    // Five codes per account: the account takes characters 3 to 6 of the code, so codes that differ only in
    // their first two characters (all within the range the task reads) give one account.
    const std::vector<std::string> fronts{"00", " 0", "0 ", "  ", "-0"};
    std::vector<LegacyRow> rows;
    for (const std::string& front : fronts)
        for (int n = 1; n <= 10; ++n)
            rows.push_back(customer(fmt::format("{}{:04}", front, n), {{"NFAN_FCL", text("Código " + front)}}));
    LegacyTables tables;
    withCities(tables).table("FCLIENTE", rows).write(legacy.path());
    expectSharedAccounts(40, "FCLIENTE");

    run({kClientes});

    std::vector<std::string> accounts;
    for (int n = 1; n <= 10; ++n) accounts.push_back(fmt::format("1140101{:04}", n));
    EXPECT_EQ(codes("MA_CUENTASADIC"), accounts);
    for (const std::string& account : accounts) expectColumns("MA_CUENTASADIC", account, {{"CONTACTO", "Código 00"}});
    const std::string log = errorLog();
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = log.find("da la misma cuenta y no se importa", at)) != std::string::npos; ++at) ++lines;
    EXPECT_EQ(lines, 40u) << log;
    EXPECT_NE(log.find("La cuenta 11401010007 ya se importó del código 000007 de FCLIENTE; el código -00007 da la "
                       "misma cuenta y no se importa"),
              std::string::npos)
        << log;
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");
}

TEST_F(ImportFailures, ABoxForSharedAccountsComesEvenWhenTheTaskIsCancelled)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("000001"), customer(" 00001"), customer("000002"), customer("000003")})
        .write(legacy.path());
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    expectSharedAccounts(1, "FCLIENTE");
    run({kClientes});
    EXPECT_EQ(codes("MA_CUENTASADIC"), std::vector<std::string>{"11401010001"});
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
}

}  // namespace

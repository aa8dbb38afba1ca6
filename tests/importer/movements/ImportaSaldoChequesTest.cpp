// "Saldo inicial de cheques": the tab-separated file d:\libro5.txt becomes one opening voucher "  SI" in
// MV_ASIENTOS, one balanced entry booked in the month of its first line, read whole before anything is written
// and written whole or not at all.

#include "tests/importer/movements/MovementFixture.h"
#include "tests/support/LegacyFixtures.h"
#include "tests/support/LegacyTables.h"
#include "tests/support/ScopedEnvironment.h"

#include <filesystem>
#include <fstream>

namespace {

// A line of the file from its fields, joined by TAB.
std::string fileLine(const std::vector<std::string>& fields)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "\t" : "") + fields[i];
    return out;
}

std::vector<std::string> fields(std::string date, std::string bank, std::string debit, std::string credit,
                                std::string account = "1110102")
{
    return {account, date, "15/07/2005", "", "", "", "", bank, "123456", debit, credit};
}

class OpeningCheques : public MovementFixture {
protected:
    void SetUp() override
    {
        MovementFixture::SetUp();
        execute("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, LETRAS, SISTEMA, ES, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, "
                "X_ULTIMO_NRO) VALUES ('  SI', 1, 'X', 'STOCK', 'E', 1, 1, 99999999, 0)");
        std::filesystem::create_directories(drives.path() / "d");
    }

    void writeFile(const std::vector<std::string>& lines)
    {
        std::ofstream out(drives.path() / "d" / "libro5.txt", std::ios::binary);
        for (const std::string& line : lines) out << line << "\r\n";
    }

    std::string path() const { return (drives.path() / "d" / "libro5.txt").string(); }

    void load() { press(&Importar::Command3_Click); }

    static std::vector<ColumnValues> lines() { return records("SELECT * FROM MV_ASIENTOS ORDER BY SECUENCIA"); }

    testing_support::TempFolder drives;
    testing_support::ScopedEnvironment drivesVariable{"MIGRA_DRIVES", drives.path().string()};
};

TEST_F(OpeningCheques, EachUsableLineBecomesALineOfOneEntry)
{
    std::vector<std::string> narrated = fields("01/07/2005", "", "", "150");
    narrated.push_back("  Cartera \xF1 ");  // the file is in the system code page, Windows-1252
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")),  // debit, bank
               fileLine(narrated),                                // credit, no bank, narrative
               "short\tline",                                     // fewer than 11 fields: not counted
               fileLine(fields("", "7", "1", "0")),               // blank date: counted, not written
               fileLine(fields("30/06/2005", "", "-5", "20")),    // credit of 20
               fileLine(fields("30/06/2005", "", "0", "0")),      // no amount: counted, not written
               fileLine(fields("30/06/2005", "", "20", "0", "71104"))});  // the closing line
    prompter.expectMessage(ui::startsWith("1 líneas de "), ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    load();
    const auto written = lines();
    ASSERT_EQ(written.size(), 4u);
    // One entry, in the month and period of its first line.
    const ColumnValues common{{"TC", "  SI"}, {"SUCURSAL", "0001"}, {"NUMERO", "00000001"}, {"LETRA", "X"},
                              {"TRANSMISION", "1"}, {"ESAJUSTE", "0"}, {"VENCIMIENTO", "2005-07-15 00:00:00"},
                              {"MES_OPERATIVO", "6"}, {"PERIODO", "0"}, {"NUMERO ASIENTO", "1"}};
    for (const ColumnValues& line : written) expectColumns(line, common, "line");
    expectColumns(written[0], {{"SECUENCIA", "1"}, {"DEBE-HABER", "D"}, {"IMPORTE", "150"}, {"DETALLE", "Saldo inicial"},
                               {"IDBANCO", "   7"}, {"NROCOMPROBANTEBANCARIO", "-123456"}, {"CHPROPIO", "1"},
                               {"CLEARING", "48"}, {"FECHA", "2005-06-30 00:00:00"}},
                  "line 1");
    expectColumns(written[1], {{"SECUENCIA", "2"}, {"DEBE-HABER", "H"}, {"IMPORTE", "150"}, {"DETALLE", "Cartera ñ"},
                               {"IDBANCO", "NULL"}, {"CHPROPIO", "NULL"}, {"FECHA", "2005-07-01 00:00:00"}},
                  "line 2");
    expectColumns(written[2], {{"SECUENCIA", "4"}, {"DEBE-HABER", "H"}, {"IMPORTE", "20"}}, "line 3");
    expectColumns(written[3], {{"SECUENCIA", "6"}, {"DEBE-HABER", "D"}, {"IMPORTE", "20"}, {"CUENTA", "71104"}}, "line 4");
    // The number recorded as used.
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"2"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> FINALIZADO");
}

TEST_F(OpeningCheques, TheFileIsOneEntryInTheMonthAndPeriodOfItsFirstLine)
{
    // Entries of other tasks in the blank register "SI" is kept in: January and June of the old year, January
    // of the new one.
    storeEntry(1, 0, "    ", 7);
    storeEntry(6, 0, "    ", 30);
    storeEntry(1, 1, "    ", 50);
    gPeriodo = 1;
    // Cheques of 100.00, 250.50, 49.50 and 100.00 from January to July, and the closing credit of 500.00.
    writeFile({fileLine(fields("15/01/2005", "7", "100", "0")), fileLine(fields("20/03/2005", "", "250.50", "0")),
               fileLine(fields("31/05/2005", "", "49.50", "0")), fileLine(fields("05/07/2005", "", "100", "0")),
               fileLine(fields("30/06/2005", "", "0", "500", "71104"))});
    load();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT FECHA, [DEBE-HABER], IMPORTE, MES_OPERATIVO, PERIODO, [NUMERO ASIENTO] FROM MV_ASIENTOS "
                   "WHERE TC = '  SI' ORDER BY SECUENCIA"),
              (Rows{{"15/01/2005", "D", "100", "1", "0", "8"},
                    {"20/03/2005", "D", "250.5", "1", "0", "8"},
                    {"31/05/2005", "D", "49.5", "1", "0", "8"},
                    {"05/07/2005", "D", "100", "1", "0", "8"},
                    {"30/06/2005", "H", "500", "1", "0", "8"}}));
    EXPECT_EQ(rows("SELECT SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END), "
                   "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END) FROM MV_ASIENTOS WHERE TC = '  SI'"),
              (Rows{{"500", "500"}}));
    EXPECT_EQ(gPeriodo, 1);
}

TEST_F(OpeningCheques, AFileThatWouldNotBalanceOrWhoseSideOrDateIsUnclearIsRefusedWhole)
{
    const std::string closing = fileLine(fields("30/06/2005", "", "0", "150", "71104"));
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")), closing});
    load();
    const Rows earlier = rows("SELECT * FROM MV_ASIENTOS ORDER BY ID");
    ASSERT_EQ(earlier.size(), 2u);

    struct Case {
        const char* what;
        std::vector<std::string> file;
        const char* message;  // after the path
    };
    std::vector<std::string> timeDue = fields("30/06/2005", "7", "150", "0");
    timeDue[2] = "10:30";
    const std::vector<Case> cases{
        {"debits and credits that differ",
         {fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "0", "100", "71104"))},
         ": el debe suma 150 y el haber 100; el asiento no balancea"},
        {"a line with both sides",
         {fileLine(fields("30/06/2005", "7", "150", "20")), closing},
         ", línea 1, campos 10 y 11: tiene debe (150) y haber (20); una línea va a un solo lado"},
        {"a lone negative debit",
         {fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "-5", "0")), closing},
         ", línea 2, campo 10: el debe es negativo (-5) y no hay haber"},
        {"a time for a date", {fileLine(fields("10:30", "7", "150", "0")), closing},
         ", línea 1, campo 2: \"10:30\" no es una fecha"},
        {"a bare number for a date", {fileLine(fields("20050630", "7", "150", "0")), closing},
         ", línea 1, campo 2: \"20050630\" no es una fecha"},
        {"a time for a due date", {fileLine(timeDue), closing}, ", línea 1, campo 3: \"10:30\" no es una fecha"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(c.file);
        prompter.expectMessage(path() + c.message, ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
        load();
        EXPECT_EQ(rows("SELECT * FROM MV_ASIENTOS ORDER BY ID"), earlier);
        EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"2"}}));
        EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> ERROR");
    }

    // The file mended, it replaces the earlier voucher once.
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "-5", "20")),
               fileLine(fields("30/06/2005", "", "0", "130", "71104"))});
    load();
    EXPECT_EQ(rows("SELECT NUMERO, [DEBE-HABER], IMPORTE FROM MV_ASIENTOS ORDER BY ID"),
              (Rows{{"00000002", "D", "150"}, {"00000002", "H", "20"}, {"00000002", "H", "130"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> FINALIZADO");
}

TEST_F(OpeningCheques, NoEntryNumberWritesNothing)
{
    entryNumberAnswersZero(6, 0, "    ");
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "0", "150", "71104"))});
    prompter.expectMessage(path() + ": no hay número de asiento para el mes 6 del período 0; no se graba nada",
                           ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
    load();
    EXPECT_TRUE(rows("SELECT * FROM MV_ASIENTOS WHERE TC = '  SI' OR [NUMERO ASIENTO] = 0").empty());
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"0"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> DETENIDO");
}

TEST_F(OpeningCheques, ASecondRunReplacesTheFirstAndAStaleCancelIsForgotten)
{
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "0", "150", "71104"))});
    window.Cancelado = true;
    load();
    load();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT NUMERO, COUNT(*) FROM MV_ASIENTOS GROUP BY NUMERO"), (Rows{{"00000002", "2"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> FINALIZADO");
    EXPECT_TRUE(window.cmdImportar.enabled);
}

TEST_F(OpeningCheques, AFileThatCannotBeReadWritesNothing)
{
    struct Case {
        const char* what;
        std::vector<std::string> file;
        const char* message;
    };
    const std::vector<Case> cases{
        {"a heading line", {fileLine({"Cuenta", "Fecha", "Venc", "", "", "", "", "Banco", "Nro", "Debe", "Haber"})},
         ", línea 1, campo 2: \"Fecha\" no es una fecha"},
        {"an amount that is no number", {fileLine(fields("30/06/2005", "", "1x", "0"))}, ", línea 1, campo 10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(c.file);
        prompter.expectMessage(ui::startsWith(path() + c.message), ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
        load();
        EXPECT_TRUE(lines().empty());
        EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> ERROR");
    }
    std::filesystem::remove(drives.path() / "d" / "libro5.txt");
    prompter.expectMessage(ui::startsWith(path() + ": "), ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
    load();
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"0"}}));
}

TEST_F(OpeningCheques, TheDemoFileLoadsWithoutABox)
{
    testing_support::runFixtureScript("../../tools/demo/make_legacy_folder.py",
                                      {legacy.path().string(), "--cheque-file", (drives.path() / "d").string()});
    load();
    EXPECT_TRUE(prompter.shown().empty());
    // Six lines less the short one and the one without a date; the last one balances the entry.
    EXPECT_EQ(rows("SELECT COUNT(*), COUNT(IDBANCO), COUNT(DISTINCT NUMERO) FROM MV_ASIENTOS WHERE TC = '  SI'"),
              (Rows{{"4", "2", "1"}}));
    EXPECT_EQ(rows("SELECT SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END), "
                   "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END) FROM MV_ASIENTOS WHERE TC = '  SI'"),
              (Rows{{"170", "170"}}));
    EXPECT_EQ(rows("SELECT DETALLE FROM MV_ASIENTOS WHERE SECUENCIA = 1"), (Rows{{"Cheque de Nuñez"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> FINALIZADO");
}

TEST_F(OpeningCheques, TheStockBalancesTakeTheNextOpeningNumber)
{
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")), fileLine(fields("30/06/2005", "", "0", "150", "71104"))});
    load();
    ASSERT_EQ(rows("SELECT DISTINCT NUMERO FROM MV_ASIENTOS WHERE TC = '  SI'"), (Rows{{"00000001"}}));
    execute("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                     1001', 'A', '  UN')");
    testing_support::LegacyTables()
        .table("SALDOSTK", {{{"CODI_FTE", testing_support::text("1001")},
                             {"DESC_FTE", testing_support::text("A")},
                             {"UNID_FTE", testing_support::text("UN")},
                             {"CANT_FTE", testing_support::number("5")},
                             {"DEPO_FTE", testing_support::text("1")}}})
        .write(legacy.path());
    run({18});  // "Saldos Stock"
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT DISTINCT IDCOMPROBANTE FROM V_MV_STOCK"), (Rows{{"000100000002X"}}));
    EXPECT_EQ(rows("SELECT DISTINCT NUMERO FROM MV_ASIENTOS WHERE TC = '  SI'"), (Rows{{"00000001"}}));
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"3"}}));
}

TEST_F(OpeningCheques, AFieldTooWideForItsColumnIsRefusedAndNothingIsWritten)
{
    writeFile({fileLine(fields("30/06/2005", "7", "150", "0")),
               fileLine(fields("30/06/2005", "", "0", "20", "1110102030405060")),  // account of 16
               fileLine(fields("30/06/2005", "", "0", "130", "71104"))});
    prompter.expectMessage(ui::startsWith(path() + ", línea 2: 8152"), ui::vbCritical | ui::vbOKOnly,
                           "Aviso al Operador!", ui::vbOK);
    load();
    EXPECT_TRUE(rows("SELECT * FROM MV_ASIENTOS WHERE TC = '  SI'").empty());
    EXPECT_EQ(rows("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  SI'"), (Rows{{"0"}}));
    EXPECT_EQ(window.lblTabla.caption, "Saldo inicial de cheques ---> DETENIDO");
}

}  // namespace

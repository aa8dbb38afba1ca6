// "Saldos de Clientes" and "Saldos de Proveedores" through the window: each open item of SALDCLIE or
// SALDPROV becomes a two-line entry of MV_ASIENTOS, the side fixed by the voucher type, the balancing line on
// the adjustment account; a second run writes nothing again.

#include "core/Configuracion.h"
#include "tests/importer/movements/BalanceFixture.h"
#include "tests/support/LegacyFixtures.h"

#include <set>

namespace {

using namespace testing_support;

class ImportaSaldosCtaCte : public Balances {
protected:
    // The first lines, by voucher number.
    std::map<std::string, ColumnValues> firstLines()
    {
        std::map<std::string, ColumnValues> out;
        for (ColumnValues& row : records("SELECT * FROM MV_ASIENTOS WHERE SECUENCIA = 1 ORDER BY ID"))
            out[row["NUMERO"]] = row;
        return out;
    }

    // The lines in the order written: entry number, sequence, account, side, amount, VAT total and due date.
    static Rows voucherLines()
    {
        return rows("SELECT [NUMERO ASIENTO], SECUENCIA, CUENTA, [DEBE-HABER], IMPORTE, LIVA_TOTAL, VENCIMIENTO "
                    "FROM MV_ASIENTOS ORDER BY ID");
    }

    // Each entry in the order written: its month and number, its debits, its credits and the VAT total of its
    // lines.
    static Rows entries()
    {
        return rows("SELECT MES_OPERATIVO, [NUMERO ASIENTO], SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END), "
                    "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END), SUM(LIVA_TOTAL) FROM MV_ASIENTOS "
                    "GROUP BY MES_OPERATIVO, PERIODO, TIPO_REG, [NUMERO ASIENTO] ORDER BY MIN(ID)");
    }

    // The database refuses the lines of `account` with error 50000, as a trigger checking the user's rights
    // on accounts does, until the first refusal has been recorded in AUX_ERR (the operator has mended the
    // rights meanwhile).
    void refuseUntilRecorded(std::string_view account)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2((folder.path() / "EMPRESA.sqlite").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const std::string trigger = fmt::format(
            "CREATE TRIGGER SIN_DERECHOS BEFORE INSERT ON MV_ASIENTOS WHEN NEW.CUENTA = '{}' AND NOT EXISTS "
            "(SELECT 1 FROM AUX_ERR) BEGIN SELECT RAISE(ABORT, 'cuenta no autorizada'); END",
            account);
        const int created = sqlite3_exec(db, trigger.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(created, SQLITE_OK);
    }

    static constexpr const char* kPregunta =
        "Este error se produjo porque el usuario actual no tiene autorizada todas las cuentas, por favor, entre en "
        "autorizacion de tareas, grupos, seleccione el usuario actual y marque todas las cuentas, cuando lo haya "
        "hecho, pulse SI para continuar con el proceso.. para abortar pulse no";

    void expectEndBox(std::string_view counted)
    {
        prompter.expectMessage(ui::startsWith(std::string(counted)), ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    }
};

TEST_F(ImportaSaldosCtaCte, TheVoucherTypeFixesTheSideTheBookAndTheSignOfTheTotal)
{
    struct Case {
        const char* kind;
        const char* legacySide;
        const char* side;  // of line 1; "" when the record is refused
        const char* book;  // LIVA_TIPO, "NULL" when the column is left out
        const char* total;
    };
    const std::vector<Case> cases{
        {"FC", "H", "D", "Ventas", "121.5"},     {"NC", "D", "H", "Ventas", "-121.5"},
        {"ND", "H", "D", "Ventas", "121.5"},     {"CB", "D", "H", "NULL", "121.5"},
        {"PG", "H", "D", "NULL", "121.5"},       {"NCC", "H", "D", "COMPRAS", "-121.5"},
        {"FCC", "D", "H", "COMPRAS", "121.5"},   {"NDC", "D", "H", "COMPRAS", "121.5"},
        {"nc", "D", "H", "Ventas", "-121.5"},    {"AJ", "h", "H", "NULL", "121.5"},
        {"AJ", "D", "D", "NULL", "121.5"},       {"AJ", "X", "", "", ""},
        {"AJ", "", "", "", ""},
    };
    std::vector<LegacyRow> items;
    for (std::size_t i = 0; i < cases.size(); ++i)
        items.push_back(openItem("1120101", cases[i].kind, fmt::format("0001-{:08}-A", i + 1),
                                 {{"DH_fte", text(cases[i].legacySide)}}));
    writeCustomers(items);
    expectEndBox("2 registros de SALDCLIE no se importaron");
    run({kClientes});

    const auto written = firstLines();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string number = fmt::format("{:08}", i + 1);
        SCOPED_TRACE(fmt::format("{} with DH_fte \"{}\"", c.kind, c.legacySide));
        if (std::string_view(c.side).empty()) {
            EXPECT_EQ(written.count(number), 0u);
            continue;
        }
        ASSERT_EQ(written.count(number), 1u);
        expectColumns(written.at(number),
                      {{"DEBE-HABER", c.side}, {"LIVA_TIPO", c.book}, {"LIVA_TOTAL", c.total}, {"CABIMPORTE", "121.5"},
                       {"IMPORTE", "121.5"}},
                      "line 1");
        const auto second = records(fmt::format("SELECT * FROM MV_ASIENTOS WHERE NUMERO = '{}' AND SECUENCIA = 2", number));
        ASSERT_EQ(second.size(), 1u);
        EXPECT_EQ(second[0].at("DEBE-HABER"), std::string_view(c.side) == "D" ? "H" : "D");
    }
    const auto errors = errorList();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].second.find("registro 12"), std::string::npos) << errors[0].second;
    EXPECT_NE(errors[0].second.find("\"X\" no es D ni H"), std::string::npos) << errors[0].second;
    EXPECT_NE(errors[1].second.find("registro 13"), std::string::npos) << errors[1].second;
    EXPECT_NE(errorLog().find("registro 12"), std::string::npos);
    EXPECT_EQ(window.LblDetalle.caption.substr(window.LblDetalle.caption.size() - 12), " FINALIZADO ");
}

TEST_F(ImportaSaldosCtaCte, TheNumberTextGivesBranchNumberAndLetter)
{
    struct Case {
        const char* text;
        const char* branch;
        const char* number;
        const char* letter;
    };
    // Voucher numbers are unique here; a zero number part takes the run's counter, once per record.
    const std::vector<Case> cases{
        {"0001-00001234-A", "0001", "00001234", "A"}, {"0003-00000077", "0003", "00000077", "X"},
        {"0004-0000-456-B", "0004", "00000456", "B"}, {"0001-00000000-A", "0001", "00000001", "A"},
        {"   2-00000000-C", "0002", "00000002", "C"}, {"0012-00005678-b", "0012", "00005678", "b"},
    };
    std::vector<LegacyRow> items;
    for (const Case& c : cases) items.push_back(openItem("1120101", "FC", c.text));
    writeCustomers(items);
    run({kClientes});

    const auto lines = entryLines();
    ASSERT_EQ(lines.size(), 2 * cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].text);
        for (std::size_t line = 0; line < 2; ++line)
            expectColumns(lines[2 * i + line],
                          {{"TC", "  FC"}, {"SUCURSAL", cases[i].branch}, {"NUMERO", cases[i].number}, {"LETRA", cases[i].letter}},
                          "line");
    }
}

TEST_F(ImportaSaldosCtaCte, ThreeOpenItemsOfANewAccount)
{
    gPeriodo = 7;
    writeCustomers({openItem("1120199", "FC", "0001-00000001-A",
                             {{"Nomb_fte", text("Almacén D'Ángelo")}, {"codv_fte", text("7")}, {"Venc_fte", null()}}),
                    openItem("1120199", "FC", "0001-00000002-A", {{"FECH_FTE", date("2005-07-02")}}),
                    openItem("1120199", "ND", "0001-00000003-A", {{"Nomb_fte", text("Otro nombre")}})});
    run({kClientes});
    EXPECT_TRUE(prompter.shown().empty());

    const auto accounts = records("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS");
    ASSERT_EQ(accounts.size(), 1u);
    expectColumns(accounts[0], {{"CODIGO", "1120199"}, {"DESCRIPCION", "Almacén DÁngelo"}}, "account");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MA_CALENDARIO"), 2u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MA_CALENDARIO WHERE FECHA = '2005-07-02 00:00:00' AND NOLABORABLE = 0"), 1u);

    const auto lines = entryLines();
    ASSERT_EQ(lines.size(), 6u);
    expectColumns(lines[0],
                  {{"TIPO_REG", "VTAS"}, {"FECHA", "2005-07-01 00:00:00"}, {"FECHASUBDIARIO", "2005-07-01 00:00:00"},
                   {"CUENTA", "1120199"}, {"IMPORTE", "121.5"}, {"DEBE-HABER", "D"}, {"CABCUENTA", "1120199"},
                   {"CABIMPORTE", "121.5"}, {"TC", "  FC"}, {"SUCURSAL", "0001"}, {"NUMERO", "00000001"}, {"LETRA", "A"},
                   {"LIVA_TIPO", "Ventas"}, {"LIVA_TOTAL", "121.5"}, {"LIVA_IMPNETOGRAV", "NULL"},
                   {"CABNOMBRE", "Almacén D'Ángelo"}, {"VENCIMIENTO", "NULL"}, {"CABCUIT", "30712345678"},
                   {"CABCONDIVA", "   1"}, {"DETALLE", "Saldo al cierre"}, {"MES_OPERATIVO", "7"}, {"PERIODO", "1"},
                   {"SECUENCIA", "1"}, {"NUMERO ASIENTO", "1"}, {"IDCAJAS", "   1"}, {"UNEGOCIO", "   1"},
                   {"ESRESUMEN", "0"}, {"ES_SALDO_APERTURA", "0"}, {"ESAJUSTE", "0"}, {"CHPROPIO", "0"},
                   {"MONEDA", "   1"}, {"TRANSMISION", "4"}, {"USUARIO_LOGEADO", "tester"},
                   {"FECHAHORA_GRABACION", "2026-03-07 09:05:00"}, {"IDVENDEDOR", "   7"}},
                  "line 1");
    expectColumns(lines[1],
                  {{"TIPO_REG", "VTAS"}, {"CUENTA", "71104"}, {"IMPORTE", "121.5"}, {"DEBE-HABER", "H"},
                   {"CABCUENTA", "1120199"}, {"CABIMPORTE", "121.5"}, {"TC", "  FC"}, {"NUMERO", "00000001"},
                   {"LIVA_TIPO", "NULL"}, {"LIVA_TOTAL", "NULL"}, {"CABNOMBRE", "NULL"}, {"VENCIMIENTO", "NULL"},
                   {"CABCUIT", "NULL"}, {"CABCONDIVA", "NULL"}, {"DETALLE", "Saldo al cierre"}, {"PERIODO", "1"},
                   {"SECUENCIA", "2"}, {"NUMERO ASIENTO", "1"}, {"ESAJUSTE", "1"}, {"TRANSMISION", "4"},
                   {"IDVENDEDOR", "   7"}},
                  "line 2");
    // One entry number per record, the next once the record before it is stored.
    for (std::size_t record = 0; record < 3; ++record) {
        EXPECT_EQ(lines[2 * record].at("NUMERO ASIENTO"), std::to_string(record + 1));
        EXPECT_EQ(lines[2 * record + 1].at("NUMERO ASIENTO"), std::to_string(record + 1));
    }
    EXPECT_EQ(lines[2].at("VENCIMIENTO"), "2005-07-31 00:00:00");
    EXPECT_EQ(lines[4].at("CABNOMBRE"), "Otro nombre");
    EXPECT_EQ(gPeriodo, 7);
    EXPECT_EQ(counters(), "Leidos 2 de 3 Grabados:2 Errores: 0");
}

TEST_F(ImportaSaldosCtaCte, EachFiscalYearAndRegisterHasItsOwnEntryNumbers)
{
    gPeriodo = 1;
    writeSuppliers({openItem("2110101", "FCC", "0001-00000001-A", {{"FECH_FTE", date("2005-06-30")}, {"Subd_fte", text("cpas")}}),
                    openItem("2110101", "FCC", "0001-00000002-A", {{"FECH_FTE", date("2005-06-30")}, {"Subd_fte", text("Cpas")}}),
                    openItem("2110101", "FCC", "0001-00000003-A", {{"Subd_fte", text("CPAS")}}),
                    openItem("2110101", "FCC", "0001-00000004-A", {{"FECH_FTE", date("2005-06-15")}})});
    run({kProveedores});
    EXPECT_TRUE(prompter.shown().empty());

    const auto lines = firstLines();
    ASSERT_EQ(lines.size(), 4u);
    expectColumns(lines.at("00000001"), {{"PERIODO", "0"}, {"MES_OPERATIVO", "6"}, {"TIPO_REG", "CPRA"}, {"NUMERO ASIENTO", "1"}}, "30/06");
    expectColumns(lines.at("00000002"), {{"PERIODO", "0"}, {"TIPO_REG", "CPRA"}, {"NUMERO ASIENTO", "2"}}, "30/06 again");
    expectColumns(lines.at("00000003"), {{"PERIODO", "1"}, {"MES_OPERATIVO", "7"}, {"TIPO_REG", "CPRA"}, {"NUMERO ASIENTO", "1"}}, "01/07");
    expectColumns(lines.at("00000004"), {{"PERIODO", "0"}, {"TIPO_REG", "VTAS"}, {"NUMERO ASIENTO", "1"}}, "another register");
    EXPECT_EQ(lines.at("00000001").count("IDVENDEDOR"), 1u);
    EXPECT_EQ(lines.at("00000001").at("IDVENDEDOR"), "NULL");
    EXPECT_EQ(gPeriodo, 1);
}

TEST_F(ImportaSaldosCtaCte, ASecondRunWritesNothingAgain)
{
    // The same voucher twice on one account makes two entries, each recognised on the next run; the
    // supplier's first voucher has the key of the customer's first, and is a voucher of its own.
    testing_support::LegacyTables()
        .table("SALDCLIE", {openItem("1120101", "FC", "0001-00001234-A"), openItem("1120101", "FC", "0001-00000000-A"),
                            openItem("1120102", "FC", "0001-00000000-A"), openItem("1120103", "FC", "0002-00000010-A"),
                            openItem("1120103", "FC", "0002-00000010-A")})
        .table("SALDPROV", {openItem("2110101", "FC", "0001-00001234-A"), openItem("2110101", "FCC", "0001-00000000-A")})
        .write(legacy.path());
    // The customer accounts are the ERP's customers.
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120101', 'Cliente', 'CL')");
    run({kClientes, kProveedores});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 14u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '2110101' AND NUMERO = '00001234'"), 1u);
    // Each record with a zero number part takes the next number of its run.
    EXPECT_EQ(rows("SELECT CUENTA, NUMERO FROM MV_ASIENTOS WHERE SECUENCIA = 1 AND NUMERO < '00000010' ORDER BY ID"),
              (Rows{{"1120101", "00000001"}, {"1120102", "00000002"}, {"2110101", "00000001"}}));

    run({kClientes, kProveedores});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 14u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MA_CUENTAS"), 4u);
    EXPECT_EQ(counters(), "Leidos 1 de 2 Grabados:0 Errores: 0");

    // A third open item of the voucher that stands twice is new.
    testing_support::LegacyTables()
        .table("SALDCLIE", {openItem("1120103", "FC", "0002-00000010-A"), openItem("1120103", "FC", "0002-00000010-A"),
                            openItem("1120103", "FC", "0002-00000010-A")})
        .write(legacy.path());
    run({kClientes});
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS WHERE CUENTA = '1120103'"), 3u);
}

TEST_F(ImportaSaldosCtaCte, ACustomersInstalmentsOnACustomerAccountAreEachWrittenOnce)
{
    // The account is the ERP's customer. Two invoices of 1,210.00, each kept as two open items of 605.00 that
    // repeat its total: voucher 10's due on 31/07 and 31/08, voucher 11's both on 31/07.
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120101', 'Cliente', 'CL')");
    const LegacyRow instalment{{"Impo_fte", number("605")}, {"CTot_fte", number("1210")}};
    writeCustomers({openItem("1120101", "FC", "0002-00000010-A", instalment),
                    openItem("1120101", "FC", "0002-00000010-A", with(instalment, {{"Venc_fte", date("2005-08-31")}})),
                    openItem("1120101", "FC", "0002-00000011-A", instalment),
                    openItem("1120101", "FC", "0002-00000011-A", instalment)});
    run({kClientes});
    EXPECT_TRUE(prompter.shown().empty());
    // An entry for each open item; the invoice's VAT total on its first one's line alone.
    const Rows lines{{"1", "1", "1120101", "D", "605", "1210", "31/07/2005"}, {"1", "2", "71104", "H", "605", "NULL", "NULL"},
                     {"2", "1", "1120101", "D", "605", "0", "31/08/2005"},    {"2", "2", "71104", "H", "605", "NULL", "NULL"},
                     {"3", "1", "1120101", "D", "605", "1210", "31/07/2005"}, {"3", "2", "71104", "H", "605", "NULL", "NULL"},
                     {"4", "1", "1120101", "D", "605", "0", "31/07/2005"},    {"4", "2", "71104", "H", "605", "NULL", "NULL"}};
    EXPECT_EQ(voucherLines(), lines);
    const Rows books{{"7", "1", "605", "605", "1210"},
                     {"7", "2", "605", "605", "0"},
                     {"7", "3", "605", "605", "1210"},
                     {"7", "4", "605", "605", "0"}};
    EXPECT_EQ(entries(), books);
    EXPECT_EQ(rows("SELECT NUMERO, SUM(LIVA_TOTAL) FROM MV_ASIENTOS GROUP BY NUMERO ORDER BY NUMERO"),
              (Rows{{"00000010", "1210"}, {"00000011", "1210"}}));
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" ) FINALIZADO ")) << window.LblDetalle.caption;

    run({kClientes});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(voucherLines(), lines);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 4 ya estaban importados FINALIZADO ")) << window.LblDetalle.caption;
}

TEST_F(ImportaSaldosCtaCte, AVoucherTheErpHoldsStopsEveryInstalment)
{
    // Vouchers in two open items each, of which the ERP's own entries (no mark) hold a line.
    struct Case {
        std::size_t entry;
        const char *kind, *voucher, *account;
        const char *erpAccount, *erpSequence;
    };
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120101', 'Cliente', 'CL')");
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120109', 'Otro cliente', 'CL')");
    const std::vector<Case> cases{
        {kClientes, "FC", "0002-00000011-A", "1120101", "1120109", "1"},     // on another customer's account
        {kClientes, "FC", "0002-00000012-A", "1120101", "1120101", "1"},     // on the customer's own
        {kProveedores, "FCC", "0002-00000013-A", "2110101", "2110101", "3"},  // the supplier's, third in its entry
    };
    std::vector<LegacyRow> customers, suppliers;
    for (const Case& c : cases) {
        const LegacyRow instalment{{"Impo_fte", number("605")}, {"CTot_fte", number("1210")}};
        auto& source = c.entry == kClientes ? customers : suppliers;
        source.push_back(openItem(c.account, c.kind, c.voucher, instalment));
        source.push_back(openItem(c.account, c.kind, c.voucher, with(instalment, {{"Venc_fte", date("2005-08-31")}})));
        execute(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, SECUENCIA, IMPORTE, [DEBE-HABER]) "
                            "VALUES ('{:>4}', '0002', '{}', 'A', '{}', {}, 1210, 'D')",
                            c.kind, std::string(c.voucher).substr(5, 8), c.erpAccount, c.erpSequence));
    }
    writeCustomers(customers);
    writeSuppliers(suppliers);
    run({kClientes});
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 4 ya estaban importados FINALIZADO ")) << window.LblDetalle.caption;
    run({kProveedores});
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 2 ya estaban importados FINALIZADO ")) << window.LblDetalle.caption;
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), cases.size());
}

TEST_F(ImportaSaldosCtaCte, AVoucherWithoutANumberNeverTakesTheNumberOfARealOne)
{
    // Two customers of the ERP; the first has vouchers without a number before and after the second's
    // voucher 00000001.
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120101', 'Cliente A', 'CL')");
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120102', 'Cliente B', 'CL')");
    writeCustomers({openItem("1120101", "FC", "0001-00000000-A", {{"Impo_fte", number("100")}, {"CTot_fte", number("100")}}),
                    openItem("1120102", "FC", "0001-00000001-A", {{"Impo_fte", number("200")}, {"CTot_fte", number("200")}}),
                    openItem("1120101", "FC", "0001-00000000-A", {{"Impo_fte", number("300")}, {"CTot_fte", number("300")}})});
    run({kClientes});
    EXPECT_TRUE(prompter.shown().empty());
    // Each voucher its own balanced entry; the ones without a number take 2 and 3, the real one keeps 1.
    const Rows books{{"1120101", "00000002", "100", "100", "100"},
                     {"1120102", "00000001", "200", "200", "200"},
                     {"1120101", "00000003", "300", "300", "300"}};
    const auto entries = [] {
        return rows("SELECT MIN(CASE WHEN SECUENCIA = 1 THEN CUENTA END), NUMERO, "
                    "SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE ELSE 0 END), "
                    "SUM(CASE WHEN [DEBE-HABER] = 'H' THEN IMPORTE ELSE 0 END), SUM(LIVA_TOTAL) "
                    "FROM MV_ASIENTOS GROUP BY NUMERO ORDER BY MIN(ID)");
    };
    EXPECT_EQ(entries(), books);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" ) FINALIZADO ")) << window.LblDetalle.caption;

    // The same numbers again: every record is found imported, and the end text counts them.
    run({kClientes});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(entries(), books);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 3 ya estaban importados FINALIZADO ")) << window.LblDetalle.caption;
}

TEST_F(ImportaSaldosCtaCte, AVoucherWithoutANumberPassesOverTheNumbersTheErpHolds)
{
    // The ERP's own vouchers 00000001: a customer's sale, and a purchase on the supplier's account.
    const auto erpVoucher = [](std::string_view tc, std::string_view account) {
        execute(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, SECUENCIA, TRANSMISION, IMPORTE, "
                            "[DEBE-HABER]) VALUES ('{}', '0001', '00000001', 'A', '{}', 1, 0, 50, 'D')",
                            tc, account));
    };
    execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120109', 'Cliente del ERP', 'CL')");
    erpVoucher("  FC", "1120109");
    erpVoucher(" FCC", "2110101");
    writeCustomers({openItem("1120101", "FC", "0001-00000000-A")});
    writeSuppliers({openItem("2110101", "FCC", "0001-00000000-A")});
    run({kClientes, kProveedores});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(rows("SELECT TC, NUMERO, CUENTA, [DEBE-HABER], IMPORTE FROM MV_ASIENTOS ORDER BY ID"),
              (Rows{{"  FC", "00000001", "1120109", "D", "50"},
                    {" FCC", "00000001", "2110101", "D", "50"},
                    {"  FC", "00000002", "1120101", "D", "121.5"},
                    {"  FC", "00000002", "71104", "H", "121.5"},
                    {" FCC", "00000002", "2110101", "H", "121.5"},
                    {" FCC", "00000002", "71104", "D", "121.5"}}));

    run({kClientes, kProveedores});
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 6u);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 1 ya estaba importado FINALIZADO ")) << window.LblDetalle.caption;
}

TEST_F(ImportaSaldosCtaCte, ARecordWithABlankAccountIsListedAndTheOneBesideItWritten)
{
    writeCustomers({openItem("   ", "FC", "0001-00000001-A"), openItem("1120101", "FC", "0001-00000002-A")});
    expectEndBox("1 registro de SALDCLIE no se importó");
    run({kClientes});
    EXPECT_EQ(rows("SELECT NUMERO, CUENTA FROM MV_ASIENTOS ORDER BY ID"),
              (Rows{{"00000002", "1120101"}, {"00000002", "71104"}}));
    EXPECT_EQ(rows("SELECT CODIGO FROM MA_CUENTAS"), (Rows{{"1120101"}}));
    EXPECT_EQ(errorList(), (std::vector<std::pair<std::string, std::string>>{
                               {"1", "Tabla SALDCLIE, registro 1: cuen_fte está vacío; no se importa"}}));
    EXPECT_NE(errorLog().find("Tabla SALDCLIE, registro 1: cuen_fte está vacío"), std::string::npos);
}

TEST_F(ImportaSaldosCtaCte, NoEntryNumberRefusesTheRecordUntilThereIsOne)
{
    entryNumberAnswersZero(7, 1, "VTAS");
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A"),
                    openItem("1120101", "FC", "0001-00000002-A", {{"FECH_FTE", date("2005-06-30")}})});
    expectEndBox("1 registro de SALDCLIE no se importó");
    run({kClientes});
    EXPECT_EQ(rows("SELECT NUMERO, [NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC IS NOT NULL ORDER BY ID"),
              (Rows{{"00000002", "1"}, {"00000002", "1"}}));
    const auto errors = errorList();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].second,
              "Tabla SALDCLIE, registro 1: no hay número de asiento para el mes 7 del período 1 en VTAS; no se importa");

    // The damaged line mended, the refused record is written, and only it.
    execute("DELETE FROM MV_ASIENTOS WHERE TC IS NULL");
    run({kClientes});
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(rows("SELECT NUMERO, [NUMERO ASIENTO], PERIODO FROM MV_ASIENTOS ORDER BY ID"),
              (Rows{{"00000002", "1", "0"}, {"00000002", "1", "0"}, {"00000001", "1", "1"}, {"00000001", "1", "1"}}));
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 1 ya estaba importado FINALIZADO ")) << window.LblDetalle.caption;
}

TEST_F(ImportaSaldosCtaCte, AnAccountTheUserMayNotUseAsksWhetherToTryAgain)
{
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A"), openItem("1120102", "FC", "0001-00000002-A"),
                    openItem("1120103", "FC", "0001-00000003-A")});
    refuseUntilRecorded("1120102");
    prompter.expectMessage(kPregunta, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbYes);
    run({kClientes});
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 6u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM AUX_ERR"), 1u);
    EXPECT_TRUE(errorList().empty());
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" FINALIZADO "));
}

TEST_F(ImportaSaldosCtaCte, AnsweringNoToTheRightsQuestionStopsTheRun)
{
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A"), openItem("1120102", "FC", "0001-00000002-A"),
                    openItem("1120103", "FC", "0001-00000003-A")});
    writeSuppliers({openItem("2110101", "FCC", "0001-00000001-A")});
    refuseUntilRecorded("1120102");
    prompter.expectMessage(kPregunta, ui::vbYesNo | ui::vbQuestion, "Atencion", ui::vbNo);
    run({kClientes, kProveedores});
    EXPECT_EQ(rows("SELECT DISTINCT CUENTA FROM MV_ASIENTOS WHERE SECUENCIA = 1"), (Rows{{"1120101"}}));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: Saldos de Clientes ---> DETENIDO");
    EXPECT_FALSE(window.LblDetalle.caption.ends_with(" FINALIZADO "));
}

TEST_F(ImportaSaldosCtaCte, AValueTooWideFailsItsRecordWhole)
{
    window.txtFields[0].text = "7110400000000001";  // 16 characters: an account holds 15
    writeCustomers({openItem("1120199", "FC", "0001-00000001-A")});
    expectEndBox("1 registro de SALDCLIE no se importó");
    run({kClientes});
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 0u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MA_CUENTAS"), 0u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM AUX_ERR"), 1u);
    const auto errors = errorList();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].second.starts_with("Tabla SALDCLIE, registro 1: 8152")) << errors[0].second;
    EXPECT_NE(errorLog().find("Tabla SALDCLIE, registro 1: 8152"), std::string::npos);
}

TEST_F(ImportaSaldosCtaCte, CancelEndsTheRunBetweenRecords)
{
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A"), openItem("1120101", "FC", "0001-00000002-A"),
                    openItem("1120101", "FC", "0001-00000003-A")});
    writeSuppliers({openItem("2110101", "FCC", "0001-00000001-A")});
    // The first record pumps events twice: after its first line, and after it is written.
    pump.at(2, [this] { window.CmdCancelar_Click(); });
    run({kClientes, kProveedores});
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 2u);
    EXPECT_EQ(window.lblTabla.caption, "Tabla: Saldos de Clientes ---> CANCELADO ");
    EXPECT_EQ(window.LblDetalle.caption, "CANCELADO");
}

TEST_F(ImportaSaldosCtaCte, ARecordWithoutADateStopsTheTaskNamingIt)
{
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A"),
                    openItem("1120101", "FC", "0001-00000002-A", {{"FECH_FTE", null()}}),
                    openItem("1120101", "FC", "0001-00000003-A")});
    prompter.expectMessage(
        "Ha ocurrido el Siguiente Error (13) Tabla SALDCLIE, registro 2, campo FECH_FTE: está vacío y hace falta una fecha",
        ui::vbOKOnly | ui::vbCritical, "Migrador", ui::vbOK);
    run({kClientes});
    EXPECT_EQ(rows("SELECT DISTINCT NUMERO FROM MV_ASIENTOS"), (Rows{{"00000001"}}));
    EXPECT_EQ(window.lblTabla.caption, "Tabla: Saldos de Clientes ---> DETENIDO");
    EXPECT_TRUE(window.Cancelado);
}

TEST_F(ImportaSaldosCtaCte, AMissingTableOrAdjustmentAccountWritesNothing)
{
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbIgnore);
    run({kClientes});
    EXPECT_EQ(window.lblTabla.caption, "Tabla: Saldos de Clientes ---> ERROR");

    writeSuppliers({openItem("2110101", "FCC", "0001-00000001-A")});
    window.txtFields[1].text = "  ";
    prompter.expectMessage("La cuenta de ajuste de proveedores está vacía: escríbala antes de importar los saldos.",
                           ui::vbOKOnly | ui::vbExclamation, "Migrador", ui::vbOK);
    run({kProveedores});
    EXPECT_EQ(window.lblTabla.caption, "Tabla: Saldos de Proveedores ---> ERROR");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 0u);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MA_CALENDARIO"), 0u);
}

TEST_F(ImportaSaldosCtaCte, AnEmptySourceOnlyFinishes)
{
    writeCustomers({openItem("1120101", "FC", "0001-00000001-A")}, {0});
    run({kClientes});
    EXPECT_EQ(window.LblDetalle.caption, " FINALIZADO ");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MV_ASIENTOS"), 0u);
}

// An invoice of 1,210.00 (net 1,000.00) kept as two open items, the first refused on the first run for its
// due date (typed with the year 205), the second written. Once the due date is mended, the next run writes the
// first, with the invoice's VAT figures, and nothing else; the run after it writes nothing.
struct RefusedInstalment {
    std::string name;
    bool suppliers;
    // Amount and due date ("yyyy-mm-dd") of each open item, the first's as mended.
    std::string firstAmount, firstDue, secondAmount, secondDue;
};

void PrintTo(const RefusedInstalment& c, std::ostream* os) { *os << c.name; }

class ARefusedInstalment : public ImportaSaldosCtaCte, public ::testing::WithParamInterface<RefusedInstalment> {
protected:
    void writeInstalments(std::string_view firstDue)
    {
        const RefusedInstalment& c = GetParam();
        LegacyRow invoice{{"CTot_fte", number("1210")}};
        if (c.suppliers) invoice.emplace_back("NETO_FTE", number("1000"));
        const auto item = [&](const std::string& amount, std::string_view due) {
            return openItem(account(), c.suppliers ? "FCC" : "FC", "0002-00000010-A",
                            with(invoice, {{"Impo_fte", number(amount)}, {"Venc_fte", date(due)}}));
        };
        const std::vector<LegacyRow> items{item(c.firstAmount, firstDue), item(c.secondAmount, c.secondDue)};
        if (c.suppliers) writeSuppliers(items);
        else writeCustomers(items);
    }

    std::string account() const { return GetParam().suppliers ? "2110101" : "1120101"; }

    // A due date as the lines show it.
    static std::string dayShown(const std::string& isoDate)
    {
        return isoDate.substr(8, 2) + "/" + isoDate.substr(5, 2) + "/" + isoDate.substr(0, 4);
    }
};

TEST_P(ARefusedInstalment, IsWrittenOnceItIsMendedAndNothingTwice)
{
    const RefusedInstalment& c = GetParam();
    const std::size_t entry = c.suppliers ? kProveedores : kClientes;
    const std::string table = c.suppliers ? "SALDPROV" : "SALDCLIE";
    // A supplier's invoice is a credit on the supplier's account, a customer's a debit on the ERP's customer.
    const std::string side = c.suppliers ? "H" : "D", other = c.suppliers ? "D" : "H";
    if (!c.suppliers) execute("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TIPOVISTA) VALUES ('1120101', 'Cliente', 'CL')");

    writeInstalments("0205-07-31");
    expectEndBox("1 registro de " + table + " no se importó");
    run({entry});
    const auto errors = errorList();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].second.starts_with("Tabla " + table + ", registro 1: 242")) << errors[0].second;
    const Rows second{{"1", "1", account(), side, c.secondAmount, "0", dayShown(c.secondDue)},
                      {"1", "2", "71104", other, c.secondAmount, "NULL", "NULL"}};
    EXPECT_EQ(voucherLines(), second);

    writeInstalments(c.firstDue);
    run({entry});
    EXPECT_EQ(prompter.shown().size(), 1u);
    Rows both = second;
    both.push_back({"2", "1", account(), side, c.firstAmount, "1210", dayShown(c.firstDue)});
    both.push_back({"2", "2", "71104", other, c.firstAmount, "NULL", "NULL"});
    EXPECT_EQ(voucherLines(), both);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 1 ya estaba importado FINALIZADO ")) << window.LblDetalle.caption;
    // Each open item an entry that balances; the VAT book holds the invoice once.
    EXPECT_EQ(entries(),
              (Rows{{"7", "1", c.secondAmount, c.secondAmount, "0"}, {"7", "2", c.firstAmount, c.firstAmount, "1210"}}));

    run({entry});
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(voucherLines(), both);
    EXPECT_TRUE(window.LblDetalle.caption.ends_with(" 2 ya estaban importados FINALIZADO ")) << window.LblDetalle.caption;

    if (!c.suppliers) return;
    // The net goes to the line with the VAT figures, the first open item's, and nowhere else.
    press(&Importar::CmdNETO_FTE_Click);
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(rows("SELECT [NUMERO ASIENTO], LIVA_TOTAL, LIVA_IMPNETOGRAV FROM MV_ASIENTOS WHERE SECUENCIA = 1 ORDER BY ID"),
              (Rows{{"1", "0", "NULL"}, {"2", "1210", "1000"}}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MV_ASIENTOS WHERE LIVA_IMPNETOGRAV IS NOT NULL"), (Rows{{"1"}}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ARefusedInstalment,
    ::testing::Values(RefusedInstalment{"CustomerInstalmentsOfTheirOwn", false, "500", "2005-07-31", "710", "2005-08-31"},
                      RefusedInstalment{"CustomerInstalmentsAlike", false, "605", "2005-07-31", "605", "2005-07-31"},
                      RefusedInstalment{"SupplierInstalmentsOfTheirOwn", true, "500", "2005-07-31", "710", "2005-08-31"},
                      RefusedInstalment{"SupplierInstalmentsAlike", true, "605", "2005-07-31", "605", "2005-07-31"}),
    [](const auto& info) { return info.param.name; });

}  // namespace

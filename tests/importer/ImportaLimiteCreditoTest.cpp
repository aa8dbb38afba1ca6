// The six credit limits of legacy customers into their existing account rows: customers without an account
// refused, listed and counted in one box; decimals and Nulls; customers left out; the run that also imports
// customers and the run after it; customers that share an account.

#include "platform/base/Regional.h"
#include "tests/importer/AccountImportFixture.h"

namespace {

using namespace testing_support;

LegacyRow limits(const char* lcre, const char* lcr1, const char* lcr2, const char* lcr3, const char* lcr4, const char* lcr5)
{
    LegacyRow row;
    const char* values[] = {lcre, lcr1, lcr2, lcr3, lcr4, lcr5};
    const char* names[] = {"LCRE_FCL", "LCR1_FCL", "LCR2_FCL", "LCR3_FCL", "LCR4_FCL", "LCR5_FCL"};
    for (int i = 0; i < 6; ++i) row.emplace_back(names[i], values[i] ? number(values[i]) : null());
    return row;
}

// Why the end box says the records without an account were not imported.
const char* const kWithoutAccount =
    "falta la cuenta del cliente; vuelva a ejecutar \"LIMITE DE CREDITOS\" cuando los clientes estén importados";

// A customer refused for its missing account, as the error list and the error log give it.
std::string withoutAccount(int record, std::string_view code, std::string_view account)
{
    return fmt::format("Tabla FCLIENTE, registro {}, CODI_FCL \"{}\": la cuenta {} no existe todavía; sus límites de "
                       "crédito no se importan",
                       record, code, account);
}

ColumnValues limitColumns(const char* lcre, const char* lcr1, const char* lcr2, const char* lcr3, const char* lcr4,
                          const char* lcr5)
{
    return {{"LIMITE_CREDITO", lcre},   {"LIMITE_CREDITO1", lcr1}, {"LIMITE_CREDITO2", lcr2},
            {"LIMITE_CREDITO3", lcr3}, {"LIMITE_CREDITO4", lcr4}, {"LIMITE_CREDITO5", lcr5}};
}

class CreditLimits : public AccountImport {
protected:
    // The second record is above 4999 and is passed over.
    void writeCustomers()
    {
        LegacyTables tables;
        withCities(tables)
            .table("FCLIENTE", {customer("000123", limits("150000.5", "1000", nullptr, "0.25", "12345678.99", "7")),
                                customer(" 5000", limits("99", "99", "99", "99", "99", "99")),
                                customer("000124", limits("500", "600", "700", "800", "900", "1000")),
                                customer("004999", limits(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))})
            .write(legacy.path());
    }

    void expectLogged(const std::vector<std::pair<std::string, std::string>>& listed)
    {
        const std::string log = errorLog();
        for (const auto& [ordinal, text] : listed)
            EXPECT_NE(log.find("Rutina: ImportaLimiteCredito Mensaje " + text), std::string::npos) << text << "\n" << log;
    }
};

TEST_F(CreditLimits, WithoutCustomerAccountsEveryCustomerIsRefusedListedAndCountedInOneBox)
{
    writeCustomers();
    expectEndBox(refusals(3, "FCLIENTE", kWithoutAccount));
    run({kLimites});
    EXPECT_TRUE(codes("MA_CUENTASADIC").empty());
    const std::vector<std::pair<std::string, std::string>> listed{{"1", withoutAccount(1, "000123", "11401010123")},
                                                                  {"2", withoutAccount(3, "000124", "11401010124")},
                                                                  {"3", withoutAccount(4, "004999", "11401014999")}};
    EXPECT_EQ(errorList(), listed);
    expectLogged(listed);
    // The list follows its last row, as the movement imports' list does.
    EXPECT_EQ(window.MSFlexGrid1.topRow(), window.MSFlexGrid1.rows() - 1);
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "Procesando Registro 2",
                                                "FINALIZADO CLIENTES"}));
}

TEST_F(CreditLimits, DecimalsGoInWithAPointAndNullIsZero)
{
    writeCustomers();
    run({kClientes});
    execute("DELETE FROM MA_CUENTASADIC WHERE CODIGO = '11401010124'");  // a customer without an account
    execute("UPDATE MA_CUENTASADIC SET CONTACTO = 'sin tocar'");
    const base::Regional saved = base::regional();
    base::regional().decimalSeparator = ',';
    expectEndBox(refusals(1, "FCLIENTE", kWithoutAccount));
    run({kLimites});
    base::regional() = saved;
    expectColumns("MA_CUENTASADIC", "11401010123", limitColumns("150000.5", "1000", "0", "0.25", "12345678.99", "7"));
    expectColumns("MA_CUENTASADIC", "11401014999", limitColumns("0", "0", "0", "0", "0", "0"));
    expectColumns("MA_CUENTASADIC", "11401010123", {{"CONTACTO", "sin tocar"}});  // no other column is touched
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010123", "11401014999"}));
    EXPECT_EQ(errorList(), (std::vector<std::pair<std::string, std::string>>{
                               {"1", withoutAccount(3, "000124", "11401010124")}}));
    // The customer without an account is counted; the code above 4999 is not.
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "Procesando Registro 2",
                                                "FINALIZADO CLIENTES"}));
}

TEST_F(CreditLimits, TickedWithCustomersOnAnEmptyErpTheLimitsAreRefusedAndARunAfterWritesThemAll)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("000123", limits("1500.5", "99999999.99", nullptr, "0.01", "12345678.99", "7")),
                            customer("000124", limits("99999999.99", "1500.5", "0", "1", "2", "3"))})
        .write(legacy.path());
    // The limits task runs first and finds no account; the customers that follow are written with limits 0.
    expectEndBox(refusals(2, "FCLIENTE", kWithoutAccount));
    run({kLimites, kClientes});
    const std::vector<std::pair<std::string, std::string>> listed{{"1", withoutAccount(1, "000123", "11401010123")},
                                                                  {"2", withoutAccount(2, "000124", "11401010124")}};
    EXPECT_EQ(errorList(), listed);
    expectLogged(listed);
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010123", "11401010124"}));
    expectColumns("MA_CUENTASADIC", "11401010123", limitColumns("0", "0", "0", "0", "0", "0"));
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");

    // Run again as the box says: every limit is written, exactly, and nothing is refused.
    run({kLimites});
    const ColumnValues first = limitColumns("1500.5", "99999999.99", "0", "0.01", "12345678.99", "7");
    const ColumnValues second = limitColumns("99999999.99", "1500.5", "0", "1", "2", "3");
    expectColumns("MA_CUENTASADIC", "11401010123", first);
    expectColumns("MA_CUENTASADIC", "11401010124", second);
    EXPECT_TRUE(errorList().empty());

    // Once the accounts exist, the limits written first survive the customer rewrite that follows.
    run({kLimites, kClientes});
    expectColumns("MA_CUENTASADIC", "11401010123", first);
    expectColumns("MA_CUENTASADIC", "11401010124", second);
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010123", "11401010124"}));
}

TEST_F(CreditLimits, CustomersSharingAnAccountAndOneWithoutAnAccountAreToldInOneBox)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("00", limits("10", "10", "10", "10", "10", "10")),
                            customer("0", limits("20", "20", "20", "20", "20", "20")),
                            customer("000125", limits("30", "30", "30", "30", "30", "30"))})
        .write(legacy.path());
    expectSharedAccounts(1, "FCLIENTE");
    run({kClientes});
    execute("DELETE FROM MA_CUENTASADIC WHERE CODIGO = '11401010125'");
    expectEndBox(sharedAccounts(1, "FCLIENTE") + "\r\n" + refusals(1, "FCLIENTE", kWithoutAccount));
    run({kLimites});
    const std::string message =
        "Rutina: ImportaLimiteCredito Mensaje La cuenta 1140101 ya se importó del código 00 de FCLIENTE; el código 0 "
        "da la misma cuenta y no se importa";
    EXPECT_NE(errorLog().find(message), std::string::npos) << errorLog();
    expectColumns("MA_CUENTASADIC", "1140101", limitColumns("10", "10", "10", "10", "10", "10"));
    EXPECT_EQ(errorList(), (std::vector<std::pair<std::string, std::string>>{
                               {"1", withoutAccount(3, "000125", "11401010125")}}));
}

}  // namespace

// The six credit limits of legacy customers into their existing account rows: nothing without accounts,
// decimals and Nulls, customers left out or without an account, and the run that also imports customers.

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

ColumnValues limitColumns(const char* lcre, const char* lcr1, const char* lcr2, const char* lcr3, const char* lcr4,
                          const char* lcr5)
{
    return {{"LIMITE_CREDITO", lcre},   {"LIMITE_CREDITO1", lcr1}, {"LIMITE_CREDITO2", lcr2},
            {"LIMITE_CREDITO3", lcr3}, {"LIMITE_CREDITO4", lcr4}, {"LIMITE_CREDITO5", lcr5}};
}

class CreditLimits : public AccountImport {
protected:
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
};

TEST_F(CreditLimits, WithoutCustomerAccountsNothingIsWritten)
{
    writeCustomers();
    run({kLimites});
    EXPECT_TRUE(codes("MA_CUENTASADIC").empty());
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
    run({kLimites});
    base::regional() = saved;
    expectColumns("MA_CUENTASADIC", "11401010123", limitColumns("150000.5", "1000", "0", "0.25", "12345678.99", "7"));
    expectColumns("MA_CUENTASADIC", "11401014999", limitColumns("0", "0", "0", "0", "0", "0"));
    expectColumns("MA_CUENTASADIC", "11401010123", {{"CONTACTO", "sin tocar"}});  // no other column is touched
    EXPECT_EQ(codes("MA_CUENTASADIC"), (std::vector<std::string>{"11401010123", "11401014999"}));
    // The customer without an account is counted; the code above 4999 is not.
    EXPECT_EQ(labels, (std::vector<std::string>{"Procesando Registro 0", "Procesando Registro 1", "Procesando Registro 2",
                                                "FINALIZADO CLIENTES"}));
}

TEST_F(CreditLimits, ARunWithCustomersTooKeepsTheLimitsOnceTheAccountsExist)
{
    writeCustomers();
    // On an empty ERP the limits task runs first and finds no account; the new rows start at 0.
    run({kLimites, kClientes});
    expectColumns("MA_CUENTASADIC", "11401010123", limitColumns("0", "0", "0", "0", "0", "0"));
    // Once the accounts exist, the limits written first survive the customer rewrite that follows.
    run({kLimites, kClientes});
    expectColumns("MA_CUENTASADIC", "11401010123", limitColumns("150000.5", "1000", "0", "0.25", "12345678.99", "7"));
    expectColumns("MA_CUENTASADIC", "11401010124", limitColumns("500", "600", "700", "800", "900", "1000"));
    EXPECT_EQ(window.LblDetalle.caption, "FINALIZADO CLIENTES");
}

TEST_F(CreditLimits, TwoCustomersGivingOneAccountAreReportedAndTheFirstLimitsStay)
{
    LegacyTables tables;
    withCities(tables)
        .table("FCLIENTE", {customer("00", limits("10", "10", "10", "10", "10", "10")),
                            customer("0", limits("20", "20", "20", "20", "20", "20"))})
        .write(legacy.path());
    expectSharedAccounts(1, "FCLIENTE");
    run({kClientes});
    expectSharedAccounts(1, "FCLIENTE");
    run({kLimites});
    const std::string message =
        "Rutina: ImportaLimiteCredito Mensaje La cuenta 1140101 ya se importó del código 00 de FCLIENTE; el código 0 "
        "da la misma cuenta y no se importa";
    EXPECT_NE(errorLog().find(message), std::string::npos) << errorLog();
    expectColumns("MA_CUENTASADIC", "1140101", limitColumns("10", "10", "10", "10", "10", "10"));
}

}  // namespace

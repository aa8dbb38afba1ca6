// The account-row rules the supplier, customer, credit-limit and employee imports share, value by value.

#include "importer/AccountRow.h"

#include <gtest/gtest.h>

namespace {

using base::Value;

const Value kNull = Value::null();

TEST(AccountRow, SupplierAccountsAreThePrefixAndTheTrimmedCodeCutTo15)
{
    struct Case { Value code; const char* account; };
    for (const Case& c : {Case{" 123 ", "2110101123"}, Case{"ABCDEFGHIJ", "2110101ABCDEFGH"}, Case{"12345678", "211010112345678"},
                          Case{"", "2110101"}, Case{kNull, "2110101"}})
        EXPECT_EQ(cuentas::cuentaProveedor(c.code), c.account) << c.account;
}

TEST(AccountRow, CustomerAccountsTakeCharacters3To6)
{
    struct Case { Value code; const char* account; };
    for (const Case& c : {Case{"004999", "11401014999"}, Case{"000123", "11401010123"}, Case{"00", "1140101"},
                          Case{"0", "1140101"}, Case{"0012345678", "11401011234"}, Case{"00 12 ", "1140101 12"},
                          Case{kNull, "1140101"}})
        EXPECT_EQ(cuentas::cuentaCliente(c.code), c.account) << c.account;
}

TEST(AccountRow, CustomerCodesAbove4999AreOutOfRange)
{
    struct Case { Value code; bool out; };
    for (const Case& c : {Case{"004999", false}, Case{"005000", true}, Case{" 5000", true}, Case{"00499A", false},
                          Case{"ABC", false}, Case{"", false}, Case{kNull, false}})
        EXPECT_EQ(cuentas::clienteFueraDeRango(c.code), c.out) << c.code.toText();
}

TEST(AccountRow, EmployeeAccountsHaveAtLeastFourDigits)
{
    struct Case { Value legajo; const char* account; };
    for (const Case& c : {Case{12.0, "21301010012"}, Case{12345.0, "213010112345"}, Case{"7", "21301010007"},
                          Case{"abc", "21301010000"}, Case{123456789012.0, "213010112345678"}})
        EXPECT_EQ(cuentas::cuentaEmpleado(c.legajo), c.account) << c.account;
}

TEST(AccountRow, EmployeeNumbersAreWholeNumbers)
{
    struct Case { Value legajo; bool whole; };
    for (const Case& c : {Case{12.0, true}, Case{"12", true}, Case{" 0012 ", true}, Case{123456789012.0, true},
                          Case{"1.234", false}, Case{"1,5", false}, Case{1.5, false}, Case{"-5", false},
                          Case{-5.0, false}, Case{"12a", false}, Case{"abc", false}, Case{"", false}, Case{"  ", false}})
        EXPECT_EQ(cuentas::esLegajo(c.legajo), c.whole) << "'" << c.legajo.toText() << "'";
}

TEST(AccountRow, VatConditions)
{
    struct Case { Value code; const char* supplier; const char* customer; };
    for (const Case& c : {Case{"5", "   5", "   1"}, Case{"3", "   3", "   1"}, Case{"2", "   2", "   1"},
                          Case{"05", "   1", "   5"}, Case{"03", "   1", "   3"}, Case{"02", "   1", "   2"},
                          Case{"01", "   1", "   1"}, Case{"1", "   1", "   1"}, Case{"4", "   1", "   1"},
                          Case{"", "   1", "   1"}, Case{" ", "   1", "   1"}, Case{kNull, "   1", "   1"}}) {
        EXPECT_EQ(cuentas::condicionIvaProveedor(c.code), c.supplier) << c.code.toText();
        EXPECT_EQ(cuentas::condicionIvaCliente(c.code), c.customer) << c.code.toText();
    }
}

TEST(AccountRow, TaxNumbersAreCutInThreePiecesUnlessAlreadyHyphenated)
{
    struct Case { Value rutt; const char* number; };
    for (const Case& c : {Case{"30712345678", "30-71234567-8"}, Case{"30712345678   ", "30-71234567-8"},
                          Case{"2033", "20-33-"}, Case{"20", "20--"}, Case{"", "--"}, Case{"           ", "--"},
                          Case{kNull, "--"}, Case{"307123456789", "30-71234567-8"},
                          Case{"30-71234567-8", "30-71234567-8"}, Case{" 30-71234567-8 ", "30-71234567-8"},
                          Case{"30-7123456-78", "30--7123456--"}, Case{"3A-71234567-8", "3A--7123456-7"}})
        EXPECT_EQ(cuentas::numeroDocumento(c.rutt), c.number) << c.number;
}

TEST(AccountRow, PostalCodesAndFlags)
{
    EXPECT_EQ(cuentas::codigoPostal(kNull), "0");
    EXPECT_EQ(cuentas::codigoPostal(" 9000  "), "9000");
    EXPECT_EQ(cuentas::codigoPostal(""), "");

    struct Case { Value flag; bool asRead; bool trimmed; };
    for (const Case& c : {Case{"S", true, true}, Case{"s", true, true}, Case{" S ", false, true}, Case{"S ", false, true},
                          Case{"N", false, false}, Case{"", false, false}, Case{kNull, false, false}, Case{"SI", false, false}}) {
        EXPECT_EQ(cuentas::esSi(c.flag, false), c.asRead) << "'" << c.flag.toText() << "'";
        EXPECT_EQ(cuentas::esSi(c.flag, true), c.trimmed) << "'" << c.flag.toText() << "'";
    }
}

}  // namespace

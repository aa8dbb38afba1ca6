// The rules the price-list tasks share: article codes, supplier accounts, the local-supplier flag and
// amounts above 0.

#include "importer/PriceRows.h"

#include <gtest/gtest.h>

namespace {

TEST(PriceRows, TheLocalSupplierFlagIsABoolean)
{
    struct Case {
        base::Value flag;
        bool local;
    };
    const Case cases[] = {
        {base::Value(true), true},          {base::Value(false), false},     {base::Value::null(), false},
        {base::Value(), false},             {base::Value(1), true},          {base::Value(-1), true},
        {base::Value(0), false},            {base::Value("Verdadero"), true}, {base::Value("True"), true},
        {base::Value("Falso"), false},      {base::Value("S"), false},       {base::Value(""), false},
    };
    for (const Case& c : cases) EXPECT_EQ(precios::esProveedorLocal(c.flag), c.local) << c.flag.toText();
}

TEST(PriceRows, CodesAndAccountsOfALegacyArticle)
{
    EXPECT_EQ(precios::codigoArticulo(base::Value("  1001   ")), std::string(21, ' ') + "1001");
    EXPECT_EQ(precios::codigoArticulo(base::Value::null()), std::string(25, ' '));
    EXPECT_EQ(precios::cuentaProveedor(base::Value(" 45 ")), "211010145");
    EXPECT_EQ(precios::cuentaProveedor(base::Value("PROV123456")), "2110101PROV1234");  // the account's 15 characters
    EXPECT_EQ(precios::cuentaProveedor(base::Value("PROV123 56")), "2110101PROV123");
    EXPECT_EQ(precios::cuentaProveedor(base::Value("")), "2110101");
    EXPECT_EQ(precios::cuentaProveedor(base::Value::null()), "2110101");
}

TEST(PriceRows, OnlyAnAmountAboveZeroIsPositive)
{
    struct Case {
        base::Value amount;
        bool positive;
    };
    const Case cases[] = {
        {base::Value(base::Currency::fromDouble(0.01)), true}, {base::Value(base::Currency::fromInteger(0)), false},
        {base::Value(base::Currency::fromDouble(-1)), false},  {base::Value::null(), false},
        {base::Value(2.5), true},                              {base::Value("12,5"), true},
        {base::Value("x"), false},
    };
    for (const Case& c : cases) EXPECT_EQ(precios::esPositivo(c.amount), c.positive) << (c.amount.isNull() ? "Null" : c.amount.toText());
}

}  // namespace

// Accounts by code, optional code or branch; articles by id or barcode.

#include "core/MasterLookups.h"
#include "core/Utilidades.h"
#include "tests/core/ProgramFixture.h"

namespace {

class Lookups : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        auto code25 = [](const char* code) { return gDB_Dll().SQLValue(gUtilidades().RellenaCodigo(code, 25)); };
        std::string rows =
            "INSERT INTO MA_CUENTAS (CODIGO, CODIGOOPCIONAL, DESCRIPCION) VALUES ('2110101000001', 'PRV1', 'Proveedor')\r"
            "INSERT INTO MA_CUENTASSUC (CODIGO, SUCURSAL) VALUES ('2110101000001', 2)\r"
            "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, CODIGOBARRA, CODIGOBARRA1, UMCB1) VALUES (" +
            code25("A-1001") + ", 'Tornillo', " + code25("7790001000012") + ", " + code25("7790001000029") + ", '  CJ')\r"
            "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION) VALUES (" + code25("123456") + ", 'Tuerca')";
        gDB_Dll().EjecutaConsultaSQL(rows);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty());
    }
};

TEST_F(Lookups, AccountsByCodeOrOptionalCode)
{
    struct Case { std::string code; bool byOptional; bool found; std::string codeAfter; bool byOptionalAfter; };
    const Case cases[] = {
        {"2110101000001", false, true, "2110101000001", false},
        {"PRV1", false, true, "2110101000001", true},
        {"PRV1", true, true, "2110101000001", true},
        {"2110101000001", true, true, "2110101000001", true},
        {"O'NO", false, false, "O'NO", false},
    };
    for (const Case& c : cases) {
        std::string code = c.code;
        bool byOptional = c.byOptional;
        db::Recordset rs;
        EXPECT_EQ(BuscaCuenta(code, &rs, true, byOptional), c.found) << c.code;
        EXPECT_EQ(code, c.codeAfter);
        EXPECT_EQ(byOptional, c.byOptionalAfter) << c.code;
        if (c.found) {
            EXPECT_EQ(rs.field("DESCRIPCION").value(), base::Value("Proveedor"));
        }
    }
}

TEST_F(Lookups, BranchesNeverFallBackToTheOptionalCode)
{
    std::string code = " PRV1 ";
    EXPECT_TRUE(BuscaCuentaSucursal("ma_cuentassuc", code, nullptr, true, 0));
    EXPECT_EQ(code, "2110101000001");
    code = "2110101000001";
    EXPECT_TRUE(BuscaCuentaSucursal("MA_CUENTAS", code, nullptr, true, 2));
    code = "PRV1";
    EXPECT_FALSE(BuscaCuentaSucursal("MA_CUENTAS", code, nullptr, true, 2));
    EXPECT_FALSE(BuscaCuentaSucursal("MA_CUENTAS", code, nullptr, true, 3));
}

TEST_F(Lookups, ArticlesByIdOrAnyOfTheirBarcodes)
{
    struct Case { std::string code; bool byBarcode; bool found; std::string codeAfter; bool byBarcodeAfter; std::string unit; };
    const Case cases[] = {
        {"123456", true, true, "                   123456", false, ""},   // six characters: never a barcode
        {"A-1001", false, true, "                   A-1001", false, ""},
        {"7790001000012", true, true, "                   A-1001", true, ""},
        // A secondary unit's barcode gives its unit, and the code becomes the article's own id.
        {"7790001000029", true, true, "                   A-1001", true, "  CJ"},
        {"7790001000029", false, true, "                   A-1001", false, "  CJ"},
        {"9999999999999", true, false, "9999999999999", true, ""},
    };
    for (const Case& c : cases) {
        std::string code = c.code, description;
        bool byBarcode = c.byBarcode;
        db::Recordset rs;
        EXPECT_EQ(BuscaArticulo(code, &rs, true, byBarcode, description), c.found) << c.code;
        EXPECT_EQ(code, c.codeAfter) << c.code;
        EXPECT_EQ(byBarcode, c.byBarcodeAfter) << c.code;
        if (!c.unit.empty()) {
            EXPECT_EQ(rs.field("IDUNIDAD").value(), base::Value(c.unit)) << c.code;
        }
        EXPECT_EQ(description.empty(), !c.found) << c.code;
    }
    std::string shortCode = "ZZZ", description;
    bool byBarcode = true;
    db::Recordset untouched;
    EXPECT_FALSE(BuscaArticulo(shortCode, &untouched, true, byBarcode, description));
    EXPECT_EQ(untouched.state(), db::kStateClosed);
}

TEST_F(Lookups, AWritableRecordsetIsHandedBack)
{
    std::string code = "PRV1";
    bool byOptional = false;
    db::Recordset rs;
    ASSERT_TRUE(BuscaCuenta(code, &rs, false, byOptional));
    rs.field("DESCRIPCION").setValue("Cambiado");
    rs.update();
    EXPECT_EQ(gDB_Dll().DatosTabla("MA_CUENTAS", "2110101000001", "DESCRIPCION"), "Cambiado");
}

}  // namespace

// Ready-made table queries, names and schema operations of the data-access object.

#include "tests/core/ProgramFixture.h"

namespace {

class TableQueries : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        std::string rows =
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('  2110101001', 'O''Brien SA')\r"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1140101000002', NULL)\r"
            "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [FECHA DESDE]) VALUES (2005, 'Ejercicio 2005', "
            "'20050701 00:00:00')\r";
        gDB_Dll().EjecutaConsultaSQL(rows);
        EXPECT_TRUE(gDB_Dll().gCnn.errors().empty());
    }
};

TEST_F(TableQueries, EachKindOfKeyFindsItsRow)
{
    DB_Dll& erp = gDB_Dll();
    struct Case { const char* table; base::Value value; const char* field; int tipo; const char* returned; const char* expected; };
    const Case cases[] = {
        {"MA_CUENTAS", "2110101001  ", "CODIGO", 8, "DESCRIPCION", "O'Brien SA"},
        {"MA_CUENTAS", "1140101000002", "CODIGO", 8, "DESCRIPCION", ""},
        {"MA_CUENTAS", "no existe", "CODIGO", 8, "DESCRIPCION", ""},
        {"MV_EJERCICIOS", "01/07/2005", "[FECHA DESDE]", 7, "DESCRIPCION", "Ejercicio 2005"},
        {"MV_EJERCICIOS", base::DateTime::fromParts(2005, 7, 1), "[FECHA DESDE]", 7, "PERIODO", "2005"},
        {"MV_EJERCICIOS", "2005abc", "PERIODO", 3, "DESCRIPCION", "Ejercicio 2005"},
        {"MV_EJERCICIOS", "2005", "PERIODO", 0, "DESCRIPCION", "Ejercicio 2005"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(erp.DatosTabla(c.table, c.value, c.returned, c.field, c.tipo), c.expected) << c.value.toText();
        EXPECT_EQ(erp.ExisteEnTabla(c.table, c.value, c.field, nullptr, c.tipo), std::string(c.expected) != "" ||
                                                                                      c.value == base::Value("1140101000002"))
            << c.value.toText();
    }
    // ExisteEnTablaST compares the column as stored with the value as given.
    EXPECT_FALSE(erp.ExisteEnTablaST("MA_CUENTAS", "2110101001", "CODIGO"));
    EXPECT_TRUE(erp.ExisteEnTablaST("MA_CUENTAS", "  2110101001", "CODIGO"));
    EXPECT_TRUE(erp.ExisteEnTablaST("MA_CUENTAS", "", "CODIGO", nullptr, 8, "DESCRIPCION LIKE 'O''B%'"));
    EXPECT_TRUE(erp.ExisteEnTablaST("MA_CUENTAS", "", "CODIGO", nullptr, 8, " WHERE DESCRIPCION IS NULL"));
    // A condition replaces the key in the lookups, and joins it with AND in DatosTabla.
    EXPECT_EQ(erp.DatosTabla("MA_CUENTAS", "2110101001", "CODIGO", "CODIGO", 8, "DESCRIPCION IS NULL"), "");
    EXPECT_EQ(erp.DatosTabla("MA_CUENTAS", "1140101000002", "CODIGO", "CODIGO", 8, "DESCRIPCION IS NULL"), "1140101000002");
}

TEST_F(TableQueries, ARecordsetGivenToTheLookupStaysOpenOnTheRow)
{
    DB_Dll& erp = gDB_Dll();
    db::Recordset rs;
    rs.cursorType = db::CursorType::Dynamic;
    rs.lockType = db::LockType::Optimistic;
    ASSERT_TRUE(erp.ExisteEnTabla("MA_CUENTAS", "2110101001", "CODIGO", &rs));
    rs.field("DESCRIPCION").setValue("Nuevo");
    rs.update();
    EXPECT_EQ(erp.DatosTabla("MA_CUENTAS", "2110101001", "DESCRIPCION"), "Nuevo");
    db::Recordset st;
    EXPECT_TRUE(erp.ExisteEnTablaST("MA_CUENTAS", "1140101000002", "CODIGO", &st, 8, "", true));
    EXPECT_EQ(st.field("CODIGO").value(), base::Value("1140101000002"));
}

TEST_F(TableQueries, AFailedLookupAsksAndAbortReturnsNotFound)
{
    DB_Dll& erp = gDB_Dll();
    prompter.expectMessage(ui::startsWith("Invalid object name"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Aviso al Operador", ui::vbAbort);
    EXPECT_FALSE(erp.ExisteEnTabla("NO_EXISTE", "1"));
    prompter.expectMessage(ui::startsWith("Type mismatch"), ui::vbAbortRetryIgnore | ui::vbCritical, "Aviso al Operador",
                           ui::vbAbort);
    EXPECT_EQ(erp.DatosTabla("MV_EJERCICIOS", "no es fecha", "PERIODO", "[FECHA DESDE]", 7), "");
}

TEST_F(TableQueries, LargestAndSmallestValues)
{
    DB_Dll& erp = gDB_Dll();
    EXPECT_EQ(erp.BuscaMaximo("MV_EJERCICIOS", "PERIODO"), base::Value(2005.0));
    // Leading blanks count in comparisons: the padded code is the smallest.
    EXPECT_EQ(erp.BuscaMinimo("MA_CUENTAS", "CODIGO"), base::Value(2110101001.0));
    EXPECT_EQ(erp.BuscaMaximo("AUX_ERR", "ID"), base::Value(0.0));
    EXPECT_EQ(erp.BuscaUltimoCodigo("MV_EJERCICIOS", "PERIODO", 8, "  "), base::Value(2005.0));
    EXPECT_EQ(erp.BuscaUltimoCodigo("MV_EJERCICIOS", "PERIODO", 8, "PERIODO < 2000"), base::Value(0.0));
}

TEST_F(TableQueries, NameHelpers)
{
    std::string owned = "dbo.MA_CUENTAS";
    EXPECT_EQ(DB_Dll::StripOwner(owned), "MA_CUENTAS");
    EXPECT_EQ(owned, "MA_CUENTAS");
    std::string twoPoints = "EMPRESA.dbo.T";
    EXPECT_EQ(DB_Dll::stSTF(twoPoints, true), "dbo.T");
    std::string onePoint = "dbo.T";
    EXPECT_EQ(DB_Dll::stSTF(onePoint, true), "T");
    EXPECT_EQ(DB_Dll::stSTF(onePoint, false), "dbo");
    EXPECT_EQ(DB_Dll::AddBrackets("FECHA DESDE"), "[FECHA DESDE]");
    EXPECT_EQ(DB_Dll::StripBrackets(DB_Dll::AddBrackets("FECHA DESDE")), "FECHA DESDE");
    EXPECT_EQ(DB_Dll::AddBrackets("[A B]"), "[A B]");
    EXPECT_EQ(DB_Dll::StripConnect("CLIENTES -> ERP"), "CLIENTES");
    EXPECT_EQ(DB_Dll::StripConnect("CLIENTES"), "CLIENTES");
    EXPECT_EQ(DB_Dll::StripFileName("C:\\MIGRAR\\DATOS\\FCLIENTE.DBF"), "C:\\MIGRAR\\DATOS");
    EXPECT_EQ(DB_Dll::StripFileName("FCLIENTE.DBF"), "");
}

TEST_F(TableQueries, AMissingColumnIsAddedWithItsDefault)
{
    DB_Dll& erp = gDB_Dll();
    EXPECT_TRUE(erp.ExisteTablaDB(" ma_cuentas "));
    EXPECT_FALSE(erp.ExisteTablaDB("NO_EXISTE"));
    EXPECT_FALSE(erp.ExisteCampoDB("MA_CUENTAS", "ZONA"));
    EXPECT_TRUE(erp.VerCampoDB("MA_CUENTAS", "ZONA", true, "varchar(10)", true, "'SUR'"));
    EXPECT_TRUE(erp.ExisteCampoDB("MA_CUENTAS", "zona"));
    EXPECT_EQ(erp.DatosTabla("MA_CUENTAS", "2110101001", "ZONA"), "SUR");
    EXPECT_TRUE(erp.VerCampoDB("NO_EXISTE", "ZONA", true, "int"));
    EXPECT_FALSE(erp.ExisteTablaDB("NO_EXISTE"));
    erp.gProveedor = "OraOLEDB.Oracle.1";
    EXPECT_TRUE(erp.ExisteCampoDB("MA_CUENTAS", "CUALQUIERA"));
}

}  // namespace

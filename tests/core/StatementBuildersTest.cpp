// Building INSERT and UPDATE texts from the field list, and conditions from value lists.

#include "core/StatementBuilders.h"
#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "platform/base/Regional.h"
#include "tests/core/ProgramFixture.h"

#include <algorithm>
#include <limits>

namespace {

using Builders = ProgramFixture;

TEST_F(Builders, InsertsAndUpdatesFromTheFieldList)
{
    struct Case { bool update; std::string condition; std::string statement; std::string conditionAfter; };
    const Case cases[] = {
        {false, "CODIGO = '1'", "INSERT INTO T (A,B,C,D) VALUES (1,'O''Brien',Null,'NULL ')", "CODIGO = '1'"},
        {true, "CODIGO = '1'", "UPDATE T SET A = 1,B = 'O''Brien',C = Null,D = 'NULL '  WHERE CODIGO = '1'",
         " WHERE CODIGO = '1'"},
        {true, "where X = 2", "UPDATE T SET A = 1,B = 'O''Brien',C = Null,D = 'NULL ' where X = 2", "where X = 2"},
        {true, "", "UPDATE T SET A = 1,B = 'O''Brien',C = Null,D = 'NULL '  WHERE ", " WHERE "},
    };
    for (const Case& c : cases) {
        AgregaCampo("A", "1", "@", true);
        AgregaCampo("B", "O'Brien", "'", false);
        AgregaCampo("C", "null", "'", false);
        AgregaCampo("D", "NULL ", "'", false);
        ListaSentencias statements{""};
        std::string condition = c.condition;
        ArmaSentencia(gCampos, statements, "T", c.update, condition, false);
        EXPECT_EQ(statements, (ListaSentencias{"", c.statement, ""}));
        EXPECT_EQ(condition, c.conditionAfter);
        ASSERT_EQ(gCampos.size(), 1u);
        EXPECT_TRUE(gCampos[0].NombreCampo.empty());
    }
}

TEST_F(Builders, TwoStatementsInARowAndTheKeptList)
{
    ListaSentencias statements{""};
    std::string condition;
    AgregaCampo("A", "1", "@", true);
    ArmaSentencia(gCampos, statements, "T", false, condition, true);
    ArmaSentencia(gCampos, statements, "U", false, condition, false);
    EXPECT_EQ(statements, (ListaSentencias{"", "INSERT INTO T (A) VALUES (1)", "", "INSERT INTO U (A) VALUES (1)", ""}));

    std::string text = "INSERT INTO T ";
    AgregaCampo("FECHA", base::DateTime::fromParts(2005, 8, 15), "'", true);
    AgregaCampo("IMPORTE", "12,5", "@", false);
    ArmaValores(text, gCampos, true);
    EXPECT_EQ(text, "INSERT INTO T (FECHA,IMPORTE) VALUES ('20050815 00:00:00',12.5)");
    EXPECT_TRUE(gCampos.empty());
    EXPECT_THROW(ArmaSentencia(gCampos, statements, "T", false, condition, false), base::Error);
}

// A row built in one buffer reads as the same row built on the field list, value by value.
TEST_F(Builders, AnInsertBuiltInPlaceIsTheTextTheFieldListMakes)
{
    struct Case { base::Value value; std::string type; };
    const Case cases[] = {
        {"O'Brien''s", "'"}, {"", "'"}, {"null", "'"}, {"NULL ", "'"}, {"nUlL", "@"}, {"12,5", "@"},
        {"abc", "@"}, {base::Null{}, "'"}, {base::Null{}, "@"}, {base::Currency::parse("-1234.5").value(), "@"},
        {base::DateTime::fromParts(2005, 8, 15, 13, 45, 0), "'"}, {7, "@"}, {-3L, "@"}, {1.25, "@"}, {true, "@"},
        {42, "'"}, {42, ""}, {"x'y", ""},
    };
    std::string expected = "INSERT INTO T ";
    TextoInsercion fila;
    bool first = true;
    int column = 0;
    for (const Case& c : cases) {
        const std::string name = "C" + std::to_string(++column);
        AgregaCampo(name, c.value, c.type, first);
        first = false;
        if (c.value.kind() == base::Value::Kind::DateTime) fila.fecha(name, c.value.asDateTime());
        else if (c.value.kind() == base::Value::Kind::Text && c.type == "'") fila.texto(name, c.value.asText());
        else fila.valor(name, c.value, c.type);
    }
    ArmaValores(expected, gCampos, true);
    EXPECT_EQ(fila.sentencia("T"), expected);
}

// A number is written as the figure its text reads back as, at the edges of the amounts' range too.
TEST_F(Builders, NumbersAreWrittenAsTheirTextReadsBack)
{
    const base::Value numbers[] = {
        0, -1, 7L, 99'999'999'999'999LL, -99'999'999'999'999LL, 100'000'000'000'000LL, 922'337'203'685'477LL,
        922'337'203'685'478LL, std::numeric_limits<long long>::max(), std::numeric_limits<long long>::min(),
        base::Currency::parse("-1234.5").value(), base::Currency::parse("0.0001").value(),
        base::Currency::parse("922337203685477.5807").value(), base::Currency::parse("-922337203685477.5808").value(),
        base::Currency(), 1.25, -0.5,
    };
    for (const base::Value& number : numbers) {
        std::string text = number.toText();
        std::replace(text.begin(), text.end(), base::regional().decimalSeparator, '.');
        EXPECT_EQ(gDB_Dll().SQLValue(number, "@"), gUtilidades().ValorNumerico(text).toText('.')) << text;
    }
}

TEST_F(Builders, ConditionsFromValueLists)
{
    EXPECT_EQ(ArmaCondicion("IDDEPOSITO", " = ", {"1", "", "3"}, " OR ", "'", true, true),
              "IDDEPOSITO = '1' OR IDDEPOSITO = '3' OR IDDEPOSITO is null ");
    EXPECT_EQ(ArmaCondicion("X", " = ", {"", "2"}, " OR ", "", std::nullopt, false), "X =  OR X = 2");
    // Without values no row may match: the fault is reported and nothing is reached.
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (9)"), ui::vbOKOnly | ui::vbCritical,
                           "ArmaCondicion - ArmaCondicion Aviso al operador!!! ", ui::vbOK);
    EXPECT_EQ(ArmaCondicion("X", " = ", {}, " OR ", "'"), "1=0");
}

}  // namespace

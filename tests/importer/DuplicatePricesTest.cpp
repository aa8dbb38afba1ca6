// "Elimina duplicado lista": of the rows a list has for one article the lowest ID stays, the others go, and
// each row that went is in "C:\elimdup.txt".

#include "tests/importer/PriceListFixture.h"

namespace {

using namespace price_fixture;

class ElimDup : public PriceLists {
protected:
    // A price row with its own ID; `list` and `article` are SQL ("NULL" stays Null).
    static void row(int id, std::string_view list, std::string_view article,
                    std::string_view more = "NULL, NULL, NULL, NULL, NULL")
    {
        execute(fmt::format("INSERT INTO V_MA_PRECIOS (ID, IDLISTA, IDARTICULO, COSTO, PRECIO4, PRECIO5, FHOFERTADESDE, "
                            "FHOFERTAHASTA) VALUES ({}, {}, {}, {})",
                            id, list, article, more));
    }
    static Rows ids() { return rows("SELECT ID FROM V_MA_PRECIOS ORDER BY ID"); }
};

TEST_F(ElimDup, TheLowestIdOfEachListAndArticleStays)
{
    const std::string c1 = quoted("1001"), c2 = quoted("D'1");
    row(12, "'a1'", c1, "12.5, 18, NULL, NULL, NULL");   // letter case aside, the same list
    row(9, "'A1'", c1, "10, 15.75, 14, '20260301', '20260331'");
    row(7, "'A1'", c1, "10, 15, NULL, NULL, NULL");
    row(8, "'A2'", c1);
    row(20, "'A1'", c2, "1, 2, 3, NULL, NULL");
    row(21, "'A1'", c2, "1, 2, 3, NULL, NULL");
    // Rows without list and article are no duplicates of each other, the first of the table included.
    row(1, "NULL", "NULL");
    row(2, "''", "''");
    row(3, "NULL", "NULL");
    clock.set(base::DateTime::fromParts(2026, 3, 7, 18, 30, 0));
    press(&Importar::CmdElimD_Click);

    EXPECT_EQ(ids(), (Rows{{"1"}, {"2"}, {"3"}, {"7"}, {"8"}, {"20"}}));
    // In the database's order: the shorter code has more blanks in front.
    EXPECT_EQ(sideFile("elimdup.txt"), "21,A1  ," + padded("D'1") + ",1,2,3,,\r\n"
                                       "9,A1  ," + padded("1001") + ",10,15.75,14,01/03/2026,31/03/2026\r\n"
                                       "12,a1  ," + padded("1001") + ",12.5,18,,,\r\n");
    EXPECT_EQ(labels, (std::vector<std::string>{"Armando consulta", "1", "2", "3", "4", "5", "6", "7", "8", "9", "LISTO"}));
    EXPECT_EQ(window.lblTabla.caption, "18:30:00 Fin 18:30:00");
    EXPECT_FALSE(window.ejecutando());
    EXPECT_TRUE(window.CmdElimD.enabled);
}

TEST_F(ElimDup, WithoutDuplicatesTheFileOfAnEarlierRunIsEmptied)
{
    std::filesystem::create_directories(drives.path() / "c");
    std::ofstream(drives.path() / "c" / "ELIMDUP.TXT") << "de antes\r\n";
    row(7, "'A1'", quoted("1001"));
    press(&Importar::CmdElimD_Click);
    EXPECT_EQ(ids(), Rows{{"7"}});
    EXPECT_EQ(sideFile("ELIMDUP.TXT"), "");  // the name is found whatever its case, as on Windows
    EXPECT_EQ(window.LblDetalle.caption, "LISTO");
}

TEST_F(ElimDup, AnEmptyTableShowsNoCount)
{
    press(&Importar::CmdElimD_Click);
    EXPECT_EQ(labels, (std::vector<std::string>{"Armando consulta", "LISTO"}));
    EXPECT_EQ(sideFile("elimdup.txt"), "");
}

TEST_F(ElimDup, ARowThatCannotBeDeletedStaysOutOfTheFile)
{
    const std::string c1 = quoted("1001");
    row(7, "'A1'", c1);
    row(9, "'A1'", c1);
    row(12, "'A1'", c1);
    execute("CREATE TABLE PRECIO_RETENIDO (ID int REFERENCES V_MA_PRECIOS (ID))");
    execute("INSERT INTO PRECIO_RETENIDO (ID) VALUES (9)");
    press(&Importar::CmdElimD_Click);
    EXPECT_EQ(ids(), (Rows{{"7"}, {"9"}}));
    EXPECT_EQ(sideFile("elimdup.txt"), "12,A1  ," + padded("1001") + ",,,,,\r\n");
    EXPECT_EQ(window.LblDetalle.caption, "LISTO - duplicados que no se pudieron eliminar: 1 (ver QVERR.LOG)");
    EXPECT_NE(errorLog().find("No se elimino la fila 9 de V_MA_PRECIOS: The statement conflicted with a FOREIGN KEY"),
              std::string::npos);
}

TEST_F(ElimDup, ASideFileThatCannotBeMadeStopsItBeforeAnyDeletion)
{
    std::filesystem::create_directories(drives.path() / "c" / "elimdup.txt");  // a folder where the file should be
    row(7, "'A1'", quoted("1001"));
    row(9, "'A1'", quoted("1001"));
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (75)"), ui::vbOKOnly | ui::vbCritical,
                           " - CmdElimD_Click Aviso al operador!!! ", ui::vbOK);
    press(&Importar::CmdElimD_Click);
    EXPECT_EQ(ids(), (Rows{{"7"}, {"9"}}));
    EXPECT_EQ(window.LblDetalle.caption, "DETENIDO");
    EXPECT_FALSE(window.ejecutando());
}

}  // namespace

// Loading the balances by position, the warehouse row and the earlier entries.

#include "tests/dialogs/LoteyPosicionForms.h"

namespace {

class LoteyPosicionLoad : public LoteyPosicionFixture {};

TEST_F(LoteyPosicionLoad, PositionAndLotRowsComeInLotOrderThenEntryOrder) {
    posicion("B02", 1);
    posicion("A01", 2);
    saldo("A01", "L1", "U", 3);
    saldo("B02", "L2", "U", 4);
    saldo("B02", "L1", "U", 2);
    saldo("", "", "U", 5);
    auto f = dialogo(0, true, "|x*0|");  // earlier entries: nothing proposed
    EXPECT_EQ(f->Caption, "Posiciones y Lotes (Deposito: 1)");
    EXPECT_EQ(cells(*f), (Grid{{"B02", "L1", "U", "2", "0"},
                               {"A01", "L1", "U", "3", "0"},
                               {"B02", "L2", "U", "4", "0"},
                               {"DEPOSITO 1", "", "", "5", "0"}}));
    EXPECT_EQ(f->MSFlexGrid1.row(), 4);
    EXPECT_EQ(f->MSFlexGrid1.col(), 4);
    EXPECT_EQ(f->MSFlexGrid1.colWidth(0), measurer.textWidth("   DEPOSITO 1"));
    EXPECT_EQ(f->MSFlexGrid1.textMatrix(0, 1), "LOTE");
}

TEST_F(LoteyPosicionLoad, PositionModeLeavesOutMissingAndEmptyPositions) {
    posicion("A01", 1);
    posicion("B02", 2);
    posicion("C03", 3);
    saldo("A01", "", "U", 3);
    saldo("B02", "", "U", 0);
    saldo("C03", "", "U", -2);
    saldo("Z99", "", "U", 7);  // not a position of the warehouse
    auto f = dialogo(3, false, "|x*0|");
    EXPECT_EQ(f->Caption, "Posiciones (Deposito: 1)");
    EXPECT_EQ(cells(*f), (Grid{{"A01", "", "U", "3", ""}}));
    EXPECT_EQ(f->MSFlexGrid1.colWidth(1), 0);
    EXPECT_EQ(f->MSFlexGrid1.textMatrix(0, 1), "");
    EXPECT_FALSE(f->tieneFilaDeposito());
}

TEST_F(LoteyPosicionLoad, BalancesInAnotherUnitAreShownInTheLinesUnit) {
    equivalencia("U", "E", 12);
    posicion("A01", 1);
    saldo("A01", "", "U", 3);
    saldo("", "", "U", 1);
    saldo("", "", "E", 6);
    auto f = dialogo(10, false, "|x*0|", {}, true, "E");
    EXPECT_EQ(cells(*f), (Grid{{"A01", "", "E", "36", ""}, {"DEPOSITO 1", "", "", "18", "0"}}));
}

TEST_F(LoteyPosicionLoad, HeaderOnlyWithoutBalancesAndAnApostropheInTheArticle) {
    saldo("", "", "U", 4, "O'B");
    auto vacio = dialogo(5, false);
    EXPECT_EQ(vacio->MSFlexGrid1.rows(), 1);
    EXPECT_EQ(vacio->MSFlexGrid1.col(), 4);
    auto apostrofo = dialogo(5, false, {}, {}, true, "U", "O'B");
    EXPECT_EQ(cells(*apostrofo), (Grid{{"DEPOSITO 1", "", "", "4", "5"}}));
    EXPECT_TRUE(errorLog().empty());
}

TEST_F(LoteyPosicionLoad, SplittingEarlierEntries) {
    std::vector<std::string> p, c, l;
    FrmLoteyPosicion::Cuenta_Series_Y_Lotes("|A01*5|B02*2.5|", "|L1|L2|", p, c, l);
    EXPECT_EQ(p, (std::vector<std::string>{"A01", "B02"}));
    EXPECT_EQ(c, (std::vector<std::string>{"5", "2.5"}));
    EXPECT_EQ(l, (std::vector<std::string>{"L1", "L2"}));
    FrmLoteyPosicion::Cuenta_Series_Y_Lotes("|*3|", "", p, c, l);
    EXPECT_EQ(p, (std::vector<std::string>{""}));
    EXPECT_EQ(c, (std::vector<std::string>{"3"}));
    EXPECT_TRUE(l.empty());
}

TEST_F(LoteyPosicionLoad, AnItemWithoutStarIsPassedOverOnIgnoreAndEndsTheSplitOtherwise) {
    for (const int answer : {ui::vbIgnore, ui::vbAbort}) {
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (5) "),
                               ui::vbAbortRetryIgnore | ui::vbCritical, " - Cuenta_Series_Y_Lotes% Aviso al operador!!! ",
                               answer);
        std::vector<std::string> p, c, l;
        FrmLoteyPosicion::Cuenta_Series_Y_Lotes("|A01*5|B02|C03*1|", "", p, c, l);
        EXPECT_EQ(p, answer == ui::vbIgnore ? (std::vector<std::string>{"A01", "C03"}) : (std::vector<std::string>{"A01"}));
    }
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error (5) "), ui::vbAbortRetryIgnore | ui::vbCritical,
                           " - Cuenta_Series_Y_Lotes% Aviso al operador!!! ", ui::vbAbort);
    std::vector<std::string> p, c, l;
    FrmLoteyPosicion::Cuenta_Series_Y_Lotes("|A01*5|B02*1", "", p, c, l);
    EXPECT_EQ(p, (std::vector<std::string>{"A01"}));
}

TEST_F(LoteyPosicionLoad, EarlierEntriesAreRestoredNotProposed) {
    posicion("A01", 1);
    posicion("B02", 2);
    saldo("A01", "", "U", 9);
    saldo("B02", "", "U", 9);
    saldo("", "", "U", 9);
    auto f = dialogo(10, false, "|a01*5|*2|X99*1|");
    EXPECT_EQ(cantidades(*f), (std::vector<std::string>{"5", "", "2"}));
}

TEST_F(LoteyPosicionLoad, WithoutAWarehouseRowAnEntryWithoutPositionIsDropped) {
    posicion("A01", 1);
    posicion("B02", 2);
    saldo("A01", "", "U", 9);
    saldo("B02", "", "U", 9);
    auto f = dialogo(10, false, "|A01*5|*2|");
    EXPECT_EQ(cantidades(*f), (std::vector<std::string>{"5", ""}));
}

TEST_F(LoteyPosicionLoad, LotsAreMatchedBesideTheirPositionAndAShortLotsListReadsAsEmpty) {
    posicion("A01", 1);
    saldo("A01", "L1", "U", 9);
    saldo("A01", "", "U", 9);
    auto f = dialogo(10, true, "|A01*5|A01*3|", "| l1 |");
    EXPECT_EQ(cells(*f), (Grid{{"A01", "", "U", "9", "3"}, {"A01", "L1", "U", "9", "5"}}));
}

TEST_F(LoteyPosicionLoad, NullCellsReadAsEmptyOrZeroAndNoEquivalenceShowsZero) {
    equivalencia("U", "E", 12);
    posicion("A01", 1);
    posicion("B02", 2);
    posicion("C03", 3);
    saldo("A01", "", "U", 3);   // Null lot
    saldo("C03", "L2", "K", 5);  // no equivalence from K
    const std::string articulo = texto(gUtilidades().RellenaCodigo(kArticulo, 25));
    execute("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDPOSICION, IDARTICULO, NROLOTE, IDUNIDADBASE, SALDO) VALUES "
            "('   1', 'B02', " + articulo + ", 'L1', NULL, 2)");
    execute("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDPOSICION, IDARTICULO, NROLOTE, IDUNIDADBASE, SALDO) VALUES "
            "('   1', NULL, " + articulo + ", NULL, '   U', NULL)");
    execute("INSERT INTO AC_SaldosLayout (IDDEPOSITO, IDPOSICION, IDARTICULO, NROLOTE, IDUNIDADBASE, SALDO) VALUES "
            "('   1', NULL, " + articulo + ", NULL, NULL, 2)");
    saldo("", "", "U", 1);
    auto f = dialogo(0, true, "|x*0|", {}, true, "E");
    EXPECT_EQ(cells(*f), (Grid{{"A01", "", "E", "36", "0"},
                               {"B02", "L1", "E", "0", "0"},
                               {"C03", "L2", "E", "0", "0"},
                               {"DEPOSITO 1", "", "", "12", "0"}}));
    EXPECT_TRUE(errorLog().empty());
}

TEST_F(LoteyPosicionLoad, AFailedBalanceQueryIsToldAndTheLoadGoesOnWritingNothing) {
    saldo("A01", "", "U", 3);
    saldo("", "", "U", 4);
    execute("DROP TABLE MA_POSICIONES");
    prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                           "Recordset - AbrirRecordset Aviso al operador!!! ", ui::vbAbort);
    const Rows antes = rows("SELECT * FROM AC_SaldosLayout ORDER BY IDPOSICION");
    auto f = dialogo(5, false);
    EXPECT_EQ(cells(*f), (Grid{{"DEPOSITO 1", "", "", "4", "5"}}));
    EXPECT_EQ(f->MSFlexGrid1.row(), 1);
    EXPECT_EQ(rows("SELECT * FROM AC_SaldosLayout ORDER BY IDPOSICION"), antes);
    EXPECT_THROW(gDB_Dll().gCnn.commitTrans(), base::Error);  // no transaction left open
}

TEST_F(LoteyPosicionLoad, AConversionThatFailsKeepsTheRowsBeforeItAndIsLogged) {
    equivalencia("U", "E", 12);
    equivalencia("E", "K", 0);  // from K into E divides by 0
    posicion("A01", 1);
    posicion("B02", 2);
    posicion("C03", 3);
    saldo("A01", "", "U", 3);
    saldo("B02", "", "K", 2);
    saldo("C03", "", "U", 1);
    saldo("", "", "U", 1);
    auto f = dialogo(10, false, {}, {}, true, "E");
    EXPECT_EQ(cells(*f), (Grid{{"A01", "", "E", "36", ""}, {"B02", "", "E", "", ""}}));
    EXPECT_EQ(f->MSFlexGrid1.row(), 2);
    EXPECT_EQ(f->MSFlexGrid1.col(), 4);
    EXPECT_NE(errorLog().find("CargaDatos"), std::string::npos);
    EXPECT_THROW(gDB_Dll().gCnn.commitTrans(), base::Error);
}

}  // namespace

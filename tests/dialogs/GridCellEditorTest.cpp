// Typing into the lot and serial-number grid through the floating edit box: which cells open it, what it
// opens with, where the leaving keys go, what a refused value keeps, and the tool bar.

#include "tests/dialogs/LotesySeriesForms.h"

namespace {

constexpr int kEnter = 13, kEsc = 27, kUp = 38, kDown = 40, kSpace = 32, kBackspace = 8, kF2 = 113;

enum class Mode { EntryLot, EntryLotAndSerial, Outgoing };

class GridCellEditing : public LotesySeriesFixture {
protected:
    void SetUp() override {
        LotesySeriesFixture::SetUp();
        dosLotes();
    }

    // Entry: three units; outgoing: lots L1 (5) and L2 (3) for 6, proposed as 5 and 1, and the empty row.
    std::unique_ptr<FrmCargaLotesySeries> form(Mode mode) {
        switch (mode) {
        case Mode::EntryLot: return entrada(3, true, false);
        case Mode::EntryLotAndSerial: return entrada(3, true, true);
        case Mode::Outgoing: break;
        }
        return salida(6, true, false);
    }
};

struct Opening {
    Mode mode;
    long row, col;
    std::string cellText;  // written into the cell first (entry modes)
    int key;
    bool opens;
    std::string text;
    long caret;
    std::string dataField;
    long maxLength;
};

TEST_F(GridCellEditing, AKeyOnTheGridOpensTheBoxOverTheCellOrNothing) {
    const std::vector<Opening> cases = {
        {Mode::EntryLot, 1, 2, "", '7', true, "7", 1, "", 25},
        {Mode::EntryLot, 2, 2, "AB", kSpace, true, "AB", 2, "", 25},
        {Mode::EntryLot, 2, 2, "AB", kBackspace, true, "AB", 2, "", 25},
        {Mode::EntryLot, 2, 2, "AB", kEnter, true, "AB", 2, "", 25},
        {Mode::EntryLot, 2, 1, "", 'x', true, "x", 1, "", 25},
        {Mode::Outgoing, 1, 3, "", '7', true, "7", 1, "Cantidad", 0},
        {Mode::Outgoing, 1, 3, "", kSpace, true, "5", 1, "Cantidad", 0},
        {Mode::Outgoing, 1, 2, "", '7', false, "", 0, "", 0},  // the stock
        {Mode::Outgoing, 1, 0, "", '7', false, "", 0, "", 0},  // the lot
        {Mode::Outgoing, 1, 1, "", '7', false, "", 0, "", 0},  // the series
    };
    for (const Opening& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " col " << c.col << " key " << c.key);
        auto f = form(c.mode);
        go(*f, c.row, c.col);
        if (!c.cellText.empty()) f->MSFlexGrid1.setText(c.cellText);
        f->MSFlexGrid1_KeyPress(c.key);
        EXPECT_EQ(f->TxtEdit.visible, c.opens);
        if (!c.opens) {
            EXPECT_EQ(f->focus(), FrmCargaLotesySeries::Focus::Grid);
            continue;
        }
        EXPECT_EQ(f->TxtEdit.text, c.text);
        EXPECT_EQ(f->TxtEdit.selStart, c.caret);
        EXPECT_EQ(f->TxtEdit.dataField, c.dataField);
        EXPECT_EQ(f->TxtEdit.maxLength, c.maxLength);
        EXPECT_EQ(f->focus(), FrmCargaLotesySeries::Focus::Box);
        const ui::FlexGrid& g = f->MSFlexGrid1;
        EXPECT_EQ(f->TxtEdit.left, g.left + g.cellLeft());
        EXPECT_EQ(f->TxtEdit.top, g.top + g.cellTop());
        EXPECT_EQ(f->TxtEdit.width, g.cellWidth());
        EXPECT_EQ(f->TxtEdit.height, g.cellHeight());
    }
}

TEST_F(GridCellEditing, TheQuantityBoxTakesNumbersOnlyAndBackspaceRemovesBeforeTheCaret) {
    auto f = form(Mode::Outgoing);
    go(*f, 1, 3);
    type(*f, "1a,5.x");
    EXPECT_EQ(f->TxtEdit.text, "1.5");
    f->TxtEdit_KeyPress(kBackspace);
    EXPECT_EQ(f->TxtEdit.text, "1.");
    EXPECT_EQ(f->TxtEdit.selStart, 2);
}

struct Leaving {
    Mode mode;
    long row, col;
    std::string typed;
    int key;
    std::string cellAfter;  // the edited cell
    long rowAfter, colAfter;
};

TEST_F(GridCellEditing, LeavingKeysFoldTheBoxAndMoveAsTheModeSays) {
    const std::vector<Leaving> cases = {
        {Mode::EntryLot, 1, 2, "X", kEnter, "X", 2, 2},
        {Mode::EntryLot, 3, 2, "X", kEnter, "X", 3, 1},  // last row: back to the item column
        {Mode::EntryLot, 2, 2, "X", kEsc, "", 2, 2},
        {Mode::EntryLot, 2, 2, "X", kUp, "X", 1, 2},
        {Mode::EntryLot, 1, 2, "X", kUp, "X", 1, 2},
        {Mode::EntryLot, 2, 2, "X", kDown, "X", 3, 0},
        {Mode::EntryLot, 3, 2, "X", kDown, "X", 3, 2},
        {Mode::EntryLotAndSerial, 1, 2, "X", kEnter, "X", 1, 3},
        {Mode::EntryLotAndSerial, 1, 3, "X", kEnter, "X", 2, 2},
        {Mode::EntryLotAndSerial, 3, 3, "X", kEnter, "X", 3, 2},
        {Mode::Outgoing, 1, 3, "4", kEnter, "4", 2, 3},
        {Mode::Outgoing, 3, 3, "2", kEnter, "2", 3, 3},
        {Mode::Outgoing, 2, 3, "2", kEsc, "1", 2, 3},
        {Mode::Outgoing, 2, 3, "2", kDown, "2", 3, 0},
    };
    for (const Leaving& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " col " << c.col << " key " << c.key);
        auto f = form(c.mode);
        go(*f, c.row, c.col);
        type(*f, c.typed);
        f->TxtEdit_KeyDown(c.key);
        EXPECT_FALSE(f->TxtEdit.visible);
        EXPECT_EQ(f->MSFlexGrid1.textMatrix(c.row, c.col), c.cellAfter);
        EXPECT_EQ(f->MSFlexGrid1.row(), c.rowAfter);
        EXPECT_EQ(f->MSFlexGrid1.col(), c.colAfter);
        EXPECT_EQ(f->focus(), FrmCargaLotesySeries::Focus::Grid);
    }
}

TEST_F(GridCellEditing, AKeyThatLeavesNothingKeepsTheBoxOpen) {
    auto f = form(Mode::EntryLot);
    go(*f, 1, 2);
    type(*f, "X");
    f->TxtEdit_KeyDown(65);
    EXPECT_TRUE(f->TxtEdit.visible);
    EXPECT_EQ(f->MSFlexGrid1.textMatrix(1, 2), "");
}

TEST_F(GridCellEditing, ARefusedValueKeepsTheBoxAndTheCellWhateverWayTheOperatorLeaves) {
    // Enter, a click on another cell, the grid taking the focus back, the tool bar and F2 all check first.
    const std::vector<std::string> ways = {"enter", "click", "grid", "toolbar", "f2"};
    for (const std::string& way : ways) {
        SCOPED_TRACE(way);
        auto f = form(Mode::Outgoing);
        go(*f, 1, 3);
        type(*f, way == "click" ? "-1" : "9");
        expectRefusal(way == "click" ? "La Cantidad no puede ser Menor a Cero"
                                     : "La Cantidad supera a la cantidad disponible en Stock");
        if (way == "enter") f->TxtEdit_KeyDown(kEnter);
        if (way == "click") {
            EXPECT_FALSE(f->clickCell(2, 3));
        }
        if (way == "grid") f->MSFlexGrid1_GotFocus();
        if (way == "toolbar") f->Toolbar1_ButtonClick(1);
        if (way == "f2") {
            int key = kF2;
            f->Form_KeyDown(key);
        }
        EXPECT_TRUE(f->valorRechazado());
        EXPECT_TRUE(f->TxtEdit.visible);
        EXPECT_EQ(f->focus(), FrmCargaLotesySeries::Focus::Box);
        EXPECT_EQ(f->MSFlexGrid1.row(), 1);
        EXPECT_EQ(f->MSFlexGrid1.col(), 3);
        EXPECT_EQ(cells(*f)[0], (std::vector<std::string>{"L1", "", "5", "5"}));
        EXPECT_EQ(cells(*f)[1][3], "1");
        EXPECT_FALSE(f->hidden());
        EXPECT_TRUE(prompter.satisfied()) << prompter.report();
    }
}

TEST_F(GridCellEditing, AnAcceptedClickAwayFoldsTheTextIntoTheEditedCellAndMoves) {
    auto f = form(Mode::Outgoing);
    go(*f, 1, 3);
    type(*f, "2");
    EXPECT_TRUE(f->clickCell(2, 3));
    EXPECT_FALSE(f->TxtEdit.visible);
    EXPECT_EQ(f->MSFlexGrid1.textMatrix(1, 3), "2");
    EXPECT_EQ(f->MSFlexGrid1.row(), 2);
    EXPECT_EQ(f->focus(), FrmCargaLotesySeries::Focus::Grid);
}

TEST_F(GridCellEditing, F2WithAnOpenBoxAcceptsWhatWasTyped) {
    auto f = form(Mode::Outgoing);
    go(*f, 2, 3);
    f->MSFlexGrid1_KeyPress('1');
    int key = kF2;
    f->Form_KeyDown(key);
    EXPECT_TRUE(f->hidden());
    EXPECT_TRUE(f->accepted());
    EXPECT_EQ(f->Series, "|5|1|0|");
    EXPECT_EQ(f->Lotes, "|L1" + sep() + "|L2" + sep() + "|" + sep() + "|");
}

struct Toolbar {
    Mode mode;
    long row, col;
    int button;
    std::vector<std::string> column;  // the column's cells, rows 1 to 3, after the click
};

TEST_F(GridCellEditing, TheToolBarFillsOrBlanksBelowTheCurrentCell) {
    const std::vector<Toolbar> cases = {
        {Mode::EntryLot, 1, 2, 1, {"A", "A", "A"}},
        {Mode::EntryLot, 2, 2, 1, {"A", "", ""}},
        {Mode::EntryLot, 1, 2, 2, {"A", "", ""}},
        {Mode::Outgoing, 1, 3, 1, {"5", "5", "5"}},
        {Mode::Outgoing, 1, 3, 2, {"5", "", ""}},
        {Mode::Outgoing, 2, 3, 3, {"5", "1", "0"}},  // no third button
    };
    for (const Toolbar& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " button " << c.button);
        auto f = form(c.mode);
        if (c.mode == Mode::EntryLot) {
            f->MSFlexGrid1.setTextMatrix(1, 2, "A");
            f->MSFlexGrid1.setTextMatrix(3, 2, "C");
        }
        go(*f, c.row, c.col);
        f->Toolbar1_ButtonClick(c.button);
        std::vector<std::string> column;
        for (long r = 1; r <= 3; ++r) column.push_back(f->MSFlexGrid1.textMatrix(r, c.col));
        EXPECT_EQ(column, c.column);
    }
}

TEST_F(GridCellEditing, OutgoingButtonsLeaveLotsAndStockAlone) {
    for (const long col : {0L, 1L, 2L}) {
        for (const int button : {1, 2}) {
            auto f = form(Mode::Outgoing);
            const auto before = cells(*f);
            go(*f, 1, col);
            f->Toolbar1_ButtonClick(button);
            EXPECT_EQ(cells(*f), before) << "col " << col << " button " << button;
        }
    }
}

TEST_F(GridCellEditing, TheToolBarFoldsAnOpenBoxFirst) {
    auto f = form(Mode::EntryLot);
    go(*f, 1, 2);
    type(*f, "B");
    f->Toolbar1_ButtonClick(1);
    EXPECT_FALSE(f->TxtEdit.visible);
    for (long r = 1; r <= 3; ++r) EXPECT_EQ(f->MSFlexGrid1.textMatrix(r, 2), "B");
}

TEST_F(GridCellEditing, EnterOnALowRowScrollsTheGridToKeepTheCellInSight) {
    auto f = entrada(40, true, false);
    go(*f, 1, 2);
    const long top = f->MSFlexGrid1.topRow();
    for (int i = 0; i < 20; ++i) {
        type(*f, "L");
        f->TxtEdit_KeyDown(kEnter);
    }
    EXPECT_GT(f->MSFlexGrid1.topRow(), top);
    EXPECT_LE(f->MSFlexGrid1.cellTop() + f->MSFlexGrid1.cellHeight(), f->MSFlexGrid1.height);
}

}  // namespace

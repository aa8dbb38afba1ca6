// The control-totals grid: a row per visible tab and, under the articles, a row per group of lines.

#include "platform/ui/Controls.h"
#include "tests/voucher/VoucherFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr ui::Color kYellow = 12648447, kOrange = 12640511, kBlue = 16711680;

class ControlTotals : public VoucherFixture {
protected:
    void SetUp() override
    {
        VoucherFixture::SetUp();
        tabs.addTab("Tareas");
        tabs.addTab("Articulos");
        tabs.addTab("Otros");
        execute({"INSERT INTO TA_RUBROS (IDRUBRO, DESCRIPCION) VALUES ('  01', 'Rubro uno'), ('  02', 'Rubro dos')",
                 "INSERT INTO TA_TIPOARTICULO (TIPO, DESCRIPCION) VALUES ('   M', 'Mercaderia'), ('   S', 'Servicio')",
                 "INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION) VALUES ('A1', 'Tornillo'), ('A2', 'Tuerca')"});
        fill(tareas, {{"T1", "", "2"}, {"T2", "", "1:30"}, {"  ", "", "9"}, {"T3", "", "0:45"}});
        fill(articulos, {articleLine("A1", "2", "01", "M"), articleLine("A2", "1", "02", "S"),
                         articleLine("A1", "3", "01", "S"), articleLine("", "8", "02", "M"),
                         articleLine("A3", "4", "", "")});
        fill(otros, {{"Flete"}, {""}, {"Seguro"}});
    }

    // The texts of every row of the control grid, and the colour of each row's columns 0 and 2.
    Rows texts() const
    {
        Rows result;
        for (long row = 1; row < control.rows(); ++row)
            result.push_back({control.textMatrix(row, 0), control.textMatrix(row, 1), control.textMatrix(row, 2)});
        return result;
    }
    std::vector<ui::Color> colours() const
    {
        std::vector<ui::Color> result;
        for (long row = 1; row < control.rows(); ++row) {
            EXPECT_EQ(control.backColorAt(row, 0), control.backColorAt(row, 2)) << row;
            result.push_back(control.backColorAt(row, 0));
        }
        return result;
    }

    ui::TabControl tabs;
};

TEST_F(ControlTotals, EachVisibleTabGetsItsRowAndTheArticlesTheirGroups)
{
    struct Case {
        bool tasks, articles, others, byRubro, byType;
        Rows rows;
        std::vector<ui::Color> colours;
    };
    const Case cases[] = {
        {true, true, true, true, false,
         {{"Tareas", "3", "4:15"}, {"Articulos", "4", "10"}, {"-", "", "4"}, {"01-Rubro uno", "", "5"},
          {"02-Rubro dos", "", "1"}, {"Otros", "2", ""}, {"", "", ""}},
         {kYellow, kYellow, kOrange, kOrange, kOrange, kYellow, kBlue}},
        {false, true, false, true, true,  // both asked: by rubro
         {{"Articulos", "4", "10"}, {"-", "", "4"}, {"01-Rubro uno", "", "5"}, {"02-Rubro dos", "", "1"}, {"", "", ""}},
         {kYellow, kOrange, kOrange, kOrange, kBlue}},
        {false, true, false, false, true,
         {{"Articulos", "4", "10"}, {"-", "", "4"}, {"M-Mercaderia", "", "2"}, {"S-Servicio", "", "4"}, {"", "", ""}},
         {kYellow, kOrange, kOrange, kOrange, kBlue}},
        {false, true, false, false, false,
         {{"Articulos", "4", "10"}, {"A1-Tornillo", "", "5"}, {"A2-Tuerca", "", "1"}, {"A3-", "", "4"}, {"", "", ""}},
         {kYellow, kOrange, kOrange, kOrange, kBlue}},
        {true, false, false, false, false, {{"Tareas", "3", "4:15"}, {"", "", ""}}, {kYellow, kBlue}},
        {false, false, true, false, false, {{"Otros", "2", ""}, {"", "", ""}}, {kYellow, kBlue}},
        {false, false, false, false, false, {{"", "", ""}}, {kBlue}},
    };
    for (const Case& c : cases) {
        // What an earlier call left in the grid must not show through.
        control.setRows(4);
        for (long row = 1; row < 4; ++row)
            for (long col = 0; col < 3; ++col) control.setTextMatrix(row, col, "viejo");
        tabs.setTabVisible(0, c.tasks);
        tabs.setTabVisible(1, c.articles);
        tabs.setTabVisible(2, c.others);
        engine->TotalizadorControl(tareas, articulos, otros, control, tabs, c.byRubro, c.byType);
        EXPECT_EQ(texts(), c.rows) << c.tasks << c.articles << c.others << c.byRubro << c.byType;
        EXPECT_EQ(colours(), c.colours) << c.tasks << c.articles << c.others << c.byRubro << c.byType;
    }
}

TEST_F(ControlTotals, TaskMinutesAreCarriedIntoHoursWhateverTheSeparator)
{
    setConfiguration("SeparadorHora", ".");
    tabs.setTabVisible(1, false);
    tabs.setTabVisible(2, false);
    fill(tareas, {{"T1", "", "1.5"}, {"T2", "", "0:50"}, {"T3", "", ""}, {"T4", "", "abc"}, {"T5", "", "10:05"}});
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs);
    EXPECT_EQ(texts().front(), (std::vector<std::string>{"Tareas", "5", "12:25"}));
}

TEST_F(ControlTotals, GroupsWithoutABlankKeyAndGridsWithoutLines)
{
    tabs.setTabVisible(0, false);
    tabs.setTabVisible(2, false);
    fill(articulos, {articleLine("A1", "2.5", "01"), articleLine("a1 ", "0.25", "  01 "), articleLine("", "7", "")});
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs);
    EXPECT_EQ(texts(), (Rows{{"Articulos", "2", "2.75"}, {"A1-Tornillo", "", "2.75"}, {"", "", ""}}));

    fill(articulos, {articleLine("", "3", "01")});
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs, true);
    EXPECT_EQ(texts(), (Rows{{"Articulos", "0", "0"}, {"", "", ""}}));
}

TEST_F(ControlTotals, AStoredKeyIsComparedWithoutTheCharacters255And0)
{
    tabs.setTabVisible(0, false);
    tabs.setTabVisible(2, false);
    const std::string marked = "01\xC3\xBF";  // "01" followed by the character 255
    fill(articulos, {articleLine("A1", "1", marked), articleLine("A2", "2", "01")});
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs, true);
    EXPECT_EQ(texts(), (Rows{{"Articulos", "2", "3"}, {marked + "-Rubro uno", "", "3"}, {"", "", ""}}));

    fill(articulos, {articleLine("A1", "1", "01"), articleLine("A2", "2", marked)});
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs, true);
    EXPECT_EQ(texts(), (Rows{{"Articulos", "2", "3"}, {"01-Rubro uno", "", "1"}, {marked + "-Rubro uno", "", "2"},
                             {"", "", ""}}));
}

TEST_F(ControlTotals, AMissingLookupIsToldByItsBoxAndTheGroupStillWritten)
{
    tabs.setTabVisible(0, false);
    tabs.setTabVisible(2, false);
    fill(articulos, {articleLine("A1", "2", "01")});
    execute({"DROP VIEW V_ta_Rubros"});
    expectErrorTreatment("Recordset", "AbrirRecordset");
    engine->TotalizadorControl(tareas, articulos, otros, control, tabs, true);
    EXPECT_EQ(texts(), (Rows{{"Articulos", "1", "2"}, {"01-", "", "2"}, {"", "", ""}}));
}

TEST_F(ControlTotals, AFailureLeavesTheGridAsFarAsItWasFilled)
{
    ui::FlexGrid narrow;
    narrow.setCols(8);
    narrow.setRows(3);
    narrow.setTextMatrix(1, 0, "A1");
    expectErrorTreatment("FlexGrid", "TotalizadorControl");
    engine->TotalizadorControl(tareas, narrow, otros, control, tabs, true);
    EXPECT_EQ(texts(), (Rows{{"Tareas", "3", "4:15"}, {"", "", ""}}));
    EXPECT_EQ(colours(), (std::vector<ui::Color>{kYellow, 0}));
}

}  // namespace

// Column widths kept per table in "CONSULTASLEN.QVX", and the window's layout from its columns.

#include "lookup/ColumnWidthsFile.h"
#include "platform/os/TextFile.h"
#include "tests/lookup/PickListFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ColumnWidths : public PickList {
protected:
    std::filesystem::path widthsFile() const { return folder.path() / "CONSULTASLEN.QVX"; }

    void write(const std::string& bytes) const {
        std::ofstream out(widthsFile(), std::ios::binary);
        out << bytes;
    }
    std::string read() const {
        std::ifstream in(widthsFile(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static constexpr const char* kThreeTables =
        "\"VT_MA_ARTICULOS\",\"4500|1200|\"\r\n"
        "\"MA_CUENTAS\",\"2000|3000|\"\r\n"
        "\"V_TA_FAMILIAS\",\"900|\"\r\n";
};

TEST_F(ColumnWidths, LinesReadAndWrittenInTheFilesForm) {
    struct Case {
        std::string line;
        std::optional<lookup::ColumnWidthsFile::Line> parsed;
    };
    const Case cases[] = {
        {"\"VT_MA_ARTICULOS\",\"4500|1200|\"", lookup::ColumnWidthsFile::Line{"VT_MA_ARTICULOS", "4500|1200|"}},
        {" \"A, B\" , \"1|\" ", lookup::ColumnWidthsFile::Line{"A, B", "1|"}},
        {"T,10|20|", lookup::ColumnWidthsFile::Line{"T", "10|20|"}},
        {"\"T\",\"\"", lookup::ColumnWidthsFile::Line{"T", ""}},
        {"\"T\"", std::nullopt},
        {"", std::nullopt},
        {"\"T", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = lookup::ColumnWidthsFile::parseLine(c.line);
        ASSERT_EQ(parsed.has_value(), c.parsed.has_value()) << c.line;
        if (parsed) {
            EXPECT_EQ(parsed->table, c.parsed->table);
            EXPECT_EQ(parsed->widths, c.parsed->widths);
        }
    }
    EXPECT_EQ(lookup::ColumnWidthsFile::formatLine({"VT_MA_ARTICULOS", "4500|1200|"}), "\"VT_MA_ARTICULOS\",\"4500|1200|\"");
    EXPECT_EQ(lookup::ColumnWidthsFile::widthList({4500, 1200, 0}), "4500|1200|0|");
}

TEST_F(ColumnWidths, SavedWidthsAreAppliedAtLoad) {
    account("1", "Uno");
    write(kThreeTables);
    Lib_FrmCons3 form;
    load(form, "select codigo, descripcion from ma_cuentas");  // table names compare without regard to case
    EXPECT_EQ(widths(form), (std::vector<long>{2000, 3000}));
    // The boxes stand over their columns, 50 narrower.
    EXPECT_EQ(form.CmbSearch[1].left, 2000);
    EXPECT_EQ(form.CmbSearch[1].width, 2950);
}

TEST_F(ColumnWidths, WhatTheFileDoesNotSayKeepsTheFieldSizes) {
    struct Case {
        std::string file;
        std::vector<long> widths;
    };
    const Case cases[] = {
        {"", {15 * 120, 60 * 120}},                                    // no file at all
        {"\"MA_CUENTAS\",\"2500|\"\r\n", {2500, 60 * 120}},             // fewer widths than columns
        {"\"OTRA\",\"2500|2600|\"\r\n", {15 * 120, 60 * 120}},
        {"\"MA_CUENTAS\",\"2500|2600|\"\r\n\"MA_CUENTAS\",\"700|\"\r\n", {700, 2600}},  // each line in turn
        {"\"MA_CUENTAS\",\"x|2600|\"\r\n", {0, 2600}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(widthsFile());
        if (!c.file.empty()) write(c.file);
        Lib_FrmCons3 form;
        load(form, "select codigo, descripcion from ma_cuentas");
        EXPECT_EQ(widths(form), c.widths) << c.file;
    }
}

TEST_F(ColumnWidths, StockArticlesUseTheArticlesWidths) {
    article("A1", "Tornillo", 0, 5);
    write(kThreeTables);
    Lib_FrmCons3 form;
    load(form, "SELECT IDARTICULO, DESCRIPCION FROM Stk_Ma_Articulos");
    EXPECT_EQ(form.tablaAnchos(), "VT_MA_ARTICULOS");
    EXPECT_EQ(widths(form), (std::vector<long>{4500, 1200}));
}

TEST_F(ColumnWidths, SavingReplacesTheTablesLineAndKeepsTheOthers) {
    account("1", "Uno");
    write(kThreeTables);
    Lib_FrmCons3 form;
    form.GrabarCfg = true;
    load(form, "select codigo, descripcion from ma_cuentas");
    form.ListView1.setColumnWidth(1, 1750);
    form.Form_Unload();
    EXPECT_EQ(read(),
              "\"VT_MA_ARTICULOS\",\"4500|1200|\"\r\n"
              "\"V_TA_FAMILIAS\",\"900|\"\r\n"
              "\"ma_cuentas\",\"1750|3000|\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "CONSULTASLEN.AUX"));
    EXPECT_EQ(form.ListView1.itemCount(), 0);

    // And the next lookup on the table finds them.
    Lib_FrmCons3 next;
    load(next, "select codigo, descripcion from MA_CUENTAS");
    EXPECT_EQ(widths(next), (std::vector<long>{1750, 3000}));
}

TEST_F(ColumnWidths, NothingIsSavedUnlessAsked) {
    account("1", "Uno");
    Lib_FrmCons3 form;
    load(form, "select codigo, descripcion from ma_cuentas");
    form.Form_Unload();
    EXPECT_FALSE(std::filesystem::exists(widthsFile()));
    EXPECT_EQ(form.ListView1.itemCount(), 0);
}

TEST_F(ColumnWidths, AFailedSaveLeavesTheFileWhole) {
    write(kThreeTables);
    std::filesystem::create_directory(folder.path() / "CONSULTASLEN.AUX");  // the temporary file cannot be made
    Lib_FrmCons3 form;
    form.GrabarCfg = true;
    load(form, "select codigo, descripcion from ma_cuentas");
    prompter.expectMessage(ui::startsWith("Path/File access error"), ui::vbCritical, "Aviso al Operador", ui::vbOK);
    form.Form_Unload();
    EXPECT_EQ(read(), kThreeTables);
}

class Layout : public PickList {};

TEST_F(Layout, TheWindowIsSizedFromItsColumns) {
    struct Case {
        std::vector<long> columns;
        long scrollMax;
        long width;
    };
    const Case cases[] = {
        {{4000, 5640}, 6288, 10280},             // panel 10000
        {{20000, 19640}, 32700, 19200 - 480},    // panel 40000, wider than the screen
        {{18470}, 11586, 18830 + 280},           // list 18830: with its margin just under the screen
        {{18480}, 11592, 19200 - 480},           // list 18840: with its margin as wide as the screen
    };
    for (const Case& c : cases) {
        Lib_FrmCons3 form;
        for (long width : c.columns) form.ListView1.addColumn("C", width);
        form.CalcularAncho();
        EXPECT_EQ(form.HScroll1.max, c.scrollMax);
        EXPECT_EQ(form.Width, c.width);
        EXPECT_EQ(form.CmbSearch[0].left, 0);
        EXPECT_EQ(form.CmbSearch[0].width, c.columns[0] - 50);
        // The panel holds every column, and fills the window when they are narrower.
        long total = 0;
        for (long width : c.columns) total += width;
        EXPECT_EQ(form.picFields.width, std::max(total + 360, form.Width - 120));
        EXPECT_EQ(form.ListView1Bounds.width, form.picFields.width - 20);
        EXPECT_EQ(form.HScroll1.width, form.Width - 120);
    }
}

TEST_F(Layout, ResizingPlacesTheBarsAndTheScrollBarSlidesThePanel) {
    Lib_FrmCons3 form;
    form.ListView1.addColumn("A", 3000);
    form.CalcularAncho();
    form.setSize(12000, 8000);
    EXPECT_EQ(form.picFields.height, 8000 - form.Frame1.height - 480);
    EXPECT_EQ(form.ListView1Bounds.height, form.picFields.height - form.Frame1.height - 600);
    EXPECT_EQ(form.picFields.width, 12000 - 120);
    EXPECT_EQ(form.Frame1.top, 8000 - form.Frame1.height - 420);
    EXPECT_EQ(form.Frame1.left, 6000 - form.Frame1.width / 2);
    EXPECT_EQ(form.HScroll1.top, form.picFields.height - form.HScroll1.height - 120);
    form.HScroll1.value = 1500;
    form.HScroll1_Change();
    EXPECT_EQ(form.picFields.left, -1500);
}

}  // namespace

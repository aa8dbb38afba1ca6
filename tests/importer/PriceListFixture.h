#pragma once
// What the price-list tests share: the window on a logged-in embedded ERP database, a legacy folder of its
// own where the data-folder box points, the Windows drives of the side files in a folder of their own,
// FARTICUL and FCOSTEOS written at test time (tests/support/LegacyTables.h), and the ERP's suppliers,
// articles and price rows seeded and read back.

#include "importer/Importar.h"
#include "platform/base/Text.h"
#include "tests/importer/ImportWindowFixture.h"
#include "tests/support/LegacyFixtures.h"
#include "tests/support/LegacyTables.h"

#include <fmt/format.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace price_fixture {

using testing_support::date;
using testing_support::LegacyRow;
using testing_support::null;
using testing_support::number;
using testing_support::text;
using testing_support::with;

// A FARTICUL record: the article, its legacy supplier and its six list flags.
inline LegacyRow article(std::string_view code, std::string_view supplier, std::string_view flags = "NNNNNN")
{
    LegacyRow row{{"CODI_FAR", text(code)},
                  {"DESC_FAR", text("Artículo " + std::string(code))},
                  {"PROV_FAR", text(supplier)}};
    for (std::size_t i = 0; i < 6; ++i)
        row.emplace_back(fmt::format("PED{}_FAR", i + 1), text(flags.substr(i, 1)));
    return row;
}

// An FCOSTEOS record with a value in every amount and no offer, with these fields changed.
inline LegacyRow costing(std::string_view code, const LegacyRow& changes = {})
{
    return with({{"CODI_FCO", text(code)},
                 {"COSB_FCO", number("100.50")},
                 {"PPRO_FCO", number("105.25")},
                 {"IFLE_FCO", number("3.10")},
                 {"SEGU_FCO", number("0.50")},
                 {"DES1_FCO", number("5")},
                 {"DES2_FCO", number("2.50")},
                 {"DES3_FCO", number("1")},
                 {"REC1_FCO", number("3")},
                 {"REC2_FCO", number("4")},
                 {"NPR1_FCO", number("150.75")},
                 {"NPR2_FCO", number("130.40")},
                 {"MAR2_FCO", number("35")},
                 {"MAR3_FCO", number("20")}},
                changes);
}

using Rows = std::vector<std::vector<std::string>>;

class PriceLists : public ImportWindowFixture {
protected:
    // The task entries of the price imports; the window never enables them, so only a test ticks them.
    static constexpr std::size_t kArticulos = 7, kCostos = 8, kListasCompras = 9;

    void writeLegacy(std::vector<LegacyRow> articles, std::vector<LegacyRow> costs, std::vector<int> deletedArticles = {})
    {
        testing_support::LegacyTables()
            .table("FARTICUL", std::move(articles), std::move(deletedArticles))
            .table("FCOSTEOS", std::move(costs))
            .write(legacy.path());
    }

    static void execute(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty()) << statement << ": " << gDB_Dll().gCnn.errors().item(0).description;
    }

    static std::string shown(const base::Value& value)
    {
        if (value.isNull()) return "NULL";
        if (value.kind() == base::Value::Kind::DateTime) return value.asDateTime().toIso();
        if (value.kind() == base::Value::Kind::Boolean) return value.asBoolean() ? "1" : "0";
        if (value.kind() == base::Value::Kind::Currency) return value.asCurrency().toText('.');
        return value.toText();
    }

    // The rows of a query, each value in its shown form.
    static Rows rows(std::string statement)
    {
        db::Recordset rs;
        rs.open(statement, gDB_Dll().gCnn);
        Rows out;
        for (; !rs.eof(); rs.moveNext()) {
            std::vector<std::string> row;
            for (std::size_t i = 0; i < rs.fieldCount(); ++i) row.push_back(shown(rs.field(i).value()));
            out.push_back(std::move(row));
        }
        return out;
    }
    static std::string count(std::string statement) { return rows("SELECT COUNT(*) FROM " + statement)[0][0]; }

    // A supplier of the ERP: its account and the extension row VT_PROVEEDORES reads (`local` is the SQL of
    // ProveedorLocal: "1", "0" or "NULL").
    static void supplier(std::string_view code, std::string_view name, std::string_view local = "1",
                         std::string_view optionalCode = "", std::string_view discounts = "0, 0, 0")
    {
        execute(fmt::format("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, CODIGOOPCIONAL, TITULO, DADA_DE_BAJA) "
                            "VALUES ('{}', '{}', {}, 0, 0)",
                            code, base::replace(name, "'", "''"),
                            optionalCode.empty() ? std::string("NULL") : "'" + std::string(optionalCode) + "'"));
        execute(fmt::format("INSERT INTO MA_CUENTASADIC (CODIGO, ProveedorLocal, DTO1, DTO2, DTO3) VALUES ('{}', {}, {})",
                            code, local, discounts));
    }

    // An article code as the ERP keeps it: right-aligned to 25 characters.
    static std::string padded(std::string_view code) { return std::string(25 - code.size(), ' ') + std::string(code); }
    static std::string quoted(std::string_view code) { return "'" + base::replace(padded(code), "'", "''") + "'"; }

    // A sale-list row the ERP already has.
    static void priceRow(std::string_view list, std::string_view article, std::string_view type = "V",
                         std::string_view more = "", std::string_view moreValues = "")
    {
        execute(fmt::format("INSERT INTO V_MA_PRECIOS (IDLISTA, NOMBRE, IDARTICULO, TIPOLISTA{}) "
                            "VALUES ('{}', 'PREVIA', {}, '{}'{})",
                            more, list, quoted(article), type, moreValues));
    }

    std::string sideFile(std::string_view name) const
    {
        std::ifstream in(drives.path() / "c" / std::string(name), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    testing_support::TempFolder drives;
    testing_support::ScopedEnvironment drivesVariable{"MIGRA_DRIVES", drives.path().string()};
};

}  // namespace price_fixture

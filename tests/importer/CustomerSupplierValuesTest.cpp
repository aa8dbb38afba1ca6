// Values the customer and the supplier imports write alike, each case through both imports on real legacy
// tables: the tax number, and the province (and the customer's category) as 4-character codes.

#include "tests/importer/AccountImportFixture.h"

namespace {

using namespace testing_support;

struct Case {
    const char* what;
    std::string legacy;    // the field as the fixture writes it
    const char* written;
};

class CustomerSupplierValues : public AccountImport {
protected:
    // One customer and one supplier per case, with the case's value in each of `customerFields` and in
    // `supplierField`; the customers' accounts are 1140101 followed by 0101, 0102 ..., the suppliers' 2110101
    // followed by 101, 102 ...
    void importCases(const std::vector<Case>& cases, const std::vector<const char*>& customerFields,
                     const char* supplierField)
    {
        std::vector<LegacyRow> customers, suppliers;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            LegacyRow changes;
            for (const char* field : customerFields) changes.emplace_back(field, cases[i].legacy);
            customers.push_back(customer(fmt::format("000{}", 101 + i), changes));
            suppliers.push_back(supplier(std::to_string(101 + i), {{supplierField, cases[i].legacy}}));
        }
        LegacyTables tables;
        withCities(tables).table("FCLIENTE", customers).table("FPROVEED", suppliers).write(legacy.path());
        run({kClientes, kProveedores});
        ASSERT_EQ(window.LblDetalle.caption, "FINALIZADO PROVEEDORES");
    }

    static std::string customerAccount(std::size_t i) { return fmt::format("11401010{}", 101 + i); }
    static std::string supplierAccount(std::size_t i) { return fmt::format("2110101{}", 101 + i); }
};

TEST_F(CustomerSupplierValues, ATaxNumberAlreadyHyphenatedStaysWholeAndOthersAreCutInThreePieces)
{
    const std::vector<Case> cases{
        {"eleven digits", text("30712345678"), "30-71234567-8"},
        {"already hyphenated", text("30-71234567-8"), "30-71234567-8"},
        {"hyphens elsewhere are not the form", text("30-7123456-78"), "30--7123456--"},
        {"shorter", text("2033"), "20-33-"},
        {"blank", text(""), "--"},
        {"Null", null(), "--"},
    };
    importCases(cases, {"RUTT_FCL"}, "RUTT_FPR");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        expectColumns("MA_CUENTASADIC", customerAccount(i), {{"NUMERO_DOCUMENTO", cases[i].written}});
        expectColumns("MA_CUENTASADIC", supplierAccount(i), {{"NUMERO_DOCUMENTO", cases[i].written}});
    }
}

TEST_F(CustomerSupplierValues, ProvinceAndCategoryAreRightAlignedInFour)
{
    const std::vector<Case> cases{
        {"one character", text("3"), "   3"},
        {"one character with a blank in front", text(" 3"), "   3"},
        {"two characters", text("23"), "  23"},
        {"Null", null(), "    "},
    };
    // Each customer's category is the same code as its province.
    importCases(cases, {"CODP_FCL", "RAMO_FCL"}, "CODP_FPR");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        expectColumns("MA_CUENTASADIC", customerAccount(i), {{"PROVINCIA", cases[i].written}, {"IDCATEGORIA", cases[i].written}});
        expectColumns("MA_CUENTASADIC", supplierAccount(i), {{"PROVINCIA", cases[i].written}});
    }
}

}  // namespace

// Later vouchers made from a voucher, an account's applied charges and the caller's window that checks them.

#include "voucher/VentanaCargosReales.h"
#include "tests/voucher/VoucherFixture.h"

#include <gtest/gtest.h>

namespace {

class RelatedVouchers : public VoucherFixture {
protected:
    void SetUp() override
    {
        VoucherFixture::SetUp();
        // Vouchers made from the order "  NP" 00010000001A: one void only for complement 0, two live ones for
        // complements 1 and 2 (one of them without an amount), and one from an "OC" of the same number.
        execute({"INSERT INTO MV_CPTE (TC, IDCOMPROBANTE, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN, ANULADA, IMPORTE) "
                 "VALUES ('  FC', '00010000010A', '  NP', '00010000001A', 0, 1, 100), "
                 "('  FC', '00010000011A', '  NP', '00010000001A', 1, 0, 250.5), "
                 "('  FC', '00010000012A', '  NP', '00010000001A', 2, 0, 40.25), "
                 "('  FC', '00010000013A', '  NP', '00010000001A', 2, 0, NULL), "
                 "('  FC', '00010000014A', '  OC', '00010000001A', 0, 0, 7), "
                 "('  FC', '00010000015A', '  NP', '00010000002A', 0, 0, 9)"});
    }
};

TEST_F(RelatedVouchers, AVoucherIsRelatedByTypeNumberAndComplement)
{
    struct Case {
        const char* tc;
        const char* number;
        const char* complement;
        bool countVoid;
        bool related;
    };
    const Case cases[] = {
        {"NP", "00010000001A", "0", false, false},   // used by a void voucher only
        {"NP", "00010000001A", "0", true, true},
        {"  np", " 00010000001A ", "1", false, true},  // the code padded, the number trimmed
        {"NP", "00010000001A", "2", false, true},
        {"NP", "00010000001A", " ", false, false},   // a blank complement is 0
        {"NP", "00010000001A", "3", true, false},
        {"OC", "00010000001A", "", false, true},
        {"RM", "00010000001A", "0", true, false},
        {"NP", "0001000'001A", "0", true, false},    // an apostrophe is a character of the number
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine->EstaRelacionadoAOtroComprobante(c.tc, c.number, c.complement, c.countVoid), c.related)
            << c.tc << " " << c.number << " " << c.complement << " " << c.countVoid;
    EXPECT_TRUE(engine->EstaRelacionadoAOtroComprobante("NP", "00010000002A"));
}

TEST_F(RelatedVouchers, AComplementThatIsNoWholeNumberRaisesToTheCaller)
{
    EXPECT_THROW(engine->EstaRelacionadoAOtroComprobante("NP", "00010000001A", "1 OR 1=1"), base::Error);
    EXPECT_THROW(engine->EstaRelacionadoAOtroComprobante("NP", "00010000001A", "1.5"), base::Error);
}

TEST_F(RelatedVouchers, TheAmountsOfLiveVouchersOfEveryComplementAddUp)
{
    EXPECT_EQ(engine->ObtieneImporteCptesAsociados("NP", "00010000001A").toText(), "290.75");
    EXPECT_EQ(engine->ObtieneImporteCptesAsociados("OC", " 00010000001A").toText(), "7");
    EXPECT_EQ(engine->ObtieneImporteCptesAsociados("RM", "00010000001A").toText(), "0");
}

TEST_F(RelatedVouchers, AFailedReadRaisesToTheCaller)
{
    execute({"DROP VIEW V_MV_CPTE"});
    EXPECT_THROW(engine->EstaRelacionadoAOtroComprobante("NP", "00010000001A"), base::Error);
    EXPECT_THROW(engine->ObtieneImporteCptesAsociados("NP", "00010000001A"), base::Error);
}

TEST_F(RelatedVouchers, AppliedChargesAreTheAccountsBalance)
{
    EXPECT_EQ(engine->ImporteCargosReales("1140101001").toText(), "0");
    execute({"INSERT INTO V_MV_CargosAplicados (CUENTA, SALDO) VALUES ('1140101001', 120.5), ('1140101001', -20.25), "
             "('1140101002', 99)"});
    EXPECT_EQ(engine->ImporteCargosReales(" 1140101001 ").toText(), "100.25");
    EXPECT_EQ(engine->ImporteCargosReales("O'Hara").toText(), "0");
}

TEST_F(RelatedVouchers, AFailedChargesReadGoesToTheErrorTreatmentAndGivesZero)
{
    execute({"DROP TABLE V_MV_CargosAplicados"});
    expectErrorTreatment("Recordset", "ImporteCargosReales@");
    EXPECT_EQ(engine->ImporteCargosReales("1140101001").toText(), "0");
}

// A control window as a voucher screen would supply it: it notes what it was given when it is shown.
class ControlWindow : public VentanaCargosReales {
public:
    void Show(int Modal) override { shown.push_back(Cliente + "|" + Matricula + "|" + std::to_string(Modal)); }
    std::vector<std::string> shown;
};

TEST_F(RelatedVouchers, TheControlWindowGetsTheCustomerBeforeItIsShownModally)
{
    ControlWindow window;
    window.Matricula = "old";
    engine->ControlDeCargosReales(window, "1140101001", "AB123");
    engine->ControlDeCargosReales(window, "1140101002");
    EXPECT_EQ(window.shown, (std::vector<std::string>{"1140101001|AB123|1", "1140101002||1"}));
}

}  // namespace

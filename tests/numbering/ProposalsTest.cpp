// Proposing a voucher's number: the walk over the type's booklets and the check against what is stored.

#include "numbering/NumberingBooklets.h"
#include "platform/ui/Prompter.h"
#include "tests/numbering/NumberingFixture.h"

#include <functional>

namespace {

// One set of booklets and stored vouchers that every proposal case reads.
class Proposals : public NumberingFixture {
protected:
    void SetUp() override
    {
        NumberingFixture::SetUp();
        talonario({.codigo = "  IR", .modifica = true});
        talonario({.codigo = "  RM", .hasta = 500, .ultimo = 500});
        talonario({.codigo = "  RM", .talonario = 2, .sucursal = 2, .desde = 501, .hasta = 1000, .ultimo = 0});
        talonario({.codigo = "  FC", .letras = "A,B", .letra = "A", .sucursal = 3, .hasta = 100, .ultimo = 7});
        exec("UPDATE V_TA_CPTE SET B_SUC_DEFAULT = 3, B_NRO_DESDE = 1, B_NRO_HASTA = 100, B_ULTIMO_NRO = 12 "
             "WHERE CODIGO = '  FC'");
        talonario({.codigo = "  ND", .letras = "A", .letra = "A", .hasta = 50, .ultimo = 50});
        talonario({.codigo = "  ND", .talonario = 2, .letras = "B,A", .letra = "A", .sucursal = 4, .desde = 51,
                   .hasta = 100, .ultimo = 60});
        talonario({.codigo = "  PG", .hasta = 20, .ultimo = 20});
        talonario({.codigo = "  FP", .ultimo = std::nullopt});
        talonario({.codigo = "  FP", .talonario = 2, .hasta = std::nullopt, .ultimo = 3});
        talonario({.codigo = "  TK", .sucursal = 4});
        talonario({.codigo = "  TK", .talonario = 2, .sucursal = 5, .ultimo = 9, .unegocio = "   2"});
        talonario({.codigo = "  VJ", .ultimo = 5});
        talonario({.codigo = "  OC", .hasta = 500, .ultimo = 3});
        talonario({.codigo = "  PE", .ultimo = 8});
        talonario({.codigo = "  CC", .ultimo = 4});
        talonario({.codigo = "CBFP", .ultimo = 2});

        for (const char* id : {"000100000005X", "000100000009X", "000100000003X", "000200000050X", "000100000077A"})
            exec(fmt::format("INSERT INTO MV_VIAJES (TC, IDCOMPROBANTE) VALUES ('  VJ', '{}')", id));
        for (const char* numero : {"00000003", "00000004", "00000700"})
            exec(fmt::format("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA) "
                             "VALUES ('  OC', '0001{0}X', '0001', '{0}', 'X')",
                             numero));
        exec("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('CBFP', '000100000020X')");
        for (const char* line : {"'  PE', '0001', '00000008'", "'  PE', '0001', '00000011'",
                                 "'  PE', '0002', '00000090'", "'  OC', '0001', '00000003'",
                                 "'CBFP', '0001', '00000002'"})
            exec(fmt::format("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA) VALUES ({}, 'X')", line));
        for (const char* numero : {"00000003", "00000004"})
            exec(fmt::format("INSERT INTO V_MV_CTROL_CPTE VALUES ('  CC', '0001', '{}', 'X')", numero));
        exec("INSERT INTO V_MV_CTROL_CPTE VALUES ('  IR', '0001', '00000001', 'X')");
    }

    struct Outcome {
        bool answer = false;
        std::string suc = "9999", nro = "99999999", letra;
        bool modifica = false;
    };
    Outcome propose(const std::string& tc, const std::string& letra, const std::string& unegocio = "",
                    bool verificar = true)
    {
        Outcome o;
        o.letra = letra;
        o.answer = Obtener_Nro_Comprobante(tc, o.suc, o.nro, o.letra, o.modifica, verificar, "", unegocio);
        return o;
    }

    std::string usedUp(const std::string& tc)
    {
        return "(50002) Todos los talonarios del comprobante " + tc +
               " se encuentran utilizados, debe dar de alta un nuevo talonario para el comprobante " + tc;
    }
};

TEST_F(Proposals, EachTypeGetsItsBookletsNextNumberOrAnError)
{
    struct Case {
        std::string tc, letra, unegocio;
        std::string suc, nro, letraOut;
        bool answer;
        std::string box;  // the error treatment's text, answered Abort; "" for none
    };
    const Case cases[] = {
        {"IR", "", "", "0001", "00000001", "X", true, ""},              // fresh
        {"RM", "X", "", "0002", "00000501", "X", true, ""},             // next = last is used up; fresh from 501
        {"FC", "B", "", "0003", "00000012", "B", true, ""},
        {"fc", "c", "", "0003", "00000007", "A", true, ""},             // a letter not served: the booklet's first
        {"FC", "", "", "0003", "00000007", "A", true, ""},
        {"ND", "C", "", "0004", "00000060", "A", true, ""},             // the replaced letter carries on
        {"TK", "", "   7", "0004", "00000001", "X", true, ""},          // a unit without booklets: all units'
        {"TK", "", "2", "0005", "00000009", "X", true, ""},             // the unit's own booklet
        {"VJ", "X", "", "0001", "00000010", "X", true, ""},             // the highest trip id taken, plus one
        {"OC", "X", "", "0001", "00000005", "X", true, ""},             // only orders below the booklet's last
        {"PE", "X", "", "0001", "00000012", "X", true, ""},             // entries exist: after the highest entry
        {"CBFP", "X", "", "0001", "00000021", "X", true, ""},           // and after the highest voucher
        {"CC", "X", "", "0001", "00000004", "X", true, ""},
        {"PG", "X", "", "", "", "X", false, usedUp("PG")},              // all used up
        {"FP", "X", "", "", "", "X", false, usedUp("FP")},              // Null next or last: used up
        {"NP", "X", "", "", "", "X", false, "(50001) Debe configurar la numeracióN de Comprobantes NP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tc + " " + c.letra);
        if (!c.box.empty()) expectTreatment(c.box, "Obtener_Nro_Comprobante_Contable", ui::vbAbort);
        const Outcome o = propose(c.tc, c.letra, c.unegocio);
        EXPECT_EQ(o.answer, c.answer);
        EXPECT_EQ(o.suc, c.suc);
        EXPECT_EQ(o.nro, c.nro);
        EXPECT_EQ(o.letra, c.letraOut);
        EXPECT_TRUE(prompter.satisfied()) << prompter.report();
    }
    // Proposing "CC" 00000004 again drops its used-number row; "IR" keeps its own.
    EXPECT_EQ(controles("  CC"), (Rows{{"0001", "00000003", "X"}}));
    EXPECT_EQ(controles("  IR"), (Rows{{"0001", "00000001", "X"}}));
}

TEST_F(Proposals, TheBookletsSwitchAndBookletAreHandedOut)
{
    const Outcome ir = propose("IR", "X");
    EXPECT_TRUE(ir.modifica);
    EXPECT_EQ(TalonarioActual("IR"), 1);
    EXPECT_FALSE(propose("RM", "X").modifica);
    EXPECT_EQ(TalonarioActual("  rm"), 2);
}

TEST_F(Proposals, WithoutVerificationTheBookletsNumberStands)
{
    EXPECT_EQ(propose("VJ", "X", "", false).nro, "00000005");
    EXPECT_EQ(propose("OC", "X", "", false).nro, "00000003");
}

TEST_F(Proposals, ABlankTypeProposesNothing)
{
    Outcome o = propose("  ", "A");
    EXPECT_FALSE(o.answer);
    EXPECT_EQ(o.suc, "9999");
    EXPECT_EQ(o.nro, "99999999");
    EXPECT_EQ(o.letra, "A");
}

TEST_F(Proposals, RetryWalksTheBookletsAgain)
{
    expectTreatment(usedUp("PG"), "Obtener_Nro_Comprobante_Contable", ui::vbRetry);
    expectTreatment(usedUp("PG"), "Obtener_Nro_Comprobante_Contable", ui::vbIgnore);
    EXPECT_FALSE(propose("PG", "X").answer);
    EXPECT_NE(errorLog().find("Rutina: - Obtener_Nro_Comprobante_Contable"), std::string::npos) << errorLog();
}

// Answers every box by running `action` and pressing Retry, once; then Abort.
class ConfiguringPrompter : public ui::Prompter {
public:
    explicit ConfiguringPrompter(std::function<void()> action) : Prompter("Migrador"), action_(std::move(action)) {}
    int boxes = 0;

protected:
    int showMessage(std::string_view, int, std::string_view) override
    {
        if (boxes++ > 0) return ui::vbAbort;
        action_();
        return ui::vbRetry;
    }
    std::string showInput(std::string_view, std::string_view, std::string_view) override { return {}; }

private:
    std::function<void()> action_;
};

TEST_F(Proposals, ABookletConfiguredWhileTheBoxIsOpenIsUsedOnRetry)
{
    ConfiguringPrompter operador([&] { talonario({.codigo = "  NP", .sucursal = 7, .ultimo = 41}); });
    setProgramPrompter(&operador);
    const Outcome o = propose("NP", "X");
    setProgramPrompter(&prompter);
    EXPECT_EQ(operador.boxes, 1);
    EXPECT_TRUE(o.answer);
    EXPECT_EQ(o.suc + o.nro + o.letra, "000700000041X");
}

TEST_F(Proposals, ABookletLetterThatIsNoVoucherLetterIsAnErrorNamingTypeAndLetter)
{
    talonario({.codigo = "  LQ", .letras = "Q,A"});
    expectTreatment("(50003) La letra 'Q' del comprobante LQ", "Obtener_Nro_Comprobante_Contable", ui::vbAbort);
    const Outcome o = propose("LQ", "X");
    EXPECT_FALSE(o.answer);
    EXPECT_EQ(o.nro, "");
}

TEST_F(Proposals, AnExpiredBookletIsPassedOverForALaterDate)
{
    talonario({.codigo = "  EX", .ultimo = 3, .vence = "'20260131'"});
    talonario({.codigo = "  EX", .talonario = 2, .sucursal = 2, .ultimo = 70});
    std::string suc, nro, letra = "X", hasta;
    bool modifica = false;
    ASSERT_TRUE(Obtener_Nro_Comprobante_Contable("EX", suc, nro, letra, modifica, "31/01/2026", "", hasta));
    EXPECT_EQ(suc + nro, "000100000003");
    EXPECT_EQ(hasta, "00001000");
    ASSERT_TRUE(Obtener_Nro_Comprobante_Contable("EX", suc, nro, letra, modifica, "01/02/2026", "", hasta));
    EXPECT_EQ(suc + nro, "000200000070");

    exec("DELETE FROM V_TA_CPTE WHERE CODIGO = '  EX' AND TALONARIO = 2");
    expectTreatment("(50002) El rango de numeracion del comprobante EX Control nro: 1 se encuenta vencida",
                    "Obtener_Nro_Comprobante_Contable", ui::vbAbort);
    EXPECT_FALSE(Obtener_Nro_Comprobante_Contable("EX", suc, nro, letra, modifica, "01/02/2026", "", hasta));
    EXPECT_EQ(suc + nro, "");
}

TEST_F(Proposals, AMissingTableGoesToTheTreatmentUnderTheProceduresName)
{
    exec("DROP TABLE V_MV_CTROL_CPTE");
    expectTreatment("", "Obtener_Nro_Comprobante", ui::vbAbort, "Microsoft OLE DB Provider for SQL Server");
    const Outcome cc = propose("CC", "X");
    EXPECT_FALSE(cc.answer);
    EXPECT_EQ(cc.suc + cc.nro, "");

    exec("DROP TABLE V_TA_CPTE");
    expectTreatment("", "Obtener_Nro_Comprobante_Contable", ui::vbAbort, "Recordset");
    EXPECT_FALSE(propose("IR", "X").answer);
}

}  // namespace

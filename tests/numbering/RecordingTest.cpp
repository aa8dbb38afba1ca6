// Recording a used number: the booklet's advance and the used-number row, generated for the caller's batch
// or written at once.

#include "numbering/NumberingBooklets.h"
#include "platform/ui/Prompter.h"
#include "tests/numbering/NumberingFixture.h"

namespace {

class Recording : public NumberingFixture {
protected:
    // Proposes a number of the type; it must be handed out.
    std::string propose(const std::string& tc)
    {
        std::string suc, nro, letra = "X";
        bool modifica = false;
        EXPECT_TRUE(Obtener_Nro_Comprobante(tc, suc, nro, letra, modifica, true, "", ""));
        return suc + nro + letra;
    }

    struct Outcome {
        bool answer = false;
        std::string text;
    };
    Outcome record(const std::string& tc, const std::string& sistema, const std::string& suc, const std::string& nro,
                   std::string text = {}, bool siempre = false, bool generate = true)
    {
        Outcome o{false, std::move(text)};
        std::string letra = "X";
        o.answer = GrabaNumeroComprobante(tc, sistema, suc, nro, letra, generate, o.text, siempre);
        return o;
    }

    const std::string previo = "UPDATE TA_CONFIGURACION SET VALOR = 'x' WHERE CLAVE = 'nada'";
};

TEST_F(Recording, AFreshBookletAdvancesToTwoAndTheUsedNumberIsRecordedWhereAsked)
{
    struct Case {
        std::string tc, sistema;
        bool siempre;
        Rows control;
    };
    const Rows first{{"0001", "00000001", "X"}};
    const Case cases[] = {
        {"  IR", "STOCK", false, {}},
        {"  AS", "CONTABLE", false, first},  // "Contable" in any case
        {"  OC", "STOCK", false, first},
        {"  RE", "STOCK", true, first},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tc);
        talonario({.codigo = c.tc, .sistema = c.sistema});
        ASSERT_EQ(propose(c.tc), "000100000001X");
        const Outcome o = record(c.tc, "STOCK", "0001", " 2", previo, c.siempre);
        EXPECT_TRUE(o.answer);
        EXPECT_EQ(o.text.find(previo), std::string::npos) << "the caller's text is replaced";
        runBatch(o.text);
        EXPECT_EQ(siguiente(c.tc, 1), "2");
        EXPECT_EQ(controles(c.tc), c.control);
    }
}

TEST_F(Recording, ABookletAlreadyBeyondTheNumberGetsOnlyTheUsedNumberRow)
{
    talonario({.codigo = "  RE", .ultimo = 10});
    propose("RE");
    const Outcome o = record("RE", "STOCK", "0001", " 5", previo, true);
    EXPECT_TRUE(o.answer);
    EXPECT_EQ(o.text.rfind(previo + "\r\n INSERT INTO V_MV_CTROL_CPTE", 0), 0u) << o.text;
    runBatch(o.text);
    EXPECT_EQ(siguiente("  RE", 1), "10");
    EXPECT_EQ(controles("  RE"), (Rows{{"0001", "00000004", "X"}}));
}

TEST_F(Recording, ABookletThatMovedOnBeforeTheBatchRunsIsNotMovedBack)
{
    talonario({.codigo = "  RE", .ultimo = 10});
    propose("RE");
    const Outcome o = record("RE", "STOCK", "0001", " 11");
    exec("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 20 WHERE CODIGO = '  RE'");
    runBatch(o.text);
    EXPECT_EQ(siguiente("  RE", 1), "20");
}

TEST_F(Recording, AnotherBranchRecordsNothing)
{
    talonario({.codigo = "  IR"});
    propose("IR");
    const Outcome generated = record("IR", "STOCK", "0002", " 2", previo, true);
    EXPECT_FALSE(generated.answer);
    EXPECT_EQ(generated.text, previo);
    EXPECT_FALSE(record("IR", "STOCK", "0002", " 2", "", true, false).answer);
    EXPECT_EQ(siguiente("  IR", 1), "0");
    EXPECT_EQ(controles("  IR"), Rows{});
}

TEST_F(Recording, DirectRecordingUpdatesTheRowWithTheClocksTime)
{
    talonario({.codigo = "  IR", .sistema = "Contable"});
    propose("IR");
    EXPECT_TRUE(record("IR", "STOCK", "0001", " 2", "", true, false).answer);
    EXPECT_EQ(siguiente("  IR", 1), "2");
    db::Recordset rs;
    std::string statement = "SELECT FECHAHORA_MODIFICACION FROM V_TA_CPTE WHERE CODIGO = '  IR'";
    gDB_Dll().AbrirRecordset(statement, rs);
    EXPECT_EQ(rs.field(0).value().asDateTime(), clock.now());
    EXPECT_EQ(controles("  IR"), Rows{});  // only generated text records the used number
    // Never backwards.
    EXPECT_TRUE(record("IR", "STOCK", "0001", " 1", "", true, false).answer);
    EXPECT_EQ(siguiente("  IR", 1), "2");
}

TEST_F(Recording, TheTypeTableIsAdvancedWhenTheBookletRowIsGone)
{
    talonario({.codigo = "  RC", .talonario = 3, .ultimo = 4});
    exec("INSERT INTO TA_COMPROBANTES (CODIGO, TALONARIO, SISTEMA, X_SUC_DEFAULT, X_ULTIMO_NRO) "
         "VALUES ('  RC', 3, 'VENTAS', 1, 4)");
    ASSERT_EQ(propose("RC"), "000100000004X");
    exec("DELETE FROM V_TA_CPTE WHERE CODIGO = '  RC'");
    const auto stored = [] {
        return rows("SELECT X_ULTIMO_NRO FROM TA_COMPROBANTES WHERE CODIGO = '  RC'").at(0).at(0);
    };

    Outcome o = record("RC", " VENTAS ", "0001", " 6");
    ASSERT_TRUE(o.answer);
    runBatch(o.text);
    EXPECT_EQ(stored(), "6");
    o = record("RC", "VENTAS", "0001", " 3");  // never backwards
    runBatch(o.text);
    EXPECT_EQ(stored(), "6");
    EXPECT_TRUE(record("RC", "VENTAS", "0001", " 8", "", false, false).answer);
    EXPECT_EQ(stored(), "8");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM TA_COMPROBANTES WHERE FECHAHORA_MODIFICACION IS NOT NULL"), (Rows{{"1"}}));
}

TEST_F(Recording, AProposalOfAnotherTypeDoesNotRedirectTheRecording)
{
    // IR's first booklet is free numbering, so the number's range decides nothing and the proposal's booklet
    // counts; PE's proposal in between names booklet 1.
    talonario({.codigo = "  IR", .desde = 0, .hasta = 0, .modifica = true});
    talonario({.codigo = "  IR", .talonario = 2});
    talonario({.codigo = "  PE"});
    ASSERT_EQ(propose("IR"), "000100000001X");
    ASSERT_EQ(propose("PE"), "000100000001X");
    runBatch(record("IR", "STOCK", "0001", " 2").text);
    EXPECT_EQ(siguiente("  IR", 2), "2");
    EXPECT_EQ(siguiente("  IR", 1), "0");
    EXPECT_EQ(TalonarioActual("IR"), 2);
    EXPECT_EQ(TalonarioActual("PE"), 1);
}

TEST_F(Recording, TwoVouchersGetConsecutiveNumbers)
{
    talonario({.codigo = "  OC"});
    for (const char* expected : {"000100000001X", "000100000002X"}) {
        const std::string id = propose("OC");
        ASSERT_EQ(id, expected);
        runBatch(record("OC", "STOCK", id.substr(0, 4), " " + std::to_string(std::stoi(id.substr(4, 8)) + 1)).text);
    }
    EXPECT_EQ(controles("  OC"), (Rows{{"0001", "00000001", "X"}, {"0001", "00000002", "X"}}));
    EXPECT_EQ(siguiente("  OC", 1), "3");
}

TEST_F(Recording, WithoutABookletRowTheOperatorIsToldAndNothingIsRecorded)
{
    talonario({.codigo = "  NB", .talonario = 5, .sucursal = 2});
    prompter.expectMessage("Error en grabación del Comprobante, no se ha encontrado el comprobante configurado",
                           ui::vbCritical | ui::vbOKOnly, "ATENCION", ui::vbOK);
    const Outcome o = record("NB", "STOCK", "0001", " 2", previo);
    EXPECT_FALSE(o.answer);
    EXPECT_EQ(o.text, previo);
    EXPECT_NE(errorLog().find("GrabaNumeroComprobante"), std::string::npos);
}

TEST_F(Recording, AnExternalTypeWithoutTheBranchsBookletHasNothingToRecord)
{
    talonario({.codigo = " EXT", .externo = true});
    const Outcome o = record("EXT", "STOCK", "0002", " 2", previo);
    EXPECT_TRUE(o.answer);
    EXPECT_EQ(o.text, "");
}

TEST_F(Recording, BadValuesGoToTheTreatmentAndRecordNothing)
{
    talonario({.codigo = "  IR"});
    propose("IR");
    struct Case { std::string nro, letra, box; };
    const Case cases[] = {
        {"abc", "X", "(50004) El número a grabar no es un número entero: 'abc'"},
        {"2; DELETE FROM V_TA_CPTE", "X", "(50004)"},
        {" 2", "Q", "(50003) La letra 'Q' del comprobante IR"},
        {" 2", "A,B", "(50003) La letra 'A,B' del comprobante IR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nro + " " + c.letra);
        expectTreatment(c.box, "GrabaNumeroComprobante", ui::vbAbort);
        std::string letra = c.letra, text = previo;
        EXPECT_FALSE(GrabaNumeroComprobante("IR", "STOCK", "0001", c.nro, letra, true, text, true));
        EXPECT_EQ(text, previo);
    }
    EXPECT_EQ(siguiente("  IR", 1), "0");

    exec("DROP TABLE V_TA_CPTE");
    expectTreatment("", "GrabaNumeroComprobante", ui::vbAbort, "Recordset");
    EXPECT_FALSE(record("IR", "STOCK", "0001", " 2", previo).answer);
}

}  // namespace

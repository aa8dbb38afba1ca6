#include "platform/ui/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {

using namespace ui;

TEST(ScriptedPrompter, AnswersTheExpectedBoxesInOrder) {
    ScriptedPrompter prompter("Migrador");
    prompter.expectMessage("VUELVA A CONFIRMAR", vbYesNo + vbCritical + vbDefaultButton2, "ATENCION!", vbYes)
        .expectInput("Ingrese la Cantidad del Articulo...", "Carga de Datos", "12")
        .expectMessage("listo", vbOKOnly, "Migrador", vbOK);

    EXPECT_EQ(prompter.msgBox("VUELVA A CONFIRMAR", vbYesNo + vbCritical + vbDefaultButton2, "ATENCION!"), vbYes);
    EXPECT_EQ(prompter.inputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", "3.00"), "12");
    // No title of its own: the operator sees the program's title, and that is what the script names.
    EXPECT_EQ(prompter.msgBox("listo"), vbOK);

    EXPECT_TRUE(prompter.satisfied()) << prompter.report();
    ASSERT_EQ(prompter.shown().size(), 3u);
    EXPECT_EQ(prompter.shown()[1].defaultText, "3.00");
    EXPECT_EQ(prompter.shown()[2].title, "Migrador");
}

TEST(ScriptedPrompter, InputBoxCancelAnswersEmpty) {
    ScriptedPrompter prompter;
    prompter.expectInput("Ingresa la Clave para permitir ejecutar este comando..", "Atencion", "");
    EXPECT_EQ(prompter.inputBox("Ingresa la Clave para permitir ejecutar este comando..", "Atencion"), "");
    EXPECT_TRUE(prompter.satisfied()) << prompter.report();
}

TEST(ScriptedPrompter, PrefixMatchesTheStartOnly) {
    ScriptedPrompter prompter;
    prompter.expectMessage(startsWith("Se detectaron errores"), vbOKOnly, "Migrador", vbOK);
    EXPECT_EQ(prompter.msgBox("Se detectaron errores, consulte el archivo /tmp/QVERR.LOG"), vbOK);
    EXPECT_TRUE(prompter.satisfied()) << prompter.report();

    prompter.expectMessage("Se detectaron errores", vbOKOnly, "Migrador", vbOK);
    EXPECT_THROW(prompter.msgBox("Se detectaron errores, consulte el archivo /tmp/QVERR.LOG"), UnexpectedBox);
}

// Each case: what the script expects, and the box the code shows instead.
struct Mismatch {
    const char* name;
    bool expectInput;
    bool showInput;
    const char* shownText;
    int shownStyle;
    const char* shownTitle;
};

class ScriptedPrompterMismatch : public testing::TestWithParam<Mismatch> {};

TEST_P(ScriptedPrompterMismatch, FailsTheTest) {
    const Mismatch& m = GetParam();
    ScriptedPrompter prompter("Migrador");
    if (m.expectInput) {
        prompter.expectInput("Texto", "Titulo", "x");
    } else {
        prompter.expectMessage("Texto", vbAbortRetryIgnore + vbCritical, "Titulo", vbRetry);
    }
    if (m.showInput) {
        EXPECT_THROW(prompter.inputBox(m.shownText, m.shownTitle), UnexpectedBox);
    } else {
        EXPECT_THROW(prompter.msgBox(m.shownText, m.shownStyle, m.shownTitle), UnexpectedBox);
    }
    EXPECT_FALSE(prompter.satisfied());
    ASSERT_EQ(prompter.failures().size(), 1u);
    EXPECT_NE(prompter.report().find(m.shownText), std::string::npos) << prompter.report();
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ScriptedPrompterMismatch,
    testing::Values(Mismatch{"OtherText", false, false, "Otro texto", vbAbortRetryIgnore + vbCritical, "Titulo"},
                    Mismatch{"OtherStyle", false, false, "Texto", vbAbortRetryIgnore, "Titulo"},
                    Mismatch{"OtherTitle", false, false, "Texto", vbAbortRetryIgnore + vbCritical, "Otro"},
                    Mismatch{"EmptyTitleIsTheProgramTitle", false, false, "Texto", vbAbortRetryIgnore + vbCritical, ""},
                    Mismatch{"InputInsteadOfMessage", false, true, "Texto", 0, "Titulo"},
                    Mismatch{"MessageInsteadOfInput", true, false, "Texto", vbOKOnly, "Titulo"},
                    Mismatch{"InputWithOtherPrompt", true, true, "Otro", 0, "Titulo"}),
    [](const testing::TestParamInfo<Mismatch>& info) { return info.param.name; });

TEST(ScriptedPrompter, FailsOnABoxAfterTheScriptEnds) {
    ScriptedPrompter prompter;
    EXPECT_THROW(prompter.msgBox("DESHABILITADO"), UnexpectedBox);
    EXPECT_THROW(prompter.inputBox("Clave"), UnexpectedBox);
    EXPECT_EQ(prompter.failures().size(), 2u);
}

TEST(ScriptedPrompter, FailureStaysVisibleWhenTheCodeSwallowsIt) {
    ScriptedPrompter prompter;
    try {
        prompter.msgBox("Opcion no Implementada!", vbCritical, "Atención");
    } catch (...) {
        // the code under test ignoring every error, as some handlers do
    }
    EXPECT_FALSE(prompter.satisfied());
}

TEST(ScriptedPrompter, RefusesAnAnswerTheBoxCannotGive) {
    ScriptedPrompter prompter;
    prompter.expectMessage("listo", vbOKOnly, "Migrador", vbRetry);
    EXPECT_THROW(prompter.msgBox("listo"), UnexpectedBox);
    EXPECT_FALSE(prompter.satisfied());
}

TEST(ScriptedPrompter, BoxesNeverShownLeaveItUnsatisfied) {
    ScriptedPrompter prompter;
    prompter.expectMessage("ACTUALIZASTE LOS ACUMULADORES...??", vbYesNo + vbQuestion, "Atencion", vbNo);
    EXPECT_FALSE(prompter.satisfied());
    EXPECT_EQ(prompter.pending(), 1u);
    EXPECT_NE(prompter.report().find("never shown"), std::string::npos);
}

TEST(MessageBoxStyle, ButtonSetsGiveTheirAnswersInOrder) {
    struct Case {
        int style;
        std::vector<int> answers;
    };
    const Case cases[] = {
        {vbOKOnly + vbInformation, {vbOK}},
        {vbOKCancel, {vbOK, vbCancel}},
        {vbAbortRetryIgnore + vbCritical, {vbAbort, vbRetry, vbIgnore}},
        {vbYesNoCancel, {vbYes, vbNo, vbCancel}},
        {vbYesNo + vbCritical + vbDefaultButton2, {vbYes, vbNo}},
        {vbRetryCancel, {vbRetry, vbCancel}},
    };
    for (const Case& c : cases) {
        ButtonSet set = buttonsOf(c.style);
        ASSERT_EQ(set.count, static_cast<int>(c.answers.size())) << c.style;
        for (int i = 0; i < set.count; ++i) EXPECT_EQ(set.answers[i], c.answers[static_cast<std::size_t>(i)]) << c.style;
    }
}

}  // namespace

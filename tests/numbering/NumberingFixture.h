#pragma once
// The program fixture with what the numbering tests write and read: booklet rows of V_TA_CPTE, statements
// run at once, generated text run as the caller's batch, and the error treatment's box as the operator sees it.

#include "core/BatchRunner.h"
#include "core/DB_Dll.h"
#include "tests/core/ProgramFixture.h"

#include <fmt/format.h>
#include <optional>
#include <string>

class NumberingFixture : public ProgramFixture {
protected:
    // One booklet of a type for one letter; the other letters' columns stay Null.
    struct Talonario {
        std::string codigo;
        int talonario = 1;
        std::optional<std::string> letras = "X";
        std::string letra = "X";
        int sucursal = 1;
        std::optional<int> desde = 1, hasta = 1000, ultimo = 0;
        std::string unegocio = "   1";
        std::string sistema = "STOCK";
        bool externo = false, modifica = false;
        std::string vence = "NULL";  // an SQL literal
    };

    static std::string literal(const std::optional<int>& value) { return value ? std::to_string(*value) : "NULL"; }
    static std::string literal(const std::optional<std::string>& value)
    {
        return value ? gDB_Dll().SQLValue(*value) : "NULL";
    }

    void talonario(const Talonario& t)
    {
        const DB_Dll& erp = gDB_Dll();
        const std::string& L = t.letra;
        exec(fmt::format("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, LETRAS, SISTEMA, EXTERNO, "
                         "MODIFICANUMERACION, {0}_SUC_DEFAULT, {0}_NRO_DESDE, {0}_NRO_HASTA, {0}_ULTIMO_NRO, VENCE{0}) "
                         "VALUES ({1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {9}, {10}, {11}, {12})",
                         L, erp.SQLValue(t.codigo), t.talonario, erp.SQLValue(t.unegocio), literal(t.letras),
                         erp.SQLValue(t.sistema), t.externo ? 1 : 0, t.modifica ? 1 : 0, t.sucursal,
                         literal(t.desde), literal(t.hasta), literal(t.ultimo), t.vence));
    }

    // Runs a statement at once; it must succeed.
    static void exec(std::string statement)
    {
        gDB_Dll().EjecutaConsultaSQL(statement);
        ASSERT_TRUE(gDB_Dll().gCnn.errors().empty())
            << statement << "\n" << gDB_Dll().gCnn.errors().item(0).description;
    }

    // Runs generated text as a caller's batch; it must commit.
    static void runBatch(const std::string& text)
    {
        bool failed = false;
        long code = 0;
        std::string batch, error;
        EjecutaTransaccion({text}, failed, code, false, false, batch, error);
        ASSERT_FALSE(failed) << error << "\n" << batch;
    }

    // The next number a booklet row holds for the letter, "NULL" when it has none.
    static std::string siguiente(const std::string& codigo, int talonario, const std::string& letra = "X")
    {
        return rows(fmt::format("SELECT {}_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '{}' AND TALONARIO = {}", letra,
                                codigo, talonario))
            .at(0)
            .at(0);
    }

    static Rows controles(const std::string& codigo)
    {
        return rows("SELECT SUCURSAL, NUMERO, LETRA FROM V_MV_CTROL_CPTE WHERE TC = '" + codigo +
                    "' ORDER BY NUMERO");
    }

    // The error treatment's box for an error the numbering raised itself, under the procedure's name.
    void expectTreatment(const std::string& textStart, const std::string& rutina, int answer,
                         const std::string& source = "")
    {
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error " + textStart),
                               ui::vbAbortRetryIgnore | ui::vbCritical,
                               source + " - " + rutina + " Aviso al operador!!! ", answer);
    }
};

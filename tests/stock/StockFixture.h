#pragma once
// The program fixture with a voucher engine and a way to put rows into the ERP tables the stock operations
// read.

#include "stock/ClsCmnCptes.h"
#include "tests/core/ProgramFixture.h"

#include <initializer_list>
#include <optional>
#include <string>

class StockFixture : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        engine.emplace();
    }

    // Runs each statement on the ERP connection; a failing one fails the test at once.
    static void execute(std::initializer_list<std::string> statements)
    {
        for (const std::string& statement : statements) gDB_Dll().gCnn.execute(statement);
    }

    static void addArticle(const std::string& code, const std::string& unit, bool bySerial = false, bool byLot = false)
    {
        execute({"INSERT INTO MA_ARTICULOS (IDARTICULO, IDUNIDAD, USASERIE, USALOTE) VALUES ('" + code + "', '" + unit +
                 "', " + (bySerial ? "1" : "0") + ", " + (byLot ? "1" : "0") + ")"});
    }

    static void setConfiguration(const std::string& key, const std::string& value)
    {
        execute({"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('" + key + "', '" + value + "')"});
    }

    // The box the error treatment shows for a failure inside `routine`, answered with Abort.
    void expectErrorTreatment(const std::string& source, const std::string& routine)
    {
        prompter.expectMessage(ui::startsWith("Ha ocurrido el Siguiente Error"), ui::vbAbortRetryIgnore | ui::vbCritical,
                               source + " - " + routine + " Aviso al operador!!! ", ui::vbAbort);
    }

    std::optional<ClsCmnCptes> engine;
};

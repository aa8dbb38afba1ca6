#pragma once
// The program fixture with what the voucher engine reads: configuration rows and voucher types.

#include "core/Configuracion.h"
#include "tests/core/ProgramFixture.h"

#include <optional>
#include <string>

class EngineFixture : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        gTablaConfiguracion.clear();
        gMaderera = false;
    }

    void TearDown() override
    {
        gTablaConfiguracion.clear();
        gMaderera = false;
        ProgramFixture::TearDown();
    }

    // A TA_CONFIGURACION row; nullopt stores a Null value.
    static void setting(const std::string& key, const std::optional<std::string>& value)
    {
        std::string insert = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, VALORAUX) VALUES (" +
                             gDB_Dll().SQLValue(key) + ", " +
                             gDB_Dll().SQLValue(value ? base::Value(*value) : base::Value::null()) + ", '')";
        gDB_Dll().EjecutaConsultaSQL(insert);
        ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0) << insert;
    }

    // Booklet 1 of a voucher type of the system; nullopt stores a Null SISTEMA.
    static void voucherType(const std::string& code, const std::optional<std::string>& sistema)
    {
        std::string insert = "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, SISTEMA) VALUES (" +
                             gDB_Dll().SQLValue(code) + ", 1, " +
                             gDB_Dll().SQLValue(sistema ? base::Value(*sistema) : base::Value::null()) + ")";
        gDB_Dll().EjecutaConsultaSQL(insert);
        ASSERT_EQ(gDB_Dll().gCnn.errors().count(), 0) << insert;
    }
};

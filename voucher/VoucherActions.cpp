// The audit row of an action on a voucher.

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Entorno.h"
#include "core/ProgramServices.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "numbering/NumberingQueries.h"
#include "platform/base/Text.h"
#include "platform/os/Clock.h"
#include "stock/ClsCmnCptes.h"

#include <optional>

namespace {

constexpr std::string_view kRutina = "ActualizaBuchon";

// The complement as the row stores it: blank is 0; anything else must be a whole number.
std::optional<std::int64_t> complemento(const std::string& IdComplemento)
{
    if (base::trim(IdComplemento).empty()) return 0;
    try {
        return numbering::enteroEstricto(base::Value(IdComplemento), "IdComplemento");
    } catch (const base::Error& error) {
        gDB_Dll().registraError(error.description(), kRutina, 0);
        return std::nullopt;
    }
}

const char* tipoAccion(bool lEsAlta, bool lEsModificacion)
{
    if (lEsAlta) return "A";
    return lEsModificacion ? "M" : "B";
}

// Now, to the minute, as the stamp of the row.
base::DateTime fechaHora()
{
    const base::DateTime now = programClock().now();
    return base::DateTime::fromParts(now.year(), now.month(), now.day(), now.hour(), now.minute());
}

}  // namespace

void ClsCmnCptes::ActualizaBuchon(const std::string& TC, const std::string& SucNroLetra,
                                  const std::string& IdComplemento, bool lEsAlta, bool lEsModificacion,
                                  bool GeneraSentencia, std::string* SentenciaSQL, const std::string& NroAsiento)
{
    const std::optional<std::int64_t> numeroComplemento = complemento(IdComplemento);
    if (!numeroComplemento) {
        if (SentenciaSQL) SentenciaSQL->clear();
        return;
    }

    AgregaCampo("TC", base::Value(numbering::codigo4(TC)), "'", true);
    AgregaCampo("IdComprobante", base::Value(base::trim(SucNroLetra)), "'", false);
    AgregaCampo("IdComplemento", base::Value(static_cast<long long>(*numeroComplemento)), "@", false);
    AgregaCampo("Tipo_accion", base::Value(tipoAccion(lEsAlta, lEsModificacion)), "'", false);
    AgregaCampo("FECHAHORA", base::Value(fechaHora()), "'", false);
    AgregaCampo("Usuario", base::Value(gUsuarioLogeado), "'", false);
    AgregaCampo("PC", base::Value(gEntorno().NombreEquipo()), "'", false);
    AgregaCampo("SYSTEMUSER", base::Value(std::string()), "'", false);
    AgregaCampo("NUMEROASIENTO", base::Value(gUtilidades().ValorNumerico(NroAsiento)), "@", false);

    std::string sentencia = " INSERT INTO V_MV_CPTEACCIONES ";
    ArmaValores(sentencia, gCampos, true);

    if (GeneraSentencia) {
        if (SentenciaSQL) *SentenciaSQL = sentencia;
        return;
    }
    DB_Dll& erp = gDB_Dll();
    erp.EjecutaConsultaSQL(sentencia);
    // The data-access object keeps the common failures quiet; an action left unrecorded is worth a line.
    const db::ErrorList& errores = erp.gCnn.errors();
    if (!errores.empty()) erp.registraError(errores.item(0).description, kRutina, 0);
}

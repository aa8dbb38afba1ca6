// The six credit limits of each legacy customer (FCLIENTE) copied into the customer's account extension
// row. No row is created. A customer whose account is not there yet (the task runs before the customer
// import in the task list, so on a first migration none is) is refused, not passed over: listed, logged and
// counted in the end box, so the operator knows to run the task again once the customers are in.

#include "core/DB_Dll.h"
#include "importer/AccountRow.h"
#include "importer/ErrorList.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "importer/RefusedRecords.h"
#include "platform/base/Text.h"

#include <array>
#include <fmt/format.h>

void Importar::ImportaLimiteCredito()
{
    using namespace cuentas;
    db::Recordset origen;
    if (!abreOrigen(*this, "SELECT * FROM FCLIENTE WHERE CODI_FCL <= '004999'", origen)) return;

    DB_Dll& erp = gDB_Dll();
    ImportLoop loop(*this, "FCLIENTE");
    CuentasDelProceso tomadas("ImportaLimiteCredito", "FCLIENTE");
    RegistrosRechazados sinCuenta(*this, "ImportaLimiteCredito", "FCLIENTE");
    const auto campo = [&origen](std::string_view nombre) -> const base::Value& { return origen.field(nombre).value(); };

    const auto procesa = [&] {
        const std::string codigoLegado = base::trim(texto(campo("CODI_FCL")));
        const std::string cuenta = cuentaCliente(campo("CODI_FCL"));
        static constexpr std::array<const char*, 6> kLimites{"LCRE_FCL", "LCR1_FCL", "LCR2_FCL",
                                                             "LCR3_FCL", "LCR4_FCL", "LCR5_FCL"};
        std::array<std::string, 6> limites;
        for (std::size_t i = 0; i < limites.size(); ++i) limites[i] = erp.SQLValue(campo(kLimites[i]), "@");

        if (!existeCuenta("MA_CUENTASADIC", cuenta)) {
            sinCuenta.rechaza(loop.registro(), "CODI_FCL", codigoLegado,
                              fmt::format("la cuenta {} no existe todavía; sus límites de crédito no se importan", cuenta));
            return;
        }
        if (!tomadas.libre(cuenta, codigoLegado)) return;
        std::string sentencia = "UPDATE MA_CUENTASADIC SET LIMITE_CREDITO = " + limites[0] +
                                ",LIMITE_CREDITO1 = " + limites[1] + ",LIMITE_CREDITO2 = " + limites[2] +
                                ",LIMITE_CREDITO3 = " + limites[3] + ",LIMITE_CREDITO4 = " + limites[4] +
                                ",LIMITE_CREDITO5 = " + limites[5] + "  WHERE CODIGO = " + sql(cuenta);
        eventos().doEvents();
        tomadas.escribe(loop, sentencia, cuenta, codigoLegado);
    };
    const ImportLoop::Fin fin = loop.directo(origen, procesa, [&] { return clienteFueraDeRango(campo("CODI_FCL")); });
    avisaFinDeTarea({tomadas.aviso(), sinCuenta.aviso("falta la cuenta del cliente; vuelva a ejecutar \"LIMITE DE "
                                                      "CREDITOS\" cuando los clientes estén importados")});
    if (fin != ImportLoop::Fin::Completo) return;
    erp.CierraRecordset(origen);
    LblDetalle.caption = "FINALIZADO CLIENTES";
    cambio();
}

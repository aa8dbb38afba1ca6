// Legacy suppliers (FPROVEED) become account extension rows of the ERP: one MA_CUENTASADIC row per supplier,
// inserted when the account is new and rewritten when it exists. No MA_CUENTAS row is written: nothing here
// would give its columns a value, and an UPDATE with nothing to set is refused by every database.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/ErrorList.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "platform/base/Text.h"

void Importar::ImportaProveedores()
{
    using namespace cuentas;
    db::Recordset origen;
    if (!abreOrigen(*this, "SELECT * FROM FPROVEED ", origen)) return;
    const std::optional<Ciudades> ciudades = Ciudades::carga(*this);
    if (!ciudades) return;

    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    ImportLoop loop(*this, "FPROVEED");
    CuentasDelProceso tomadas("ImportaProveedores", "FPROVEED");
    const auto campo = [&origen](std::string_view nombre) -> const base::Value& { return origen.field(nombre).value(); };

    const ImportLoop::Fin fin = loop.directo(origen, [&] {
        const std::string codigoLegado = base::trim(texto(campo("CODI_FPR")));
        const std::string cuenta = cuentaProveedor(campo("CODI_FPR"));
        const std::string iva = condicionIvaProveedor(campo("LEAD_FPR"));
        const std::string ciudad = base::trim(util.LimpiaTexto(ciudades->nombre(campo("CODP_FPR"), campo("CODC_FPR"))));
        const std::string nombre = util.LimpiaTexto(texto(campo("NOMB_FPR")));
        const std::string calle = util.LimpiaTexto(texto(campo("DIRE_FPR")));
        const std::string postal = codigoPostal(campo("CASI_FPR"));
        const std::string provincia = util.RellenaCodigo(texto(campo("CODP_FPR")), 4);
        const std::string telefono = util.LimpiaTexto(texto(campo("FONO_FPR")));
        const std::string documento = numeroDocumento(campo("RUTT_FPR"));
        const std::string condicion =
            util.RellenaCodigo((util.ValorNumerico(texto(campo("CPAG_FPR"))) + base::Currency::fromInteger(1000)).toText('.'), 4);
        const std::string dto1 = erp.SQLValue(campo("DES1_FPR"), "@");
        const std::string dto2 = erp.SQLValue(campo("DES2_FPR"), "@");
        const std::string dto3 = erp.SQLValue(campo("DES3_FPR"), "@");
        const base::Value& fecha = campo("FECH_FPR");
        const std::string vencimiento = texto(fecha).empty() ? "NULL" : erp.SQLValue(fecha, "'");
        const std::string retencion = util.RellenaCodigo(texto(campo("RETG_FPR")), 4);
        const std::string pago = util.LimpiaTexto(texto(campo("CONT_FPR")));
        const char* sobres = esSi(campo("SOBR_FPR"), false) ? "1" : "0";
        const char* compartido = esSi(campo("IMPU_FPR"), true) ? "1" : "0";

        if (!tomadas.libre(cuenta, codigoLegado)) return;
        std::string sentencia;
        if (!existeCuenta("MA_CUENTASADIC", cuenta)) {
            sentencia = "Insert Into MA_CUENTASADIC  (CODIGO ,CONTACTO, CALLE, CPOSTAL, PROVINCIA, PAIS, TELEFONO, IVA, "
                        "DOCUMENTO_TIPO, NUMERO_DOCUMENTO, CLASE, IdMotivoCpra, IDCOND_CPRA_VTA, IDLISTA, DTO1, DTO2, DTO3, "
                        "FhVtoExento, RETGAN_IdRetencion,DatosPago,FCC_Sin_OC,OCCambiaCosto,EmiteSobresPorOP,"
                        "ProveedorLocal,ProveedorCompartido,idDepositoEntregaOC,LOCALIDAD ) VALUES (" +
                        sql(cuenta) + "," + sql(nombre) + "," + sql(calle) + "," + sql(postal) + "," + sql(provincia) +
                        ",'   1'," + sql(telefono) + "," + sql(iva) + ",'   1'," + sql(documento) + ",1,'   1'," +
                        sql(condicion) + "," + sql(codigoLegado) + "," + dto1 + "," + dto2 + "," + dto3 + "," +
                        vencimiento + "," + sql(retencion) + "," + sql(pago) + ",0,1," + sobres + ",0," + compartido +
                        ",'DBA'," + sql(ciudad) + ")";
        } else {
            eventos().doEvents();
            sentencia = "UPDATE MA_CUENTASADIC SET CODIGO = " + sql(cuenta) + ",CONTACTO = " + sql(nombre) +
                        ",CALLE = " + sql(calle) + ",CPOSTAL = " + sql(postal) + ",PROVINCIA = " + sql(provincia) +
                        ",PAIS = '   1', TELEFONO = " + sql(telefono) + ",IVA = " + sql(iva) +
                        ",DOCUMENTO_TIPO = '   1', NUMERO_DOCUMENTO = " + sql(documento) +
                        ",CLASE = 1 , IdMotivoCpra = '   1', IDCOND_CPRA_VTA = " + sql(condicion) +
                        ",IDLISTA = " + sql(codigoLegado) + ",DTO1 = " + dto1 + ",DTO2 = " + dto2 + ",DTO3 = " + dto3 +
                        ",FhVtoExento = " + vencimiento + ",RETGAN_IdRetencion = " + sql(retencion) +
                        ",DatosPago = " + sql(pago) + ",FCC_Sin_OC = 0,OCCambiaCosto = 1,EmiteSobresPorOP = " + sobres +
                        ",ProveedorLocal = 0,ProveedorCompartido = " + compartido +
                        ",idDepositoEntregaOC = 'DBA', LOCALIDAD = " + sql(ciudad) + " WHERE CODIGO = " + sql(cuenta);
        }
        tomadas.escribe(loop, sentencia, cuenta, codigoLegado);
    });
    avisaFinDeTarea({tomadas.aviso()});
    if (fin != ImportLoop::Fin::Completo) return;
    erp.CierraRecordset(origen);
    LblDetalle.caption = "FINALIZADO PROVEEDORES";
    cambio();
}

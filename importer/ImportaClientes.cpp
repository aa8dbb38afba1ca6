// Legacy customers (FCLIENTE) become account extension rows of the ERP: one MA_CUENTASADIC row per customer,
// inserted when the account is new and rewritten when it exists. Nothing is written into MA_CUENTAS.
//
// A rewrite leaves the six credit limits as they are: the credit-limit task runs before this one in the task
// list, so a rewrite that set them to 0 would undo it. A new row starts with limits 0.
//
// Province and category are 4-character codes, right-aligned like every other: a one-character province
// then matches the ERP's province codes and the code the supplier import writes for it.

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/ErrorList.h"
#include "importer/ImportLoop.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"
#include "platform/base/Text.h"

#include <array>

void Importar::ImportaClientes()
{
    using namespace cuentas;
    db::Recordset origen;
    if (!abreOrigen(*this, "SELECT * FROM FCLIENTE WHERE CODI_FCL <= '004999'", origen)) return;
    const std::optional<Ciudades> ciudades = Ciudades::carga(*this);
    if (!ciudades) return;

    DB_Dll& erp = gDB_Dll();
    Utilidades& util = gUtilidades();
    ImportLoop loop(*this, "FCLIENTE");
    CuentasDelProceso tomadas("ImportaClientes", "FCLIENTE");
    const auto campo = [&origen](std::string_view nombre) -> const base::Value& { return origen.field(nombre).value(); };
    const std::string cero = erp.SQLValue(base::Value(0), "@");

    const auto procesa = [&] {
        const std::string codigoLegado = base::trim(texto(campo("CODI_FCL")));
        const std::string cuenta = cuentaCliente(campo("CODI_FCL"));
        const std::string iva = condicionIvaCliente(campo("CTRI_FCL"));
        const std::string ciudad = ciudades->nombre(campo("CODP_FCL"), campo("CODC_FCL"));
        const std::string contacto = util.LimpiaTexto(texto(campo("NFAN_FCL")));
        const std::string calle = util.LimpiaTexto(texto(campo("DIRE_FCL")));
        const std::string postal = codigoPostal(campo("CASI_FCL"));
        const std::string provincia = util.RellenaCodigo(texto(campo("CODP_FCL")), 4);
        const std::string telefono = util.LimpiaTexto(texto(campo("FONO_FCL")));
        std::array<std::string, 5> vendedores, condiciones;
        for (std::size_t i = 0; i < 5; ++i) {
            const std::string n = std::to_string(i + 1);
            vendedores[i] = sql(util.RellenaCodigo(texto(campo("VEN" + n + "_FCL")), 4));
            condiciones[i] = sql(util.RellenaCodigo(texto(campo("TVT" + n + "_FCL")), 4));
        }
        const std::string documento = numeroDocumento(campo("RUTT_FCL"));
        const std::string categoria = util.RellenaCodigo(texto(campo("RAMO_FCL")), 4);

        if (!tomadas.libre(cuenta, codigoLegado)) return;
        std::string sentencia;
        if (!existeCuenta("MA_CUENTASADIC", cuenta)) {
            sentencia = "Insert Into MA_CUENTASADIC  (CODIGO ,CONTACTO, CALLE, CPOSTAL, PROVINCIA, PAIS, TELEFONO, "
                        "IDVENDEDOR1,IDVENDEDOR2,IDVENDEDOR3,IDVENDEDOR4, IDVENDEDOR5, IVA, DOCUMENTO_TIPO, "
                        "NUMERO_DOCUMENTO, LIMITE_CREDITO,LIMITE_CREDITO1,LIMITE_CREDITO2,LIMITE_CREDITO3,"
                        "LIMITE_CREDITO4, LIMITE_CREDITO5, idCond_Cpra_Vta_Vdor1, idCond_Cpra_Vta_Vdor2, "
                        "idCond_Cpra_Vta_Vdor3, idCond_Cpra_Vta_Vdor4, idCond_Cpra_Vta_Vdor5, IDCATEGORIA , CLASE, "
                        "IDMOTIVOVTA, IDCOND_CPRA_VTA, IDLISTA, LOCALIDAD ) VALUES (" +
                        sql(cuenta) + "," + sql(contacto) + "," + sql(calle) + "," + sql(postal) + ", " +
                        sql(provincia) + ",'   1'," + sql(telefono);
            for (const std::string& vendedor : vendedores) sentencia += "," + vendedor;
            sentencia += "," + sql(iva) + ",'   1'," + sql(documento);
            for (int i = 0; i < 6; ++i) sentencia += "," + cero;
            for (const std::string& condicion : condiciones) sentencia += "," + condicion;
            sentencia += "," + sql(categoria) + ",4,'   1','  01','MAY'," + sql(ciudad) + ")";
        } else {
            sentencia = "UPDATE MA_CUENTASADIC SET CODIGO = " + sql(cuenta) + " ,CONTACTO = " + sql(contacto) +
                        ", CALLE = " + sql(calle) + ", CPOSTAL = " + sql(postal) + ", PROVINCIA = " + sql(provincia) +
                        ", PAIS = '   1', TELEFONO = " + sql(telefono) + ", IDVENDEDOR1 = " + vendedores[0] +
                        ",IDVENDEDOR2 = " + vendedores[1] + ",IDVENDEDOR3 = " + vendedores[2] +
                        ",IDVENDEDOR4 = " + vendedores[3] + ", IDVENDEDOR5 = " + vendedores[4] + ", IVA = " + sql(iva) +
                        ", DOCUMENTO_TIPO = '   1', NUMERO_DOCUMENTO = " + sql(documento) +
                        ", idCond_Cpra_Vta_Vdor1 = " + condiciones[0] + ",idCond_Cpra_Vta_Vdor2 = " + condiciones[1] +
                        ",idCond_Cpra_Vta_Vdor3 = " + condiciones[2] + ",idCond_Cpra_Vta_Vdor4 = " + condiciones[3] +
                        ",idCond_Cpra_Vta_Vdor5 = " + condiciones[4] + ",IDCATEGORIA = " + sql(categoria) +
                        ", CLASE = 4, IDMOTIVOVTA = '   1', IDCOND_CPRA_VTA = '  01', IDLISTA= 'MAY', LOCALIDAD = " +
                        sql(ciudad) + " WHERE CODIGO = " + sql(cuenta);
            eventos().doEvents();
        }
        tomadas.escribe(loop, sentencia, cuenta, codigoLegado);
    };
    const ImportLoop::Fin fin = loop.directo(origen, procesa, [&] { return clienteFueraDeRango(campo("CODI_FCL")); });
    avisaFinDeTarea({tomadas.aviso()});
    if (fin != ImportLoop::Fin::Completo) return;
    erp.CierraRecordset(origen);
    LblDetalle.caption = "FINALIZADO CLIENTES";
    cambio();
}

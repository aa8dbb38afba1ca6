// The header phase of the purchase-order import: every legacy order of FORCOMPR becomes a purchase-order
// voucher in C_MV_CPTE, one transaction each. An order whose voucher is there already is passed over, so the
// import can run again.
//
// Every field is read before the first column is added: a record that cannot be read leaves nothing of
// itself behind, whatever the operator answers.

#include "core/DB_Dll.h"
#include "core/Configuracion.h"
#include "core/StatementBuilders.h"
#include "core/Utilidades.h"
#include "importer/AccountRow.h"
#include "importer/Importar.h"
#include "importer/movements/ArticulosFaltantes.h"
#include "importer/movements/OrdenesCompra.h"
#include "numbering/VoucherTypes.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <fmt/format.h>
#include <optional>

namespace ordenes {
namespace {

constexpr long kLargoComentarios = 90;

// The supplier's extension row: what the header copies of his address, documents and VAT condition.
struct DatosProveedor {
    std::string domicilio, localidad, codigoPostal, provincia, telefono, documentoTipo, documentoNumero, iva;
};

std::optional<DatosProveedor> datosProveedor(const std::string& cuenta)
{
    db::Recordset fila;
    // By the key as it stands, as the supplier import wrote it: a trimmed column could not use the key.
    if (!gDB_Dll().ExisteEnTabla("MA_CUENTASADIC", base::Value(cuenta), "Codigo", &fila, 8,
                                 "Codigo = " + cuentas::sql(cuenta)))
        return std::nullopt;
    const auto texto = [&fila](std::string_view campo) { return gUtilidades().NuloACadena(fila.field(campo).value()); };
    DatosProveedor datos;
    datos.domicilio = texto("CALLE") + " " + texto("Numero") + " " + texto("PISO") + " " + texto("DEPARTAMENTO");
    datos.localidad = texto("Localidad");
    datos.codigoPostal = base::trim(texto("CPostal"));
    datos.provincia = texto("PROVINCIA");
    if (base::trim(datos.provincia).empty()) datos.provincia = "  23";
    datos.telefono = texto("Telefono");
    datos.documentoTipo = texto("DOCUMENTO_TIPO");
    datos.documentoNumero = base::trim(texto("NUMERO_DOCUMENTO"));
    datos.iva = texto("IVA");
    gDB_Dll().CierraRecordset(fila);
    return datos;
}

// The fields of one FORCOMPR record, read and computed.
struct Cabecera {
    NumeroOrden orden;
    std::string cuenta;
    base::DateTime fecha;
    base::Value entrega, recepcion;
    std::string nombre, comentarios;
    base::Currency total, iva, importe;
    base::Currency descuentos[3], porcentajes[3];
    base::DateTime vencimiento;
    bool finalizada = false;
    std::optional<DatosProveedor> proveedor;
};

Cabecera leeCabecera(const CamposLegado& campos, NumeroOrden orden, std::string cuenta, base::Currency alicuota)
{
    Cabecera c;
    c.orden = std::move(orden);
    c.cuenta = std::move(cuenta);
    c.fecha = campos.fecha("FECH_FOC");
    c.entrega = campos.fechaONula("FENT_FOC");
    c.recepcion = campos.fechaONula("FREC_FOC");
    c.nombre = campos.texto("NOMB_FOC");
    // The padding of the two comment fields is no part of the comment.
    c.comentarios = base::left(base::rightTrim(campos.texto("GLOS_FOC")) + "\r\n" + base::rightTrim(campos.texto("GLOR_FOC")),
                               kLargoComentarios);
    c.total = campos.numero("ttot_foc");
    c.iva = cociente(c.total * alicuota, base::Currency::fromInteger(100));
    c.importe = c.total + c.iva;
    const char* nombres[3] = {"DES1_FOC", "DES2_FOC", "DES3_FOC"};
    for (int i = 0; i < 3; ++i) {
        c.descuentos[i] = campos.numeroOCero(nombres[i]);
        c.porcentajes[i] = c.total == base::Currency()
                               ? base::Currency()
                               : cociente(c.descuentos[i] * base::Currency::fromInteger(100), c.total);
    }
    const base::Currency plazo = campos.numero("PLAZ_FOC");
    c.vencimiento = c.fecha.addDays(base::Value(plazo).toInteger());
    c.finalizada = base::equalsIgnoringCase(campos.texto("ESTA_FOC"), "C");
    c.proveedor = datosProveedor(c.cuenta);
    return c;
}

// The header's columns in the field list: 65 with the supplier's extension row, 57 without it.
void ArmaCabecera(const Cabecera& c, base::Currency alicuota)
{
    const auto texto = [](std::string_view columna, base::Value valor) { AgregaCampo(columna, valor, "'", false); };
    const auto numero = [](std::string_view columna, base::Currency valor) {
        AgregaCampo(columna, base::Value(valor), "@", false);
    };
    const base::Currency cero;
    AgregaCampo("Fecha", base::Value(c.fecha), "'", true);
    texto("FechaSubdiario", c.fecha);
    texto("Vencimiento", c.fecha);
    texto("FechaEntrega", c.entrega);
    texto("FechaRecepcion", c.recepcion);
    texto("TC", std::string(kTipoOrden));
    texto("IdComprobante", c.orden.id());
    AgregaCampo("Garantia", "0", "", false);
    AgregaCampo("Core", "0", "", false);
    texto("Cuenta", c.cuenta);
    texto("Nombre", c.nombre);
    if (c.proveedor) {
        texto("DOMICILIO", c.proveedor->domicilio);
        texto("Localidad", c.proveedor->localidad);
        texto("CodigoPostal", c.proveedor->codigoPostal);
        texto("IDPROVINCIA", c.proveedor->provincia);
        texto("TELEFONO", c.proveedor->telefono);
        texto("DOCUMENTOTIPO", c.proveedor->documentoTipo);
        texto("DOCUMENTONUMERO", c.proveedor->documentoNumero);
        texto("CondicionIva", c.proveedor->iva);
    }
    texto("USUARIO", gUsuarioLogeado);
    texto("IDCOND_CPRA_VTA", "  02");
    texto("IDMOTIVOCPRAVTA", "   1");
    texto("COMENTARIOS", c.comentarios);
    numero("ImporteInsumos", c.total);
    numero("ImporteServicios", cero);
    numero("ImporteOtrosConceptos", cero);
    numero("AlicIva", alicuota);
    numero("ImporteIVA", c.iva);
    numero("AlicIVARec", cero);
    numero("ImporteIvaRec", cero);
    numero("AlicIva2", cero);
    numero("ImporteIva2", cero);
    numero("NetoGravado", c.total);
    numero("NetoNoGravado", cero);
    numero("ImporteImpuestosInternos", cero);
    numero("Importe", c.importe);
    numero("Importe_S_IVA", c.total);
    numero("PorcDescuento1", c.porcentajes[0]);
    numero("PorcDescuento2", c.porcentajes[1]);
    numero("PorcDescuento3", c.porcentajes[2]);
    numero("PorcDescuento4", cero);
    numero("PorcDescuento5", cero);
    numero("ImpDescuento1", c.descuentos[0]);
    numero("ImpDescuento2", c.descuentos[1]);
    numero("ImpDescuento3", c.descuentos[2]);
    numero("ImpDescuento4", cero);
    numero("ImpDescuento5", cero);
    texto("IDLista", base::right(c.cuenta, 4));
    texto("ClasePrecio", "   1");
    texto("CodigoImputacion", "");
    texto("Moneda", "   1");
    numero("Cotizacion", base::Currency::fromInteger(1));
    numero("M3", cero);
    numero("BL", cero);
    numero("KG", cero);
    texto("Aprobado", "1");
    texto("Lugar_Entrega", "");
    texto("IDDEPOSITODESTINO", "CD61");
    texto("FECHA_A_VENCER", c.vencimiento);
    texto("IDDEPOSITO", "CD61");
    texto("UNEGOCIO", gUNegocio);
    texto("SUCURSAL", "0001");
    texto("NUMERO", c.orden.numero);
    texto("LETRA", "C");
    texto("FINALIZADO", c.finalizada ? "1" : "0");
}

// The first date of the header the database could not take, as "campo FIELD: date"; empty when all fit.
std::string fechaFueraDeRango(const Cabecera& c)
{
    static const base::DateTime desde = base::DateTime::fromParts(1753, 1, 1);
    static const base::DateTime hasta = base::DateTime::fromParts(9999, 12, 31, 23, 59, 59);
    const auto fuera = [](const base::DateTime& fecha) { return fecha < desde || fecha > hasta; };
    const auto texto = [](std::string_view campo, const base::DateTime& fecha) {
        return fmt::format("campo {}: la fecha {} no está entre 01/01/1753 y 31/12/9999", campo, base::Value(fecha).toText());
    };
    if (fuera(c.fecha)) return texto("FECH_FOC", c.fecha);
    if (c.entrega.kind() == base::Value::Kind::DateTime && fuera(c.entrega.asDateTime()))
        return texto("FENT_FOC", c.entrega.asDateTime());
    if (c.recepcion.kind() == base::Value::Kind::DateTime && fuera(c.recepcion.asDateTime()))
        return texto("FREC_FOC", c.recepcion.asDateTime());
    if (fuera(c.vencimiento)) return texto("FECH_FOC + PLAZ_FOC", c.vencimiento);
    return {};
}

// `nombre` names the order for the error list, should the database refuse its header.
ImportLoop::Destino armaCabecera(CorridaOrdenes& corrida, const ArticulosFaltantes& faltantes, db::Recordset& origen,
                                 std::int32_t registro, ListaSentencias& lote, std::string& motivo, std::string& nombre)
{
    const CamposLegado campos(origen, "FORCOMPR", registro);
    const std::string cuenta = cuentas::cuentaProveedor(campos.valor("CODP_FOC"));
    const std::string codigo = campos.texto("CODP_FOC");
    NumeroOrden orden = numeroOrden(campos.valor("NUME_FOC"), campos.valor("NUMS_FOC"));
    if (!orden.valido()) {
        corrida.rechaza(motivoSinNumero(orden, cuenta), motivo);
        return ImportLoop::Destino::Rechaza;
    }
    const std::string proveedor = nombraProveedor(cuenta, codigo);
    nombre = fmt::format("Orden {} del proveedor {}, registro {} de FORCOMPR", orden.par(), proveedor, registro);
    if (const auto duenio = corrida.registro.reclama(orden, cuenta, codigo)) {
        corrida.rechaza(fmt::format("Orden {} del proveedor {}: su comprobante {} es ya el de la orden {}; no se importa",
                                    orden.par(), proveedor, orden.id(), *duenio),
                        motivo);
        return ImportLoop::Destino::Rechaza;
    }
    // Refused whole, and its lines and reception with it.
    const auto descarta = [&](const std::string& porque) {
        corrida.registro.descarta(orden, codigo);
        corrida.rechaza(fmt::format("Orden {} del proveedor {}: {}; no se importa", orden.par(), proveedor, porque), motivo);
        return ImportLoop::Destino::Rechaza;
    };
    if (const std::string faltan = faltantes.de(orden, codigo); !faltan.empty())
        return descarta("sus renglones piden artículos que no están en V_MA_ARTICULOS (" + faltan + ")");
    // Stored by an earlier run: the same order when it is the same supplier's, which is all the voucher tells.
    if (const auto guardada = cuentaDelComprobante(orden.id())) {
        if (base::equalsIgnoringCase(*guardada, cuenta)) return ImportLoop::Destino::Omite;
        corrida.rechaza(fmt::format("Orden {} del proveedor {}: su comprobante {} es ya el de una orden del proveedor {}; "
                                    "no se importa",
                                    orden.par(), proveedor, orden.id(), *guardada),
                        motivo);
        return ImportLoop::Destino::Rechaza;
    }

    const base::Currency alicuota = corrida.ventana.AlicuotaIva;
    const Cabecera cabecera = leeCabecera(campos, orden, cuenta, alicuota);
    if (const std::string fuera = fechaFueraDeRango(cabecera); !fuera.empty())
        return descarta(fmt::format("Tabla FORCOMPR, registro {}, {}", registro, fuera));
    ArmaCabecera(cabecera, alicuota);
    std::string sinCondicion;
    ArmaSentencia(gCampos, lote, "C_MV_CPTE", false, sinCondicion, false);
    return ImportLoop::Destino::Escribe;
}

}  // namespace

bool ImportaCabeceras(CorridaOrdenes& corrida)
{
    db::Recordset origen;
    if (!corrida.abre("SELECT * FROM FORCOMPR ", origen)) return false;
    if (origen.eof()) return false;
    const ArticulosFaltantes faltantes = ArticulosFaltantes::lee(corrida.ventana);
    ImportLoop loop(corrida.ventana, "FORCOMPR", corrida.contadores);
    ImportLoop::PasosPorRegistro pasos = corrida.pasos(" Min. ");
    std::string nombre;  // the record in hand, as the error list names it
    pasos.arma = [&](ListaSentencias& lote, std::int32_t registro, std::string& motivo) {
        nombre = fmt::format("Registro {} de FORCOMPR", registro);
        return armaCabecera(corrida, faltantes, origen, registro, lote, motivo, nombre);
    };
    pasos.textoFallo = [&](const std::string& textoError) {
        return corrida.registraFallo(fmt::format("{}: {}", nombre, textoError));
    };
    const ImportLoop::Fin fin = loop.porRegistro(origen, pasos);
    gDB_Dll().CierraRecordset(origen);
    return fin == ImportLoop::Fin::Completo;
}

}  // namespace ordenes

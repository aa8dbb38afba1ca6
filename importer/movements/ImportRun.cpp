#include "importer/movements/ImportRun.h"

#include "core/DB_Dll.h"
#include "core/Utilidades.h"
#include "importer/ErrorList.h"
#include "importer/Importar.h"
#include "importer/LegacySource.h"

#include <fmt/format.h>

namespace movimientos {

void CorridaImportacion::preparaListaErrores()
{
    ::preparaListaErrores(ventana);
    ventana.cambio();
}

bool CorridaImportacion::abre(std::string sentencia, db::Recordset& origen)
{
    return abreOrigen(ventana, std::move(sentencia), origen);
}

int CorridaImportacion::trataError(const base::Error& error, int botones) const
{
    const int respuesta = gUtilidades().MuestraError(error, botones);
    gDB_Dll().registraError(fmt::format("({}) {}", error.number(), error.description()), rutina_, respuesta);
    return respuesta;
}

void CorridaImportacion::listaError(const std::string& texto)
{
    agregaError(ventana, contadores.errores, texto);
    ventana.cambio();
}

void CorridaImportacion::rechaza(std::string texto, std::string& motivo) const
{
    gDB_Dll().registraError(texto, rutina_, 0);
    motivo = std::move(texto);
}

std::string CorridaImportacion::registraFallo(std::string texto) const
{
    texto.erase(texto.find_last_not_of("\r\n ") + 1);
    gDB_Dll().registraError(texto, rutina_, 0);
    return texto;
}

ImportLoop::PasosPorRegistro CorridaImportacion::pasos(std::string trasMinutos)
{
    ImportLoop::PasosPorRegistro pasos;
    pasos.progreso = [trasMinutos](const ContadoresImportacion& c) { return c.lineas(trasMinutos); };
    pasos.trataError = [this](const base::Error& error, int botones) { return trataError(error, botones); };
    pasos.listaError = [this](const std::string& texto) { listaError(texto); };
    pasos.textoFallo = [](const std::string& textoError) { return textoError; };
    return pasos;
}

void CorridaImportacion::termina(ImportLoop::Fin fin, std::string_view tabla)
{
    switch (fin) {
    case ImportLoop::Fin::Completo:
        ventana.LblDetalle.caption += " FINALIZADO ";
        break;
    case ImportLoop::Fin::Cancelado:
        ventana.lblTabla.caption += " ---> CANCELADO ";
        break;
    case ImportLoop::Fin::Detenido:
        ventana.lblTabla.caption += " ---> DETENIDO";
        ventana.Cancelado = true;
        break;
    }
    ventana.cambio();
    informaRechazos(tabla);
}

void CorridaImportacion::informaRechazos(std::string_view tabla) const
{
    const std::int32_t rechazados = contadores.errores;
    if (rechazados == 0) return;
    const std::string registros = rechazados == 1 ? std::string("1 registro") : fmt::format("{} registros", rechazados);
    avisaNoImportados(fmt::format("{} de {}", registros, tabla), rechazados == 1);
}

void CorridaImportacion::avisaNoImportados(const std::string& cuales, bool uno) const
{
    avisaFinDeTarea({textoNoImportados(cuales, uno)});
}

}  // namespace movimientos

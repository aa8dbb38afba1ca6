// The control-totals grid of a voucher screen: a row per visible tab and, under the articles, a row per group
// of article lines.

#include "core/DB_Dll.h"
#include "core/FormattingHelpers.h"
#include "core/Utilidades.h"
#include "platform/base/ErrorTrap.h"
#include "platform/base/Text.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "stock/ClsCmnCptes.h"
#include "voucher/LineCount.h"

#include <cstdlib>
#include <fmt/format.h>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

constexpr ui::Color kResumen = 12648447;  // pale yellow
constexpr ui::Color kGrupo = 12640511;    // pale orange
constexpr ui::Color kCierre = 16711680;   // blue

constexpr long kTareas = 0, kArticulos = 1, kOtrosConceptos = 2;

// How the article lines are grouped: the grid column holding the key and where its description is read.
struct Agrupacion {
    long columna;
    const char* vista;
    const char* campoClave;
};

Agrupacion agrupacionDe(bool AbiertoPorRubro, bool AbiertoPorTipo)
{
    if (AbiertoPorRubro) return {25, "V_ta_Rubros", "IdRubro"};
    if (AbiertoPorTipo) return {24, "V_TA_TipoArticulo", "Tipo"};
    return {0, "V_MA_ARTICULOS", "IdArticulo"};
}

// Minutes as hours and two-digit minutes, the minutes carried into hours: 255 is "4:15".
std::string horasYMinutos(long long minutos)
{
    const char* signo = minutos < 0 ? "-" : "";
    minutos = std::llabs(minutos);
    return fmt::format("{}{}:{:02}", signo, minutos / 60, minutos % 60);
}

// A stored key as the list searches compare it: without the characters 255 and 0, trimmed.
std::string claveLimpia(const std::string& clave)
{
    static const std::string caracter255 = base::characterOfCode(255), caracter0(1, '\0');
    return base::trim(gUtilidades().QuitaCaracteres(clave, caracter255, caracter0));
}

// The groups of the article lines, kept in gLista in the order their keys first appear, the blank key's
// entry first; each entry's quantity text is written when the lines are summed. A key finds its group as
// PosicionEnLista finds it (trimmed, without regard to case, the stored key without the characters 255 and
// 0); an index over the keys spares a walk of the list per line.
class Grupos {
public:
    Grupos()
    {
        gLista.assign(1, ParCampoValor{});
        cantidades_.assign(1, std::nullopt);
        indexa(0);
    }

    // Adds a line's quantity to its group, opening the group on its first line.
    void suma(const std::string& clave, double cantidad)
    {
        const auto encontrado = indice_.find(base::toLowerCase(base::trim(clave)));
        if (encontrado == indice_.end()) {
            gLista.push_back({clave, {}});
            cantidades_.emplace_back(cantidad);
            indexa(gLista.size() - 1);
            return;
        }
        std::optional<double>& total = cantidades_[encontrado->second];
        total = total.value_or(0) + cantidad;
    }

    // Writes each group's quantity; the blank key's entry stays empty when no line fell into it.
    void cierra() const
    {
        for (std::size_t i = 0; i < gLista.size(); ++i)
            if (cantidades_[i]) gLista[i].ValorCampo = base::doubleToText(*cantidades_[i]);
    }

private:
    void indexa(std::size_t posicion)
    {
        indice_.try_emplace(base::toLowerCase(claveLimpia(gLista[posicion].NombreCampo)), posicion);
    }

    std::vector<std::optional<double>> cantidades_;  // by entry of gLista
    std::unordered_map<std::string, std::size_t> indice_;
};

}  // namespace

void ClsCmnCptes::TotalizadorControl(const ui::FlexGrid& MSFlexGrid1, const ui::FlexGrid& MSFlexGrid2,
                                     const ui::FlexGrid& MSFlexGrid3, ui::FlexGrid& MSFlexGrid4,
                                     const ui::TabControl& SSTab1, bool AbiertoPorRubro, bool AbiertoPorTipo)
{
    base::ErrorTrap trap([](const base::Error& error) {
        return gDB_Dll().TratamientoErrores(error, {}, "TotalizadorControl");
    });
    ui::FlexGrid& control = MSFlexGrid4;
    // Each row is written on the last one, and a new empty row follows it.
    auto escribe = [&](const std::string& etiqueta, const std::string* lineas, const std::string* total, ui::Color color) {
        const long fila = control.rows() - 1;
        control.setTextMatrix(fila, 0, etiqueta);
        if (lineas) control.setTextMatrix(fila, 1, *lineas);
        if (total) control.setTextMatrix(fila, 2, *total);
        PintarFila(static_cast<std::int32_t>(fila), control, color);
        control.setRows(control.rows() + 1);
    };

    trap.step([&] {
        control.setRows(2);
        // The row kept from the last call must not show its old totals under the new ones.
        for (long col = 0; col < control.cols(); ++col) control.setTextMatrix(1, col, {});
    });

    trap.step([&] {
        if (!SSTab1.tabVisible(kTareas)) return;
        long long minutos = 0;
        std::int64_t lineas = 0;
        for (long row = 1; row < MSFlexGrid1.rows(); ++row) {
            if (!voucher::esLineaDeArticulo(MSFlexGrid1, static_cast<std::int32_t>(row))) continue;
            minutos += HoraAMinutos(MSFlexGrid1.textMatrix(row, 2), "", "", true);
            ++lineas;
        }
        const std::string cuenta = std::to_string(lineas), horas = horasYMinutos(minutos);
        escribe(SSTab1.tabCaption(kTareas), &cuenta, &horas, kResumen);
    });

    trap.step([&] {
        if (!SSTab1.tabVisible(kArticulos)) return;
        const Agrupacion agrupacion = agrupacionDe(AbiertoPorRubro, AbiertoPorTipo);
        Grupos grupos;
        std::int64_t lineas = 0;
        double cantidad = 0;
        for (long row = 1; row < MSFlexGrid2.rows(); ++row) {
            if (!voucher::esLineaDeArticulo(MSFlexGrid2, static_cast<std::int32_t>(row))) continue;
            const double cantidadLinea = gUtilidades().ValorDoble(MSFlexGrid2.textMatrix(row, 7));
            grupos.suma(base::trim(MSFlexGrid2.textMatrix(row, agrupacion.columna)), cantidadLinea);
            cantidad += cantidadLinea;
            ++lineas;
        }
        grupos.cierra();
        const std::string cuenta = std::to_string(lineas), total = base::doubleToText(cantidad);
        escribe(SSTab1.tabCaption(kArticulos), &cuenta, &total, kResumen);
        if (lineas == 0) return;

        for (const ParCampoValor& grupo : gLista) {
            // The blank key's entry is there from the start; it is a group only when a line fell into it.
            if (grupo.ValorCampo.empty()) continue;
            const bool sigue = trap.step([&] {
                const std::string descripcion =
                    gDB_Dll().DatosTabla(agrupacion.vista, base::Value(claveLimpia(grupo.NombreCampo)),
                                         "Descripcion", agrupacion.campoClave, 8, "", true);
                escribe(grupo.NombreCampo + "-" + descripcion, nullptr, &grupo.ValorCampo, kGrupo);
            });
            if (!sigue) return;
        }
    });

    trap.step([&] {
        if (!SSTab1.tabVisible(kOtrosConceptos)) return;
        const std::string cuenta = std::to_string(voucher::lineasDe(&MSFlexGrid3));
        escribe(SSTab1.tabCaption(kOtrosConceptos), &cuenta, nullptr, kResumen);
    });

    trap.step([&] { PintarFila(static_cast<std::int32_t>(control.rows() - 1), control, kCierre); });
}

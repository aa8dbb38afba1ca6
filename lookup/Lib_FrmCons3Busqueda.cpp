// The list pick-list window's search boxes: finding a row by the start of a cell, re-querying the
// database with a LIKE condition (F5), starting over ("&Nueva Busqueda"), and the focus.

#include "lookup/Lib_FrmCons3.h"

#include "core/DB_Dll.h"
#include "lookup/SqlWords.h"
#include "platform/base/Text.h"
#include "platform/base/Utf8.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace {

constexpr ui::Color kColorBusquedaActiva = 0xFFFF00;

}  // namespace

std::int32_t Lib_FrmCons3::Busqueda(std::int32_t Clave, std::string_view QueValor) {
    try {
        const std::string buscado = base::trim(QueValor);
        const long largo = base::length(buscado);
        for (long i = 1; i <= ListView1.itemCount(); ++i) {
            FilaActual = &ListView1.item(i);
            std::string celda;
            try {
                celda = Clave < 1 ? FilaActual->text() : FilaActual->subItem(Clave);
            } catch (const base::Error&) {
            }
            if (base::equalsIgnoringCase(base::left(base::trim(celda), largo), buscado)) return static_cast<std::int32_t>(i);
        }
    } catch (const base::Error&) {
    }
    return 0;
}

std::int16_t Lib_FrmCons3::IndiceColumna(std::string_view Columna) const {
    const std::string buscada = base::trim(Columna);
    for (long i = 1; i <= ListView1.columnCount(); ++i) {
        if (base::equalsIgnoringCase(base::trim(ListView1.column(i).text), buscada)) return static_cast<std::int16_t>(i);
    }
    return 0;
}

void Lib_FrmCons3::setSearchText(int index, std::string text) {
    if (index < 0 || static_cast<std::size_t>(index) >= CmbSearch.size()) return;
    if (CmbSearch[static_cast<std::size_t>(index)].text() == text) return;
    CmbSearch[static_cast<std::size_t>(index)].setText(std::move(text));
    changed();
    CmbSearch_Change(index);
}

void Lib_FrmCons3::setFocus(Focus target) {
    if (target == focus_) return;
    const Focus anterior = focus_;
    focus_ = target;
    if (anterior.kind == Focus::Kind::SearchBox) CmbSearch_LostFocus(anterior.index);
    if (target.kind == Focus::Kind::SearchBox) CmbSearch_GotFocus(target.index);
    if (observer_) observer_->focusMoved();
}

void Lib_FrmCons3::CmbSearch_GotFocus(int Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= CmbSearch.size()) return;
    CmbSearch[static_cast<std::size_t>(Index)].backColor = kColorBusquedaActiva;
    IndiceBusquedaActual = static_cast<std::int16_t>(Index);
    changed();
}

void Lib_FrmCons3::CmbSearch_LostFocus(int Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= CmbSearch.size()) return;
    CmbSearch[static_cast<std::size_t>(Index)].backColor = ui::kWhite;
    changed();
}

void Lib_FrmCons3::CmbSearch_Change(int Index) {
    try {
        const long columna = Utilidades_.ValorEntero(std::to_string(Index));
        const std::int32_t fila = Busqueda(columna, base::trim(CmbSearch.at(static_cast<std::size_t>(Index)).text()));
        if (fila != 0) {
            ui::ListItem& elegida = ListView1.item(fila);
            ListView1.setSelectedItem(&elegida);
            ListView1.ensureVisible(elegida);
        }
    } catch (const base::Error&) {
    } catch (const std::out_of_range&) {
    }
}

void Lib_FrmCons3::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

void Lib_FrmCons3::CmbSearch_KeyDown(int Index, int& KeyCode, int /*Shift*/) {
    try {
        switch (KeyCode) {
        case 116: {  // F5: the database is asked again, with the box's text as a condition on its field
            OrdenSentencia.clear();
            std::string prefijo;
            if (base::inStr(SQL, "order") > 0) {
                if (const long orden = base::inStr(SQL, "order by"); orden > 0) {
                    OrdenSentencia = base::mid(SQL, orden);
                    SentenciaBase = base::left(SQL, orden - 1);
                }
            }
            if (base::inStr(SentenciaBase, "stk_ma_articulos.") > 0) prefijo = "stk_ma_articulos.";
            if (base::inStr(SentenciaBase, "v_ma_articulos.") > 0) prefijo = "v_ma_articulos.";
            ui::ComboBox& caja = CmbSearch.at(static_cast<std::size_t>(Index));
            const std::string campo = caja.dataField;
            // The typed text goes in as a literal, so an apostrophe in it is a character to look for.
            std::string patron;
            if (CfgUsaConsultaLIKE) {
                patron = " like " + gDB_Dll().SQLValue(base::Value("%" + caja.text() + "%")) + " ";
            } else {
                setSearchText(Index, Utilidades_.ReemplazaTexto(caja.text(), "*", "%"));
                patron = " like " + gDB_Dll().SQLValue(base::Value(caja.text() + "%")) + " ";
            }
            const std::string union_ = contienePalabra(SQL, "where") ? " and " : " where ";
            SQL = SentenciaBase + union_ + prefijo + campo + patron + OrdenSentencia;
            setSearchText(Index, "");
            SentenciaBase = SQL;
            Form_Load();
            break;
        }
        case 40:
        case 38:
        case 34:
        case 33: {
            int tecla = KeyCode;
            ListView1_KeyDown(tecla, 0);
            setFocus({Focus::Kind::List, 0});
            break;
        }
        default:
            break;
        }
    } catch (const base::Error&) {
    } catch (const std::out_of_range&) {
    }
}

void Lib_FrmCons3::CmdNueva_Click() {
    try {
        SQL = SentenciaInicial;
        Form_Load();
        setFocus({Focus::Kind::SearchBox, 0});
    } catch (const base::Error&) {
    }
}

#pragma once
// The window's 21 migration tasks: caption, dispatch key (DataField), Tag, whether the window ever lets it
// run, and the legacy source named beside it.

#include <array>
#include <string_view>

struct TareaMigracion {
    std::string_view caption;
    std::string_view dataField;
    std::string_view tag;
    bool enabled;
    std::string_view fuente;  // the label beside the entry
};

inline constexpr std::size_t kCantidadTareas = 21;

extern const std::array<TareaMigracion, kCantidadTareas> kTareas;

// The entries in the order they stand on screen: index order, except that entry 20 stands between 18 and 19.
extern const std::array<std::size_t, kCantidadTareas> kOrdenEnPantalla;

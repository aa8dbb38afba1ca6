#pragma once
// The loop every import of the window shares: one source record at a time, Cancel seen between records,
// progress in LblDetalle, events let run once per record. Two ways of writing: a batch per record in one
// transaction with the counters line, or statement by statement with "Procesando Registro n".
//
// A record whose fields cannot be read stops the task with a message naming the table and the record: the
// records before it stay written, nothing of it is written and nothing after it is read. The message and
// the entry's label say so, so the operator knows where to resume. Records are numbered by their place in
// the source, passed-over ones included.

#include "core/StatementBuilders.h"
#include "importer/ImportCounters.h"
#include "platform/base/DateTime.h"
#include "platform/db/Recordset.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class Importar;

class ImportLoop {
public:
    enum class Fin { Completo, Cancelado, Detenido };

    ImportLoop(Importar& ventana, std::string tabla) : ventana_(ventana), tabla_(std::move(tabla)) {}

    // Batch style: `armaRegistro` appends the record's statements; they run as one transaction.
    Fin porLotes(db::Recordset& origen, const std::function<void(ListaSentencias&)>& armaRegistro);
    // Direct style: `procesaRegistro` runs the record's statements one by one, calling `verificaErrores`
    // after each. A record for which `pasaPorAlto` answers true is passed over: no text, no count, no
    // statement; events still run before the next one.
    Fin directo(db::Recordset& origen, const std::function<void()>& procesaRegistro,
                const std::function<bool()>& pasaPorAlto = {});
    // After a direct statement: the first error of the ERP connection in an OK box, then the list cleared.
    void verificaErrores();
    // Writes the current record's statements in one transaction. When they fail, nothing of them stays and
    // one OK box names the table, the record and `clave` (the record's legacy key, "" when it has none)
    // with the errors; the box goes to the error log too. True when written.
    bool grabaRegistro(const ListaSentencias& sentencias, std::string_view clave);

    std::int32_t leidos() const { return c_.leidos; }
    std::int32_t grabados() const { return c_.grabados; }
    std::int32_t errores() const { return c_.errores; }
    // "Leidos n Grabados:n Errores: n Inicio: <date> transcurrido: m Min. (Promedio: r x minuto)"
    std::string lineaContadores() const;

private:
    bool cancelado();
    // `registro` is the record's number in the message when reading it fails.
    bool leeRegistro(const std::function<void()>& trabajo, std::int32_t registro);
    // Moves to the next record, which is read as it becomes current.
    bool avanza(db::Recordset& origen);

    Importar& ventana_;
    std::string tabla_;
    ContadoresImportacion c_;
    std::int32_t registro_ = 0;  // the current record's place in the source, from 1
};

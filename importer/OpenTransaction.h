#pragma once
// A transaction held open across many statements, for work that must be written whole or not at all (a
// rebuild, a voucher of many lines). A statement that fails undoes everything done so far; the failure is
// then recorded in AUX_ERR and shown once, as a failed batch is. Left open, it is undone when it ends.

#include <string>
#include <string_view>

class Reconstruccion {
public:
    Reconstruccion() = default;
    Reconstruccion(const Reconstruccion&) = delete;
    Reconstruccion& operator=(const Reconstruccion&) = delete;
    ~Reconstruccion() { deshace(); }

    bool comienza();
    // False when the statements failed: the transaction has been undone and the failure reported, the
    // error lines after `contexto` (what the statements were writing, "" for nothing).
    bool ejecuta(std::string_view sentencias, std::string_view contexto = {});
    // The last failure as it was told: `contexto` and the error lines.
    const std::string& fallo() const { return fallo_; }
    bool confirma();
    void deshace();
    bool abierta() const { return abierta_; }

private:
    bool abierta_ = false;
    std::string fallo_;
};

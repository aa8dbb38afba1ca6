#pragma once
// The component discharge, a step of the stock poster. When a voucher's article lines have been posted,
// every posted article that has components (its bill of materials) moves them too, under a stock voucher
// of type "PE" of its own: one row per component, spread over the lots that hold it, and for an article
// whose components are percentages first a row that takes the article itself back out. The rows are
// written the way the poster writes its own: collected into the caller's batch, or executed at once.

#include <cstdint>
#include <string>

namespace ui {
class FlexGrid;
}

// What a discharge run reads of the stock poster, and the poster's state it carries on.
struct PosteoStock {
    ui::FlexGrid& grilla;                    // the article lines, row 1 on
    std::string TC;                          // the posted voucher: type, id and complement
    std::string SucNroLetra;
    std::string IdComplemento;
    std::string Fecha;                       // the movement date, already an SQL literal
    std::string IdDeposito;                  // SQL literals as the poster prepared them, or "ELDELGRID"
    std::string IdDepositoDestino;
    std::string IdMotivoStock;               // as the poster's own rows leave it
    std::string Cuenta;                      // the account argument ("PorDefault" by default)
    std::string& TcOrigen;                   // the origin type literal and its trimmed code; taken per line
    std::string& TcOrigenCodigo;             // from the grid when the poster was told "ELDELGRID"
    bool tcOrigenDelGrid = false;
    bool GeneraSentenciaSQL = false;         // collect into SQLTemp rather than execute
    std::string& SQLTemp;                    // where collected statements go
    bool& HayError;
    int signo = 0;                           // the posting sign of this run
    int pasada = 0;                          // one above the passes run: 3 after a transfer's two
    std::int32_t& Secuencia;                 // the poster's row counter
    bool compras = false;                    // the voucher type's system is "COMPRAS"
};

class DescargaInsumos {
public:
    enum class Resultado {
        Completa,   // every row written or collected (possibly none)
        Fallida,    // a line's components could not be read, or a row or the booklet could not be written:
                    // the operator has been told, HayError set
        SinNumero,  // no "PE" number could be had or recorded (the numbering has told the operator): HayError
                    // set; what the posting collected must not be run
    };

    // One run over the grid. The poster runs it once after its passes and, for a transfer, once more with
    // the sign reversed: both runs write under the same "PE" voucher, whose booklet is advanced once.
    Resultado ejecuta(PosteoStock& posteo);

    // The "PE" voucher id of the rows written; empty while no posted article had components.
    const std::string& idComprobante() const { return id_; }

private:
    std::string id_;
};

#pragma once
// The voucher engine: one object gathering the operations the voucher screens and the purchase-order
// import need. It holds almost no state: three settings read when it is made and the accounting-entry
// number it used last. Each operation works on its arguments, the grids it is given and the database;
// the operations are defined one file per concern, here in stock/ and in the voucher and dialog folders.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class FlexGrid;
class TextMeasurer;
struct TextBox;
}  // namespace ui

class ClsCmnCptes {
public:
    // Reads the settings once. A setting that cannot be read raises: no engine is made, and the next use
    // tries again.
    ClsCmnCptes();

    // --- the accounting entry of a stock movement
    // The statements (each after a carriage return and a line feed) of the entry that values the grid's
    // articles: a line on the motive's account for the total, and one per article cost account on the other
    // side. Empty when no entry is due: AsientosXStock off, a sales or purchase type, no motive account,
    // an entry already there (the operator is told), no registration type (told too), no number. With
    // `SoloRegistro` other than 0 only that grid row is added to the voucher's entry. `eMotivoStock`, `TC`,
    // `Suc`, `Nro`, `Letra` and `EsDebito` come back as the entry used them (TipoMov 99: the "CMV" voucher);
    // `Secuencia` (1 when not given) comes back as the next line's number. A `Fecha` that is no date raises.
    std::string GeneraAsientoStock(ui::FlexGrid& Grid, std::string& eMotivoStock, std::string& TC, std::string& Suc,
                                   std::string& Nro, std::string& Letra, const std::string& Fecha, bool& EsDebito,
                                   int TipoMov, long SoloRegistro = 0, int* Secuencia = nullptr);

    // --- grid layouts and edit-box set-up
    // Gives the edit box the data field, maximum length and lookup source of the column it edits.
    void TextPropiedades(ui::TextBox& Texto, long Columna);
    // Clears and lays out the grids given (null: skipped): tasks, article lines, other concepts and
    // control totals, by the voucher type's system and the configuration; the edit boxes given are hidden
    // or emptied. `Obj` measures the columns. A type V_TA_CPTE does not hold raises before any grid is
    // touched.
    void InicializaGrids(ui::FlexGrid* MSFlexGrid1, ui::FlexGrid* MSFlexGrid2, ui::FlexGrid* MSFlexGrid3,
                         ui::TextBox* TxtEdit, ui::TextBox* txtEdit2, ui::TextBox* txtEdit3,
                         const ui::TextMeasurer& Obj, std::string_view TC = {}, ui::FlexGrid* MSFlexGrid4 = nullptr);

    // --- stock posting
    // Posts the article lines of the grid (rows 1 to Rows - 1) to stock: a V_MV_STOCK row per lot, serial
    // number or size of each line, in one pass (two for a transfer and for "OP"), with the accounting entry.
    // Executing, each movement runs at once with its line's entry; collecting (`GeneraSentenciaSQL`), the
    // statements are appended to `SQLTemp` for the caller's batch, the entry last. Arguments that make no
    // posting (a date that is no date, a complement that is no whole number, a transfer without destination,
    // a voucher type that does not exist) are told to the operator, set `HayError` and write nothing; so does
    // a movement that fails while executing, after the ones before it. A posting the operator abandons leaves
    // `SQLTemp` as it was. The warehouse, motive and origin arguments come back as the literals written.
    void ActualizaStock(ui::FlexGrid& MSFlexGrid2, std::string TC, std::string SucNroLetra, std::string IdComplemento,
                        std::string& Fecha, std::string* IdDeposito = nullptr, std::string* IdDepositoDestino = nullptr,
                        std::string* IdMotivoStock = nullptr, std::string* TcOrigen = nullptr,
                        std::string* ComprobanteOrigen = nullptr, bool* EsTransferencia = nullptr,
                        std::string* Cuenta = nullptr, bool* GeneraSentenciaSQL = nullptr,
                        std::string* SQLTemp = nullptr, bool* HayError = nullptr, std::string* IdTecnico = nullptr,
                        std::string* LoteFijo = nullptr, std::string* Aduana = nullptr, std::string* LoteOrigen = nullptr,
                        std::int16_t* SignoRemota = nullptr, bool* MuestraCartel = nullptr,
                        std::string* IdVendedor = nullptr);
    // Set when the last posting stopped because the discharge of its components could get no "PE" number
    // (the numbering has told the operator); every later posting would meet the same booklet.
    bool DescargaSinNumero = false;

    // --- voucher sign
    // The direction in which the voucher type moves stock (+1 entry, -1 exit) or, with LibroIVA, the VAT
    // book; 0 when the type is unknown (the operator is told) or nothing decides its stock direction.
    std::int16_t ObtieneSignoComprobante(const std::string& TC, bool LibroIVA = false);

    // --- pipe lists: the lot, serial and position lists a grid cell carries, "|L1|L2|". Any text reads as
    // a list; none of these can fail. Arrays are reset and end with one empty slot after the items.
    // The distinct non-blank items, each trimmed and after one blank, in order of first appearance.
    static std::string StrSerieLote(const std::string& Serie_Lote);
    static void DescomponeSerieLote(const std::string& Serie_Lote, std::vector<std::string>& Arreglo);
    // Each position item "position*quantity" split at its first star (no star: all position, no
    // quantity), and the lots as DescomponeSerieLote gives them.
    static void DescomponePosicionCantidadLote(const std::string& Posicion_Lote, const std::string& PIPELotes,
                                               std::vector<std::string>& ArrPosiciones,
                                               std::vector<std::string>& ArrCantidades,
                                               std::vector<std::string>& ArrLote);
    // The movements a line's series, or when it has none its lots, stand for: the distinct non-blank
    // items, or with SinConsolidar every item.
    static std::int32_t Cuenta_Series_Lotes(const std::string& PipeSeries, const std::string& PIPELotes,
                                            bool SinConsolidar = false);
    // The item at a 1-based position, untrimmed; "" outside the list.
    static std::string ExtraeSerieLote(const std::string& Serie_Lote, std::int32_t QuePosicion);
    static std::int32_t Cantidad_Series_Lotes(const std::string& Pipes);
    // The list with character 255 after every item: "|a|b|" becomes "|aÿ|bÿ|".
    static std::string InsertaCHR255(const std::string& iPipe);

    // --- the lot and serial-number dialog (defined with the dialog)
    // Asks the numbers of an incoming line, one row per unit: a quantity of 0 gives empty lists and no
    // dialog; a negative one, or more units than the dialog gives rows to, is told and hands the earlier
    // lists back, as a cancelled dialog does.
    void PideSerieLote(const std::string& Articulo, double Cantidad, const std::string& SerieAnt,
                       const std::string& LoteAnt, std::string& SerieNvo, std::string& LoteNvo, bool* Serie = nullptr,
                       bool* Lote = nullptr, bool* Talle = nullptr);
    // Asks what an outgoing line takes from the lots and series the warehouse holds, less what the grid's
    // other lines of the article take. `Deposito` empty becomes the "DepositoDefault" setting. Without
    // `MostrarForm` (True by default) the proposal is accepted unseen. A cancel, or an unseen accept that
    // the stock cannot cover, hands back the earlier lists and the quantity unchanged.
    void PideSerieLote_Salidas(ui::FlexGrid& Grilla, const std::string& Articulo, const std::string& Descripcion,
                               double& Cantidad, const std::string& SeriesLoteAnt, const std::string& CantidadANT,
                               std::string& SeriesLoteNvo, std::string& CantidadesNvo, bool Lote, bool Serie,
                               bool Talle, std::string* Deposito = nullptr, bool* MostrarForm = nullptr);
    // The lot lists (column 21) and quantity lists (column 22) of the grid's rows of the article, each
    // joined into one pipe list. A grid without those columns raises.
    static void CuentaLotesEnGrilla(const ui::FlexGrid& Grilla, const std::string& Articulo, std::string& LotesEnGrid,
                                    std::string& CantidadesEnGrid);

    // --- the storage-position and lot dialog (defined with the dialog)
    // Asks where among the warehouse's positions (and lots) a line's quantity goes. A quantity of 0 gives
    // empty lists and no dialog. An accept hands back the new lists and, in Cantidad, the accepted total;
    // a cancel, or an accept in a mode without positions, hands back the earlier lists.
    void PidePosicionLote(const std::string& Articulo, const std::string& IdUnidad, double& Cantidad,
                          const std::string& Deposito, const std::string& PosicionAnt, const std::string& LoteAnt,
                          std::string& PosicionNVO, std::string& LoteNvo, bool Posicion = true, bool Lote = false);

    // --- stock balances
    // The balance of the article in UdBase and, when udEquivBuscada is given, in that unit (else 0).
    // UdBase, when empty, receives the article's unit.
    void ObtieneStockxEquiv(const std::string& IdDeposito, const std::string& IdArticulo, std::string& UdBase,
                            const std::string& udEquivBuscada, double& StockUdBase, double& StockEquiv);
    // The article's balance, narrowed to what is given. A null argument, or one holding "Ignorar", is not
    // given; for a balance by unit a warehouse or unit holding "Ignorar" gets the padded code used back.
    double ObtieneStock(const std::string& IdArticulo, std::string* IdDeposito = nullptr, std::string* NroLote = nullptr,
                        std::string* NroSerie = nullptr, std::string* IdPosicion = nullptr,
                        std::string* IdUnidad = nullptr);

    // --- pipe lists (continued)
    // The 1-based position of the first item equal to QueSerieLote (trimmed, without regard to case); 0
    // when none is.
    static std::int32_t Busca_Lotes_Series(const std::string& PipeSeriesLotes, const std::string& QueSerieLote);

    double PIVA = 0;                      // the general VAT percentage
    double PIVARec = 0;                   // the surcharge VAT percentage
    bool AsientosXStock = false;          // stock movements carry their accounting entry
    std::int32_t UltimoNroAsiento = 0;    // the entry number the stock entry used last; 0: none yet
};

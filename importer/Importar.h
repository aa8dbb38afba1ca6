#pragma once
// The program's main window: the task list, the folder of the legacy tables, the balancing accounts, the
// run and cancel buttons and the maintenance buttons. Its handlers carry the names they always had, so a
// reader can follow them beside the window's description; the Qt view only shows these models and forwards
// the operator's actions.

#include "core/DB_Dll.h"
#include "core/ProgressBar.h"
#include "core/StatementBuilders.h"
#include "importer/TaskList.h"
#include "platform/base/Currency.h"
#include "platform/ui/Controls.h"
#include "platform/ui/EventPump.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextMeasurer.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class ClsCmnCptes;

class Importar {
public:
    static constexpr std::string_view kCaption = "Importación de Datos - TEMO - VELL";

    explicit Importar(ui::EventPump& pump);
    ~Importar();

    // --- controls
    ui::Button cmdImportar{"Iniciar/Importar"};
    ui::Button CmdCancelar{"Cancelar", false};
    ui::Button CmdVaciaArticulos{"Vacia Articulos y precios...", false};
    ui::Button CmdVaciarMovimientos{"Vacia movimientos..."};
    ui::Button CmdDbAcum{"Actualizar estatisticas/acumuladores"};
    ui::Button CmdCrearTrigger{"Crear Trigger", false};
    ui::Button CmdEliminarTrigger{"Eliminar Trigger", false};
    ui::Button CmdElimD{"Elimina duplicado lista"};
    ui::Button Command1{"PROV.LO"};
    ui::Button Command2{"Corregir precios OC letra C"};
    ui::Button Command3{"Saldo inicial de cheques"};
    ui::Button CmdNETO_FTE{"Updatea NETO_FTE en Prov."};
    ui::TextBox TxtPathDatos;
    std::array<ui::TextBox, 4> txtFields;
    std::array<ui::CheckBox, kCantidadTareas> chkTabla;
    ui::Label lblTabla, LblDetalle;
    ui::TextBox Text1;
    ui::TextBox TxtEdit;
    ui::FlexGrid MSFlexGrid1, MSFlexGrid2;

    // --- window state
    std::unique_ptr<DB_Dll> DBOrigen;
    bool Cancelado = false;
    bool HuboError = false;
    base::Currency AlicuotaIva;
    int IndiceCuentaAjuste = 0;

    // Called after the models change, so a shown window can follow them.
    std::function<void()> alCambiar;
    void cambio() const
    {
        if (alCambiar) alCambiar();
    }
    ui::EventPump& eventos() { return pump_; }
    // The voucher engine the purchase-order receptions post with: made on first use (a failure to make it
    // raises, and the next use tries again) and kept for the window's life.
    ClsCmnCptes& CmnCptes();
    // What the window measures texts with, as the grid layouts size their columns; a fixed width until the
    // window's view gives its own (null: back to the fixed width).
    const ui::TextMeasurer& medidorTexto() const { return medidor_ ? *medidor_ : medidorFijo_; }
    void setTextMeasurer(const ui::TextMeasurer* medidor) { medidor_ = medidor; }
    bool ejecutando() const { return running_; }

    // --- handlers
    // Steps 2 to 6 of loading, after start-up has logged in: false when the program must end.
    bool CargaVentana();
    void cmdImportar_Click();
    void CmdCancelar_Click();
    // True when the window may close.
    bool Form_Unload();

    // --- the legacy sources, for the folder now in TxtPathDatos
    std::string CadenaOrigenDbf() const;
    std::string CadenaOrigenExcel() const;

    // --- the imports the dispatcher and the buttons start
    void ImportaLimiteCredito();
    void ImportaClientes();
    void ImportaProveedores();
    void ImportaEmpleadosTEMO();
    void ImportaArticulos();
    void ImportaCostos();
    void ImportaListasCompras();
    void ImportaOrdenes();
    void ImportaSaldosStock();
    void ImportaMovimientosStock(std::string_view tipo);
    void ImportaSaldosCtaCte(std::string_view caption);
    void ImportaChequesCartera(std::string_view caption);
    void ImportaSaldoCheques();
    // "Updatea NETO_FTE en Prov.": the suppliers' net amounts, from the legacy folder of TxtPathDatos.
    void CmdNETO_FTE_Click();
    // Writes SALDPROV's net amounts into the supplier lines of the balances, from the folder DBOrigen is
    // open on.
    void ActualizaNetoProveedores();
    // "Saldo inicial de cheques": the opening cheque balance from its text file, the window kept busy meanwhile.
    void Command3_Click();

    // --- maintenance buttons, fiscal years and the window's batch runner
    ProgressBar picStatus;  // the progress of the trigger scripts
    // Empties every movement table and the work and accumulator tables, after two confirmations.
    void CmdVaciarMovimientos_Click();
    // Starts the ERP's accumulator program with the current log-in.
    void CmdDbAcum_Click();
    // Run the trigger scripts "Completo.sql" and "CompletoDrop.sql" of the program folder.
    void CmdCrearTrigger_Click();
    void CmdEliminarTrigger_Click();
    // The retired purge of articles and prices: says so.
    void CmdVaciaArticulos_Click();
    // Sets "A10" as destination of the letter C purchase orders "C:\A.TXT" lists that are not yet received.
    void Command2_Click();
    // Seeds MV_EJERCICIOS with the fiscal years of the migrated balances when it is empty.
    void ValidaEjercicio();
    // Runs the statements as one transaction and tells the outcome only to the caller: no AUX_ERR row, no
    // box. `ErrDesc` gets every error line, or a tolerated error's description alone; `Script` the text
    // sent; `CodError` the first native error or 0. `lHayError` only ever turns True.
    void gActualizarDatosScript3(const ListaSentencias& ListaDeSentencias, bool& lHayError, long* CodError = nullptr,
                                 bool IgnorarDuplicado = false, bool IgnorarForeingKey = false,
                                 std::string* Script = nullptr, std::string* ErrDesc = nullptr);

    // --- F5 in a balancing-account box: the account lookup
    // F5 (key code 116) in account box `index` looks an account up for it; other keys do nothing.
    void txtFields_KeyDown(std::size_t index, int keyCode);
    // The lookup for box IndiceCuentaAjuste: the chosen account's code, trimmed, becomes the box's text.
    void ConsultaCuentaAjuste();

    // --- price lists: "PROV.LO" and "Elimina duplicado lista"
    // "PROV.LO": the local supplier rows from the legacy folder of TxtPathDatos, read through a connection of
    // its own; when they are all in, the sale prices of suspended articles are deleted; then "listo".
    void Command1_Click();
    // The six sale-list rows of every legacy article with a costing price, from the folder `origen` is open
    // on; each article written is recorded in "C:\PROVLOCAL.TXT". False when the walk did not reach its end
    // (cancelled, or stopped by a failure already reported).
    bool ImportaProveedorLocal(DB_Dll& origen);
    // Deletes the duplicate rows of every list and article but the one with the lowest ID, recording each in
    // "C:\elimdup.txt".
    void CmdElimD_Click();

private:
    void despacha(std::size_t indice);
    void entraEnEjecucion();
    void vuelveAReposo();

    ui::EventPump& pump_;
    bool running_ = false;
    std::unique_ptr<ClsCmnCptes> cmnCptes_;
    ui::FixedWidthTextMeasurer medidorFijo_;
    const ui::TextMeasurer* medidor_ = nullptr;
    std::array<bool, 11> otherButtonsEnabled_{};
};

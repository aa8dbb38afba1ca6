#pragma once
// The program's main window on screen. It only shows the presenter's models and hands the operator's actions
// to the presenter's handlers; everything the window decides lives in Importar.
//
// The presenter calls alCambiar after each change of its models, once per imported record, so refresh()
// compares every model with what the widget last showed and touches only the widgets that differ: a label
// that did not change is not set again, and a box the operator is typing in keeps its cursor. During a run
// the widgets follow the models when the event pump next lets window events run, not on every change: a
// run's captions change faster than anyone reads them, and setting them per record costs more than the
// record's own work. When a run starts or ends they follow at once, so the last caption is the one shown.
//
// Widgets carry their controls' design names as object names ("cmdImportar", "chkTabla(20)",
// "txtFields(2)"); buttons and check boxes are named for accessibility tools by their captions, text boxes by
// the label beside them (which is also the box's buddy).

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class Importar;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class ProgressBarWidget;

namespace ui {
class QtTextMeasurer;
}

namespace ui {
struct Button;
struct CheckBox;
struct Label;
struct TextBox;
}  // namespace ui

class ImportarView : public QMainWindow {
    Q_OBJECT
public:
    // Takes over the presenter's alCambiar until the view is destroyed.
    explicit ImportarView(Importar& window, QWidget* parent = nullptr);
    ~ImportarView() override;

    // Copies to the widgets what changed in the models since the last call.
    void refresh();

protected:
    // The presenter's Form_Unload decides whether the window may close.
    void closeEvent(QCloseEvent* event) override;

private:
    // What alCambiar does: refresh() now, or during a run once events next run.
    void followModels();
    QPushButton* button(ui::Button& model, const char* name, QWidget* parent);
    QCheckBox* checkBox(ui::CheckBox& model, const QString& name, QWidget* parent);
    QLabel* label(const ui::Label& model, const char* name, QWidget* parent);
    QLineEdit* lineEdit(ui::TextBox& model, const QString& name, QWidget* parent);
    QPlainTextEdit* multiLineEdit(ui::TextBox& model, const char* name, QWidget* parent);

    Importar& window_;
    // One per bound widget: applies what differs between its model and what the widget shows.
    std::vector<std::function<void()>> refreshers_;
    QPushButton* cancelar_ = nullptr;
    ProgressBarWidget* progress_ = nullptr;
    // The window's font, which the hidden article-line grid is laid out with.
    std::unique_ptr<ui::QtTextMeasurer> measurer_;
    // Set while refresh() writes to the widgets, so their change signals are not taken for the operator's.
    bool applying_ = false;
    bool wasRunning_ = false;
    // A refresh waits for the event pump.
    bool refreshPending_ = false;
};

#pragma once
// The list pick-list window on screen. The window's logic is Lib_FrmCons3; this dialog lays out what it
// says in twips (15 a pixel), shows its list and search boxes, and hands the operator's keys (as legacy
// key codes with the text they type), focus changes, edits and clicks back to it.
//
// The list and the boxes over its columns sit on one panel that is as wide as the columns; the scroll bar
// under the list slides the panel, so headers and boxes move sideways together.

// moc cannot read the C++20 library headers the window's own header brings in, and needs nothing of it.
#ifndef Q_MOC_RUN
#include "lookup/Lib_FrmCons3.h"
#endif
#include "platform/ui/qt/QtTextMeasurer.h"

#include <QDialog>

#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class QScrollBar;

namespace ui {
class ListViewWidget;
}

class Lib_FrmCons3Dialog : public QDialog, private Lib_FrmCons3::Observer {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Dialog(Lib_FrmCons3& form, QWidget* parent = nullptr);
    ~Lib_FrmCons3Dialog() override;

    // Loads the window (its load sequence) and shows it modally until it hides itself.
    int exec() override;
    // Esc and the window's close box cancel, as "&Cancelar" does.
    void reject() override;

    ui::ListViewWidget* list() const { return list_; }
    QComboBox* searchBox(int index) const;
    int searchBoxCount() const { return static_cast<int>(boxes_.size()); }
    QScrollBar* scrollBar() const { return scroll_; }
    QWidget* panel() const { return panel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void formChanged() override;
    void focusMoved() override;
    void formHidden() override;
    void formCentred() override;

    void makeBoxes();
    void applyLayout();
    QWidget* focusWidgetOf(const Lib_FrmCons3::Focus& focus) const;
    bool listKey(QKeyEvent& key);

    Lib_FrmCons3& form_;
    std::unique_ptr<ui::QtTextMeasurer> measurer_;
    QWidget* panel_ = nullptr;
    ui::ListViewWidget* list_ = nullptr;
    std::vector<QComboBox*> boxes_;
    QScrollBar* scroll_ = nullptr;
    QWidget* frame_ = nullptr;
    QPushButton* nueva_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    QPushButton* aceptar_ = nullptr;
    bool updating_ = false;
};

#include "lookup/qt/Lib_FrmCons3TreeDialog.h"

#include "lookup/qt/SearchBoxKeys.h"
#include "platform/ui/qt/TreeViewWidget.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Lib_FrmCons3TreeDialog::Lib_FrmCons3TreeDialog(Lib_FrmCons3Tree& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setSizeGripEnabled(true);

    // picFields: the search box over the tree.
    auto* fields = new QWidget(this);
    fields->setObjectName(QStringLiteral("picFields"));
    auto* fieldsLayout = new QVBoxLayout(fields);
    fieldsLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    label_ = new QLabel(QString::fromStdString(form_.lblFieldName.caption), fields);
    label_->setObjectName(QStringLiteral("lblFieldName"));
    box_ = new QComboBox(fields);
    box_->setObjectName(QStringLiteral("CmbSearch(0)"));
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setToolTip(QString::fromStdString(form_.CmbSearch.toolTipText));
    box_->setAccessibleName(box_->toolTip());
    label_->setBuddy(box_);
    searchRow->addWidget(label_);
    searchRow->addWidget(box_, 1);
    fieldsLayout->addLayout(searchRow);
    tree_ = new ui::TreeViewWidget(form_.TreeV, fields);
    tree_->setObjectName(QStringLiteral("TreeV"));
    // Lines from the root, plus and minus signs and texts, as the window always showed them.
    tree_->setRootIsDecorated(true);
    fieldsLayout->addWidget(tree_, 1);

    auto* buttons = new QHBoxLayout;
    aceptar_ = new QPushButton(QString::fromStdString(form_.CmdAceptar.caption), this);
    cancelar_ = new QPushButton(QString::fromStdString(form_.CmdCancelar.caption), this);
    nueva_ = new QPushButton(QString::fromStdString(form_.CmdNueva.caption), this);
    aceptar_->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(nueva_);
    buttons->addWidget(cancelar_);
    buttons->addWidget(aceptar_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields, 1);
    layout->addLayout(buttons);

    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });
    connect(nueva_, &QPushButton::clicked, this, [this] { form_.CmdNueva_Click(); });
    connect(box_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!updating_) form_.setSearchText(0, text.toStdString());
    });
    connect(box_, &QComboBox::activated, this, [this] {
        if (!updating_) form_.CmbSearch_Click(0);
    });
    box_->installEventFilter(this);
    box_->lineEdit()->installEventFilter(this);
    tree_->installEventFilter(this);

    form_.setObserver(this);
    resize(420, 480);
}

Lib_FrmCons3TreeDialog::~Lib_FrmCons3TreeDialog() {
    form_.setObserver(nullptr);
}

int Lib_FrmCons3TreeDialog::exec() {
    form_.Form_Load();
    return QDialog::exec();
}

void Lib_FrmCons3TreeDialog::reject() {
    if (!form_.hidden()) form_.CmdCancelar_Click();
}

void Lib_FrmCons3TreeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The search box is first in the tab order: the operator starts typing there.
    if (form_.focus() == Lib_FrmCons3Tree::Focus::None) form_.setFocus(Lib_FrmCons3Tree::Focus::SearchBox);
    focusMoved();
}

void Lib_FrmCons3TreeDialog::formChanged() {
    const QString text = QString::fromStdString(form_.CmbSearch.text());
    if (box_->currentText() == text) return;
    updating_ = true;
    box_->setEditText(text);
    updating_ = false;
}

void Lib_FrmCons3TreeDialog::focusMoved() {
    QWidget* target = nullptr;
    switch (form_.focus()) {
    case Lib_FrmCons3Tree::Focus::Tree: target = tree_; break;
    case Lib_FrmCons3Tree::Focus::SearchBox: target = box_; break;
    default: break;
    }
    if (target && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
}

void Lib_FrmCons3TreeDialog::formHidden() {
    QDialog::done(QDialog::Accepted);
}

bool Lib_FrmCons3TreeDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool inBox = watched == box_ || watched == box_->lineEdit();
    if (event->type() == QEvent::FocusIn) {
        if (watched == tree_) form_.setFocus(Lib_FrmCons3Tree::Focus::Tree);
        else if (inBox) form_.setFocus(Lib_FrmCons3Tree::Focus::SearchBox);
        return false;
    }
    if (event->type() == QEvent::KeyPress && inBox) return searchBoxKey(form_, 0, static_cast<QKeyEvent&>(*event));
    return false;
}

#include "dialogs/qt/FrmConsComprobantesDialog.h"

#include "core/qt/WindowSetUpQt.h"
#include "platform/ui/qt/ListViewWidget.h"

#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <vector>

namespace {

constexpr long kTwipsPerPixel = ui::QtTextMeasurer::kTwipsPerPixel;

QRect pixels(const FrmConsComprobantes::Area& area) {
    return QRect(static_cast<int>(area.left / kTwipsPerPixel), static_cast<int>(area.top / kTwipsPerPixel),
                 static_cast<int>(area.width / kTwipsPerPixel), static_cast<int>(area.height / kTwipsPerPixel));
}

// A small image per tag: a coloured tile with the tag's first two letters, so a void, approved or
// guaranteed voucher can be told apart at a glance.
QIcon imagenDe(std::string_view tag) {
    const QString text = QString::fromUtf8(tag.data(), static_cast<qsizetype>(tag.size()));
    QColor color = QColor::fromHsv(static_cast<int>(qHash(text) % 360), 140, 220);
    if (text == "Anulado") color = Qt::red;
    if (text == "Aprobado") color = QColor(0, 160, 0);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(color);
    painter.setPen(color.darker());
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text.left(2));
    return QIcon(pixmap);
}

}  // namespace

FrmConsComprobantesDialog::FrmConsComprobantesDialog(FrmConsComprobantes& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName("FrmConsComprobantes");
    setWindowTitle(QString::fromStdString(form_.Caption));
    setFixedSize(static_cast<int>(form_.ScaleWidth / kTwipsPerPixel), static_cast<int>(form_.ScaleHeight / kTwipsPerPixel));

    list_ = new ui::ListViewWidget(form_.ListView1, this);
    list_->setGeometry(pixels(form_.ListView1Bounds));
    std::vector<QIcon> images;
    for (std::string_view tag : form_.ImageList1) images.push_back(imagenDe(tag));
    list_->setImageList(std::move(images));

    aceptar_ = new QPushButton(QString::fromStdString(form_.CmdAceptar.caption), this);
    aceptar_->setGeometry(pixels(form_.CmdAceptarBounds));
    aceptar_->setAutoDefault(false);
    cancelar_ = new QPushButton(QString::fromStdString(form_.CmdCancelar.caption), this);
    cancelar_->setGeometry(pixels(form_.CmdCancelarBounds));
    cancelar_->setAutoDefault(false);
    setTabOrder(list_, aceptar_);
    setTabOrder(aceptar_, cancelar_);
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });

    measurer_ = std::make_unique<ui::QtTextMeasurer>(font());
    form_.setTextMeasurer(measurer_.get());
    form_.setObserver(this);
}

FrmConsComprobantesDialog::~FrmConsComprobantesDialog() {
    form_.setObserver(nullptr);
    form_.setTextMeasurer(nullptr);
}

int FrmConsComprobantesDialog::exec() {
    form_.Form_Load();
    if (form_.hidden()) return QDialog::Accepted;
    return QDialog::exec();
}

void FrmConsComprobantesDialog::reject() {
    if (!form_.hidden()) form_.CmdCancelar_Click();
}

void FrmConsComprobantesDialog::formHidden() {
    QDialog::done(QDialog::Accepted);
}

void FrmConsComprobantesDialog::formCentred() {
    if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void FrmConsComprobantesDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    formCentred();
    ConfiguraFormulario(*this);
    list_->setFocus(Qt::OtherFocusReason);
}

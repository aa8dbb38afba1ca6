#include "core/qt/WindowSetUpQt.h"

#include "core/WindowSetUp.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>

namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class FormularioQt : public FormularioConfigurable {
public:
    explicit FormularioQt(QWidget& ventana) : ventana_(ventana) {}

    std::string nombreClase() const override
    {
        const QString name = ventana_.objectName();
        return (name.isEmpty() ? QString::fromLatin1(ventana_.metaObject()->className()) : name).toStdString();
    }
    bool tieneIcono() const override { return ventana_.testAttribute(Qt::WA_SetWindowIcon); }
    bool asignaIconoRecurso(std::string_view nombre) override { return asignaIcono(":/" + qt(nombre)); }
    bool asignaIconoArchivo(const std::filesystem::path& archivo) override
    {
        return asignaIcono(QString::fromStdString(archivo.string()));
    }
    bool asignaEstiloBarra(std::string_view nombreBarra, double estilo) override
    {
        const QList<QToolBar*> barras = ventana_.findChildren<QToolBar*>(qt(nombreBarra));
        for (QToolBar* barra : barras) barra->setProperty("StyleBar", estilo);
        return !barras.isEmpty();
    }
    void dejaCorrerEventos() override { QCoreApplication::processEvents(); }

private:
    bool asignaIcono(const QString& file)
    {
        if (file.isEmpty() || !QFile::exists(file)) return false;
        const QPixmap pixmap(file);
        if (pixmap.isNull()) return false;
        ventana_.setWindowIcon(QIcon(pixmap));
        return true;
    }

    QWidget& ventana_;
};

}  // namespace

void ConfiguraFormulario(QWidget& ventana)
{
    FormularioQt formulario(ventana);
    ConfiguraFormulario(formulario);
}

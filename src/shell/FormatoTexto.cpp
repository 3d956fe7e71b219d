#include "shell/FormatoTexto.h"

#include <QPalette>
#include <QWidget>

QColor ColorDeEntero(std::uint32_t color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

std::uint32_t EnteroDeColor(const QColor& color) {
    return std::uint32_t(color.red()) | std::uint32_t(color.green()) << 8 | std::uint32_t(color.blue()) << 16;
}

QFont FuenteDeEstilo(const EstiloTexto& estilo) {
    QFont fuente(estilo.NombreFuente);
    fuente.setPointSizeF(estilo.TamanoFuente);
    fuente.setBold(estilo.Negrita);
    fuente.setItalic(estilo.Cursiva);
    fuente.setStrikeOut(estilo.Tachado);
    fuente.setUnderline(estilo.Subrayado);
    return fuente;
}

void TomarFuente(EstiloTexto& estilo, const QFont& fuente) {
    estilo.NombreFuente = fuente.family();
    if (fuente.pointSizeF() > 0)
        estilo.TamanoFuente = fuente.pointSizeF();
    estilo.Negrita = fuente.bold();
    estilo.Cursiva = fuente.italic();
    estilo.Tachado = fuente.strikeOut();
    estilo.Subrayado = fuente.underline();
}

void AplicarColores(QWidget* caja, const EstiloTexto& estilo) {
    QPalette paleta = caja->palette();
    for (const QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        paleta.setColor(grupo, QPalette::Text, ColorDeEntero(estilo.ColorTexto));
        paleta.setColor(grupo, QPalette::Base, ColorDeEntero(estilo.ColorFondo));
    }
    caja->setPalette(paleta);
}

void AplicarEstilo(QWidget* caja, const EstiloTexto& estilo) {
    AplicarColores(caja, estilo);
    caja->setFont(FuenteDeEstilo(estilo));
}

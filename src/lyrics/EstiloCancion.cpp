#include "lyrics/EstiloCancion.h"

#include <QWidget>

QColor ColorDeValor(std::uint32_t valor) {
    return QColor(static_cast<int>(valor & 0xFF), static_cast<int>((valor >> 8) & 0xFF),
                  static_cast<int>((valor >> 16) & 0xFF));
}

EstiloCancion EstiloDe(const EstiloTexto& estilo) {
    QFont fuente(estilo.NombreFuente);
    fuente.setPointSizeF(estilo.TamanoFuente);
    fuente.setBold(estilo.Negrita);
    fuente.setItalic(estilo.Cursiva);
    fuente.setStrikeOut(estilo.Tachado);
    fuente.setUnderline(estilo.Subrayado);
    return {fuente, ColorDeValor(estilo.ColorTexto), ColorDeValor(estilo.ColorFondo)};
}

void PonerColores(QWidget& caja, const QColor& texto, const QColor& fondo) {
    QPalette paleta = caja.palette();
    for (QPalette::ColorGroup grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        paleta.setColor(grupo, QPalette::Text, texto);
        paleta.setColor(grupo, QPalette::Base, fondo);
    }
    caja.setPalette(paleta);
}

void PonerEstilo(QWidget& caja, const EstiloCancion& estilo) {
    caja.setFont(estilo.fuente);
    PonerColores(caja, estilo.texto, estilo.fondo);
}

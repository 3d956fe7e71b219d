#include "store/Globales.h"

#include "store/Dao.h"

#include <limits>

namespace Globales {

namespace {

bool EsDigito(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool MismaLetra(QChar a, QChar b) {
    return QStringView(&a, 1).compare(QStringView(&b, 1), Qt::CaseInsensitive) == 0;
}

} // namespace

QString QuitarBlancos(QStringView texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio] == u' ')
        ++inicio;
    while (fin > inicio && texto[fin - 1] == u' ')
        --fin;
    return texto.sliced(inicio, fin - inicio).toString();
}

int ValorDigitos(const QString& texto) {
    qint64 valor = 0;
    for (const QChar c : texto) {
        if (!EsDigito(c))
            continue;
        valor = valor * 10 + (c.unicode() - u'0');
        if (valor > std::numeric_limits<int>::max())
            throw dao::ErrorBD(6, QStringLiteral("Desbordamiento: el número formado por las cifras de \"%1\" "
                                                 "es mayor que 2147483647.")
                                      .arg(texto));
    }
    return static_cast<int>(valor);
}

QString Reemplaza(const QString& texto, const QString& buscado, const QString& nuevo) {
    if (buscado.isEmpty())
        return texto;
    // Non-overlapping, left to right, the scan going on right after each inserted text.
    QString resultado = texto;
    return resultado.replace(buscado, nuevo, Qt::CaseInsensitive);
}

QString LimpiaLike(const QString& texto) {
    return Reemplaza(Reemplaza(texto, QStringLiteral("'"), QStringLiteral("?")), QStringLiteral("#"),
                     QStringLiteral("?"));
}

PartesNombre SepararNombre(const QString& nombre, const QString& separador) {
    PartesNombre partes;
    QString trabajo = nombre;
    const qsizetype punto = nombre.lastIndexOf(u'.');
    if (punto >= 0) {
        partes.extension = nombre.sliced(punto + 1);
        trabajo = QuitarBlancos(QStringView(nombre).first(punto));
    }
    const qsizetype posicion = trabajo.indexOf(separador, 0, Qt::CaseInsensitive);
    if (posicion < 0) {
        partes.primera = QuitarBlancos(trabajo);
        return partes;
    }
    partes.primera = QuitarBlancos(QStringView(trabajo).first(posicion));
    partes.segunda = QuitarBlancos(QStringView(trabajo).sliced(posicion + separador.size()));
    return partes;
}

QString QuitarDigitos(const QString& texto) {
    qsizetype inicio = 0;
    while (inicio < texto.size() && EsDigito(texto[inicio]))
        ++inicio;
    return QuitarBlancos(QStringView(texto).sliced(inicio));
}

QString QuitarNumeracion(const QString& nombre, const QString& formato) {
    QString resto = nombre;
    QString patron = formato;
    QString ultimo;
    while (!patron.isEmpty() && !resto.isEmpty()) {
        if (EsDigito(patron[0])) {
            // A run of digits in the format stands for any run of digits in the name, none included.
            resto = QuitarDigitos(resto);
            patron = QuitarDigitos(patron);
        } else if (MismaLetra(resto[0], patron[0])) {
            resto = QuitarBlancos(QStringView(resto).sliced(1));
            patron = QuitarBlancos(QStringView(patron).sliced(1));
        } else {
            return QuitarBlancos(nombre);
        }
        ultimo = resto;
    }
    const QString quedan = QuitarBlancos(ultimo);
    return quedan.isEmpty() ? nombre : quedan;
}

} // namespace Globales

#include "utilities/FicheroExportacion.h"

#include "store/CatalogoUtilidades.h"
#include "store/FicherosDelCatalogo.h"
#include "store/Transaccion.h"
#include "utilities/Codificacion.h"
#include "utilities/Windows1252.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

const QByteArray Guiones(70, '-');
constexpr int LineasPorCancion = 7;
constexpr int CamposTexto = 5;
const char* const NombresCampos[LineasPorCancion] = {"CABECERA",  "RUTA",     "AUTOR",  "TITULO",
                                                     "EXTENSION", "LONGITUD", "REL_POS"};

// A number with the blank of its sign before it (a minus sign in its place) and one blank after.
void EscribirNumero(FicheroTexto& fichero, qint64 numero) {
    char texto[24];
    char* fin = texto + sizeof texto;
    char* p = fin;
    *--p = ' ';
    quint64 valor = numero < 0 ? 0 - quint64(numero) : quint64(numero);
    do {
        *--p = char('0' + valor % 10);
        valor /= 10;
    } while (valor);
    *--p = numero < 0 ? '-' : ' ';
    fichero.Anadir(QByteArrayView(p, fin - p));
}

QByteArray ClaveDe(const std::optional<QString>& clave) {
    if (!clave)
        return {};
    const std::optional<QByteArray> bytes = BytesClave(*clave);
    if (!bytes)
        throw FalloFichero(
            FalloFichero::Clase::Contenido,
            QStringLiteral("La clave contiene caracteres que no se pueden usar para codificar. "
                           "Escriba una clave con letras, cifras y signos de la Europa occidental."));
    return *bytes;
}

QString Nombre(const catalogo::Filas& filas, int columna) {
    return filas.Nulo(columna) ? QString() : QString::fromUtf8(filas.Texto(columna));
}

[[noreturn]] void SaltoDeLinea(const catalogo::Filas& filas, qint64 numero, int campo, bool alCodificar) {
    throw FalloFichero(
        FalloFichero::Clase::Contenido,
        QStringLiteral(
            "No se puede exportar la canción %1 (Cabecera «%2», Ruta «%3», «%4 -- %5»): el campo %6 %7 "
            "un salto de línea, que partiría su registro en el fichero. Corrija la canción o use otra "
            "clave. No se ha escrito ningún fichero.")
            .arg(numero)
            .arg(Nombre(filas, 0), Nombre(filas, 1), Nombre(filas, 2), Nombre(filas, 3),
                 QLatin1String(NombresCampos[campo]),
                 alCodificar ? QStringLiteral("queda con") : QStringLiteral("contiene")));
}

bool TieneSalto(QByteArrayView bytes) {
    return bytes.contains('\n') || bytes.contains('\r');
}

void EscribirCanciones(dao::Database& base, FicheroTexto& fichero, const QString& version,
                       const QByteArray& clave, qint64 total, ProgresoUtilidad& progreso) {
    fichero.Linea(Guiones);
    fichero.Linea(fichero.Bytes(
        QStringLiteral(" Base de Datos del %1   -   NO MODIFICAR ESTE FICHERO!!!").arg(version).toUtf8()));
    fichero.Linea(Guiones);
    EscribirNumero(fichero, total);
    fichero.FinLinea();
    const std::unique_ptr<catalogo::Filas> filas = catalogo::CancionesEnOrden(base);
    qint64 numero = 0;
    while (filas->Siguiente()) {
        ++numero;
        for (int campo = 0; campo < CamposTexto; ++campo) {
            if (filas->Nulo(campo)) {
                fichero.FinLinea();
                continue;
            }
            if (clave.isEmpty()) {
                if (TieneSalto(fichero.Texto(filas->Texto(campo))))
                    SaltoDeLinea(*filas, numero, campo, false);
            } else {
                QByteArray bytes = fichero.Bytes(filas->Texto(campo));
                if (TieneSalto(bytes))
                    SaltoDeLinea(*filas, numero, campo, false);
                Codifica(bytes, clave);
                if (TieneSalto(bytes))
                    SaltoDeLinea(*filas, numero, campo, true);
                fichero.Anadir(bytes);
            }
            fichero.FinLinea();
        }
        for (int campo = CamposTexto; campo < LineasPorCancion; ++campo) {
            if (!filas->Nulo(campo))
                EscribirNumero(fichero, filas->Entero(campo));
            fichero.FinLinea();
        }
        if ((numero & 1023) == 0)
            progreso.Valor(numero);
    }
    if (numero != total)
        throw FalloFichero(
            FalloFichero::Clase::Contenido,
            QStringLiteral("El catálogo ha cambiado mientras se exportaba. No se ha escrito ningún "
                           "fichero; inténtelo de nuevo."));
}

// --- Reading.

// The lines of a file held in memory; a line ends in LF, with or without a CR before it.
class Lineas {
public:
    Lineas(const char* datos, qint64 largo) : p_(datos), fin_(datos + largo) {}
    bool Leer(QByteArrayView& linea) {
        if (p_ >= fin_)
            return false;
        const char* salto = static_cast<const char*>(memchr(p_, '\n', size_t(fin_ - p_)));
        const char* finLinea = salto ? salto : fin_;
        const char* finTexto = (finLinea > p_ && finLinea[-1] == '\r') ? finLinea - 1 : finLinea;
        linea = QByteArrayView(p_, finTexto - p_);
        p_ = salto ? salto + 1 : fin_;
        ++numero_;
        return true;
    }
    qint64 Numero() const { return numero_; }
    bool Fin() const { return p_ >= fin_; }

private:
    const char* p_;
    const char* fin_;
    qint64 numero_ = 0;
};

[[noreturn]] void Rechazar(const QString& ruta, qint64 linea, const QString& motivo) {
    throw FalloFichero(
        FalloFichero::Clase::Contenido,
        QStringLiteral("El fichero «%1» no se puede importar: en la línea %2 %3. No se ha añadido "
                       "ninguna canción.")
            .arg(QDir::toNativeSeparators(ruta))
            .arg(linea)
            .arg(motivo));
}

// A decimal integer with blanks around it; empty or blank: Null.
std::optional<qint64> LeerNumero(QByteArrayView linea, bool& valido) {
    const QByteArrayView texto = linea.trimmed();
    valido = true;
    if (texto.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 numero = texto.toLongLong(&ok);
    valido = ok;
    return numero;
}

struct Importacion {
    dao::Database& base;
    QString ruta;
    QByteArray clave;
    ProgresoUtilidad& progreso;

    qint64 Importar(const char* datos, qint64 largo) {
        utf8Fichero = largo >= 3 && memcmp(datos, "\xEF\xBB\xBF", 3) == 0;
        if (utf8Fichero) {
            datos += 3;
            largo -= 3;
        }
        Lineas lineas(datos, largo);
        QByteArrayView linea;
        for (int i = 1; i <= 4; ++i)
            if (!lineas.Leer(linea))
                Rechazar(ruta, i, QStringLiteral("termina el fichero antes de su cabecera"));
        bool valido = false;
        const std::optional<qint64> anunciadas = LeerNumero(linea, valido);
        if (!valido || !anunciadas)
            Rechazar(ruta, 4,
                     QStringLiteral("debería estar el número de canciones, y hay «%1»")
                         .arg(QString::fromUtf8(linea.first(qMin<qsizetype>(linea.size(), 80)))));
        progreso.Maximo(qMax<qint64>(*anunciadas, 0));

        catalogo::InsercionCanciones insercion(base);
        qint64 canciones = 0;
        QByteArray memorias[CamposTexto]; // kept from song to song, so that no song allocates its texts
        while (!lineas.Fin()) {
            const qint64 primera = lineas.Numero() + 1;
            std::optional<QByteArrayView> textos[CamposTexto];
            std::optional<qint32> numeros[2];
            for (int campo = 0; campo < LineasPorCancion; ++campo) {
                if (!lineas.Leer(linea))
                    Rechazar(
                        ruta, lineas.Numero() + 1,
                        QStringLiteral("termina el fichero dentro de la canción que empieza en la línea %1 "
                                       "(falta el campo %2)")
                            .arg(primera)
                            .arg(QLatin1String(NombresCampos[campo])));
                if (campo < CamposTexto)
                    textos[campo] = Texto(linea, lineas.Numero(), memorias[campo]);
                else
                    numeros[campo - CamposTexto] = Numero(linea, lineas.Numero(), campo);
            }
            try {
                insercion.Anadir(textos, numeros[0], numeros[1]);
            } catch (const dao::ErrorBD& error) {
                Rechazar(ruta, primera,
                         QStringLiteral("empieza una canción que el catálogo no admite: %1")
                             .arg(error.Descripcion()));
            }
            ++canciones;
            if ((canciones & 1023) == 0)
                progreso.Valor(qMin(canciones, *anunciadas));
        }
        insercion.Terminar();
        return canciones;
    }

    // The UTF-8 text of a line (Null when empty), decoded with the password; memoria holds it when it
    // is not the line itself.
    std::optional<QByteArrayView> Texto(QByteArrayView linea, qint64 numero, QByteArray& memoria) const {
        if (linea.isEmpty())
            return std::nullopt;
        if (!clave.isEmpty()) {
            memoria.resize(0);
            memoria.append(linea.data(), linea.size());
            Decodifica(memoria, clave);
            linea = memoria;
        }
        if (utf8Fichero) {
            if (!QUtf8StringView(linea).isValidUtf8())
                Rechazar(ruta, numero,
                         QStringLiteral("el texto no es UTF-8 válido (¿es la clave correcta?)"));
            return linea;
        }
        if (std::all_of(linea.begin(), linea.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return linea;
        // Decoded bytes are converted from a copy, as they lie in memoria itself.
        const QByteArray decodificado = clave.isEmpty() ? QByteArray() : memoria;
        const QByteArrayView origen = clave.isEmpty() ? linea : QByteArrayView(decodificado);
        memoria.resize(0);
        win1252::AUtf8(origen.data(), origen.size(), memoria);
        return QByteArrayView(memoria);
    }

    std::optional<qint32> Numero(QByteArrayView linea, qint64 numero, int campo) const {
        bool valido = false;
        const std::optional<qint64> valor = LeerNumero(linea, valido);
        if (!valido || (valor && (*valor < INT32_MIN || *valor > INT32_MAX)))
            Rechazar(ruta, numero,
                     QStringLiteral("el campo %1 debería ser un número entero, y es «%2»")
                         .arg(QLatin1String(NombresCampos[campo]),
                              QString::fromUtf8(linea.first(qMin<qsizetype>(linea.size(), 80)))));
        if (!valor)
            return std::nullopt;
        return qint32(*valor);
    }

    bool utf8Fichero = false; // the file starts with a UTF-8 byte-order mark
};

} // namespace

ResultadoTransferencia ExportarCanciones(dao::Database& base, const QString& ruta, const QString& version,
                                         const std::optional<QString>& clave, ProgresoUtilidad& progreso) {
    const QByteArray bytesClave = ClaveDe(clave);
    ResultadoTransferencia resultado;
    // One read transaction: the count on line 4 and the rows that follow see the same catalogue.
    base.BeginTrans();
    try {
        resultado.canciones = catalogo::ContarCanciones(base);
        progreso.Maximo(resultado.canciones);
        resultado.utf8 = EscribirFichero(ruta, base.Ruta(), [&](FicheroTexto& fichero) {
            EscribirCanciones(base, fichero, version, bytesClave, resultado.canciones, progreso);
        });
        base.CommitTrans();
    } catch (...) {
        base.Rollback();
        throw;
    }
    progreso.Valor(resultado.canciones);
    return resultado;
}

ResultadoTransferencia ImportarCanciones(dao::Database& base, const QString& ruta,
                                         const std::optional<QString>& clave, ProgresoUtilidad& progreso) {
    const QByteArray bytesClave = ClaveDe(clave);
    if (catalogo::EsFicheroDelCatalogo(ruta, base.Ruta()))
        throw FalloFichero(FalloFichero::Clase::Catalogo,
                           QStringLiteral("«%1» es el propio catálogo (o uno de los ficheros que lo "
                                          "acompañan), no un fichero exportado. Elija el fichero que se "
                                          "exportó. No se ha añadido ninguna canción.")
                               .arg(QDir::toNativeSeparators(ruta)));
    QFile fichero(ruta);
    if (!fichero.open(QIODevice::ReadOnly))
        throw FalloFichero(FalloFichero::Clase::Apertura,
                           QStringLiteral("No se puede leer el fichero «%1»: %2")
                               .arg(QDir::toNativeSeparators(ruta), fichero.errorString()));
    QByteArray leido;
    const qint64 largo = fichero.size();
    const char* datos = largo > 0 ? reinterpret_cast<const char*>(fichero.map(0, largo)) : nullptr;
    if (!datos) {
        leido = fichero.readAll();
        datos = leido.constData();
    }
    Importacion importacion{base, ruta, bytesClave, progreso};
    ResultadoTransferencia resultado;
    Transaccion transaccion(base);
    resultado.canciones = importacion.Importar(datos, leido.isNull() ? largo : leido.size());
    resultado.utf8 = importacion.utf8Fichero;
    transaccion.Confirmar();
    progreso.Valor(resultado.canciones);
    return resultado;
}

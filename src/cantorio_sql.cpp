// cantorio-sql [--crear] FICHERO [SENTENCIA ...]: runs statements in the Jet dialect against a
// catalogue, each one given or, when none is, each line of standard input.

#include "store/BBDD.h"
#include "store/Dao.h"
#include "store/SalidaTabulada.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication aplicacion(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    const bool crear = !argumentos.isEmpty() && argumentos.first() == QLatin1String("--crear");
    if (crear)
        argumentos.removeFirst();
    if (argumentos.isEmpty()) {
        errores << "Uso: cantorio-sql [--crear] FICHERO [SENTENCIA ...]\n";
        return 2;
    }
    const QString fichero = argumentos.takeFirst();
    try {
        const QFileInfo info(fichero);
        if (crear && (!info.exists() || (info.isFile() && info.size() == 0))) {
            BBDD::RutaBaseDatos = fichero;
            BBDD::CrearBaseDatos();
        }
        auto base = dao::Database::OpenDatabase(fichero);
        if (!base->AvisoApertura().isEmpty())
            errores << "Aviso: " << base->AvisoApertura() << '\n' << Qt::flush;
        auto ejecutar = [&](const QString& sentencia) {
            dao::EjecutarSentencia(*base, sentencia, salida);
            salida.flush();
        };
        if (!argumentos.isEmpty()) {
            for (const QString& sentencia : argumentos)
                ejecutar(sentencia);
        } else {
            QTextStream entrada(stdin);
            QString linea;
            while (entrada.readLineInto(&linea))
                if (!linea.trimmed().isEmpty())
                    ejecutar(linea);
        }
    } catch (const dao::ErrorBD& e) {
        salida.flush();
        errores << "Error " << e.Numero() << ": " << e.Descripcion() << '\n';
        return 1;
    }
    return 0;
}

#pragma once
// Directory trees for the tests of the adding of songs, made in a temporary directory.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>

class ArbolFicheros {
public:
    ArbolFicheros() = default;
    // rm copes with what QDir cannot remove: names that are not UTF-8 and trees deeper than a path.
    ~ArbolFicheros() { QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), raiz_.path()}); }
    ArbolFicheros(const ArbolFicheros&) = delete;
    ArbolFicheros& operator=(const ArbolFicheros&) = delete;

    QString Raiz() const { return raiz_.path(); }
    QString Ruta(const QString& relativa) const { return QDir(raiz_.path()).filePath(relativa); }

    // A file of that length (sparse, so a large one costs nothing), its directories made as needed.
    void Fichero(const QString& relativa, qint64 longitud = 10) const {
        Directorio(QFileInfo(relativa).path());
        QFile fichero(Ruta(relativa));
        fichero.open(QIODevice::WriteOnly);
        fichero.resize(longitud);
    }
    // A file whose name is given as raw bytes (not necessarily UTF-8) inside the directory relativa.
    void FicheroBytes(const QString& relativa, const QByteArray& nombre, qint64 longitud = 10) const {
        Directorio(relativa);
        const QByteArray ruta = QFile::encodeName(Ruta(relativa)) + '/' + nombre;
        QFile fichero;
        fichero.open(::open(ruta.constData(), O_CREAT | O_WRONLY, 0644), QIODevice::WriteOnly,
                     QFileDevice::AutoCloseHandle);
        fichero.resize(longitud);
    }
    void Directorio(const QString& relativa) const { QDir(raiz_.path()).mkpath(relativa); }
    void Enlace(const QString& relativa, const QString& destino) const {
        QFile::link(destino, Ruta(relativa));
    }

private:
    QTemporaryDir raiz_;
};

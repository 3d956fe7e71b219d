#pragma once
// A text file written line by line, each line ended by CR LF, in Windows-1252 or, when some text
// needs it, in UTF-8 with a byte-order mark. The file is written beside its target under another name
// and put in its place only when it is complete, so that a failure never leaves a cut file behind.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <stdexcept>

// A failure of an export, an import or a listing, with the message the user is shown.
class FalloFichero : public std::runtime_error {
public:
    // Catalogo: the file named is the catalogue itself, or one of the files beside it.
    enum class Clase { Apertura, Escritura, Contenido, Catalogo };
    FalloFichero(Clase clase, const QString& mensaje)
        : std::runtime_error(mensaje.toStdString()), clase_(clase), mensaje_(mensaje) {}
    Clase Tipo() const { return clase_; }
    const QString& Mensaje() const { return mensaje_; }

private:
    Clase clase_;
    QString mensaje_;
};

// Thrown by FicheroTexto::Bytes when Windows-1252 cannot hold a text: the caller starts again in UTF-8.
struct NecesitaUtf8 {};

class FicheroTexto {
public:
    // Opens the file for writing (Apertura when it cannot be).
    FicheroTexto(const QString& ruta, bool utf8);

    bool Utf8() const { return utf8_; }
    // The bytes of a UTF-8 text in the file's encoding; NecesitaUtf8 when the file is Windows-1252
    // and the text has a character the code page has not.
    QByteArray Bytes(QByteArrayView utf8) const;
    // Appends a UTF-8 text in the file's encoding to the line being written (NecesitaUtf8 as Bytes)
    // and returns the bytes it appended, valid until the next append.
    QByteArrayView Texto(QByteArrayView utf8);
    // Appends bytes as they are to the line being written.
    void Anadir(QByteArrayView bytes) { pendiente_.append(bytes.data(), bytes.size()); }
    // Ends the line with CR LF.
    void FinLinea();
    // Appends bytes and CR LF.
    void Linea(QByteArrayView bytes) {
        Anadir(bytes);
        FinLinea();
    }
    // Writes what is left and puts the file in its place (Escritura when that fails).
    void Terminar();

private:
    void Vaciar();

    QSaveFile fichero_;
    QString ruta_;
    bool utf8_;
    QByteArray pendiente_;
};

// Refuses (Catalogo) a target that is the catalogue at rutaCatalogo or one of the files beside it:
// written over, the catalogue would be lost.
void RechazarElCatalogo(const QString& ruta, const QString& rutaCatalogo);

// Runs escribir(FicheroTexto&) over a Windows-1252 file and, when a text needs it, again over a UTF-8
// file; returns whether the file was written in UTF-8. A target that is a file of the catalogue at
// rutaCatalogo is refused before anything is written.
template <typename F> bool EscribirFichero(const QString& ruta, const QString& rutaCatalogo, F&& escribir) {
    RechazarElCatalogo(ruta, rutaCatalogo);
    try {
        FicheroTexto fichero(ruta, false);
        escribir(fichero);
        fichero.Terminar();
        return false;
    } catch (const NecesitaUtf8&) {
    }
    FicheroTexto fichero(ruta, true);
    escribir(fichero);
    fichero.Terminar();
    return true;
}

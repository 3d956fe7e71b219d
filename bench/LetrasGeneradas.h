#pragma once
// Lyrics of about 200 words drawn from a small vocabulary (a few accented words, lines broken with LF or
// CR LF), some of them holding a phrase to search for, written into a copy of the 100,000-song catalogue.

#include "Registro.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace bench {

struct LetrasGeneradas {
    QString fichero;                       // the copy's name in the data folder
    int letras;                            // how many lyrics, numbered from 1
    const char* asignacion;                // the UPDATE that gives songs their lyric numbers
    quint32 semilla;                       // multiplies a lyric's number into the seed of its words
    std::span<const char* const> palabras; // the vocabulary
    int cadaCuantas;                       // every how many lyrics one holds the phrase
    const char* frase;                     // the phrase, followed by a blank
    int posicion;                          // the word after which it is written
};

QByteArray Letra(const LetrasGeneradas& letras, int numero);

// The copy with its lyrics, made again when the generated catalogue is newer.
QString PrepararLetras(const Contexto& contexto, const LetrasGeneradas& letras);

} // namespace bench

#pragma once
// Converts an old Access/Jet catalogue into a catalogue of this program: every row of CANCIONES and
// LETRAS written through the catalogue layer, whose rules apply (a zero-length text, a number out of
// range, a text over 4,096 characters is refused and named with its table and row, never stored cut).

#include <QString>

struct ResultadoConversion {
    qint64 canciones = 0;
    qint64 letras = 0;
    // Where the old file is kept when it was converted in place; empty when it stays where it was.
    QString original;
};

// Converts antiguo into nuevo. All or nothing: the new catalogue is written beside nuevo under another
// name and takes its name only once complete; on any error it is removed and nothing else changes.
// When nuevo is antiguo itself, the old file is kept beside the new one as "<name> (Access).mdb" (with
// a number when that name is taken). A nuevo that exists and is another file is refused.
// Raises dao::ErrorBD with a Spanish description.
ResultadoConversion ConvertirCatalogoJet(const QString& antiguo, const QString& nuevo);

#pragma once
// Numbers as the program shows and writes them: Spanish digit grouping and decimal comma.

#include <QString>

// "###,###,##0": 1234567 gives "1.234.567", 0 gives "0".
QString FormatoEntero(qint64 numero);
// parte × 100 / total as "##0.00" followed by "%", halves rounded up: 1 of 800 gives "0,13%".
QString FormatoPorcentaje(qint64 parte, qint64 total);

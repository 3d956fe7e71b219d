#include "list/NumeroLetra.h"

#include <algorithm>
#include <limits>

namespace Lista {

namespace {

// MAX of a table with no rows is Null: nothing in use there.
qint64 MayorNumero(dao::Database& base, const QString& tabla) {
    auto rs = base.OpenRecordset(QStringLiteral("SELECT MAX(IDX_CANCION) FROM %1").arg(tabla));
    const QVariant mayor = rs->Field(0);
    return mayor.isValid() ? mayor.toLongLong() : 0;
}

} // namespace

int NumeroLetraNueva(dao::Database& base) {
    const qint64 mayor = std::max({qint64(0), MayorNumero(base, QStringLiteral("LETRAS")),
                                   MayorNumero(base, QStringLiteral("CANCIONES"))});
    if (mayor >= std::numeric_limits<int>::max())
        throw dao::ErrorBD(6, QStringLiteral("Desbordamiento: no queda ningún número libre para una letra nueva."));
    return static_cast<int>(mayor + 1);
}

} // namespace Lista

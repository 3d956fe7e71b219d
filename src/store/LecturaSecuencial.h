#pragma once
// The rows of a statement typed by the user, read once from the first to the last and not kept, so
// that the memory taken is that of one row however many the statement returns. Guarded as
// Database::OpenRecordsetSoloLectura: exactly one SELECT, refused by the engine itself if it would
// write. Asked for it, a statement that reads the rows of one table as they stand (no join, DISTINCT,
// grouping or aggregate) also gives the rowid of each row, the row's identity in that table.

#include "store/Dao.h"

struct sqlite3_stmt;

namespace dao {

class LecturaSecuencial {
public:
    LecturaSecuencial(Database& base, const QString& sql, bool conClave = false);
    ~LecturaSecuencial();
    LecturaSecuencial(const LecturaSecuencial&) = delete;
    LecturaSecuencial& operator=(const LecturaSecuencial&) = delete;

    int FieldCount() const;
    QString FieldName(int indice) const;
    // Moves to the next row, the first one on the first call; false once there is none left.
    bool Siguiente();
    QVariant Field(int indice) const;
    // The table whose rowid Clave() gives; empty when the rows carry none.
    const QString& TablaClave() const { return tablaClave_; }
    qint64 Clave() const;

private:
    sqlite3* db_;
    sqlite3_stmt* sentencia_;
    QString tablaClave_;
    // Columns before the statement's own: 1 for the rowid.
    int desplazamiento_ = 0;
};

} // namespace dao

// cantorio-util anadir stopped by a full disk while it creates the catalogue: the batches it committed
// stay in the file it created, the message counts them, and the exit status tells a partial success (4)
// from a failure that changed nothing (1, the new file removed).

#include "PruebaFiabilidad.h"

#include "store/CatalogoUtilidades.h"
#include "store/Dao.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// In the child: files may grow to `bytes` and no further; the write past it fails with EFBIG.
void LimitarFicheros(qint64 bytes) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{rlim_t(bytes), rlim_t(bytes)};
    setrlimit(RLIMIT_FSIZE, &limite);
}

} // namespace

TEST(AnadidoParcial, UnCatalogoNuevoConservaLosLotesGuardadosYSaleCon4) {
    QTemporaryDir directorio;
    const QString arbol = QDir(directorio.path()).filePath(QStringLiteral("arbol"));
    constexpr int Ficheros = 12000;
    GenerarArbol(arbol, Ficheros / 100, 100);
    const QRegularExpression guardadas(
        QStringLiteral("Las canciones añadidas hasta ese momento \\((\\d+)\\) se han guardado"));
    // Room for no batch (or, on a slow run, a batch committed early by time), and for one or two.
    for (const qint64 limite : {qint64(300) << 10, qint64(1536) << 10}) {
        SCOPED_TRACE(limite);
        const QString catalogo = QDir(directorio.path()).filePath(QStringLiteral("C%1.mdb").arg(limite));
        const Ejecucion e = Util({"anadir", catalogo, arbol, "--cabecera", "Nueva", "--subdirectorios"},
                                 [limite] { LimitarFicheros(limite); });
        const QRegularExpressionMatch dicho = guardadas.match(e.errores);
        ASSERT_TRUE(dicho.hasMatch()) << e.errores.toStdString();
        const int nuevas = dicho.captured(1).toInt();
        if (nuevas == 0) {
            EXPECT_EQ(e.estado, 1) << e.errores.toStdString();
            EXPECT_FALSE(QFile::exists(catalogo)) << "a new catalogue that kept nothing is not left behind";
            EXPECT_LT(limite, qint64(1536) << 10) << "the larger room holds a whole batch";
            continue;
        }
        EXPECT_EQ(e.estado, 4) << e.errores.toStdString();
        ASSERT_TRUE(QFile::exists(catalogo));
        auto base = dao::Database::OpenDatabase(catalogo);
        EXPECT_EQ(catalogo::FallosDelFichero(*base), QStringList());
        EXPECT_EQ(ContarCanciones(base->Conexion()), nuevas);
        EXPECT_LT(nuevas, Ficheros);
    }
}

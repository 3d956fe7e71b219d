#include "utilities/ComprobacionErrores.h"

#include "store/CatalogoUtilidades.h"

const std::array<TextosComprobacion, 4> Comprobaciones = {{
    {QStringLiteral("Comprobando la existencia de NULLs en IDX_CANCION..."),
     QStringLiteral("Comprobado la existencia de NULLs en IDX_CANCION..."),
     QStringLiteral("Se han encontrado valores ''Nulos'' en el campo de ''Letra Asociada''.\nEste campo será "
                    "actualizado a ''0'' (sin Letra asociada).\n\n¿Desea reparar este error?"),
     false},
    {QStringLiteral("Comprobando la duplicidad de REL_POS en una misma Ruta..."),
     QStringLiteral("Comprobado la duplicidad de REL_POS en una misma Ruta..."),
     QStringLiteral(
         "Se han encontrado valores de REL_POS duplicados para una misma Ruta.\nTodas la Rutas con este "
         "error serán renumeradas de nuevo.\n\n¿Desea reparar este error?"),
     true},
    {QStringLiteral("Comprobando la existencia de Lyrics no referenciadas..."),
     QStringLiteral("Comprobado la existencia de Lyrics no referenciadas..."),
     QStringLiteral("Se han encontrado Letras no referenciadas.\nEstas Letras serán borradas de la Base de "
                    "Datos.\n\n¿Desea reparar este error?"),
     false},
    {QStringLiteral("Comprobando la existencia de referencias a Lyrics inexistentes..."),
     QStringLiteral("Comprobado la existencia de referencias a Lyrics inexistentes..."),
     QStringLiteral(
         "Se han encontrado referencias a Lyrics inexistentes.\nEste campo será actualizado a ''0'' (sin "
         "Letra asociada).\n\n¿Desea reparar este error?"),
     false},
}};

QString TextoResultado(ResultadoComprobacion resultado) {
    switch (resultado) {
    case ResultadoComprobacion::Correcto:
        return QStringLiteral(" OK.");
    case ResultadoComprobacion::Error:
        return QStringLiteral(" ERROR.");
    case ResultadoComprobacion::Corregido:
        return QStringLiteral(" Corregido.");
    }
    return {};
}

const QString TextoSigueElFallo =
    QStringLiteral("La reparación no ha corregido el error: al comprobarlo de nuevo sigue ahí.");

namespace {

struct Comprobacion {
    bool vaciarBarra;                 // the bar starts from 0
    bool (*hayTabla)(dao::Database&); // the table the check reads first has rows
    bool (*hayFallo)(dao::Database&);
    int (*reparar)(dao::Database&); // returns the rows it changed
};

bool Siempre(dao::Database&) {
    return true;
}

const Comprobacion Pasos[4] = {
    {true, Siempre, catalogo::HayIdxNulos, catalogo::RepararIdxNulos},
    {false, catalogo::HayCanciones, catalogo::HayRutasMalNumeradas, catalogo::RenumerarRutasMalNumeradas},
    {true, catalogo::HayLetras, catalogo::HayLetrasSinCanciones, catalogo::BorrarLetrasSinCanciones},
    {true, catalogo::HayCancionesConLetra, catalogo::HayReferenciasRotas, catalogo::QuitarReferenciasRotas},
};

} // namespace

int ComprobarErrores(dao::Database& base, SeguimientoComprobacion& seguimiento) {
    int pendientes = 0;
    for (int k = 0; k < 4; ++k) {
        const Comprobacion& paso = Pasos[k];
        seguimiento.Empezar(k, paso.vaciarBarra);
        if (!paso.hayTabla(base)) {
            seguimiento.Resultado(k, ResultadoComprobacion::Correcto);
            continue;
        }
        const bool fallo = paso.hayFallo(base);
        seguimiento.Comprobado(k);
        if (!fallo) {
            seguimiento.Resultado(k, ResultadoComprobacion::Correcto);
            continue;
        }
        seguimiento.Resultado(k, ResultadoComprobacion::Error);
        if (!seguimiento.Reparar(k)) {
            ++pendientes;
            continue;
        }
        try {
            // Mended only when the repair changed rows and a fresh check no longer finds the fault.
            if (paso.reparar(base) > 0 && !paso.hayFallo(base)) {
                seguimiento.Resultado(k, ResultadoComprobacion::Corregido);
            } else {
                ++pendientes;
                seguimiento.SigueElFallo(k);
            }
        } catch (const dao::ErrorBD& error) {
            ++pendientes;
            seguimiento.FalloReparacion(k, error.Descripcion());
        }
    }
    return pendientes;
}

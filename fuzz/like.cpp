// A LIKE pattern and a text, from the input: the pattern is compiled or refused with an ErrorBD, and
// the text is matched both as a QString and as UTF-8 (the engine's path), which must agree.

#include "store/Dao.h"
#include "store/PatronLike.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    FuzzedDataProvider entrada(datos, largo);
    const std::string patron = entrada.ConsumeRandomLengthString(256);
    const std::string texto = entrada.ConsumeRemainingBytesAsString();
    std::optional<dao::PatronLike> like;
    try {
        like.emplace(QString::fromUtf8(patron.data(), qsizetype(patron.size())));
    } catch (const dao::ErrorBD&) {
        return 0;
    }
    const bool utf8 = like->CoincideUtf8(texto);
    // Invalid UTF-8 reaches the two paths as different texts (the QString holds replacement characters).
    if (QUtf8StringView(texto).isValidUtf8() &&
        utf8 != like->Coincide(QString::fromUtf8(texto.data(), qsizetype(texto.size()))))
        std::abort();
    return 0;
}

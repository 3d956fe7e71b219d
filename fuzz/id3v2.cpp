// The bytes of an MP3 file, from the input: wherever the quick ID3v2 reader answers, its title, artist
// and lyrics are those TagLib reads from the same file.

#include "maintenance/EtiquetaId3v2.h"

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

QString DeTagLib(const TagLib::String& texto) {
    return QString::fromStdWString(texto.toWString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    // A file in memory, opened by its path as the reader opens a catalogued file.
    const int descriptor = memfd_create("id3v2", MFD_CLOEXEC);
    if (descriptor < 0 || write(descriptor, datos, largo) != ssize_t(largo))
        std::abort();
    const QByteArray ruta = QByteArray("/proc/self/fd/") + QByteArray::number(descriptor);
    const std::optional<EtiquetaId3v2> rapida = LeerEtiquetaId3v2(ruta);
    if (rapida) {
        TagLib::MPEG::File fichero(ruta.constData(), false);
        QStringList letras;
        if (fichero.hasID3v2Tag())
            for (const TagLib::ID3v2::Frame* marco : fichero.ID3v2Tag()->frameList("USLT"))
                letras << DeTagLib(
                    static_cast<const TagLib::ID3v2::UnsynchronizedLyricsFrame*>(marco)->text());
        if (rapida->titulo != DeTagLib(fichero.tag()->title()) ||
            rapida->artista != DeTagLib(fichero.tag()->artist()) || rapida->letras != letras)
            std::abort();
    }
    close(descriptor);
    return 0;
}

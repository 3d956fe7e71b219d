#pragma once
// The Windows-1252 code page of the export file and the tree listing. It differs from Latin-1 only in
// the bytes 0x80 to 0x9F; the five bytes the code page leaves unassigned stand for the control
// characters of the same number, as the system that writes these files maps them, so that every byte
// is a character and every such character one byte.

#include <QByteArray>
#include <QString>

namespace win1252 {

// The byte of one character, or -1 when the code page has none for it.
int Byte(char32_t caracter);
// The character of one byte.
char32_t Caracter(unsigned char byte);

// Appends the Windows-1252 bytes of a UTF-8 text to salida; false (salida then holds part of the text)
// when some character has no byte or the text is not valid UTF-8.
bool DesdeUtf8(const char* utf8, qsizetype largo, QByteArray& salida);
// Appends the UTF-8 form of Windows-1252 bytes to salida.
void AUtf8(const char* bytes, qsizetype largo, QByteArray& salida);

// The same for QString; *ok (when given) tells whether every character had a byte.
QByteArray Codificar(const QString& texto, bool* ok = nullptr);
QString Decodificar(const QByteArray& bytes);

} // namespace win1252

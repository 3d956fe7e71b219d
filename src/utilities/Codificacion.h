#pragma once
// The password coding of the export file's text fields. Each byte of a field is shifted by one of +2,
// +1, 0, -1, -2, chosen in turn by the password's characters (2 minus the character's code modulo 5);
// a shifted value outside 0..255 wraps round modulo 256, so that decoding always gives the field back.

#include <QByteArray>
#include <QString>

#include <optional>

// The password as the bytes of its Windows-1252 characters; empty when it holds a character the code
// page has not.
std::optional<QByteArray> BytesClave(const QString& clave);

// Codes (Codifica) or decodes (Decodifica) texto in place with the password bytes (never empty).
void Codifica(QByteArray& texto, const QByteArray& clave);
void Decodifica(QByteArray& texto, const QByteArray& clave);

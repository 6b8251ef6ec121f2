#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zavevad {

/// Texts inside the program are QStrings; the files the program reads and
/// writes hold single-byte Central European text. These convert at the edges.
namespace codepage {

/// Decodes Windows code page 1250 bytes.
QString fromCp1250(QByteArrayView bytes);

/// Encodes to Windows code page 1250; a character the code page lacks becomes '?'.
QByteArray toCp1250(QStringView text);

/// Whether the text can be written in code page 1250 without loss.
bool fitsCp1250(QStringView text);

/// Encodes one character to ISO 8859-2; returns false when the code page lacks it.
bool toIso88592(char32_t ch, char &out);

} // namespace codepage
} // namespace zavevad

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text of the results table is stored in Windows code page 1250 (Central European).

// Encodes `text`; a character the code page cannot hold becomes '?', one per character
// (a surrogate pair is one character).
QByteArray toCp1250(const QString &text);

// Decodes bytes; the five bytes the code page leaves undefined become U+FFFD.
QString fromCp1250(QByteArrayView bytes);

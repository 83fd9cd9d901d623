#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// A decimal number as a dBASE numeric column holds it: sign, integer digits without leading
// zeros and fraction digits without trailing zeros. Zero has both digit strings empty.
struct Decimal
{
    bool negative = false;
    QByteArray integerDigits;
    QByteArray fractionDigits;

    bool isZero() const { return integerDigits.isEmpty() && fractionDigits.isEmpty(); }
    double toDouble() const;
    // Plain text: "-12", "0.5", "0".
    QByteArray toText() const;
};

// Reads decimal text: optional blanks around, an optional sign, digits and an optional fraction
// after '.' or ','. Nothing else is accepted; blank text is no number.
std::optional<Decimal> parseDecimal(QStringView text);
std::optional<Decimal> parseDecimal(QByteArrayView text);

// The value of an N field as stored: right-aligned text; an all-blank field reads as zero.
// Returns nothing when the field holds something other than a number.
std::optional<Decimal> readNumericField(QByteArrayView field);

// The field text for `value` in an N(width, decimals) column, or nothing when the value does not
// fit: too many digits before the point, or more fraction digits than the column keeps.
std::optional<QByteArray> formatNumericField(const Decimal &value, int width, int decimals);

// The 12-byte key of a numeric index tag: byte 0 = 0x34 + exponent, byte 1 = sign bit, digit
// count and the low bits 01, then up to 20 significant digits packed two per byte.
using NumericKey = std::array<unsigned char, 12>;
NumericKey encodeNumericKey(const Decimal &value);

// Orders two keys by the numbers they stand for (<0, 0, >0). Keys are not byte-comparable: the
// sign sits in byte 1 and writers differ in the digit count they store.
int compareNumericKeys(const unsigned char *a, const unsigned char *b);
inline int compareNumericKeys(const NumericKey &a, const NumericKey &b)
{
    return compareNumericKeys(a.data(), b.data());
}

#include "Numeric.h"

#include <cstring>

namespace {

template<typename Text, typename CharAt>
std::optional<Decimal> parseText(const Text &text, CharAt charAt)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && charAt(text, i) == ' ')
        ++i;
    while (end > i && charAt(text, end - 1) == ' ')
        --end;
    Decimal value;
    if (i < end && (charAt(text, i) == '-' || charAt(text, i) == '+')) {
        value.negative = charAt(text, i) == '-';
        ++i;
    }
    bool anyDigit = false;
    bool inFraction = false;
    for (; i < end; ++i) {
        const char32_t c = charAt(text, i);
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (inFraction)
                value.fractionDigits.append(char(c));
            else if (c != '0' || !value.integerDigits.isEmpty())
                value.integerDigits.append(char(c));
        } else if ((c == '.' || c == ',') && !inFraction) {
            inFraction = true;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    while (value.fractionDigits.endsWith('0'))
        value.fractionDigits.chop(1);
    if (value.isZero())
        value.negative = false;
    return value;
}

} // namespace

std::optional<Decimal> parseDecimal(QStringView text)
{
    return parseText(text, [](QStringView t, qsizetype i) { return char32_t(t[i].unicode()); });
}

std::optional<Decimal> parseDecimal(QByteArrayView text)
{
    return parseText(text, [](QByteArrayView t, qsizetype i) { return char32_t(static_cast<unsigned char>(t[i])); });
}

double Decimal::toDouble() const
{
    return toText().toDouble();
}

QByteArray Decimal::toText() const
{
    QByteArray text;
    if (negative)
        text.append('-');
    text.append(integerDigits.isEmpty() ? QByteArray("0") : integerDigits);
    if (!fractionDigits.isEmpty())
        text.append('.').append(fractionDigits);
    return text;
}

std::optional<Decimal> readNumericField(QByteArrayView field)
{
    if (field.trimmed().isEmpty())
        return Decimal{};
    return parseDecimal(field);
}

std::optional<QByteArray> formatNumericField(const Decimal &value, int width, int decimals)
{
    if (value.fractionDigits.size() > decimals)
        return std::nullopt;
    QByteArray text;
    if (value.negative)
        text.append('-');
    text.append(value.integerDigits.isEmpty() ? QByteArray("0") : value.integerDigits);
    if (decimals > 0)
        text.append('.').append(value.fractionDigits.leftJustified(decimals, '0'));
    if (text.size() > width)
        return std::nullopt;
    return text.rightJustified(width, ' ');
}

NumericKey encodeNumericKey(const Decimal &value)
{
    NumericKey key{};
    if (value.isZero()) {
        key[0] = 0x34;
        key[1] = 0x01;
        return key;
    }
    QByteArray digits = value.integerDigits + value.fractionDigits;
    int exponent = int(value.integerDigits.size());
    if (value.integerDigits.isEmpty()) {
        qsizetype zeros = 0;
        while (zeros < digits.size() && digits[zeros] == '0')
            ++zeros;
        digits.remove(0, zeros);
        exponent = -int(zeros);
    }
    while (digits.endsWith('0'))
        digits.chop(1);
    if (digits.size() > 20)
        digits.truncate(20);
    key[0] = static_cast<unsigned char>(0x34 + exponent);
    // dBASE itself always records at least ten digits; readers ignore the count for ordering.
    const int count = std::max<int>(10, int(digits.size()));
    key[1] = static_cast<unsigned char>((value.negative ? 0x80 : 0) | (count << 2) | 0x01);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const auto d = static_cast<unsigned char>(digits[i] - '0');
        key[std::size_t(2 + i / 2)] |= (i % 2 == 0) ? static_cast<unsigned char>(d << 4) : d;
    }
    return key;
}

namespace {

// -1 negative, 0 zero, +1 positive. Zero is told by its digits, whatever count a writer stored.
int signOf(const unsigned char *key)
{
    bool allZero = true;
    for (int i = 2; i < 12; ++i)
        allZero = allZero && key[i] == 0;
    if (allZero)
        return 0;
    return (key[1] & 0x80) ? -1 : 1;
}

} // namespace

int compareNumericKeys(const unsigned char *a, const unsigned char *b)
{
    const int signA = signOf(a);
    const int signB = signOf(b);
    if (signA != signB)
        return signA < signB ? -1 : 1;
    if (signA == 0)
        return 0;
    int magnitude = 0;
    if (a[0] != b[0])
        magnitude = a[0] < b[0] ? -1 : 1;
    else
        magnitude = std::memcmp(a + 2, b + 2, 10);
    magnitude = magnitude < 0 ? -1 : (magnitude > 0 ? 1 : 0);
    return signA > 0 ? magnitude : -magnitude;
}

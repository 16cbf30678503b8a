#include "RowCompare.h"

#include <climits>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int sign(long long v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// Characters first..first+count-1 of a date text as a number.
int datePart(const QString& text, int first, int count)
{
    return leadingNumber(text.mid(first, count));
}

int compareDates(const QString& a, const QString& b)
{
    // Year, then month, then day: the first difference decides.
    const int parts[3][2] = {{6, 4}, {3, 2}, {0, 2}};
    for (const auto& part : parts) {
        const int d = datePart(a, part[0], part[1]) - datePart(b, part[0], part[1]);
        if (d != 0)
            return sign(d);
    }
    return 0;
}

}  // namespace

bool IsNumberText(const QString& text)
{
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

bool IsDateText(const QString& text)
{
    if (text.size() != 10)
        return false;
    for (int i = 0; i < 10; ++i) {
        const bool slash = i == 2 || i == 5;
        if (slash ? text[i] != QLatin1Char('/') : !isDigit(text[i]))
            return false;
    }
    return true;
}

int leadingNumber(const QString& text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int CompareRows(const QString& a, const QString& b, bool ascending)
{
    const QString& first = ascending ? a : b;
    const QString& second = ascending ? b : a;
    if (IsNumberText(first))
        return sign(static_cast<long long>(leadingNumber(first)) - leadingNumber(second));
    if (IsDateText(first))
        return compareDates(first, second);
    return sign(QString::localeAwareCompare(first, second));
}

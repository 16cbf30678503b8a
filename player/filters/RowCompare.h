// How the sortable list orders two rows by one column's texts. The kind of comparison is
// chosen by the first text alone: a number text compares as integers, a date text
// (dd/mm/yyyy) as dates, anything else as text in the user's locale, case counting.
#pragma once

#include <QString>

// Every character a decimal digit; the empty text counts as a number (0).
bool IsNumberText(const QString& text);
// Exactly 10 characters: digits at 0, 1, 3, 4, 6, 7, 8, 9 and "/" at 2 and 5.
bool IsDateText(const QString& text);
// The integer at the start of text as atoi reads it (blanks, a sign, digits); 0 when there
// are none. Values beyond the int range saturate.
int leadingNumber(const QString& text);

// -1, 0 or 1 as a sorts before, with or after b. A descending sort swaps the operands first,
// so the kind of comparison then follows b.
int CompareRows(const QString& a, const QString& b, bool ascending);

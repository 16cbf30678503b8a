// How the sortable list compares two texts of a column: numbers, dd/mm/yyyy dates and text,
// the kind chosen by the first text alone.
#include "RowCompare.h"

#include <gtest/gtest.h>

TEST(RowCompare, NumbersCompareByValueWhenTheFirstTextIsANumber)
{
    EXPECT_EQ(CompareRows("10", "9", true), 1);   // 9 before 10
    EXPECT_EQ(CompareRows("9", "10", true), -1);
    EXPECT_EQ(CompareRows("007", "7", true), 0);
    // The same pair as text puts "10" first.
    EXPECT_EQ(CompareRows("x10", "x9", true), -1);
    // A number first decides for numbers even against a word, which counts as 0.
    EXPECT_EQ(CompareRows("10", "abc", true), 1);
    // A word first decides for text.
    EXPECT_GT(CompareRows("abc", "10", true), 0);
    EXPECT_EQ(CompareRows("abc", "abc", true), 0);
}

TEST(RowCompare, EmptyTextIsTheNumberZero)
{
    EXPECT_TRUE(IsNumberText(""));
    EXPECT_EQ(CompareRows("", "5", true), -1);
    EXPECT_EQ(CompareRows("", "", true), 0);
    EXPECT_EQ(CompareRows("", "abc", true), 0);
    EXPECT_EQ(CompareRows("0", "", true), 0);
}

TEST(RowCompare, DatesCompareByYearThenMonthThenDay)
{
    EXPECT_TRUE(IsDateText("01/02/2003"));
    EXPECT_EQ(CompareRows("01/02/2003", "31/12/2002", true), 1);  // 2002 first
    EXPECT_EQ(CompareRows("31/12/2002", "01/02/2003", true), -1);
    EXPECT_EQ(CompareRows("01/03/2003", "31/02/2003", true), 1);  // month before day
    EXPECT_EQ(CompareRows("02/03/2003", "01/03/2003", true), 1);
    EXPECT_EQ(CompareRows("01/02/2003", "01/02/2003", true), 0);
    for (const char* notDate : {"1/02/2003", "01-02-2003", "01/02/03", "01/02/2003 ", "aa/bb/cccc"})
        EXPECT_FALSE(IsDateText(notDate)) << notDate;
    // As text, the same pair would go the other way round.
    EXPECT_LT(QString::localeAwareCompare("01/02/2003", "31/12/2002"), 0);
}

TEST(RowCompare, DescendingSwapsTheOperandsAndSoTheTextThatDecides)
{
    EXPECT_EQ(CompareRows("10", "9", false), -1);
    EXPECT_EQ(CompareRows("01/02/2003", "31/12/2002", false), -1);
    EXPECT_LT(CompareRows("b", "a", false), 0);
    // Now the second text picks the kind: "abc" makes it a text comparison.
    EXPECT_EQ(CompareRows("10", "abc", false), QString::localeAwareCompare("abc", "10") > 0 ? 1 : -1);
}

TEST(RowCompare, LeadingNumberReadsAsAtoiDoes)
{
    EXPECT_EQ(leadingNumber("  -12px"), -12);
    EXPECT_EQ(leadingNumber("300"), 300);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("99999999999"), 2147483647);
}

#include "workbook/CellAddress.h"

#include "workbook/FormulaReferences.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace kestrune::workbook;

namespace {

std::optional<CellPosition> Parse(const char16_t* address) {
    return ParseCellAddress(QString::fromUtf16(address));
}

TEST(CellAddressTest, ReadsOneToThreeLettersWithOrWithoutDollarMarks) {
    EXPECT_EQ(Parse(u"A1"), (CellPosition{1, 1}));
    EXPECT_EQ(Parse(u"b7"), (CellPosition{7, 2}));
    EXPECT_EQ(Parse(u"Z3"), (CellPosition{3, 26}));
    EXPECT_EQ(Parse(u"AA10"), (CellPosition{10, 27}));
    EXPECT_EQ(Parse(u"AZ1"), (CellPosition{1, 52}));
    EXPECT_EQ(Parse(u"XFD1048576"), (CellPosition{1048576, 16384}));
    EXPECT_EQ(Parse(u"$C$12"), (CellPosition{12, 3}));
    EXPECT_EQ(Parse(u"C$12"), (CellPosition{12, 3}));
}

TEST(CellAddressTest, RefusesWhatNamesNoCell) {
    for (const char16_t* bad : {u"", u"A", u"12", u"A0", u"ABCD1", u"XFE1", u"A1048577", u"1A",
                                u"A1B", u" A1", u"A 1", u"$$A1", u"A-1", u"工1", u"A1:B2"})
        EXPECT_FALSE(ParseCellAddress(QString::fromUtf16(bad)).has_value())
            << QString::fromUtf16(bad).toStdString();
}

TEST(CellAddressTest, WritesColumnLettersAndAddresses) {
    EXPECT_EQ(ColumnLetters(1), u"A");
    EXPECT_EQ(ColumnLetters(26), u"Z");
    EXPECT_EQ(ColumnLetters(27), u"AA");
    EXPECT_EQ(ColumnLetters(702), u"ZZ");
    EXPECT_EQ(ColumnLetters(703), u"AAA");
    EXPECT_EQ(ColumnLetters(16384), u"XFD");
    EXPECT_EQ(CellAddressOf(7, 2), u"B7");
}

QString Shifted(const QString& formula, int row, int count) {
    return RewriteReferences(formula, [&](const Reference& reference) {
        return std::optional(FormatReference(ShiftedForInsertedRows(reference, row, count)));
    });
}

TEST(FormulaReferencesTest, InsertedRowsMoveReferencesAndGrowSpanningRanges) {
    EXPECT_EQ(Shifted(QStringLiteral("SUM(B9:B10)"), 10, 2), u"SUM(B9:B12)");
    EXPECT_EQ(Shifted(QStringLiteral("B10+$C$11*2-A9"), 10, 2), u"B12+$C$13*2-A9");
    EXPECT_EQ(Shifted(QStringLiteral("SUM($3:$12)+COUNT(B:B)"), 10, 1), u"SUM($3:$13)+COUNT(B:B)");
    // Texts, function names and numbers are no references.
    EXPECT_EQ(Shifted(QStringLiteral("IF(A10=\"A10\",LOG10(100),10)"), 10, 1),
              u"IF(A11=\"A10\",LOG10(100),10)");
    EXPECT_EQ(Shifted(QStringLiteral("'年 报'!C10&Sheet1!D12"), 10, 1), u"'年 报'!C11&Sheet1!D13");
}

TEST(FormulaReferencesTest, TellsTheSheetOfEachReference) {
    QStringList seen;
    RewriteReferences(QStringLiteral("'It''s'!A1+B2+[1]Other!C3"), [&](const Reference& reference) {
        seen << reference.sheet + u'|' + QString::fromLatin1(reference.external ? "x" : "-");
        return std::optional<QString>();
    });
    EXPECT_EQ(seen, (QStringList{QStringLiteral("It's|-"), QStringLiteral("|-"),
                                 QStringLiteral("Other|x")}));
    EXPECT_EQ(SheetPrefix(QStringLiteral("Sheet1")), u"Sheet1!");
    EXPECT_EQ(SheetPrefix(QStringLiteral("年报")), u"'年报'!");
    EXPECT_EQ(SheetPrefix(QStringLiteral("A1")), u"'A1'!");
}

} // namespace

#include <gtest/gtest.h>

#include "store/amounts.h"

namespace {

TEST(Amounts, AnItemCountsItsPriceWithTaxAddedHalfToEven) {
    ZEMLO_REC r;
    r.TAX_K = 1;
    r.TAX = 10;
    r.B_MONY = 15;  // 16.5 -> 16
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), 16);
    r.B_MONY = 25;  // 27.5 -> 28
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), 28);
    r.B_MONY = 20000000;  // past the 32-bit product
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), 22000000);
    r.B_MONY = 2147483647;
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), 2362232012LL);
    r.B_MONY = -100;  // no price: counted only where the rule says so
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), -110);
    EXPECT_EQ(ZEMLO_AMOUNT(r, true), 0);
    r.B_MONY = -15;  // -16.5 -> -16, half to even below 0 too
    EXPECT_EQ(ZEMLO_AMOUNT(r, false), -16);
    r.TAX_K = 2;
    r.B_MONY = 9500;
    EXPECT_EQ(ZEMLO_AMOUNT(r, true), 9500);
    r.TAX_K = 0;  // no tax mode chosen: the price as stored
    r.B_MONY = -5;
    EXPECT_EQ(ZEMLO_AMOUNT(r, true), -5);

    EXPECT_EQ(MONEY_TEXT(0), QString());
    EXPECT_EQ(MONEY_TEXT(999), QStringLiteral("999"));
    EXPECT_EQ(MONEY_TEXT(1000), QStringLiteral("1,000"));
    EXPECT_EQ(MONEY_TEXT(2362232012LL), QStringLiteral("2,362,232,012"));
    EXPECT_EQ(MONEY_TEXT(-1234567), QStringLiteral("-1,234,567"));
}

TEST(Amounts, UnitsTimesPriceRoundHalfToEvenIn64Bits) {
    struct Case {
        qint64 price, count, rate;
        bool taxOut;
        qint64 amount;
        const char* text;
    } cases[] = {{1000, 3, 10, true, 3300, "3,300"},
                 {5, 1, 10, true, 6, "6"},      // 5.5 -> 6
                 {15, 1, 10, true, 16, "16"},   // 16.5 -> 16
                 {10000, 1, 10, false, 10000, "10,000"},
                 {2147483647, 32767, 10, true, 77403256327374LL, "77,403,256,327,374"},
                 {0, 3, 10, true, 0, ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(ITEM_AMOUNT(c.price, c.count, c.taxOut, c.rate), c.amount) << c.price;
        EXPECT_EQ(MONEY_TEXT(c.amount), QString::fromUtf8(c.text));
    }
}

TEST(Amounts, MoneyTextWritesEveryAmountWholeAndAppendsToARow) {
    // The sums of the plans pass 64 bits and are still written whole.
    const __int128 past64 = __int128(INT64_MAX) + 1;
    EXPECT_EQ(MONEY_TEXT(past64), QStringLiteral("9,223,372,036,854,775,808"));
    EXPECT_EQ(MONEY_TEXT(-past64 * 1000), QStringLiteral("-9,223,372,036,854,775,808,000"));
    EXPECT_EQ(MONEY_TEXT(INT64_MIN), QStringLiteral("-9,223,372,036,854,775,808"));
    QString row = QStringLiteral("合計 ");
    MONEY_APPEND(row, 0);  // nothing for 0
    MONEY_APPEND(row, 1234);
    EXPECT_EQ(row, QStringLiteral("合計 1,234"));
}

TEST(Amounts, TaxTextByTaxMode) {
    struct Case {
        qint32 mode;
        qint64 rate;
        const char16_t* text;
    } cases[] = {{0, 10, u""}, {1, 10, u"外10%"}, {2, 8, u"内8%"}, {3, 10, u"無し"}, {7, 5, u"内5%"}, {1, 0, u"外0%"}};
    for (const Case& c : cases) {
        EXPECT_EQ(TAX_TEXT(c.mode, c.rate), QString::fromUtf16(c.text)) << c.mode;
        QString row = QStringLiteral("|");
        TAX_APPEND(row, c.mode, c.rate);
        EXPECT_EQ(row, QStringLiteral("|") + QString::fromUtf16(c.text));
    }
}

}  // namespace

#include "platform/era.h"

#include <gtest/gtest.h>

namespace {

TEST(EraCalendar, ChangesOnTheFirstDayOfEachEra) {
    const struct {
        QDate d;
        const char* letter;
        const char16_t* name;
        int year;
    } cases[] = {
        {QDate(1868, 1, 25), "M", u"明治", 1},   {QDate(1912, 7, 29), "M", u"明治", 45},
        {QDate(1912, 7, 30), "T", u"大正", 1},   {QDate(1926, 12, 24), "T", u"大正", 15},
        {QDate(1926, 12, 25), "S", u"昭和", 1},  {QDate(1989, 1, 7), "S", u"昭和", 64},
        {QDate(1989, 1, 8), "H", u"平成", 1},    {QDate(1997, 4, 1), "H", u"平成", 9},
        {QDate(2019, 4, 30), "H", u"平成", 31},  {QDate(2019, 5, 1), "R", u"令和", 1},
        {QDate(2020, 3, 31), "R", u"令和", 2},   {QDate(2100, 1, 1), "R", u"令和", 82},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(era::letter(c.d), QLatin1String(c.letter));
        EXPECT_EQ(era::name(c.d), QString::fromUtf16(c.name));
        EXPECT_EQ(era::year(c.d), c.year);
    }
}

TEST(EraCalendar, NoEraBeforeMeijiOrForTheEmptyDate) {
    EXPECT_EQ(era::of(QDate(1868, 1, 24)), nullptr);
    EXPECT_EQ(era::letter(QDate(1800, 1, 1)), QString());
    EXPECT_EQ(era::year(QDate(1800, 1, 1)), 1800);
    EXPECT_EQ(era::of(QDate()), nullptr);
    EXPECT_EQ(era::name(QDate()), QString());
}

}  // namespace

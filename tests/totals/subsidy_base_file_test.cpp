// BASE.ZMD, the base figures of the promotion-subsidy report: its line form
// byte for byte, the order it is written in, and what becomes of lines of
// other years, of year 0 and of lines that are not of its form.
#include <QDir>

#include "platform/sjis.h"
#include "support/app_fixture.h"
#include "totals/subsidy_base_file.h"

namespace {

class SubsidyBaseFile : public AppFixture {
protected:
    // A record of `year` whose figures all derive from the year.
    static BASE_YEAR rec(qint16 year) {
        BASE_YEAR b;
        b.YEAR = year;
        b.R_BASE = year * 10;
        return b;
    }
    // The records of the window years 2020 to 2024.
    static BASE_RECORDS window() {
        BASE_RECORDS r{};
        for (int i = 1; i <= 5; ++i) r[size_t(i)].YEAR = qint16(2019 + i);
        return r;
    }
    // The first value of each line of `bytes`, in order.
    static QList<int> years(const QByteArray& bytes) {
        QList<int> out;
        for (const QByteArray& l : bytes.split('\n'))
            if (!l.isEmpty()) out << l.left(l.indexOf(',')).toInt();
        return out;
    }
    BASE_FILE readLines(const QStringList& lines) {
        writeSjisLines(dataPath("BASE.ZMD"), lines);
        return BASE_FILE_READ(dataPath("BASE.ZMD"));
    }
};

TEST_F(SubsidyBaseFile, ALineIsWrittenInTheRegistersFormByteForByte) {
    // 2023 with no amounts, 12 ordinary and 2 special-needs classes, 350 pupils, no texts.
    BASE_YEAR b;
    b.YEAR = 2023;
    b.CLASS_N = 12;
    b.CLASS_S = 2;
    b.PUPILS = 350;
    EXPECT_EQ(BASE_LINE_BYTES(b), QByteArray("2023,0,0,0,0,12,2,\"\",350,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));

    // Values 7 and 8 of the line are special-needs classes, then the kinds;
    // texts in Shift-JIS; a double quote typed into a text becomes ＂.
    BASE_YEAR c;
    c.YEAR = 2024;
    c.R_BASE = 2147483647;
    c.R_MIN = -5;
    c.S_BASE = 300000;
    c.S_MIN = 40;
    c.CLASS_N = 18;
    c.CLASS_KIND = QStringLiteral("知的・\"情緒\"");
    c.CLASS_S = 3;
    c.PUPILS = 512;
    c.MAKER = QStringLiteral("山田 花子");
    c.CHIEF = QStringLiteral("校長, 鈴木");
    const QByteArray bytes = BASE_LINE_BYTES(c);
    EXPECT_EQ(sjis::decode(bytes), QStringLiteral("2024,2147483647,-5,300000,40,18,3,\"知的・＂情緒＂\",512,\"山田 花子\",\"校長, 鈴木\","
                                                  "\"\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(sjis::encode(sjis::decode(bytes)), bytes);

    // And it reads back whole, the quote as ＂.
    writeBytes(dataPath("BASE.ZMD"), bytes);
    const BASE_FILE f = BASE_FILE_READ(dataPath("BASE.ZMD"));
    ASSERT_EQ(f.STATE, 1);
    ASSERT_EQ(f.LINES.size(), 1u);
    ASSERT_TRUE(f.LINES[0].PARSED);
    BASE_YEAR back = c;
    back.CLASS_KIND = QStringLiteral("知的・＂情緒＂");
    EXPECT_EQ(f.LINES[0].REC, back);
    EXPECT_EQ(f.BAD_COUNT, 0);
}

TEST_F(SubsidyBaseFile, WindowYearsNewestFirstThenEveryOtherYearInReverse) {
    // The years 2023 down to 2015, newest first, saved with the window years
    // 2020 to 2024: the window's figures, then 2015 to 2019 in reverse order.
    QStringList lines;
    for (int y = 2023; y >= 2015; --y) lines << QString::fromLatin1(BASE_LINE_BYTES(rec(qint16(y)))).trimmed();
    const BASE_FILE old = readLines(lines);
    BASE_RECORDS recs = window();
    BASE_FILE_APPLY(old, recs);
    EXPECT_EQ(recs[1], rec(2020));
    EXPECT_EQ(recs[4], rec(2023));
    EXPECT_EQ(recs[5], window()[5]);  // no line of 2024
    const QByteArray out = BASE_FILE_BYTES(recs, old);
    EXPECT_EQ(years(out), (QList<int>{2024, 2023, 2022, 2021, 2020, 2015, 2016, 2017, 2018, 2019}));

    // Every year is kept however many the file holds (forty years of lines).
    lines.clear();
    for (int y = 2019; y >= 1980; --y) lines << QString::fromLatin1(BASE_LINE_BYTES(rec(qint16(y)))).trimmed();
    const QByteArray many = BASE_FILE_BYTES(window(), readLines(lines));
    EXPECT_EQ(years(many).size(), 45);
    EXPECT_TRUE(many.contains(BASE_LINE_BYTES(rec(1980))));
}

TEST_F(SubsidyBaseFile, LaterYearsDuplicatesYearZeroAndBrokenLines) {
    const BASE_FILE old = readLines({
        "2026,1,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",   // a year after the window (clock set back)
        "2022,111,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
        "0,5,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",      // year 0
        "",                                                              // a blank line
        "2019,7,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
        "2018,abc,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",  // not a number
        "2022,222,0,0,0,1,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",  // the same window year again
        "2017,1,2,3",                                                    // values missing
        "2019,8,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"",   // an older year twice
    });
    EXPECT_EQ(old.STATE, 1);
    EXPECT_EQ(old.LINES.size(), 8u);
    EXPECT_EQ(old.BAD_COUNT, 2);
    EXPECT_EQ(old.FIRST_BAD, 6);

    BASE_RECORDS recs = window();
    BASE_FILE_APPLY(old, recs);
    EXPECT_EQ(recs[3].R_BASE, 222);  // the later line of 2022
    EXPECT_EQ(recs[3].CLASS_N, 1);
    EXPECT_EQ(recs[0].YEAR, 0);      // the year-0 line fills nothing

    const QByteArray out = BASE_FILE_BYTES(recs, old);
    // Window years, then the other lines from the last to the first: the
    // broken ones as they stood, no year 0, 2022 once, the later year kept.
    EXPECT_EQ(years(out), (QList<int>{2024, 2023, 2022, 2021, 2020, 2019, 2017, 2018, 2019, 2026}));
    EXPECT_TRUE(out.contains("\r\n2017,1,2,3\r\n"));
    EXPECT_TRUE(out.contains("\r\n2018,abc,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_FALSE(out.contains("\r\n0,"));
    EXPECT_EQ(out.count("\r\n2022,"), 1);
}

TEST_F(SubsidyBaseFile, NoFileAndAFileThatCannotBeRead) {
    EXPECT_EQ(BASE_FILE_READ(dataPath("BASE.ZMD")).STATE, 0);
    // No file: the five window years, all figures 0.
    const QByteArray fresh = BASE_FILE_BYTES(window(), BASE_FILE{});
    EXPECT_EQ(years(fresh), (QList<int>{2024, 2023, 2022, 2021, 2020}));
    EXPECT_TRUE(fresh.startsWith("2024,0,0,0,0,0,0,\"\",0,\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n2023,"));
    // Records that never got their years write nothing.
    EXPECT_TRUE(BASE_FILE_BYTES(BASE_RECORDS{}, BASE_FILE{}).isEmpty());

    ASSERT_TRUE(QDir().mkpath(dataPath("BASE.ZMD")));  // something that is not a file
    EXPECT_EQ(BASE_FILE_READ(dataPath("BASE.ZMD")).STATE, -1);
}

}  // namespace

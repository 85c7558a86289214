#include <gtest/gtest.h>

#include "platform/csv.h"
#include "platform/sjis.h"

TEST(Csv, CanonicalValuesRoundTrip) {
    csv::Writer w;
    w.integer(12).single(0.5f).single(-2.5f).single(12.0f).text(QStringLiteral("備品\"A\"")).date(QDate(2024, 4, 1)).date(QDateTime()).endLine();
    EXPECT_EQ(w.textContent(), QStringLiteral("12,.5,-2.5,12,\"備品＂A＂\",#2024-04-01#,#1899-12-30#\r\n"));
    csv::Reader r(w.textContent());
    EXPECT_EQ(r.readInt32(), 12);
    EXPECT_FLOAT_EQ(r.readSingle(), 0.5f);
    EXPECT_FLOAT_EQ(r.readSingle(), -2.5f);
    EXPECT_FLOAT_EQ(r.readSingle(), 12.0f);
    EXPECT_EQ(r.readString(), QStringLiteral("備品＂A＂"));
    EXPECT_EQ(r.readDate().date(), QDate(2024, 4, 1));
    EXPECT_FALSE(r.readDate().isValid());
    EXPECT_TRUE(r.atEnd());
}

TEST(Csv, ReaderAcceptsLooseForms) {
    csv::Reader r(QStringLiteral("0.5,#00:00:00#,,\"7\"\r\n 3 ,\"x\"\n#2020-01-02 10:11:12#"));
    EXPECT_FLOAT_EQ(r.readSingle(), 0.5f);
    EXPECT_FALSE(r.readDate().isValid());
    EXPECT_EQ(r.readInt16(), 0);
    EXPECT_EQ(r.readInt16(), 7);
    EXPECT_EQ(r.readInt16(), 3);
    EXPECT_EQ(r.readString(), QStringLiteral("x"));
    EXPECT_EQ(r.readDate(), QDateTime(QDate(2020, 1, 2), QTime(10, 11, 12), Qt::UTC));
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(r.readString(), csv::ReadError);
}

TEST(Csv, ReaderRefusesWrongKindsAndRanges) {
    EXPECT_THROW(csv::Reader(QStringLiteral("\"abc\"")).readInt16(), csv::ReadError);
    EXPECT_THROW(csv::Reader(QStringLiteral("40000")).readInt16(), csv::ReadError);
    EXPECT_THROW(csv::Reader(QStringLiteral("\"x\"")).readDate(), csv::ReadError);
    EXPECT_EQ(csv::Reader(QStringLiteral("2.5")).readInt16(), 2);
    EXPECT_EQ(csv::Reader(QStringLiteral("3.5")).readInt16(), 4);
}

TEST(Sjis, WindowsMappingAndUnencodable) {
    QByteArray b = sjis::encode(QStringLiteral("あ～－①髙"));
    EXPECT_EQ(b, QByteArray("\x82\xA0\x81\x60\x81\x7C\x87\x40\xFB\xFC"));
    EXPECT_EQ(sjis::decode(b), QStringLiteral("あ～－①髙"));
    EXPECT_EQ(sjis::encode(QString::fromUtf8("a😀𠮷b")), QByteArray("a??b"));
    EXPECT_EQ(sjis::firstUnencodable(QString::fromUtf8("ab😀")), QString::fromUtf8("😀"));
    EXPECT_EQ(sjis::decode(QByteArray("\x82\xA0\x82\xFF" "A\xFF", 6)), QStringLiteral("あ??A?"));
}

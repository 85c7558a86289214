// The fast scanner and writer must read and write exactly as csv::Reader and
// csv::Writer do: both are driven side by side over random input.
#include "platform/csv_scan.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/csv.h"
#include "platform/sjis.h"

namespace {

QString randomField(std::mt19937& rng) {
    static const char16_t* texts[] = {u"理科室", u"ＰＣ－９８", u"a,b", u"", u"  sp  ", u"ｶﾞｷﾞ", u"line\nbreak", u"😀",
                                      u"＂", u"～", u"?"};
    static const char* bare[] = {"12", "-5", ".5", "0.5", "-2.5", "2.5", "", "1e3", "abc", "99999999999", "32768",
                                 "-32769", " 7 ", "+3", "-", "1.2.3", "0x10", "007", "2147483648"};
    static const char* dates[] = {"2024-06-15", "1899-12-30", "00:00:00", "2024-02-30", "2024/6/5", "2024-06-15 10:30:00",
                                  "garbage", "", "12:00", "2024-6-5 9:05", "0000-01-01"};
    switch (rng() % 4) {
        case 0: return QLatin1Char('"') + QString::fromUtf16(texts[rng() % std::size(texts)]) + QLatin1Char('"');
        case 1: return QLatin1String(bare[rng() % std::size(bare)]);
        case 2: return QLatin1Char('#') + QLatin1String(dates[rng() % std::size(dates)]) + QLatin1Char('#');
        default: {
            static const char* odd[] = {"\"open", "#2024-01-01", "\"x\"tail", " ", "\x1a", "#x#y"};
            return QLatin1String(odd[rng() % std::size(odd)]);
        }
    }
}

QString randomText(std::mt19937& rng) {
    QString s;
    const int n = int(rng() % 30);
    static const char* seps[] = {",", ",", ",", "\r\n", "\n", "\r", " , ", "\t,"};
    for (int i = 0; i < n; ++i) s += randomField(rng) + QLatin1String(seps[rng() % std::size(seps)]);
    return s;
}

template <class R>
QString step(R& r, int op, qint64 lo, qint64 hi) {
    try {
        switch (op) {
            case 0: return QStringLiteral("s:") + r.readString();
            case 1: return QStringLiteral("i:") + QString::number(r.readInteger(lo, hi));
            case 2: return QStringLiteral("f:") + QString::number(double(r.readSingle()), 'g', 9);
            case 3: return QStringLiteral("d:") + r.readDate().toString(Qt::ISODate);
            case 4: {
                bool isDate = false;
                QDateTime d = r.readDateIfDate(&isDate);
                return QStringLiteral("D:%1:").arg(isDate) + d.toString(Qt::ISODate);
            }
            case 5: r.skip(); return QStringLiteral("skip");
            default: return QStringLiteral("end:%1").arg(r.atEnd());
        }
    } catch (const csv::ReadError&) {
        return QStringLiteral("error");
    }
}

TEST(CsvScanner, ReadsExactlyAsTheReader) {
    std::mt19937 rng(4711);
    for (int round = 0; round < 3000; ++round) {
        const QString text = randomText(rng);
        const QByteArray bytes = sjis::encode(text);
        ASSERT_EQ(csv::decodeFast(bytes), sjis::decode(bytes)) << bytes.toHex().toStdString();
        csv::Reader a = csv::Reader::fromBytes(bytes);
        csv::Scanner b = csv::Scanner::fromBytes(bytes);
        QString trace;
        for (int k = 0; k < 40; ++k) {
            const int op = int(rng() % 7);
            const qint64 lo = rng() % 2 ? -32768 : INT32_MIN, hi = rng() % 2 ? 32767 : INT32_MAX;
            const QString ra = step(a, op, lo, hi), rb = step(b, op, lo, hi);
            trace += QStringLiteral("%1:%2|%3 ").arg(op).arg(ra, rb);
            ASSERT_EQ(ra, rb) << "round " << round << " op " << op << " in " << bytes.toHex().toStdString() << "\n" << trace.toStdString();
            ASSERT_EQ(a.lineNumber(), b.lineNumber());
            if (ra == QLatin1String("error")) {
                const bool endA = a.atEnd(), endB = b.atEnd();
                ASSERT_EQ(endA, endB);
                if (endA) break;
            }
        }
    }
}

TEST(CsvScanner, DecodesAndEncodesAsTheCodec) {
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        QByteArray b;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i) {
            switch (rng() % 6) {
                case 0: b += char(0x20 + rng() % 0x5F); break;
                case 1: b += char(0xA1 + rng() % 0x3F); break;                                // half-width kana
                case 2: b += char(0x81 + rng() % 0x1F); b += char(0x40 + rng() % 0xBD); break;  // pairs, some invalid
                case 3: b += char(0xE0 + rng() % 0x1D); b += char(0x40 + rng() % 0xBD); break;
                case 4: b += "\x82\xa0\x88\x9f"; break;                                       // あ亜
                default: b += char(rng() % 256); break;                                       // anything
            }
        }
        const QString slow = sjis::decode(b);
        ASSERT_EQ(csv::decodeFast(b), slow) << b.toHex().toStdString();
        ASSERT_EQ(csv::encodeFast(slow), sjis::encode(slow)) << b.toHex().toStdString();
    }
    const QString odd = QString::fromUtf16(u"a😀b\xD800c¥\u00A0ｶﾞ＂～−");
    EXPECT_EQ(csv::encodeFast(odd), sjis::encode(odd));
}

TEST(CsvScanner, FastWriterWritesTheWritersBytes) {
    std::mt19937 rng(5);
    const QString texts[] = {QString(), QStringLiteral("理科室"), QStringLiteral("say \"hi\""), QStringLiteral("a\r\nb"),
                             QString::fromUtf16(u"😀x\xDC00"), QString::fromUtf16(u"ｶﾞ￥¥")};
    const QDateTime dates[] = {QDateTime(), QDateTime(QDate(2024, 6, 15), QTime(0, 0), Qt::UTC),
                               QDateTime(QDate(2024, 6, 15), QTime(10, 5, 9), Qt::UTC)};
    csv::Writer a;
    csv::FastWriter b;
    for (int i = 0; i < 500; ++i) {
        switch (rng() % 6) {
            case 0: {
                const QString& t = texts[rng() % std::size(texts)];
                a.text(t);
                b.text(t);
                break;
            }
            case 1: {
                const qint64 v = qint64(rng()) - qint64(rng()) * 1000;
                a.integer(v);
                b.integer(v);
                break;
            }
            case 2: {
                const float v = float(int(rng() % 2001) - 1000) / 8.0f;
                a.single(v);
                b.single(v);
                break;
            }
            case 3: {
                const QDateTime& d = dates[rng() % std::size(dates)];
                a.date(d);
                b.date(d);
                break;
            }
            case 4:
                a.date(QDate(2019, 5, 1));
                b.date(QDate(2019, 5, 1));
                break;
            default:
                a.endLine();
                b.endLine();
        }
    }
    a.integer(INT64_MIN);
    b.integer(INT64_MIN);
    EXPECT_EQ(b.bytes(), a.bytes());
}

}  // namespace

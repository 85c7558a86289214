#include "platform/csv.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <memory>
#include <random>

#include "platform/sjis.h"
#include "platform/sjis_codec_tables.h"

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
    EXPECT_THROW(csv::Reader(QStringLiteral("32768")).readInt16(), csv::ReadError);
    EXPECT_THROW(csv::Reader(QStringLiteral("-32769")).readInt16(), csv::ReadError);
    EXPECT_EQ(csv::Reader(QStringLiteral("-32768")).readInt16(), -32768);
    EXPECT_THROW(csv::Reader(QStringLiteral("\"x\"")).readDate(), csv::ReadError);
    EXPECT_EQ(csv::Reader(QStringLiteral("2.5")).readInt16(), 2);
    EXPECT_EQ(csv::Reader(QStringLiteral("3.5")).readInt16(), 4);
}

namespace {

// One value of the file and what each way of reading it gives.
struct Field {
    const char16_t* raw;
    const char16_t* asString;  // readString
    const char16_t* asInteger;  // readInteger(INT32_MIN, INT32_MAX)
    const char16_t* asSingle;  // readSingle
    const char16_t* asDate;  // readDate
    const char16_t* asDateIfDate;  // readDateIfDate: "flag:date"
};

constexpr const char16_t* E = u"error";

const Field kFields[] = {
    {u"\"理科室\"", u"理科室", E, E, E, u"0:"},
    {u"\"ＰＣ－９８\"", u"ＰＣ－９８", E, E, E, u"0:"},
    {u"\"a,b\"", u"a,b", E, E, E, u"0:"},
    {u"\"\"", u"", u"0", u"0", E, u"0:"},
    {u"\"  sp  \"", u"  sp  ", E, E, E, u"0:"},
    {u"\"ｶﾞｷﾞ\"", u"ｶﾞｷﾞ", E, E, E, u"0:"},
    {u"\"line\nbreak\"", u"line\nbreak", E, E, E, u"0:"},
    {u"\"＂～?\"", u"＂～?", E, E, E, u"0:"},
    {u"\"7\"", u"7", u"7", u"7", E, u"0:"},
    {u"12", u"12", u"12", u"12", E, u"0:"},
    {u"-5", u"-5", u"-5", u"-5", E, u"0:"},
    {u".5", u".5", u"0", u"0.5", E, u"0:"},
    {u"0.5", u"0.5", u"0", u"0.5", E, u"0:"},
    {u"-2.5", u"-2.5", u"-2", u"-2.5", E, u"0:"},
    {u"2.5", u"2.5", u"2", u"2.5", E, u"0:"},
    {u"1.5", u"1.5", u"2", u"1.5", E, u"0:"},
    {u"", u"", u"0", u"0", E, u"0:"},
    {u"1e3", u"1e3", u"1000", u"1000", E, u"0:"},
    {u"abc", u"abc", E, E, E, u"0:"},
    {u"99999999999", u"99999999999", E, u"99999997952", E, u"0:"},
    {u"2147483647", u"2147483647", u"2147483647", u"2147483648", E, u"0:"},
    {u"2147483648", u"2147483648", E, u"2147483648", E, u"0:"},
    {u" 7 ", u"7", u"7", u"7", E, u"0:"},
    {u"+3", u"+3", u"3", u"3", E, u"0:"},
    {u"-", u"-", E, E, E, u"0:"},
    {u"1.2.3", u"1.2.3", E, E, E, u"0:"},
    {u"007", u"007", u"7", u"7", E, u"0:"},
    {u"1e39", u"1e39", E, E, E, u"0:"},
    {u"#2024-06-15#", u"#2024-06-15#", E, E, u"2024-06-15T00:00:00Z", u"1:2024-06-15T00:00:00Z"},
    {u"#1899-12-30#", u"#1899-12-30#", E, E, u"", u"1:"},
    {u"#00:00:00#", u"#00:00:00#", E, E, u"", u"1:"},
    {u"#12:00#", u"#12:00#", E, E, u"", u"1:"},
    {u"#2024-02-30#", u"#2024-02-30#", E, E, E, u"0:"},
    {u"#2024/6/5#", u"#2024/6/5#", E, E, u"2024-06-05T00:00:00Z", u"1:2024-06-05T00:00:00Z"},
    {u"#2024-06-15 10:30:00#", u"#2024-06-15 10:30:00#", E, E, u"2024-06-15T10:30:00Z", u"1:2024-06-15T10:30:00Z"},
    {u"#2024-6-5 9:05#", u"#2024-6-5 9:05#", E, E, u"2024-06-05T09:05:00Z", u"1:2024-06-05T09:05:00Z"},
    {u"#garbage#", u"#garbage#", E, E, E, u"0:"},
    {u"##", u"##", E, E, E, u"0:"},
    {u"#0000-01-01#", u"#0000-01-01#", E, E, E, u"0:"},
    {u"#x#y", u"#x#", E, E, E, u"0:"},
    {u"\"x\"tail", u"x", E, E, E, u"0:"},
};

QString step(csv::Reader& r, int op) {
    try {
        switch (op) {
            case 0: return r.readString();
            case 1: return QString::number(r.readInteger(INT32_MIN, INT32_MAX));
            case 2: return QString::number(double(r.readSingle()), 'g', 12);
            case 3: return r.readDate().toString(Qt::ISODate);
            case 5: return r.readSharedString();
            default: {
                bool isDate = false;
                const QDateTime d = r.readDateIfDate(&isDate);
                return QStringLiteral("%1:").arg(int(isDate)) + d.toString(Qt::ISODate);
            }
        }
    } catch (const csv::ReadError&) {
        return QStringLiteral("error");
    }
}

QString expected(const Field& f, int op) {
    const char16_t* e[] = {f.asString, f.asInteger, f.asSingle, f.asDate, f.asDateIfDate, f.asString};
    return QString::fromUtf16(e[op]);
}

}  // namespace

// Every kind of value read every way, one value per file, from a decoded
// text and from the file's bytes.
TEST(Csv, ReaderReadsEachValueEachWay) {
    for (const Field& f : kFields)
        for (int op = 0; op < 6; ++op) {
            const QString text = QString::fromUtf16(f.raw) + QLatin1Char(',');
            csv::Reader r(text);
            EXPECT_EQ(step(r, op), expected(f, op)) << text.toStdString() << " op " << op;
            csv::Reader b = csv::Reader::fromBytes(sjis::encode(text));
            EXPECT_EQ(step(b, op), expected(f, op)) << text.toStdString() << " op " << op << " from bytes";
        }
}

// Random files of known values between every kind of separator, read back
// through Shift-JIS: each value reads as it would alone, a value of the
// wrong kind is an error that still consumes it, and the line number follows
// every line end (also those inside a quoted text).
TEST(Csv, ReaderReadsRandomFilesValueByValue) {
    std::mt19937 rng(4711);
    static const char* seps[] = {",", ",", ",", "\r\n", "\n", "\r", " , ", "\t,"};
    for (int round = 0; round < 3000; ++round) {
        const int n = 1 + int(rng() % 30);
        std::vector<int> fields, sepOf;
        QString text;
        for (int i = 0; i < n; ++i) {
            int field = int(rng() % std::size(kFields));
            // A lone CR before an empty value and an LF would be one CRLF line end.
            if (i > 0 && sepOf.back() == 5 && kFields[field].raw[0] == 0) field = 0;
            fields.push_back(field);
            sepOf.push_back(int(rng() % std::size(seps)));
            text += QString::fromUtf16(kFields[fields.back()].raw) + QLatin1String(seps[sepOf.back()]);
        }
        const QByteArray bytes = sjis::encode(text);
        ASSERT_EQ(sjis::decode(bytes), text);
        csv::Reader r = csv::Reader::fromBytes(bytes);
        int line = 0;
        for (int i = 0; i < n; ++i) {
            const Field& f = kFields[fields[i]];
            const int op = int(rng() % 7);
            if (op == 6) {
                r.skip();
            } else {
                ASSERT_EQ(step(r, op), expected(f, op)) << "round " << round << " value " << i << " op " << op
                                                        << " in " << text.toStdString();
            }
            line += int(QString::fromUtf16(f.raw).count(u'\n'));
            if (QByteArray(seps[sepOf[i]]).contains('\r') || QByteArray(seps[sepOf[i]]).contains('\n')) ++line;
            ASSERT_EQ(r.lineNumber(), line) << "round " << round << " value " << i << " in " << text.toStdString();
        }
        ASSERT_TRUE(r.atEnd());
        ASSERT_THROW(r.readString(), csv::ReadError);
    }
}

// Equal texts read through one reader share one string; the strings are
// the values whatever their number (the reader keeps a bounded table).
TEST(Csv, SharedStringsAreTheValues) {
    QString text;
    const int n = 100000;
    for (int i = 0; i < n; ++i) text += QStringLiteral("\"理科室\", 理科室 ,\"棚%1\",#2024-01-02#\r\n").arg(i);
    for (int fromBytes = 0; fromBytes < 2; ++fromBytes) {
        SCOPED_TRACE(fromBytes);
        csv::Reader r = fromBytes ? csv::Reader::fromBytes(sjis::encode(text)) : csv::Reader(text);
        const QString first = r.readSharedString();
        const QString bare = r.readSharedString();
        EXPECT_EQ(first, QStringLiteral("理科室"));
        EXPECT_EQ(bare, QStringLiteral("理科室"));
        EXPECT_EQ(r.readSharedString(), QStringLiteral("棚0"));
        EXPECT_EQ(r.readSharedString(), QStringLiteral("#2024-01-02#"));
        for (int i = 1; i < n; ++i) {
            const QString a = r.readSharedString();
            ASSERT_EQ(a, QStringLiteral("理科室"));
            EXPECT_TRUE(a.isSharedWith(first));
            ASSERT_EQ(r.readSharedString(), QStringLiteral("理科室"));
            ASSERT_EQ(r.readSharedString(), QStringLiteral("棚%1").arg(i));
            ASSERT_EQ(r.readSharedString(), QStringLiteral("#2024-01-02#"));
        }
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(Csv, ReaderStopsAtBrokenValuesOnTheirLine) {
    // An unterminated text or date is an error on the line it starts on.
    csv::Reader r(QStringLiteral("1,2\r\n\"ok\"\r\n3,\"open\r\nx"));
    r.skip();
    r.skip();
    EXPECT_EQ(r.readString(), QStringLiteral("ok"));
    EXPECT_EQ(r.readInt32(), 3);
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_THROW(r.readString(), csv::ReadError);
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_FALSE(r.atEnd());

    csv::Reader d(QStringLiteral("\"a\"\n\n#2024-01-01\n#"));
    EXPECT_EQ(d.readString(), QStringLiteral("a"));
    EXPECT_FALSE(d.atEnd());
    EXPECT_EQ(d.lineNumber(), 2);
    EXPECT_THROW(d.readDate(), csv::ReadError);
    EXPECT_EQ(d.lineNumber(), 2);

    // Blanks, line ends and the end-of-file mark after the last value are no value.
    csv::Reader e(QStringLiteral("5 \r\n \t\n\x1a"));
    EXPECT_EQ(e.readInt16(), 5);
    EXPECT_TRUE(e.atEnd());
    EXPECT_EQ(e.lineNumber(), 2);
    EXPECT_THROW(e.skip(), csv::ReadError);
}

TEST(Csv, WriterWritesExactBytes) {
    csv::Writer w;
    w.text(QStringLiteral("理科室")).integer(-7).integer(INT64_MIN).single(0.125f).single(-0.5f).single(0.0f);
    w.endLine();
    // What was written so far, taken in the middle, stays as it was.
    const QByteArray line1("\"\x97\x9D\x89\xC8\x8E\xBA\",-7,-9223372036854775808,.125,-.5,0\r\n");
    const QByteArray firstLine = w.bytes();
    EXPECT_EQ(firstLine, line1);
    w.text(QString::fromUtf16(u"ｶﾞ￥")).text(QString::fromUtf16(u"😀x\xDC00")).text(QString());
    w.date(QDateTime(QDate(2024, 6, 15), QTime(10, 5, 9), Qt::UTC)).date(QDate(2019, 5, 1)).date(QDate()).endLine();
    w.text(QStringLiteral("a\r\nb")).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"\x97\x9D\x89\xC8\x8E\xBA\",-7,-9223372036854775808,.125,-.5,0\r\n"
                                    "\"\xB6\xDE\x81\x8F\",\"?x?\",\"\",#2024-06-15 10:05:09#,#2019-05-01#,#1899-12-30#\r\n"
                                    "\"a  b\"\r\n"));
    EXPECT_EQ(firstLine, line1);
    // Dates of every year Qt knows, and times.
    csv::Writer d;
    d.date(QDate(1, 1, 1)).date(QDate(999, 12, 31)).date(QDate(-44, 3, 15)).date(QDate(12345, 6, 7));
    d.date(QDateTime(QDate(2024, 1, 2), QTime(23, 59, 59), Qt::UTC)).date(QDateTime(QDate(2024, 1, 2), QTime(0, 0, 1), Qt::UTC));
    EXPECT_EQ(d.bytes(), QByteArray("#0001-01-01#,#0999-12-31#,#-0044-03-15#,#12345-06-07#,#2024-01-02 23:59:59#,"
                                    "#2024-01-02 00:00:01#"));
    // A double quote inside a text is written as the full-width one.
    csv::Writer q;
    q.text(QStringLiteral("say \"hi\""));
    EXPECT_EQ(q.textContent(), QStringLiteral("\"say ＂hi＂\""));
    EXPECT_EQ(q.bytes(), "\"say " + sjis::encode(QStringLiteral("＂")) + "hi" + sjis::encode(QStringLiteral("＂")) + "\"");
}

// Random records written and read back give the same values, and the bytes
// are the Shift-JIS of the text each value stands for.
TEST(Csv, WriterOutputReadsBack) {
    std::mt19937 rng(5);
    const QString texts[] = {QString(), QStringLiteral("理科室"), QStringLiteral("say \"hi\""), QStringLiteral("a\r\nb"),
                             QString::fromUtf16(u"ｶﾞ￥～①髙"), QStringLiteral("  x  ")};
    const QString stored[] = {QString(), QStringLiteral("理科室"), QStringLiteral("say ＂hi＂"), QStringLiteral("a  b"),
                              QString::fromUtf16(u"ｶﾞ￥～①髙"), QStringLiteral("  x  ")};
    const QDateTime dates[] = {QDateTime(), QDateTime(QDate(2024, 6, 15), QTime(0, 0), Qt::UTC),
                               QDateTime(QDate(2024, 6, 15), QTime(10, 5, 9), Qt::UTC)};
    const char* dateText[] = {"#1899-12-30#", "#2024-06-15#", "#2024-06-15 10:05:09#"};
    for (int round = 0; round < 50; ++round) {
        csv::Writer w;
        QString text;
        bool lineStart = true;
        std::vector<std::pair<int, qint64>> written;  // kind, value or index
        for (int i = 0; i < 200; ++i) {
            const int kind = int(rng() % 5);
            if (kind == 4 && lineStart) continue;  // an empty line would read as an empty value
            if (kind < 4) {
                if (!lineStart) text += QLatin1Char(',');
                lineStart = false;
            }
            switch (kind) {
                case 0: {
                    const int k = int(rng() % std::size(texts));
                    w.text(texts[k]);
                    text += QLatin1Char('"') + stored[k] + QLatin1Char('"');
                    written.emplace_back(0, k);
                    break;
                }
                case 1: {
                    const qint64 v = qint64(rng()) - qint64(rng()) * 1000;
                    w.integer(v);
                    text += QString::number(v);
                    written.emplace_back(1, v);
                    break;
                }
                case 2: {
                    const int eighths = int(rng() % 2001) - 1000;
                    w.single(float(eighths) / 8.0f);
                    text += csv::formatSingle(eighths / 8.0);
                    written.emplace_back(2, eighths);
                    break;
                }
                case 3: {
                    const int k = int(rng() % std::size(dates));
                    w.date(dates[k]);
                    text += QLatin1String(dateText[k]);
                    written.emplace_back(3, k);
                    break;
                }
                default:
                    w.endLine();
                    text += QLatin1String("\r\n");
                    lineStart = true;
            }
        }
        ASSERT_EQ(w.bytes(), sjis::encode(text));
        ASSERT_EQ(w.textContent(), text);
        csv::Reader r = csv::Reader::fromBytes(w.bytes());
        for (const auto& [kind, v] : written) {
            switch (kind) {
                case 0: ASSERT_EQ(r.readString(), stored[v]); break;
                case 1: ASSERT_EQ(r.readInteger(INT64_MIN / 2, INT64_MAX / 2), v); break;
                case 2: ASSERT_EQ(r.readSingle(), float(v) / 8.0f); break;
                default: ASSERT_EQ(r.readDate(), dates[v]); break;
            }
        }
        ASSERT_TRUE(r.atEnd());
    }
}

TEST(Sjis, WindowsMappingAndUnencodable) {
    QByteArray b = sjis::encode(QStringLiteral("あ～－①髙"));
    EXPECT_EQ(b, QByteArray("\x82\xA0\x81\x60\x81\x7C\x87\x40\xFB\xFC"));
    EXPECT_EQ(sjis::decode(b), QStringLiteral("あ～－①髙"));
    EXPECT_EQ(sjis::encode(QString::fromUtf8("a😀𠮷b")), QByteArray("a??b"));
    EXPECT_EQ(sjis::encode(QString::fromUtf16(u"a\xD800" u"c")), QByteArray("a?c"));
    EXPECT_EQ(sjis::firstUnencodable(QString::fromUtf8("ab😀")), QString::fromUtf8("😀"));
    EXPECT_EQ(sjis::decode(QByteArray("\x82\xA0\x82\xFF" "A\xFF", 6)), QStringLiteral("あ??A?"));
    QByteArray appended("x");
    sjis::appendEncoded(appended, QString::fromUtf8("あ😀"));
    EXPECT_EQ(appended, QByteArray("x\x82\xA0?"));
}

// Random byte strings: where the platform codec reads them cleanly the text
// is the codec's, and encoding it gives the same bytes back; pieces the codec
// refuses read as "?" each.
TEST(Sjis, RandomBytesDecodeAsTheCodecAndRoundTrip) {
    struct Piece {
        QByteArray bytes;
        QString text;
    };
    const Piece pieces[] = {
        {"A", QStringLiteral("A")},
        {"\xB6\xDE", QString::fromUtf16(u"ｶﾞ")},
        {"\x82\xA0\x88\x9F", QStringLiteral("あ亜")},
        {"\x87\x40", QStringLiteral("①")},
        {"\xFB\xFC", QStringLiteral("髙")},
        {"\x82\xFF", QStringLiteral("??")},  // a lead byte before a byte that cannot follow it
        {"\xFF", QStringLiteral("?")},
        {",\r\n", QStringLiteral(",\r\n")},
    };
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        QByteArray known;
        QString knownText;
        const int parts = int(rng() % 12);
        for (int i = 0; i < parts; ++i) {
            const Piece& p = pieces[rng() % std::size(pieces)];
            known += p.bytes;
            knownText += p.text;
        }
        ASSERT_EQ(sjis::decode(known), knownText) << known.toHex().toStdString();

        QByteArray b;
        const int n = int(rng() % 40);
        for (int i = 0; i < n; ++i) {
            switch (rng() % 5) {
                case 0: b += char(0x20 + rng() % 0x5F); break;
                case 1: b += char(0xA1 + rng() % 0x3F); break;                                  // half-width kana
                case 2: b += char(0x81 + rng() % 0x1F); b += char(0x40 + rng() % 0xBD); break;  // pairs, some invalid
                case 3: b += char(0xE0 + rng() % 0x1D); b += char(0x40 + rng() % 0xBD); break;
                default: b += char(rng() % 256); break;                                         // anything
            }
        }
        const QString text = sjis::decode(b);
        ASSERT_LE(text.size(), b.size());
        // The codec swaps the control codes 0x1A, 0x1C and 0x7F, which the
        // register keeps as they are (tested on their own).
        const bool swappedControls = b.contains('\x1A') || b.contains('\x1C') || b.contains('\x7F');
        QStringDecoder dec("windows-31j", QStringConverter::Flag::Stateless);
        const QString codec = dec.decode(b);
        if (!swappedControls && !dec.hasError() && !codec.contains(QChar(0xFFFD)) && !codec.contains(QChar(0x1A))) {
            ASSERT_EQ(text, codec) << b.toHex().toStdString();
            QStringEncoder enc("windows-31j", QStringConverter::Flag::Stateless);
            const QByteArray back = enc.encode(text);
            if (!enc.hasError() && !back.contains(QByteArray("\xFC\xFC", 2))) {
                ASSERT_EQ(sjis::encode(text), back) << b.toHex().toStdString();
            }
        }
        // Whatever was read is written the same way again once read back.
        const QByteArray once = sjis::encode(text);
        ASSERT_EQ(sjis::encode(sjis::decode(once)), once) << b.toHex().toStdString();
    }
}

// Input methods outside Windows type the JIS forms of seven characters;
// they are stored under the codes of the code-page forms Windows types, and
// read back in those forms.
TEST(Sjis, JisFormsAreStoredAsTheirCodePageForms) {
    const struct {
        char16_t typed;
        const char* bytes;
        char16_t read;
    } forms[] = {{0x301C, "\x81\x60", 0xFF5E}, {0x2212, "\x81\x7C", 0xFF0D}, {0x2016, "\x81\x61", 0x2225},
                 {0x2014, "\x81\x5C", 0x2015}, {0x00A2, "\x81\x91", 0xFFE0}, {0x00A3, "\x81\x92", 0xFFE1},
                 {0x00AC, "\x81\xCA", 0xFFE2}};
    for (const auto& f : forms) {
        SCOPED_TRACE(QString::number(f.typed, 16).toStdString());
        const QString typed(QChar(f.typed));
        EXPECT_TRUE(sjis::canEncode(typed));
        EXPECT_EQ(sjis::firstUnencodable(QStringLiteral("A") + typed), QString());
        EXPECT_EQ(sjis::encode(typed), QByteArray(f.bytes));
        EXPECT_EQ(sjis::decode(QByteArray(f.bytes)), QString(QChar(f.read)));
        // The code-page form keeps its code.
        EXPECT_EQ(sjis::encode(QString(QChar(f.read))), QByteArray(f.bytes));
    }
    EXPECT_EQ(sjis::encode(QString::fromUtf16(u"〜10−2")), QByteArray("\x81\x60" "10\x81\x7C" "2"));
}

// Every byte below 0x80, the control codes included, is the character of
// the same value and is written back as itself.
TEST(Sjis, EveryByteBelow0x80RoundTripsAsItself) {
    QByteArray all;
    for (int c = 0; c < 0x80; ++c) all += char(c);
    const QString text = sjis::decode(all);
    ASSERT_EQ(text.size(), 0x80);
    for (int c = 0; c < 0x80; ++c) EXPECT_EQ(text[c].unicode(), c) << "byte " << c;
    EXPECT_EQ(sjis::encode(text), all);
    EXPECT_TRUE(sjis::canEncode(text));
    // Between double-byte characters too.
    const QByteArray mixed("\x82\xA0\x1A\x82\xA2\x1C\x7F\x88\x9F", 9);
    EXPECT_EQ(sjis::decode(mixed), QString::fromUtf16(u"あ\x1Aい\x1C\x7F亜"));
    EXPECT_EQ(sjis::encode(sjis::decode(mixed)), mixed);
}

// The conversion tables compiled into the program are, entry for entry,
// those the platform codec gives (with the program's two corrections).
TEST(Sjis, CompiledTablesAreTheCodecs) {
    auto codec = std::make_unique<sjis::CodeTables>();
    sjis::fillFromCodec(*codec);
    const sjis::CodeTables& compiled = sjis::compiledTables();
    for (int c = 0; c < 64; ++c) ASSERT_EQ(compiled.kana[c], codec->kana[c]) << "kana " << c;
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = 0; trail < 256; ++trail)
            ASSERT_EQ(compiled.pair[lead][trail], codec->pair[lead][trail]) << "pair " << lead << " " << trail;
    int codes = 0;
    for (int c = 0; c < 65536; ++c) {
        ASSERT_EQ(compiled.code[c], codec->code[c]) << "character " << c;
        codes += compiled.code[c] != 0;
    }
    EXPECT_GT(codes, 7000);  // the whole page, not an empty table on both sides
    EXPECT_EQ(compiled.code[0x301C], 0x8160);
    EXPECT_EQ(compiled.pair[0x82][0xA0], u'あ');
}

#include "platform/csv_scan.h"

#include <cmath>
#include <cstring>

#include "platform/sjis.h"

namespace csv {
namespace {

inline bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
inline bool isEol(QChar c) { return c == u'\r' || c == u'\n'; }

// Plain decimal number (what QString::toDouble takes); empty reads as 0.
bool parseNumber(QStringView raw, double* out) {
    const QStringView t = raw.trimmed();
    if (t.isEmpty()) {
        *out = 0;
        return true;
    }
    // Fast path: an optional minus and up to 15 digits, exact as a double.
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == u'-') {
        negative = true;
        i = 1;
    }
    if (i < t.size() && t.size() - i <= 15) {
        qint64 v = 0;
        qsizetype j = i;
        for (; j < t.size(); ++j) {
            const char16_t c = t[j].unicode();
            if (c < u'0' || c > u'9') break;
            v = v * 10 + (c - u'0');
        }
        if (j == t.size()) {
            *out = negative ? -double(v) : double(v);
            return true;
        }
    }
    bool ok = false;
    const double v = t.toString().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

int digits(QStringView s, qsizetype at, int n) {
    int v = 0;
    for (int k = 0; k < n; ++k) {
        const char16_t c = s[at + k].unicode();
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// The date forms the reader takes; the same rules as csv::Reader.
bool parseDateText(QStringView raw, QDateTime* out, bool* empty) {
    const QStringView s = raw.trimmed();
    *empty = false;
    // Fast path: yyyy-mm-dd alone.
    if (s.size() == 10 && s[4] == u'-' && s[7] == u'-') {
        const int y = digits(s, 0, 4), m = digits(s, 5, 2), d = digits(s, 8, 2);
        if (y >= 0 && m >= 0 && d >= 0) {
            const QDate date(y, m, d);
            if (!date.isValid()) return false;
            if (date == QDate(1899, 12, 30)) {
                *empty = true;
                return true;
            }
            *out = QDateTime(date, QTime(0, 0), Qt::UTC);
            return true;
        }
    }
    static const char* dateForms[] = {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d"};
    static const char* timeForms[] = {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"};
    QString datePart = s.toString(), timePart;
    const qsizetype sp = datePart.indexOf(QLatin1Char(' '));
    if (sp >= 0) {
        timePart = datePart.mid(sp + 1).trimmed();
        datePart = datePart.left(sp);
    }
    if (!datePart.contains(QLatin1Char('-')) && !datePart.contains(QLatin1Char('/'))) {
        for (const char* f : timeForms)
            if (QTime::fromString(datePart, QLatin1String(f)).isValid()) {
                *empty = true;
                return true;
            }
        return false;
    }
    QDate d;
    for (const char* f : dateForms) {
        d = QDate::fromString(datePart, QLatin1String(f));
        if (d.isValid()) break;
    }
    if (!d.isValid()) return false;
    QTime t(0, 0);
    if (!timePart.isEmpty()) {
        t = QTime();
        for (const char* f : timeForms) {
            t = QTime::fromString(timePart, QLatin1String(f));
            if (t.isValid()) break;
        }
        if (!t.isValid()) return false;
    }
    if (d == QDate(1899, 12, 30) && t == QTime(0, 0)) {
        *empty = true;
        return true;
    }
    *out = QDateTime(d, t, Qt::UTC);
    return true;
}

// Table-driven Shift-JIS decoding. The tables are filled once from
// sjis::decode itself, one character at a time, so each entry is what the
// codec gives; a byte sequence without a clean entry sends the whole text
// back to sjis::decode, so odd files decode exactly as before.
struct SjisTables {
    char16_t single[256];  // 0 = not a clean one-byte character
    char16_t pair[256][256];  // [lead][trail], 0 = not a clean pair
    SjisTables() {
        for (int c = 0; c < 256; ++c) {
            single[c] = 0;
            if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
                const QString s = sjis::decode(QByteArray(1, char(c)));
                if (s.size() == 1 && s[0] != QChar(0x1A) && s[0] != QChar(0xFFFD) && (c == '?' || s[0] != u'?'))
                    single[c] = s[0].unicode();
            }
        }
        single[0] = 0;  // NUL is left to the codec
        std::memset(pair, 0, sizeof pair);
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            // A whole row at once; a row that does not come out clean is done pair by pair.
            QByteArray row;
            for (int t = 0x40; t <= 0xFC; ++t)
                if (t != 0x7F) row.append(char(lead)).append(char(t));
            const QString s = sjis::decode(row);
            bool clean = s.size() == row.size() / 2;
            for (QChar ch : s)
                if (ch == u'?' || ch == QChar(0xFFFD) || ch == QChar(0x1A) || ch.isSurrogate()) clean = false;
            int k = 0;
            for (int t = 0x40; t <= 0xFC; ++t) {
                if (t == 0x7F) continue;
                if (clean) {
                    pair[lead][t] = s[k].unicode();
                } else {
                    const QString one = sjis::decode(QByteArray(1, char(lead)) + char(t));
                    if (one.size() == 1 && one[0] != u'?' && one[0] != QChar(0xFFFD) && one[0] != QChar(0x1A) &&
                        !one[0].isSurrogate())
                        pair[lead][t] = one[0].unicode();
                }
                ++k;
            }
        }
    }
};

const SjisTables& sjisTables() {
    static const SjisTables* t = new SjisTables;
    return *t;
}

// Encoding by table: every character that a clean byte sequence decodes to,
// with the bytes the codec gives for it (0 = leave the text to the codec).
struct SjisEncodeTable {
    quint16 code[65536];  // one byte as 0x00nn, two bytes as lead << 8 | trail
    SjisEncodeTable() {
        std::memset(code, 0, sizeof code);
        const SjisTables& d = sjisTables();
        QString all;
        for (int c = 1; c < 256; ++c)
            if (d.single[c]) all += QChar(d.single[c]);
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            for (int t = 0x40; t <= 0xFC; ++t)
                if (d.pair[lead][t]) all += QChar(d.pair[lead][t]);
        const QByteArray bytes = sjis::encode(all);
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
        qsizetype i = 0;
        for (QChar ch : all) {
            if (i >= bytes.size()) return;
            const unsigned char c = b[i];
            const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
            quint16 v;
            if (lead) {
                if (i + 1 >= bytes.size()) return;
                v = quint16(c << 8 | b[i + 1]);
                i += 2;
            } else {
                v = c;
                ++i;
            }
            // Only sequences that decode back to the character are trusted.
            const bool back = lead ? d.pair[v >> 8][v & 0xFF] == ch.unicode() : d.single[v] == ch.unicode();
            if (back && !(v == '?' && ch != u'?')) code[ch.unicode()] = v;
        }
    }
};

const SjisEncodeTable& sjisEncodeTable() {
    static const SjisEncodeTable* t = new SjisEncodeTable;
    return *t;
}

}  // namespace

QByteArray encodeFast(const QString& text) {
    const SjisEncodeTable& t = sjisEncodeTable();
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char* o = out.data();
    for (QChar ch : text) {
        const quint16 v = t.code[ch.unicode()];
        if (v == 0) return sjis::encode(text);
        if (v > 0xFF) *o++ = char(v >> 8);
        *o++ = char(v & 0xFF);
    }
    out.resize(o - out.data());
    return out;
}

QString decodeFast(const QByteArray& bytes) {
    const SjisTables& t = sjisTables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = b[i];
        if (const char16_t s = t.single[c]) {
            *o++ = s;
        } else if (i + 1 < n && t.pair[c][b[i + 1]]) {
            *o++ = t.pair[c][b[i + 1]];
            ++i;
        } else {
            return sjis::decode(bytes);
        }
    }
    out.resize(o - reinterpret_cast<char16_t*>(out.data()));
    return out;
}

Scanner Scanner::fromBytes(const QByteArray& b) { return Scanner(decodeFast(b)); }

Scanner::Scanner(QString text) : text_(std::move(text)) {
    data_ = text_.constData();
    size_ = text_.size();
}

bool Scanner::atEnd() {
    while (pos_ < size_ && (isBlank(data_[pos_]) || isEol(data_[pos_]) || data_[pos_] == QChar(0x1A))) {
        if (data_[pos_] == u'\n') ++line_;
        ++pos_;
    }
    return pos_ >= size_;
}

Scanner::Token Scanner::next() {
    const qsizetype n = size_;
    const QChar* d = data_;
    while (pos_ < n && isBlank(d[pos_])) ++pos_;
    if (pos_ >= n) throw ReadError("past end of file");
    Token tok{Kind::Bare, {}};
    const QChar c = d[pos_];
    if (c == u'"') {
        qsizetype close = pos_ + 1;
        while (close < n && d[close] != u'"') ++close;
        if (close >= n) throw ReadError("unterminated text");
        tok.kind = Kind::Quoted;
        tok.text = QStringView(d + pos_ + 1, close - pos_ - 1);
        for (QChar x : tok.text)
            if (x == u'\n') ++line_;
        pos_ = close + 1;
        while (pos_ < n && d[pos_] != u',' && !isEol(d[pos_])) ++pos_;
    } else if (c == u'#') {
        qsizetype close = pos_ + 1;
        while (close < n && d[close] != u'#' && !isEol(d[close])) ++close;
        if (close >= n || d[close] != u'#') throw ReadError("unterminated date");
        tok.kind = Kind::Date;
        tok.text = QStringView(d + pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        while (pos_ < n && d[pos_] != u',' && !isEol(d[pos_])) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && d[pos_] != u',' && !isEol(d[pos_])) ++pos_;
        tok.text = QStringView(d + start, pos_ - start).trimmed();
    }
    if (pos_ < n) {
        if (d[pos_] == u',') {
            ++pos_;
        } else if (d[pos_] == u'\r') {
            ++pos_;
            if (pos_ < n && d[pos_] == u'\n') ++pos_;
            ++line_;
        } else if (d[pos_] == u'\n') {
            ++pos_;
            ++line_;
        }
    }
    return tok;
}

QString Scanner::readString() {
    const Token t = next();
    if (t.kind == Kind::Date) return QLatin1Char('#') + t.text.toString() + QLatin1Char('#');
    return t.text.toString();
}

double Scanner::number(const Token& t) {
    if (t.kind == Kind::Date) throw ReadError("date where a number belongs");
    double v = 0;
    if (!parseNumber(t.text, &v)) throw ReadError("not a number");
    return v;
}

qint64 Scanner::readInteger(qint64 min, qint64 max) {
    const Token t = next();
    double v = std::nearbyint(number(t));
    if (v < double(min) || v > double(max)) throw ReadError("number out of range");
    return static_cast<qint64>(v);
}

float Scanner::readSingle() {
    const Token t = next();
    const double v = number(t);
    if (std::fabs(v) > 3.402823e38) throw ReadError("number out of range");
    return static_cast<float>(v);
}

QDateTime Scanner::readDate() {
    bool isDate = false;
    QDateTime d = readDateIfDate(&isDate);
    if (!isDate) throw ReadError("not a date");
    return d;
}

QDateTime Scanner::readDateIfDate(bool* isDate) {
    const Token t = next();
    *isDate = false;
    if (t.kind != Kind::Date) return {};
    QDateTime d;
    bool empty = false;
    if (!parseDateText(t.text, &d, &empty)) return {};
    *isDate = true;
    return empty ? QDateTime() : d;
}

void Scanner::skip() { next(); }

FastWriter& FastWriter::text(const QString& s) {
    sep();
    const SjisEncodeTable& t = sjisEncodeTable();
    const qsizetype start = buf_.size();
    buf_.resize(start + 2 + s.size() * 2);
    char* o = buf_.data() + start;
    *o++ = '"';
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = s[i].unicode();
        if (c == u'"')
            c = 0xFF02;
        else if (c == u'\r' || c == u'\n')
            c = u' ';
        const quint16 v = t.code[c];
        if (v != 0) {
            if (v > 0xFF) *o++ = char(v >> 8);
            *o++ = char(v & 0xFF);
            continue;
        }
        // A character without a table entry: what the codec gives for it
        // alone ("?" when it has no code), a surrogate pair taken whole.
        const qsizetype len = (QChar::isHighSurrogate(c) && i + 1 < n && s[i + 1].isLowSurrogate()) ? 2 : 1;
        const QByteArray b = sjis::encode(s.mid(i, len));
        i += len - 1;
        const qsizetype at = o - buf_.data();
        buf_.resize(buf_.size() + b.size());
        o = buf_.data() + at;
        std::memcpy(o, b.constData(), size_t(b.size()));
        o += b.size();
    }
    *o++ = '"';
    buf_.resize(o - buf_.data());
    return *this;
}

FastWriter& FastWriter::integer(qint64 n) {
    sep();
    char tmp[24];
    int k = 0;
    quint64 u = n < 0 ? quint64(0) - quint64(n) : quint64(n);
    do {
        tmp[k++] = char('0' + u % 10);
        u /= 10;
    } while (u);
    if (n < 0) buf_.append('-');
    while (k) buf_.append(tmp[--k]);
    return *this;
}

FastWriter& FastWriter::single(float v) {
    sep();
    buf_.append(formatSingle(double(v)).toLatin1());
    return *this;
}

FastWriter& FastWriter::date(const QDateTime& d) {
    sep();
    if (!d.isValid()) {
        buf_.append("#1899-12-30#");
        return *this;
    }
    buf_.append('#');
    buf_.append(d.date().toString(QStringLiteral("yyyy-MM-dd")).toLatin1());
    if (d.time() != QTime(0, 0)) {
        buf_.append(' ');
        buf_.append(d.time().toString(QStringLiteral("HH:mm:ss")).toLatin1());
    }
    buf_.append('#');
    return *this;
}

FastWriter& FastWriter::endLine() {
    buf_.append("\r\n");
    lineStart_ = true;
    return *this;
}

}  // namespace csv

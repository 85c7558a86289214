#include "platform/csv.h"

#include <cmath>

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

// The date forms the reader takes: yyyy-mm-dd or yyyy/m/d, with an optional
// time; a time alone, or the empty date, is the empty date.
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

}  // namespace

Reader Reader::fromBytes(const QByteArray& b) { return Reader(sjis::decode(b)); }

Reader::Reader(QString text) : text_(std::move(text)) {
    data_ = text_.constData();
    size_ = text_.size();
}

bool Reader::atEnd() {
    while (pos_ < size_ && (isBlank(data_[pos_]) || isEol(data_[pos_]) || data_[pos_] == QChar(0x1A))) {
        if (data_[pos_] == u'\n') ++line_;
        ++pos_;
    }
    return pos_ >= size_;
}

Reader::Token Reader::next() {
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

QString Reader::readString() {
    const Token t = next();
    if (t.kind == Kind::Date) return QLatin1Char('#') + t.text.toString() + QLatin1Char('#');
    return t.text.toString();
}

double Reader::number(const Token& t) {
    if (t.kind == Kind::Date) throw ReadError("date where a number belongs");
    double v = 0;
    if (!parseNumber(t.text, &v)) throw ReadError("not a number");
    return v;
}

qint64 Reader::readInteger(qint64 min, qint64 max) {
    const Token t = next();
    double v = std::nearbyint(number(t));
    if (v < double(min) || v > double(max)) throw ReadError("number out of range");
    return static_cast<qint64>(v);
}

float Reader::readSingle() {
    const Token t = next();
    const double v = number(t);
    if (std::fabs(v) > 3.402823e38) throw ReadError("number out of range");
    return static_cast<float>(v);
}

QDateTime Reader::readDate() {
    bool isDate = false;
    QDateTime d = readDateIfDate(&isDate);
    if (!isDate) throw ReadError("not a date");
    return d;
}

QDateTime Reader::readDateIfDate(bool* isDate) {
    const Token t = next();
    *isDate = false;
    if (t.kind != Kind::Date) return {};
    QDateTime d;
    bool empty = false;
    if (!parseDateText(t.text, &d, &empty)) return {};
    *isDate = true;
    return empty ? QDateTime() : d;
}

void Reader::skip() { next(); }

Writer& Writer::text(const QString& s) {
    sep();
    buf_.append('"');
    bool plain = true;
    for (QChar c : s)
        if (c == u'"' || c == u'\r' || c == u'\n') {
            plain = false;
            break;
        }
    if (plain) {
        sjis::appendEncoded(buf_, s);
    } else {
        QString t = s;
        for (QChar& c : t) {
            if (c == u'"')
                c = QChar(0xFF02);
            else if (c == u'\r' || c == u'\n')
                c = u' ';
        }
        sjis::appendEncoded(buf_, t);
    }
    buf_.append('"');
    return *this;
}

Writer& Writer::integer(qint64 n) {
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

QString formatSingle(double v) {
    QString s = QString::number(v, 'g', 7);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    if (s == QLatin1String("-0")) s = QStringLiteral("0");
    return s;
}

Writer& Writer::single(float v) {
    sep();
    buf_.append(formatSingle(double(v)).toLatin1());
    return *this;
}

Writer& Writer::date(const QDateTime& d) {
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

Writer& Writer::endLine() {
    buf_.append("\r\n");
    lineStart_ = true;
    return *this;
}

QString Writer::textContent() const { return sjis::decode(buf_); }

}  // namespace csv

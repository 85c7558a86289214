#include "platform/csv.h"

#include <cmath>

#include "platform/sjis.h"

namespace csv {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isEol(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// Parses a plain decimal number (sign, digits, point, exponent).
bool parseNumber(const QString& s, double* out) {
    QString t = s.trimmed();
    if (t.isEmpty()) {
        *out = 0;
        return true;
    }
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

double roundHalfEven(double v) {
    double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    return r;
}

bool parseDateText(const QString& raw, QDateTime* out, bool* empty) {
    QString s = raw.trimmed();
    *empty = false;
    static const char* dateForms[] = {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d"};
    static const char* timeForms[] = {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"};
    QString datePart = s, timePart;
    int sp = s.indexOf(QLatin1Char(' '));
    if (sp >= 0) {
        datePart = s.left(sp);
        timePart = s.mid(sp + 1).trimmed();
    }
    if (!datePart.contains(QLatin1Char('-')) && !datePart.contains(QLatin1Char('/'))) {
        // A time alone is a time on the empty date.
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

Reader::Reader(QString text) : text_(std::move(text)) {}

bool Reader::atEnd() {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isEol(text_[pos_]) || text_[pos_] == QChar(0x1A))) {
        if (text_[pos_] == QLatin1Char('\n')) ++line_;
        ++pos_;
    }
    return pos_ >= text_.size();
}

Reader::Token Reader::next() {
    const qsizetype n = text_.size();
    // Leading blanks; a value never starts at a line end left over from the
    // previous line, because each value consumes its separator.
    while (pos_ < n && isBlank(text_[pos_])) ++pos_;
    if (pos_ >= n) throw ReadError("past end of file");
    Token tok{Kind::Bare, {}};
    QChar c = text_[pos_];
    if (c == QLatin1Char('"')) {
        qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
        if (close < 0) throw ReadError("unterminated text");
        tok.kind = Kind::Quoted;
        tok.text = text_.mid(pos_ + 1, close - pos_ - 1);
        if (tok.text.contains(QLatin1Char('\n')))
            line_ += int(tok.text.count(QLatin1Char('\n')));
        pos_ = close + 1;
        // Anything up to the separator after the closing quote is dropped.
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isEol(text_[pos_])) ++pos_;
    } else if (c == QLatin1Char('#')) {
        qsizetype close = text_.indexOf(QLatin1Char('#'), pos_ + 1);
        qsizetype eol = pos_ + 1;
        while (eol < n && !isEol(text_[eol])) ++eol;
        if (close < 0 || close > eol) throw ReadError("unterminated date");
        tok.kind = Kind::Date;
        tok.text = text_.mid(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isEol(text_[pos_])) ++pos_;
    } else {
        qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isEol(text_[pos_])) ++pos_;
        tok.text = text_.mid(start, pos_ - start).trimmed();
    }
    // One separator: a comma, or a line end (CRLF, LF or CR).
    if (pos_ < n) {
        if (text_[pos_] == QLatin1Char(',')) {
            ++pos_;
        } else if (text_[pos_] == QLatin1Char('\r')) {
            ++pos_;
            if (pos_ < n && text_[pos_] == QLatin1Char('\n')) ++pos_;
            ++line_;
        } else if (text_[pos_] == QLatin1Char('\n')) {
            ++pos_;
            ++line_;
        }
    }
    return tok;
}

QString Reader::readString() {
    Token t = next();
    if (t.kind == Kind::Date) return QLatin1Char('#') + t.text + QLatin1Char('#');
    return t.text;
}

qint64 Reader::readInteger(qint64 min, qint64 max) {
    Token t = next();
    if (t.kind == Kind::Date) throw ReadError("date where a number belongs");
    double v = 0;
    if (!parseNumber(t.text, &v)) throw ReadError("not a number");
    v = roundHalfEven(v);
    if (v < double(min) || v > double(max)) throw ReadError("number out of range");
    return static_cast<qint64>(v);
}

float Reader::readSingle() {
    Token t = next();
    if (t.kind == Kind::Date) throw ReadError("date where a number belongs");
    double v = 0;
    if (!parseNumber(t.text, &v)) throw ReadError("not a number");
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
    Token t = next();
    *isDate = false;
    if (t.kind != Kind::Date) return {};
    QDateTime d;
    bool empty = false;
    if (!parseDateText(t.text, &d, &empty)) return {};
    *isDate = true;
    return empty ? QDateTime() : d;
}

void Reader::skip() { next(); }

void Writer::sep() {
    if (!lineStart_) buf_ += QLatin1Char(',');
    lineStart_ = false;
}

Writer& Writer::text(const QString& s) {
    sep();
    buf_ += QLatin1Char('"');
    for (QChar c : s) {
        if (c == QLatin1Char('"'))
            buf_ += QChar(0xFF02);
        else if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            buf_ += QLatin1Char(' ');
        else
            buf_ += c;
    }
    buf_ += QLatin1Char('"');
    return *this;
}

Writer& Writer::integer(qint64 n) {
    sep();
    buf_ += QString::number(n);
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
    buf_ += formatSingle(double(v));
    return *this;
}

Writer& Writer::date(const QDateTime& d) {
    sep();
    if (!d.isValid()) {
        buf_ += QLatin1String("#1899-12-30#");
        return *this;
    }
    buf_ += QLatin1Char('#');
    buf_ += d.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (d.time() != QTime(0, 0)) {
        buf_ += QLatin1Char(' ');
        buf_ += d.time().toString(QStringLiteral("HH:mm:ss"));
    }
    buf_ += QLatin1Char('#');
    return *this;
}

Writer& Writer::endLine() {
    buf_ += QLatin1String("\r\n");
    lineStart_ = true;
    return *this;
}

QByteArray Writer::bytes() const { return sjis::encode(buf_); }

}  // namespace csv

#include "platform/csv.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/large_buffer.h"
#include "platform/sjis.h"

namespace csv {
namespace {

// The view without white space at either end (as QStringView::trimmed,
// inline: most values have none).
inline QStringView trim(QStringView v) {
    const QChar* b = v.data();
    const QChar* e = b + v.size();
    while (b < e && b->isSpace()) ++b;
    while (e > b && e[-1].isSpace()) --e;
    return QStringView(b, e - b);
}

// Plain decimal number (what QString::toDouble takes); empty reads as 0.
bool parseNumber(QStringView raw, double* out) {
    const QStringView t = trim(raw);
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
    const QStringView s = trim(raw);
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

// ------------------------------------------------------------------ Reader
//
// The reader walks the file's bytes (or a decoded text) without decoding it
// whole: every character that separates values is below 0x40, and no byte of
// a double-byte character is, so the values are found in the bytes exactly
// where they lie in the decoded text. A value is decoded only when it is
// read as a text; numbers and dates are read from the bytes.

namespace {

template <class Unit>
inline bool isBlankUnit(Unit c) {
    return c == Unit(' ') || c == Unit('\t');
}
template <class Unit>
inline bool isEolUnit(Unit c) {
    return c == Unit('\r') || c == Unit('\n');
}

// The first `c` in [p, e), or e.
inline const char* findUnit(const char* p, const char* e, char c) {
    const void* r = p < e ? std::memchr(p, c, size_t(e - p)) : nullptr;
    return r ? static_cast<const char*>(r) : e;
}
inline const char16_t* findUnit(const char16_t* p, const char16_t* e, char16_t c) {
    while (p < e && *p != c) ++p;
    return p;
}

// An optional minus and 1 to 18 digits between blanks, the common form of a
// number in the files; false for anything else.
template <class Unit>
inline bool plainInteger(const Unit* p, const Unit* e, qint64* out) {
    while (p < e && isBlankUnit(*p)) ++p;
    while (e > p && isBlankUnit(e[-1])) --e;
    const bool negative = p < e && *p == Unit('-');
    if (negative) ++p;
    if (p == e || e - p > 18) return false;
    qint64 v = 0;
    for (; p < e; ++p) {
        const unsigned d = unsigned(*p) - unsigned('0');
        if (d > 9) return false;
        v = v * 10 + d;
    }
    *out = negative ? -v : v;
    return true;
}

// yyyy-mm-dd alone; false for any other form.
template <class Unit>
inline bool plainDate(const Unit* p, qsizetype n, QDate* out) {
    if (n != 10 || p[4] != Unit('-') || p[7] != Unit('-')) return false;
    int v[3] = {0, 0, 0};
    const int at[3] = {0, 5, 8}, len[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f)
        for (int k = 0; k < len[f]; ++k) {
            const unsigned d = unsigned(p[at[f] + k]) - unsigned('0');
            if (d > 9) return false;
            v[f] = v[f] * 10 + int(d);
        }
    *out = QDate(v[0], v[1], v[2]);
    return true;
}

// A hash of a value's bytes, eight at a time.
inline quint32 hashSpan(const char* p, qsizetype n) {
    quint64 h = 0x9E3779B97F4A7C15ull ^ quint64(n);
    for (; n >= 8; p += 8, n -= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    if (n > 0) {
        quint64 w = 0;
        std::memcpy(&w, p, size_t(n));
        h = (h ^ w) * 0xC4CEB9FE1A85EC53ull;
    }
    h ^= h >> 29;
    return quint32(h);
}

}  // namespace

Reader Reader::fromBytes(const QByteArray& b) {
    Reader r{QString()};
    r.bytes_ = b;
    r.fromBytes_ = true;
    r.raw_ = r.bytes_.constData();
    r.size_ = b.size();
    return r;
}

Reader::Reader(QString text) : text_(std::move(text)) { size_ = text_.size(); }

template <class Unit>
bool Reader::atEndIn(const Unit* d) {
    while (pos_ < size_ && (isBlankUnit(d[pos_]) || isEolUnit(d[pos_]) || d[pos_] == Unit(0x1A))) {
        if (d[pos_] == Unit('\n')) ++line_;
        ++pos_;
    }
    return pos_ >= size_;
}

bool Reader::atEnd() { return fromBytes_ ? atEndIn(bytesData()) : atEndIn(textData()); }

template <class Unit>
[[gnu::always_inline]] inline bool Reader::separatorAt(const Unit* d, qsizetype* p) {
    // A comma, a line end (CR LF, CR or LF) or the end of the input.
    const qsizetype n = size_;
    if (*p >= n) return true;
    if (d[*p] == Unit(',')) {
        ++*p;
    } else if (d[*p] == Unit('\r')) {
        ++*p;
        if (*p < n && d[*p] == Unit('\n')) ++*p;
        ++line_;
    } else if (d[*p] == Unit('\n')) {
        ++*p;
        ++line_;
    } else {
        return false;
    }
    return true;
}

template <class Unit>
void Reader::pastSeparator(const Unit* d) {
    // Anything after a closing quote or number sign up to the separator is
    // dropped.
    while (pos_ < size_ && d[pos_] != Unit(',') && !isEolUnit(d[pos_])) ++pos_;
    separatorAt(d, &pos_);
}

template <class Unit>
Reader::Token Reader::nextIn(const Unit* d) {
    const qsizetype n = size_;
    while (pos_ < n && isBlankUnit(d[pos_])) ++pos_;
    if (pos_ >= n) throw ReadError("past end of file");
    Token tok{Kind::Bare, 0, 0};
    const Unit c = d[pos_];
    if (c == Unit('"')) {
        const Unit* open = d + pos_ + 1;
        const Unit* close = findUnit(open, d + n, Unit('"'));
        if (close == d + n) throw ReadError("unterminated text");
        tok.kind = Kind::Quoted;
        tok.start = open - d;
        tok.size = close - open;
        line_ += linesIn(tok);
        pos_ = close - d + 1;
    } else if (c == Unit('#')) {
        qsizetype close = pos_ + 1;
        while (close < n && d[close] != Unit('#') && !isEolUnit(d[close])) ++close;
        if (close >= n || d[close] != Unit('#')) throw ReadError("unterminated date");
        tok.kind = Kind::Date;
        tok.start = pos_ + 1;
        tok.size = close - pos_ - 1;
        pos_ = close + 1;
    } else {
        tok.start = pos_;
        while (pos_ < n && d[pos_] != Unit(',') && !isEolUnit(d[pos_])) ++pos_;
        tok.size = pos_ - tok.start;
    }
    pastSeparator(d);
    return tok;
}

Reader::Token Reader::next() { return fromBytes_ ? nextIn(bytesData()) : nextIn(textData()); }

int Reader::linesIn(const Token& t) const {
    int lines = 0;
    if (fromBytes_) {
        const char* e = bytesData() + t.start + t.size;
        for (const char* lf = findUnit(bytesData() + t.start, e, '\n'); lf < e; lf = findUnit(lf + 1, e, '\n')) ++lines;
    } else {
        const char16_t* e = textData() + t.start + t.size;
        for (const char16_t* lf = findUnit(textData() + t.start, e, u'\n'); lf < e; lf = findUnit(lf + 1, e, u'\n'))
            ++lines;
    }
    return lines;
}

QString Reader::textOf(const Token& t) const {
    QString s = fromBytes_ ? sjis::decode(QByteArray::fromRawData(bytesData() + t.start, t.size))
                           : QString(reinterpret_cast<const QChar*>(textData() + t.start), t.size);
    // A bare value is taken without the white space around it.
    if (t.kind == Kind::Bare && !s.isEmpty() && (s.front().isSpace() || s.back().isSpace())) s = s.trimmed();
    return s;
}

QString Reader::readString() {
    const Token t = next();
    if (t.kind == Kind::Date) return QLatin1Char('#') + textOf(t) + QLatin1Char('#');
    return textOf(t);
}

const Reader::Shared* Reader::shared(const Token& t) {
    const qsizetype unit = fromBytes_ ? 1 : 2;
    const char* base = fromBytes_ ? bytesData() : reinterpret_cast<const char*>(textData());
    const char* raw = base + t.start * unit;
    const qsizetype bytes = t.size * unit;
    const quint32 h = hashSpan(raw, bytes);
    // The table stays at most half full; past a bound (a file of mostly
    // different texts) new texts are no longer kept.
    constexpr qsizetype kMaxShared = 1 << 16;
    if (sharedSlots_.empty()) sharedSlots_.resize(1024);
    qsizetype mask = qsizetype(sharedSlots_.size()) - 1;
    qsizetype i = h & mask;
    for (;; i = (i + 1) & mask) {
        const SharedSlot& slot = sharedSlots_[size_t(i)];
        if (slot.entry == 0) break;
        if (slot.hash != h) continue;
        const Shared& e = shared_[slot.entry - 1];
        if (e.size == t.size && e.kind == t.kind &&
            std::memcmp(sharedRaw_.constData() + e.start, raw, size_t(bytes)) == 0)
            return &e;
    }
    if (qsizetype(shared_.size()) >= kMaxShared) return nullptr;
    // The value's bytes are kept beside the table (not looked up in the
    // input, which may be far away in memory).
    const qsizetype at = sharedRaw_.size();
    sharedRaw_.append(raw, bytes);
    shared_.push_back(Shared{h, t.kind, at, t.size, linesIn(t), textOf(t)});
    sharedSlots_[size_t(i)] = SharedSlot{h, quint32(shared_.size())};
    if (qsizetype(shared_.size()) * 2 > qsizetype(sharedSlots_.size())) {
        // Twice the room; the slots are placed again.
        std::vector<SharedSlot> wider(sharedSlots_.size() * 2);
        mask = qsizetype(wider.size()) - 1;
        for (const SharedSlot& slot : sharedSlots_) {
            if (slot.entry == 0) continue;
            qsizetype j = slot.hash & mask;
            while (wider[size_t(j)].entry != 0) j = (j + 1) & mask;
            wider[size_t(j)] = slot;
        }
        sharedSlots_.swap(wider);
    }
    return &shared_.back();
}

template <class Unit>
bool Reader::quickShared(const Unit* d, QString* out) {
    // A quoted text right at the reading place (the common case); anything
    // else takes the general way.
    const qsizetype n = size_;
    if (pos_ >= n || d[pos_] != Unit('"')) return false;
    const Unit* open = d + pos_ + 1;
    const Unit* close = findUnit(open, d + n, Unit('"'));
    if (close == d + n) return false;
    const Token t{Kind::Quoted, open - d, close - open};
    if (t.size == 0) {
        *out = QString();
    } else if (const Shared* s = shared(t)) {
        *out = s->value;
        line_ += s->lines;
    } else {
        *out = textOf(t);
        line_ += linesIn(t);
    }
    pos_ = close - d + 1;
    pastSeparator(d);
    return true;
}

QString Reader::readSharedString() {
    QString s;
    if (fromBytes_ ? quickShared(bytesData(), &s) : quickShared(textData(), &s)) return s;
    const Token t = next();
    if (t.kind == Kind::Date) return QLatin1Char('#') + textOf(t) + QLatin1Char('#');
    if (t.size == 0) return QString();
    const Shared* e = shared(t);
    return e ? e->value : textOf(t);
}

double Reader::number(const Token& t) const {
    if (t.kind == Kind::Date) throw ReadError("date where a number belongs");
    double v = 0;
    if (!parseNumber(textOf(t), &v)) throw ReadError("not a number");
    return v;
}

bool Reader::plainIntegerOf(const Token& t, qint64* n) const {
    if (t.kind == Kind::Date) return false;
    if (fromBytes_) return plainInteger(bytesData() + t.start, bytesData() + t.start + t.size, n);
    return plainInteger(textData() + t.start, textData() + t.start + t.size, n);
}

template <class Unit>
bool Reader::quickInteger(const Unit* d, qint64* out) {
    // An optional minus and up to 18 digits right at the reading place,
    // ended by a separator (the common case); anything else takes the
    // general way.
    const qsizetype n = size_;
    qsizetype p = pos_;
    const bool negative = p < n && d[p] == Unit('-');
    if (negative) ++p;
    const qsizetype first = p;
    qint64 v = 0;
    for (unsigned digit; p < n && p - first < 18 && (digit = unsigned(d[p]) - unsigned('0')) <= 9; ++p) v = v * 10 + digit;
    if (p == first || !separatorAt(d, &p)) return false;
    pos_ = p;
    *out = negative ? -v : v;
    return true;
}

qint64 Reader::readIntegerGeneral(qint64 min, qint64 max) {
    if (qint64 n; fromBytes_ ? quickInteger(bytesData(), &n) : quickInteger(textData(), &n)) {
        if (n < min || n > max) throw ReadError("number out of range");
        return n;
    }
    const Token t = next();
    if (qint64 n; plainIntegerOf(t, &n)) {
        if (n < min || n > max) throw ReadError("number out of range");
        return n;
    }
    double v = std::nearbyint(number(t));
    if (v < double(min) || v > double(max)) throw ReadError("number out of range");
    return static_cast<qint64>(v);
}

float Reader::readSingle() {
    const Token t = next();
    qint64 n = 0;
    const double v = plainIntegerOf(t, &n) ? double(n) : number(t);
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
    QDate day;
    const bool plain = fromBytes_ ? plainDate(bytesData() + t.start, t.size, &day) : plainDate(textData() + t.start, t.size, &day);
    if (plain) {
        if (!day.isValid()) return {};
        *isDate = true;
        if (day == QDate(1899, 12, 30)) return {};
        return QDateTime(day, QTime(0, 0), Qt::UTC);
    }
    QDateTime d;
    bool empty = false;
    if (!parseDateText(textOf(t), &d, &empty)) return {};
    *isDate = true;
    return empty ? QDateTime() : d;
}

void Reader::skip() { next(); }

void Writer::grow(qsizetype n) {
    const qsizetype len = cur_ ? cur_ - buf_.constData() : 0;
    const qsizetype need = len + n + 1;
    qsizetype size = std::max(buf_.capacity(), qsizetype(1) << 16);
    while (size < need) size *= 2;
    if (size < qsizetype(4) << 20) {
        buf_.resize(size);
    } else {
        // A large buffer gets a new array, advised whole before the written
        // bytes are copied into it (growing the old one in place would leave
        // its first part in small pages).
        QByteArray wider(size, Qt::Uninitialized);
        largebuf::advise(wider.data(), size);
        std::memcpy(wider.data(), buf_.constData(), size_t(len));
        buf_.swap(wider);
    }
    cur_ = buf_.data() + len;
    end_ = buf_.data() + size;
}

const QByteArray& Writer::bytes() const {
    if (cur_) buf_.truncate(cur_ - buf_.constData());
    // The array may now be shared with the caller: no more bytes go into it
    // before grow() has made it the writer's own again.
    end_ = cur_;
    return buf_;
}

Writer& Writer::text(const QString& s) {
    // A text that records share (a supplier, a place) is encoded once and
    // then copied. Only strings with more than one holder are kept: one that
    // no other string shares is hardly written again.
    constexpr int kEncodedAfter = 256;  // small files are not worth it
    constexpr qsizetype kEncodedSlots = 4096;
    Encoded* slot = nullptr;
    if (s.capacity() > 0 && !s.isDetached() && ++texts_ > kEncodedAfter) {
        if (encoded_.empty()) encoded_.resize(kEncodedSlots);
        slot = &encoded_[size_t((quintptr(s.constData()) >> 4) & (kEncodedSlots - 1))];
        if (slot->data == s.constData() && slot->size == s.size()) {
            const qsizetype n = slot->bytes.size();
            char* o = value(n);
            std::memcpy(o, slot->bytes.constData(), size_t(n));
            end(o + n);
            return *this;
        }
    }
    bool plain = true;
    for (const char16_t *p = reinterpret_cast<const char16_t*>(s.constData()), *e = p + s.size(); p < e; ++p)
        if (*p <= u'"' && (*p == u'"' || *p == u'\r' || *p == u'\n')) {
            plain = false;
            break;
        }
    QString replaced;
    if (!plain) {
        replaced = s;
        for (QChar& c : replaced) {
            if (c == u'"')
                c = QChar(0xFF02);
            else if (c == u'\r' || c == u'\n')
                c = u' ';
        }
    }
    const QStringView t = plain ? QStringView(s) : QStringView(replaced);
    char* o = value(2 * t.size() + 2);
    char* start = o;
    *o++ = '"';
    o = sjis::encodeInto(o, t);
    *o++ = '"';
    if (slot) {
        slot->data = s.constData();
        slot->size = s.size();
        if (holdTexts_) slot->held = s;
        slot->bytes = QByteArray(start, o - start);
    }
    end(o);
    return *this;
}

namespace {
// Writes n in decimal at o; returns the end.
inline char* putInteger(char* o, qint64 n) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char tmp[20];
    char* t = tmp + sizeof tmp;
    quint64 u = n < 0 ? quint64(0) - quint64(n) : quint64(n);
    while (u >= 100) {
        t -= 2;
        std::memcpy(t, kPairs + 2 * (u % 100), 2);
        u /= 100;
    }
    if (u >= 10) {
        t -= 2;
        std::memcpy(t, kPairs + 2 * u, 2);
    } else {
        *--t = char('0' + u);
    }
    if (n < 0) *o++ = '-';
    const size_t len = size_t(tmp + sizeof tmp - t);
    std::memcpy(o, t, len);
    return o + len;
}

// Writes v with exactly `width` digits.
inline char* putDigits(char* o, int v, int width) {
    for (int i = width - 1; i >= 0; --i) {
        o[i] = char('0' + v % 10);
        v /= 10;
    }
    return o + width;
}

// yyyy-mm-dd; years outside 1..9999 in Qt's form.
char* putDate(char* o, const QDate& d) {
    const int y = d.year();
    if (y < 1 || y > 9999) {
        const QByteArray b = d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
        std::memcpy(o, b.constData(), size_t(b.size()));
        return o + b.size();
    }
    o = putDigits(o, y, 4);
    *o++ = '-';
    o = putDigits(o, d.month(), 2);
    *o++ = '-';
    return putDigits(o, d.day(), 2);
}

// Room for any date written (Qt's form of a year has at most 11 characters).
constexpr qsizetype kDateRoom = 64;
}  // namespace

Writer& Writer::integerGeneral(qint64 n) {
    char* o = value(21);
    if (quint64(n) < 10)
        *o++ = char('0' + n);
    else
        o = putInteger(o, n);
    end(o);
    return *this;
}

Writer& Writer::wideInteger(__int128 n) {
    if (n >= INT64_MIN && n <= INT64_MAX) return integer(qint64(n));
    char digits[48];
    int i = 48;
    const bool neg = n < 0;
    unsigned __int128 u = neg ? (unsigned __int128)0 - (unsigned __int128)n : (unsigned __int128)n;
    while (u > 0) {
        digits[--i] = char('0' + int(u % 10));
        u /= 10;
    }
    if (neg) digits[--i] = '-';
    char* o = value(48 - i);
    std::memcpy(o, digits + i, size_t(48 - i));
    end(o + (48 - i));
    return *this;
}

Writer& Writer::empty() {
    end(value(0));
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
    const QByteArray b = formatSingle(double(v)).toLatin1();
    char* o = value(b.size());
    std::memcpy(o, b.constData(), size_t(b.size()));
    end(o + b.size());
    return *this;
}

Writer& Writer::date(const QDate& d) {
    char* o = value(kDateRoom);
    if (!d.isValid()) {
        std::memcpy(o, "#1899-12-30#", 12);
        end(o + 12);
        return *this;
    }
    *o++ = '#';
    o = putDate(o, d);
    *o++ = '#';
    end(o);
    return *this;
}

Writer& Writer::date(const QDateTime& d) {
    if (!d.isValid()) return date(QDate());
    const QDate day = d.date();
    const QTime time = d.time();
    char* o = value(kDateRoom);
    *o++ = '#';
    o = putDate(o, day);
    if (time != QTime(0, 0)) {
        *o++ = ' ';
        o = putDigits(o, time.hour(), 2);
        *o++ = ':';
        o = putDigits(o, time.minute(), 2);
        *o++ = ':';
        o = putDigits(o, time.second(), 2);
    }
    *o++ = '#';
    end(o);
    return *this;
}

Writer& Writer::endLine() {
    // The line end takes the place of a separator.
    lineStart_ = true;
    char* o = value(2);
    *o++ = '\r';
    *o++ = '\n';
    end(o);
    lineStart_ = true;
    return *this;
}

QString Writer::textContent() const { return sjis::decode(bytes()); }

}  // namespace csv

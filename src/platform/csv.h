// The register's comma-separated file form, shared by every data file.
//
// Values are written one after another: texts between double quotes, numbers
// bare, dates between number signs (#yyyy-mm-dd#), one record per CRLF line.
// The reader takes values one after another and treats a line end like a
// comma, so a missing or extra value shifts every later value, exactly as the
// files have always been read.
//
// The item file holds over a million values, so the reader takes values as
// views of the decoded text, reads plain numbers and dates without building
// strings and shares the strings of repeated texts, and the writer encodes
// and formats straight into its buffer.
#pragma once
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace csv {

// Thrown by Reader on a value of the wrong kind or range, or past the end.
struct ReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Reader {
public:
    // Takes the file's bytes (Shift-JIS) or already decoded text.
    static Reader fromBytes(const QByteArray& sjisBytes);
    explicit Reader(QString text);

    // True when no value is left (only blanks and line ends remain).
    bool atEnd();

    // A text value: a quoted text, or a bare value as it stands (trimmed).
    QString readString();
    // The same, for a text that many records hold alike (a category, a
    // supplier, a place): equal values read through one reader share one
    // string, so the same text is not built again for every record.
    QString readSharedString();
    // A whole number in [min, max]; a fraction goes to the nearest whole
    // number, halves to even. Empty reads as 0; a quoted number is accepted.
    qint64 readInteger(qint64 min, qint64 max) {
        // The common form, a few digits and a comma, is read here; anything
        // else takes the general way.
        if (raw_) {
            const char* p = raw_ + pos_;
            const char* q = p;
            const char* e = raw_ + size_;
            qint64 v = 0;
            for (unsigned d; q < e && q - p < 9 && (d = unsigned(*q) - unsigned('0')) <= 9; ++q) v = v * 10 + d;
            if (q != p && q < e && *q == ',' && v >= min && v <= max) {
                pos_ = q + 1 - raw_;
                return v;
            }
        }
        return readIntegerGeneral(min, max);
    }
    qint16 readInt16() { return static_cast<qint16>(readInteger(-32768, 32767)); }
    qint32 readInt32() { return static_cast<qint32>(readInteger(INT32_MIN, INT32_MAX)); }
    // A Single (float) value.
    float readSingle();
    // A date value (#...#). A time-only value (#00:00:00#) and the empty
    // date #1899-12-30# read as an invalid QDateTime. Anything else that is
    // not a date is a ReadError.
    QDateTime readDate();
    // Like readDate, but a value that is not a date is consumed and gives
    // `isDate` false instead of an error.
    QDateTime readDateIfDate(bool* isDate);
    // Skips one value of any kind.
    void skip();

    // Index of the line the next value starts on (0-based).
    int lineNumber() const { return line_; }
    // Where the reader stands in its input (in bytes, or in characters of a
    // decoded text), and a jump to such a place (to the start of a line;
    // lineNumber() then counts from there).
    qsizetype place() const { return pos_; }
    void seek(qsizetype place) { pos_ = std::clamp<qsizetype>(place, 0, size_); }

private:
    enum class Kind { Quoted, Date, Bare };
    // A value's place in the input (in bytes, or in UTF-16 units of a
    // decoded text): a text between its quotes, a date between its number
    // signs, or a bare value as it stands.
    struct Token {
        Kind kind;
        qsizetype start;
        qsizetype size;
    };
    // The strings readSharedString gave, by the value as it stands in the
    // input (its units from `start` in sharedRaw_), with the line ends the
    // value holds; kept in the order they came, and found through sharedSlots_.
    struct Shared {
        quint32 hash = 0;
        Kind kind = Kind::Bare;
        qsizetype start = 0;
        qsizetype size = -1;
        int lines = 0;
        QString value;
    };
    // Open addressing over shared_: a slot holds an entry's hash and its
    // index + 1 (0 marks a free slot), so that growing the table moves eight
    // bytes a value and never the values.
    struct SharedSlot {
        quint32 hash = 0;
        quint32 entry = 0;
    };
    template <class Unit>
    Token nextIn(const Unit* d);
    template <class Unit>
    bool separatorAt(const Unit* d, qsizetype* p);
    template <class Unit>
    void pastSeparator(const Unit* d);
    template <class Unit>
    bool atEndIn(const Unit* d);
    template <class Unit>
    bool quickInteger(const Unit* d, qint64* out);
    template <class Unit>
    bool quickShared(const Unit* d, QString* out);
    Token next();
    qint64 readIntegerGeneral(qint64 min, qint64 max);
    int linesIn(const Token& t) const;
    const Shared* shared(const Token& t);
    QString textOf(const Token& t) const;
    double number(const Token& t) const;
    bool plainIntegerOf(const Token& t, qint64* n) const;
    const char* bytesData() const { return bytes_.constData(); }
    const char16_t* textData() const { return reinterpret_cast<const char16_t*>(text_.constData()); }

    QByteArray bytes_;  // the file's bytes (fromBytes)
    QString text_;      // or its decoded text
    bool fromBytes_ = false;
    const char* raw_ = nullptr;  // bytes_'s data (fromBytes)
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    int line_ = 0;
    std::vector<Shared> shared_;
    std::vector<SharedSlot> sharedSlots_;
    QByteArray sharedRaw_;  // the bytes of the kept values, where Shared::start points
};

// Builds the lines of a file; bytes() gives the Shift-JIS file contents,
// encoded as the values are written.
class Writer {
public:
    Writer() = default;
    // A writer whose values are separated by `separator` in place of the
    // comma (the tab of clipboard text).
    explicit Writer(char separator) : separator_(separator) {}
    // Texts are written between double quotes. A double quote inside a text
    // would break the file, so it is written as the full-width ＂; a line
    // break inside a text is written as a blank.
    Writer& text(const QString& s);
    Writer& integer(qint64 n) {
        // Most numbers of the files are below 100.
        if (quint64(n) < 100 && end_ - cur_ > 3) {
            if (!lineStart_) *cur_++ = separator_;
            lineStart_ = false;
            if (n >= 10) *cur_++ = char('0' + n / 10);
            *cur_++ = char('0' + n % 10);
            return *this;
        }
        return integerGeneral(n);
    }
    // A whole number past 64 bits (a sum of plans' amounts), written whole.
    Writer& wideInteger(__int128 n);
    // A value with nothing in it: only its separator is written.
    Writer& empty();
    // A Single: 12 as "12", 0.5 as ".5", -2.5 as "-2.5".
    Writer& single(float v);
    // #yyyy-mm-dd#, with " hh:mm:ss" when the time is not midnight; the empty
    // (invalid) date as #1899-12-30#.
    Writer& date(const QDateTime& d);
    Writer& date(const QDate& d);
    // Ends the current line with CRLF.
    Writer& endLine();
    // Promises that every text written stays alive and unchanged until the
    // bytes are taken (a table written whole). The writer then keeps no hold
    // on the texts it has encoded, so that writers on several threads do not
    // contend for the strings their records share.
    void textsStayUnchanged() { holdTexts_ = false; }

    // The written text, decoded again (for reading it back in memory).
    QString textContent() const;
    const QByteArray& bytes() const;

private:
    // Where the next value goes, with room for its separator and `n` bytes;
    // the separator is written.
    char* value(qsizetype n) {
        if (end_ - cur_ <= n) grow(n);
        char* o = cur_;
        if (!lineStart_) *o++ = separator_;
        lineStart_ = false;
        return o;
    }
    void grow(qsizetype n);
    void end(char* at) { cur_ = at; }
    Writer& integerGeneral(qint64 n);
    // buf_ holds the written bytes up to cur_, followed by room for more up
    // to end_ (bytes() cuts the room off and leaves none, so that the next
    // value makes room again in an array of its own).
    mutable QByteArray buf_;
    mutable char* cur_ = nullptr;
    mutable char* end_ = nullptr;
    bool lineStart_ = true;
    char separator_ = ',';
    bool holdTexts_ = true;
    // Texts written before, by the place of their characters, with their
    // bytes as written (quotes included): the strings that records share
    // are encoded once. Each entry holds its string, so that its characters
    // stay where they are and as they are.
    struct Encoded {
        const QChar* data = nullptr;
        qsizetype size = 0;
        QString held;
        QByteArray bytes;
    };
    std::vector<Encoded> encoded_;
    int texts_ = 0;
};

// Number formatting of the file form, shared with other writers.
QString formatSingle(double v);

}  // namespace csv

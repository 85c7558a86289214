#pragma once
// The register's comma-separated file form, shared by every data file.
//
// Values are written one after another: texts between double quotes, numbers
// bare, dates between number signs (#yyyy-mm-dd#), one record per CRLF line.
// The reader takes values one after another and treats a line end like a
// comma, so a missing or extra value shifts every later value, exactly as the
// files have always been read.
//
// The item file holds over a million values, so the reader takes values as
// views of the decoded text and reads plain numbers and dates without
// building strings, and the writer encodes as it goes.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <stdexcept>

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
    // A whole number in [min, max]; a fraction goes to the nearest whole
    // number, halves to even. Empty reads as 0; a quoted number is accepted.
    qint64 readInteger(qint64 min, qint64 max);
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

private:
    enum class Kind { Quoted, Date, Bare };
    struct Token {
        Kind kind;
        QStringView text;
    };
    Token next();
    double number(const Token& t);
    QString text_;
    const QChar* data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    int line_ = 0;
};

// Builds the lines of a file; bytes() gives the Shift-JIS file contents,
// encoded as the values are written.
class Writer {
public:
    Writer() { buf_.reserve(1 << 16); }
    // Texts are written between double quotes. A double quote inside a text
    // would break the file, so it is written as the full-width ＂; a line
    // break inside a text is written as a blank.
    Writer& text(const QString& s);
    Writer& integer(qint64 n);
    // A Single: 12 as "12", 0.5 as ".5", -2.5 as "-2.5".
    Writer& single(float v);
    // #yyyy-mm-dd#, with " hh:mm:ss" when the time is not midnight; the empty
    // (invalid) date as #1899-12-30#.
    Writer& date(const QDateTime& d);
    Writer& date(const QDate& d) { return date(d.isValid() ? QDateTime(d, QTime(0, 0), Qt::UTC) : QDateTime()); }
    // Ends the current line with CRLF.
    Writer& endLine();

    // The written text, decoded again (for reading it back in memory).
    QString textContent() const;
    const QByteArray& bytes() const { return buf_; }

private:
    void sep() {
        if (!lineStart_) buf_.append(',');
        lineStart_ = false;
    }
    QByteArray buf_;
    bool lineStart_ = true;
};

// Number formatting of the file form, shared with other writers.
QString formatSingle(double v);

}  // namespace csv

#pragma once
// A faster reader of the register's comma-separated form for the big data
// files (the item file holds over a million values). It reads exactly as
// csv::Reader does, value for value and error for error (a test compares the
// two), but takes values as views of the decoded text and reads plain
// numbers and dates without building strings for them.
#include <QDateTime>
#include <QString>
#include <QStringView>

#include "platform/csv.h"

namespace csv {

// The same text as sjis::decode(bytes), by table for the common case.
QString decodeFast(const QByteArray& bytes);

// The same bytes as sjis::encode(text), by table for the common case.
QByteArray encodeFast(const QString& text);

class Scanner {
public:
    // Takes the file's bytes (Shift-JIS) or already decoded text.
    static Scanner fromBytes(const QByteArray& sjisBytes);
    explicit Scanner(QString text);

    bool atEnd();
    QString readString();
    qint64 readInteger(qint64 min, qint64 max);
    qint16 readInt16() { return static_cast<qint16>(readInteger(-32768, 32767)); }
    qint32 readInt32() { return static_cast<qint32>(readInteger(INT32_MIN, INT32_MAX)); }
    float readSingle();
    QDateTime readDate();
    QDateTime readDateIfDate(bool* isDate);
    void skip();
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

// Builds a file's bytes like csv::Writer, byte for byte, but encodes as it
// goes (no intermediate text of the whole file).
class FastWriter {
public:
    FastWriter() { buf_.reserve(1 << 16); }
    FastWriter& text(const QString& s);
    FastWriter& integer(qint64 n);
    FastWriter& single(float v);
    FastWriter& date(const QDateTime& d);
    FastWriter& date(const QDate& d) { return date(d.isValid() ? QDateTime(d, QTime(0, 0), Qt::UTC) : QDateTime()); }
    FastWriter& endLine();
    const QByteArray& bytes() const { return buf_; }

private:
    void sep() {
        if (!lineStart_) buf_.append(',');
        lineStart_ = false;
    }
    QByteArray buf_;
    bool lineStart_ = true;
};

}  // namespace csv

// The base figures of the promotion-subsidy report (振興備品集計表), kept
// per fiscal year in BASE.ZMD in the data folder: the base amount ① and
// the subsidy figure ⑤ of the science and of the arithmetic or mathematics
// table, the class counts, the pupils, the kinds of special-needs classes,
// the preparer and the responsible person.
//
// One line per fiscal year, sixteen comma-separated values, no header:
//   1 year, 2 science ①, 3 science ⑤, 4 arithmetic ①, 5 arithmetic ⑤,
//   6 ordinary classes, 7 special-needs classes, 8 class kinds (text),
//   9 pupils, 10 preparer, 11 responsible person, 12-16 reserved texts.
// Readers match lines by their year; the order carries no meaning.
//
// The file is read line by line: a line that is not of this form is kept as
// it stands and written back unchanged, so that nothing the user once typed
// is lost; a line of year 0 or below is dropped. Every year's line is kept,
// however many years the file holds. Nothing here touches a window.
#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

inline const QString BASE_FILE_NAME = QStringLiteral("BASE.ZMD");

// The figures of one fiscal year.
struct BASE_YEAR {
    qint16 YEAR = 0;           // the Gregorian year the fiscal year begins in
    qint32 R_BASE = 0;         // science ①
    qint32 R_MIN = 0;          // science ⑤
    qint32 S_BASE = 0;         // arithmetic or mathematics ①
    qint32 S_MIN = 0;          // arithmetic or mathematics ⑤
    qint16 CLASS_N = 0;        // ordinary classes (普通学級数)
    QString CLASS_KIND;        // kinds of special-needs classes (特別支援学級種)
    qint16 CLASS_S = 0;        // special-needs classes (特別支援学級数)
    qint16 PUPILS = 0;         // pupils (児童生徒数)
    QString MAKER;             // preparer (作成者)
    QString CHIEF;             // responsible person (責任者)
    bool operator==(const BASE_YEAR&) const = default;
};

// The six records of the report window: index 1 to 5 the five window years,
// oldest first; index 0 keeps year 0.
using BASE_RECORDS = std::array<BASE_YEAR, 6>;

// BASE.ZMD as read.
struct BASE_FILE {
    // 1 read, 0 no file, -1 the file exists but could not be read at all.
    qint16 STATE = 0;
    struct Line {
        bool PARSED = false;
        BASE_YEAR REC;        // when parsed
        QByteArray RAW;       // the line's bytes without its line end
    };
    // Every line that is not blank, in file order.
    std::vector<Line> LINES;
    // Lines that are not of the file's form: how many, and the first one's
    // number (from 1).
    int BAD_COUNT = 0;
    int FIRST_BAD = 0;
};

// Reads the file at `path`.
BASE_FILE BASE_FILE_READ(const QString& path);

// Fills every record whose year has a line in `file` (a later line of a
// year replaces an earlier one); records of other years stay as they are.
void BASE_FILE_APPLY(const BASE_FILE& file, BASE_RECORDS& recs);

// One record as its line, CRLF ended.
QByteArray BASE_LINE_BYTES(const BASE_YEAR& rec);

// The file to write: records 5 down to 1 (the newest window year first;
// records without a year are not written), then the lines of `old` of other
// years, from its last line to its first, each with its own values and the
// reserved texts empty; a line that was not of the file's form goes back as
// it stood. Lines of year 0 or below and the old lines of the window years
// are not written.
QByteArray BASE_FILE_BYTES(const BASE_RECORDS& recs, const BASE_FILE& old);

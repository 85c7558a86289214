// The category change log K_CHG.ZMD and the change lists in its line form:
// one change per line, 24 comma-separated values, no header.
//   1-7   old category, subject number, subject, code, classification,
//         item name, function
//   8-10  reserved ("")
//   11    level (0 subject, 1 classification, 2 item name)
//   12    reserved ("")
//   13-19 new category, subject number, subject, code, classification,
//         item name, function
//   20-24 reserved ("")
// Codes are held in half-width upper case. Nothing here touches a window.
#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

struct KCHG_REC {
    QString O_KUBUN;
    qint16 O_NO_KY = 0;
    QString O_KYOUKA, O_NO_BU, O_BUNRUI, O_FUNC_D, O_NAME_D;
    QString N_KUBUN;
    qint16 N_NO_KY = 0;
    QString N_KYOUKA, N_NO_BU, N_BUNRUI, N_FUNC_D, N_NAME_D;
    qint16 CHG_LEVEL = 0;
};

// The log and a loaded list hold at most this many changes.
inline constexpr qint32 KCHG_MAX = 32767;

inline const QString KCHG_FILE = QStringLiteral("K_CHG.ZMD");

// Reads a file of changes into `out` (emptied first). Result 1 read, 0 the
// file does not exist (`out` empty), -1 a line that is not a change (fewer
// or more than 24 values, a subject number or level that is not one, more
// than KCHG_MAX changes) or a file that cannot be read: `out` then holds
// the changes before that line and *badLine its number from 1 (0 when the
// file could not be read at all). Blank lines are passed over.
qint16 KCHG_READ_FILE(const QString& path, std::vector<KCHG_REC>& out, qint32* badLine);

// The file contents for `log`, one CRLF line per change (empty for none).
QByteArray KCHG_BYTES(const std::vector<KCHG_REC>& log);

// Removes every change equal to an earlier one in all fourteen key values
// (the level is not compared); the first of each stays at its place.
void KCHG_DUP_DEL(std::vector<KCHG_REC>& log);

// True when the two changes are equal in all fourteen key values.
bool KCHG_SAME(const KCHG_REC& a, const KCHG_REC& b);

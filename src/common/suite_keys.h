// The program's keys in the settings store, and the suite keys it shares with
// the other programs of the school-office suite and with the suite's menu.
//
// Every routine here but the notice-flag pair skips a step that fails (a
// store that cannot be written, a value that is not a number or a date) and
// goes on with the next; none of them reports anything.
#pragma once
#include <QDate>
#include <QString>
#include <array>
#include <optional>

// The program's own application name without the portable prefix.
inline const QString ZEMLO2_APP = QStringLiteral("ZEMLO2");
// The prefix of the portable application names.
inline const QString PORTABLE_PREFIX = QStringLiteral("R-");
// The previous version of this program (read only).
inline const QString ZEMLO_OLD_APP = QStringLiteral("ZEMLO");
// The suite's menu program.
inline const QString VELMOR_APP = QStringLiteral("VELMOR");

// The suite application list: fourteen application names in a fixed order,
// this program's the sixth. In portable mode the first twelve carry "R-".
inline constexpr int SUITE_APP_COUNT = 14;
extern const std::array<QString, SUITE_APP_COUNT> SUITE_APPS;
// Entry `i` (0-based) under the current mode (DRIVE_MODE).
QString SUITE_APP(int i);

// Date texts of the store: "yyyy/MM/dd"; read back leniently ("2024/5/3").
QString REG_DATE_TEXT(const QDate& d);
QDate REG_DATE_PARSE(const QString& s);
// A stored whole number; nullopt when the text is missing or not a number.
std::optional<qint64> REG_NUMBER(const QString& s);

void SCHOOL_SET_READ();
void SCHOOL_SET_SAVE();
void LAST_DAY_SAVE();
void NOTICE_FLAG_CHECK();
void NOTICE_FLAG_SAVE();
// Asks first; on Yes removes the SCHOOL, Version and TIME sections of REG_APP.
void REG_DATA_DEL();

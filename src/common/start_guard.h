// The start guard, portable mode and the export of the program's settings to
// ZEMLO2.SIN beside the program, the suite's update link, and the ways the
// program ends at once.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// The exported sections, in file order (fourteen; CALC_F is not among them).
extern const QStringList SIN_SECTIONS;
// The export file's name in the program folder.
inline const QString SIN_FILE_NAME = QStringLiteral("ZEMLO2.SIN");
// The suite links.
inline const QString UPDATE_LNK_NAME = QStringLiteral("ヌミカupdate.desktop");
inline const QString PROGRAM_LNK_NAME = QStringLiteral("ゼムロ２.desktop");

// 1 go on, -1 refused (after its message, if any): the caller ends the
// program before any window shows, saving and exporting nothing.
qint16 START_CHECK();

// Exports the program's sections to ZEMLO2.SIN (clearing the running mark
// first); in portable mode then removes them from the store. Never reports.
void SIN_FILE_SAVE();
// Portable mode only: imports ZEMLO2.SIN, moving stored paths to the folder
// the program now runs from. Never reports.
void SIN_FILE_READ();

void UPDATE_LNK_DEL();
void UPDATE_LNK_MAKE();

// The portable-mode timer's check: false while the program folder is there
// (or cannot be looked at); true when it is gone, after the message.
bool PRG_DIR_GONE_CHECK();

// The path of `name` in `folder`, matching an existing file without regard
// to case; `folder/name` when none matches.
QString FILE_IN_FOLDER(const QString& folder, const QString& name);

// Ends the program at once: no window closes through its handlers, nothing is
// saved. The lock of the single instance is given up. Tests replace the
// ending with a hook and read PROGRAM_ENDED afterwards.
void END_PROGRAM(int code = 0);
// Clears the running mark, then ends at once (the restore's way out: no table
// is saved and nothing is exported).
void END_PROGRAM_CLEAR_MARK();
bool PROGRAM_ENDED();
void SET_END_HOOK_FOR_TESTS(std::function<void(int)> hook);
void RESET_PROGRAM_ENDED_FOR_TESTS();

// The settings file ZEMLO2.SEW in the program folder, and SCHOOL.TXT.
#pragma once
#include <QString>
#include <QtGlobal>

#include "store/state.h"

qint16 ENV_READ();   // 1 read, 0 missing (defaults set), -1 read error
qint16 ENV_SAVE();   // 1 written, -1 failed (after its message)

// Run first by ENV_SAVE: the saver of the suite's settings-store keys. The
// shell installs it (the store does not reach up into the shell).
inline void (*ENV_SAVE_SUITE_KEYS)() = nullptr;

// Path of the suite's school file for the program folder `prgDir`: the folder
// "ヌミカ" at the mount point of its drive, file "SCHOOL.TXT".
QString SCHOOL_TXT_PATH(const QString& prgDir);

// Lines a label holds at most.
inline constexpr int LABEL_LINES_MAX = 6;
// True when labels can be printed with the layout: at least one label down,
// one across and one text line (six at most; a hand-edited file may hold
// more), and no negative height or width.
bool LABEL_LAYOUT_OK(const LABEL_LAYOUT_REC& l);

#pragma once
// The settings file ZEMLO2.SEW in the program folder, and SCHOOL.TXT.
#include <QtGlobal>

qint16 ENV_READ();   // 1 read, 0 missing (defaults set), -1 read error
qint16 ENV_SAVE();   // 1 written, -1 failed (after its message)

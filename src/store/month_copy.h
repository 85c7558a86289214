// The monthly copy of the data files inside the data folder, and the
// conversion of the names of the master, the items and the plans to
// half-width characters.
#pragma once

// Keeps one copy of the data and settings files per calendar month in the
// data folder (folder "year_month") and removes month copies beyond the five
// most recent of the previous 21 months. Every failing step is passed over.
void DATA_BACKUP_MONTH();

// Loads the master, the items and the plans anew from their files, converts
// their category, subject, classification and item names to half-width
// characters and saves each table that loaded. Pending edits of the master
// are saved first through the hook below. A category name is converted only
// when the converted text is itself one of KUBUN_NAMES, so items never lose
// their category.
void NAME_NARROW_ALL();

// Set by a window that keeps unsaved master edits (the category editor): it
// saves them before the files are read again. Nothing by default.
using NAME_NARROW_SAVE_FN = void (*)();
void NAME_NARROW_SAVE_HOOK_SET(NAME_NARROW_SAVE_FN fn);

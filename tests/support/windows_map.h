#pragma once
// The windows map of the documents (docs/windows.md): which header holds
// which window class. Screenshots of windows are named after the file.
#include <QHash>
#include <QString>

// Each window class the map names, with its header ("src/lists/disposed_list.h"),
// from the table rows "| `CLASS` | `src/folder/file.h` | ...". Empty when the
// map cannot be read.
QHash<QString, QString> windowsMap();

// The name of a screenshot of the window class `name`: its file without folder
// and ending ("disposed_list"), with the class after it where the file holds
// more than one window ("bulk_dialogs-A_OUT_DAY_F"). Empty when the map does
// not name the window.
QString windowShotName(const QString& name);

// Each window class the map names, with what opens it (the table's last
// column: "menu 設定 → 環境設定", "the item list's \"追加\"", ...).
QHash<QString, QString> windowOpeners();

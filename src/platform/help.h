#pragma once
// The help menu: opens the program's help file when one is installed, and
// otherwise says that none is.
//
// A help file is looked for by its base name ("zemlo2" of "zemlo2.hlp") with
// the endings this system can show (.html, .htm, .pdf, .txt), first in the
// given folder (the program folder), then in the shared documentation folder
// of the program; names are matched without regard to case.
#include <QString>
#include <QStringList>
#include <functional>

namespace help {

// The help file found for `helpName` in `folder`, or empty.
QString find(const QString& helpName, const QString& folder);

// Opens the help file of `helpName` or shows the message that none is
// installed. Returns true when a file was opened.
bool show(const QString& helpName, const QString& folder);

// Test seams: the opener (default: the desktop's viewer for the file) and
// the shared documentation folders searched after `folder`.
void setOpenerForTests(std::function<bool(const QString& path)> opener);
void setSharedFoldersForTests(const QStringList* folders);

}  // namespace help

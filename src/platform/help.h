// The help menu: opens the program's help file when one is installed, and
// otherwise says that none is.
//
// A help file is looked for by its base name ("zemlo2" of "zemlo2.hlp") with
// the endings this system can show (.html, .htm, .pdf, .txt), first in the
// given folder (the program folder), then in the shared documentation folder
// of the program; names are matched without regard to case. A topic (the
// context number of the old help files) is the anchor of that number in an
// HTML help file (<h2 id="36">); other kinds of help file open at their
// start.
#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace help {

// The help file found for `helpName` in `folder`, or empty.
QString find(const QString& helpName, const QString& folder);

// Opens the help file of `helpName`, at `topic` when above 0, or shows the
// message that none is installed. Returns true when a file was opened.
bool show(const QString& helpName, const QString& folder, int topic = 0);

// Test seams: the opener (default: the desktop's viewer for the address)
// and the shared documentation folders searched after `folder`.
void setOpenerForTests(std::function<bool(const QUrl& file)> opener);
void setSharedFoldersForTests(const QStringList* folders);

}  // namespace help

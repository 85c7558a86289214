// Desktop link files of the school-office suite, and the online check made
// before the suite's update link is renewed.
//
// The suite keeps its links in a folder "ヌミカ" inside one of the user's
// folders: the desktop folder and the applications-menu folder, in this
// order. A link is a desktop entry file ("<name>.desktop"): the update link
// is of type Link and points at the suite's update download.
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace shortcut {

inline const QString kSuiteFolder = QStringLiteral("ヌミカ");
inline const QString kLinkSuffix = QStringLiteral(".desktop");
// Where the suite's update program is downloaded from.
inline const QString kUpdateUrl = QStringLiteral("https://numika-suite.example.jp/update/");

// The user's folders under which the suite folder is looked for, in order.
QStringList suiteParents();

// Writes a desktop link file at `path` named `name` pointing at `url`.
// Returns false when the file could not be written.
bool writeUrlLink(const QString& path, const QString& name, const QString& url);

// 0 when the machine is online, -1 when it is not. This machine has no way
// to tell a working connection from a configured one, so it reports offline
// unless a test says otherwise.
int NET_ON_CHECK();

// Test seams.
void setSuiteParentsForTests(const std::optional<QStringList>& folders);
void setOnlineForTests(std::optional<bool> online);

}  // namespace shortcut

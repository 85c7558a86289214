// File-name and copy helpers. The register's file names (ZEMLO.ZMD, *.ZME,
// ...) come from Windows media, so they are matched without regard to case;
// copies keep the source's modification time, which the rotating copies of
// the data files compare.
#pragma once
#include <QString>
#include <QStringList>

namespace fileutil {

// The path of `name` inside `folder`: the entry whose name equals `name`
// exactly or, failing that, without regard to case; `folder`/`name` when
// there is none (the path to create).
QString locate(const QString& folder, const QString& name);
// True when `folder` holds a regular file named `name` (any case).
bool fileExists(const QString& folder, const QString& name);

// True when `name` can stand as the name of one file inside a folder on a
// Windows medium as well as here: not empty, no more than 255 bytes, none of
// \ / : * ? " < > | or control characters (so no folder or drive part and
// no wildcard), not "." or "..", no blank or dot at its end, not a device
// name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an extension),
// and every character one that Shift-JIS holds.
bool isPlainFileName(const QString& name);

// Copies `from` to `to` (replacing `to`) and gives the copy the source's
// modification time. False when anything fails.
bool copyKeepTime(const QString& from, const QString& to);

// True when `fileName` matches the wildcard `pattern` ("*" any run, "?" one
// character) without regard to case: "*.ZMD" matches "kubun.zmd".
bool matches(const QString& fileName, const QString& pattern);
// Names of the regular files in `folder` that match `pattern`, sorted.
QStringList list(const QString& folder, const QString& pattern);

// The rotating copies of a data file: `base`.BA1 (oldest) to `base`.BA3
// (newest) beside `source` in `folder`. A missing copy is taken from the
// source; when all three exist and the source is newer than .BA3, .BA1 is
// dropped, .BA2 and .BA3 move down and the source is copied to .BA3.
// False when a step fails.
bool rotateCopies(const QString& folder, const QString& base, const QString& source);

}  // namespace fileutil

// Plumbing shared by the loaders and savers of the data files.
#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

namespace store {

// Path of a data file in DATA_DIR (found without regard to case).
QString dataPath(const QString& name);

// Reads a whole file; false when it cannot be opened or read.
bool readWhole(const QString& path, QByteArray* out);

// The guard of the savers: a table whose file exists but was not loaded in
// this run is not written over it. Shows the refusal and returns false.
bool mayWrite(bool loaded, const QString& folder, const QString& name);

// Writes `bytes` as `name` in `folder` through the atomic writer (over the
// existing file of any case); false when the write failed.
bool writeFile(const QString& folder, const QString& name, const QByteArray& bytes);
// The same for a file made of several parts written one after another.
bool writeFile(const QString& folder, const QString& name, const std::vector<QByteArray>& parts);

}  // namespace store

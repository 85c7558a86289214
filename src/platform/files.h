#pragma once
// File helpers of the register: the one atomic writer every save goes through.
#include <QByteArray>
#include <QString>

namespace files {

// Writes `data` to `path` through a temporary file in the same folder, then
// renames it over the old file. On failure the old file stays whole and the
// function returns false (with a reason in *error when given).
bool writeAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);

// Test seam: while set, writeAtomic fails for every path whose file name
// matches `fileName` case-insensitively (a full disk, a removed medium).
void failWritesForTests(const QString& fileName);

}  // namespace files

// File helpers of the register: the one atomic writer every save goes through.
#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

namespace files {

// Writes `data` to `path` through a temporary file in the same folder, then
// renames it over the old file. The rename happens only when every write,
// the close and the sync to the medium succeeded, so a full or failing
// medium never leaves a short file in place of the old one. On failure the
// old file stays whole, the temporary file is removed and the function
// returns false (with a reason in *error when given). A new file gets the
// usual permissions; a replaced one keeps its own.
bool writeAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);
// The same for a file made of several parts written one after another.
bool writeAtomic(const QString& path, const std::vector<QByteArray>& parts, QString* error = nullptr);

// The temporary file's name for `path` is the name followed by this mark and
// six random letters or digits ("ZEMLO.ZMD.zemlo2~a8K2xQ").
inline constexpr char kTempMark[] = ".zemlo2~";

// Removes the writer's own temporary files that a killed run left in
// `folder` (names ending in kTempMark and six letters or digits). Returns
// how many were removed.
int removeStaleTemporaries(const QString& folder);

// Test seam: while set, writeAtomic fails for every path whose file name
// matches `fileName` case-insensitively (a full disk, a removed medium).
void failWritesForTests(const QString& fileName);

// Test seam: while set, that step of every writeAtomic fails as an I/O
// error of the medium would (the steps run in this order).
enum class Step { None, Write, Sync, Close, Rename };
void failStepForTests(Step step);

}  // namespace files

// One running copy of the program per settings-store application name: a lock
// file in the user's runtime folder, held for the whole run.
#pragma once
#include <QString>

namespace instance {

// Takes the lock of `appName`. Returns false when another running copy holds
// it (a lock left by a copy that crashed is taken over). Taking the lock of
// the name already held by this process returns true.
bool acquire(const QString& appName);
// Gives the lock up (at the end of the run; also safe without a lock).
void release();
// The lock file's path for `appName`.
QString lockPath(const QString& appName);

// Test seam: the folder that holds the lock files (empty: the runtime folder).
void setLockFolderForTests(const QString& folder);

}  // namespace instance

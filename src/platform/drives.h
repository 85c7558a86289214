// Drives as the register knows them, on a system without drive letters.
//
// A folder's "drive" is the mount point of the file system that holds it;
// its short name (what the window caption shows in place of a drive letter)
// is the mount point's last path component, "/" for the root file system.
// A drive is removable when the block device under its mount point is
// removable media (a USB stick, a memory card); that is what switches the
// program into portable mode. Tests force the answer with an override.
#pragma once
#include <QString>
#include <optional>

namespace drives {

// Drive type codes, as the start guard compares them.
inline constexpr int DRIVE_UNKNOWN = 0;
inline constexpr int DRIVE_REMOVABLE = 2;
inline constexpr int DRIVE_FIXED = 3;

// Mount point of the file system holding `folder` ("/" for the root). The
// folder need not exist: the nearest existing parent decides.
QString mountPoint(const QString& folder);

// Short drive name of `folder`: the last component of its mount point, or
// "/" when the folder lies on the root file system.
QString driveName(const QString& folder);

// True when the block device under the folder's mount point is removable.
bool isRemovable(const QString& folder);

// DRIVE_REMOVABLE or DRIVE_FIXED for the drive holding `folder`.
int DRIVE_TYPE_GET(const QString& folder);

// Test seams: force isRemovable() for every folder (nullopt: ask the system),
// and force the mount point reported for every folder (empty: ask the system).
void setRemovableForTests(std::optional<bool> removable);
void setMountPointForTests(const QString& mountPoint);

}  // namespace drives

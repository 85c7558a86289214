// The per-user settings store: application / section / key -> text value.
// It stands in for the per-user registry and also holds the keys that the
// programs of the suite share. One INI-like UTF-8 file per application under
// a root folder (by default the user's configuration folder + "/zemlo2-registry").
// Applications, sections and keys are matched without regard to case and keep
// the case they were first written with. Sections and keys come back in the
// order they were first saved.
#pragma once
#include <QString>
#include <utility>
#include <vector>

namespace reg {

using KeyValues = std::vector<std::pair<QString, QString>>;

// The stored value, or `def` when the application, section or key is missing.
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def = QString());
// Stores a value (creating the application file and section as needed).
// Returns false when the file could not be written.
bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
// Deletes one key, a whole section (empty key) or the whole application
// (empty section). Deleting what does not exist is not a failure.
bool DeleteSetting(const QString& app, const QString& section = QString(), const QString& key = QString());
// Every key of a section with its value, in the order the keys were first
// saved; empty when the section does not exist.
KeyValues GetAllSettings(const QString& app, const QString& section);
// The sections of an application, in the order they were first created.
std::vector<QString> GetAllSections(const QString& app);
// True when the section exists (it may hold no key).
bool SectionExists(const QString& app, const QString& section);

// The folder holding the files. Tests point it at a temporary folder; an
// empty path returns to the default.
void setRootForTests(const QString& path);
QString root();
// The file that holds an application's settings.
QString fileOf(const QString& app);
// Test seam: while set, every write fails (an unwritable store).
void failWritesForTests(bool fail);

}  // namespace reg

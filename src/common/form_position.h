// Where dialogs remember the position the user left them at: section
// "Position" of the program's settings-store application, keys made of the
// window's name and " Left" / " Top", in twips.
#pragma once
#include <QString>
#include <optional>

namespace platform {
class Form;
}

// Stores w's Left and Top. Returns false when the store could not be written.
bool FORM_POS_SAVE(platform::Form* w);
// Restores w's position: a value beyond the screen less 1000 twips is
// dropped (the window keeps its designed place), a negative one becomes 0,
// 0 keeps the designed place; a value that is not a 16-bit number puts the
// window at (0, 0). Never fails.
void FORM_POS_READ(platform::Form* w);

// A stored coordinate as a 16-bit whole number (halves to even); nullopt
// when it is not a number or outside -32768..32767. Empty text is not a number.
std::optional<int> positionValue(const QString& text);

// Where the file dialogs start: section "Folders" of the program's
// settings-store application keeps, for each purpose ("PDF", "EXPORT", ...),
// the folder of the file or folder last chosen for it.
// The folder a dialog for `purpose` starts in: the one last chosen for it
// while it still exists, else the data folder (the program's folder before
// a data folder is set).
QString FILE_DIALOG_FOLDER(const QString& purpose);
// Keeps the folder of a chosen file (for a chosen folder, that folder) for
// `purpose`. Nothing is kept for an empty path.
void FILE_DIALOG_KEEP(const QString& purpose, const QString& chosen, bool isFolder = false);

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

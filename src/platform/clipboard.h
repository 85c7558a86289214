// The clipboard, plain text only: what the register puts there for other
// programs (label texts, plan rows). The text goes over as it is in memory;
// the desktop's clipboard carries it as Unicode text.
#pragma once
#include <QString>

namespace clip {

// Clears the clipboard and puts `text` on it. False when the clipboard did
// not take the text (no clipboard, another program holds it, a simulated
// failure); what was there before is then gone or unchanged.
bool setText(const QString& text);
// The plain text on the clipboard now (empty when it holds none).
QString text();

// Tests: the following setText calls fail (true) or work again (false).
void failForTests(bool fail);

}  // namespace clip

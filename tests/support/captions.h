#pragma once
// Whether a window shows every caption whole with the installed fonts: each
// label's, button's, check box's, option button's and frame's text is
// measured in the control's own font and compared with the room the control
// (and every control around it, up to the window) gives it; a window's title
// is compared with its width.
#include <QString>
#include <QStringList>

class QWidget;

namespace gui {

// One line per caption that is cut ("WINDOW/CONTROL "text": needs N px, has M px");
// empty when everything shows whole. Hidden controls and controls placed wholly
// outside their parent (shown only by a gesture) are not looked at.
QStringList cutCaptions(QWidget* window);

}  // namespace gui

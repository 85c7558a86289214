// Keeps the user's clicks and keys out while long work yields to the event
// loop (a search, a sort or a print that shows its progress): a window
// inside the main frame blocks the whole frame, so that neither its own
// buttons nor the frame's menus and buttons can start other work in the
// middle of it; any other window blocks itself. Blocks nest: the input
// returns when the last one ends, and with it the focus to the control that
// had it (a greyed window loses its focus while it is disabled).
#pragma once
#include <QPointer>
#include <QWidget>

namespace platform {

class InputBlock {
public:
    // How the blocked window looks meanwhile: greyed out (its controls
    // disabled), or as it is, its controls looking enabled while the clicks
    // and keys that reach them are dropped (for windows whose controls are
    // to stay enabled during their work).
    enum class Look { Greyed, AsItIs };

    explicit InputBlock(QWidget* window, Look look = Look::Greyed);
    ~InputBlock();
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

    // True while a block holds `w` (or the frame it stands in).
    static bool blocked(const QWidget* w);

private:
    QPointer<QWidget> target_;
    Look look_;
    // The control of the greyed window that had the focus.
    QPointer<QWidget> focus_;
};

}  // namespace platform

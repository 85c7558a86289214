// Keeps the user's clicks and keys out while long work yields to the event
// loop (a search, a sort or a print that shows its progress): a window
// inside the main frame blocks the whole frame, so that neither its own
// buttons nor the frame's menus and buttons can start other work in the
// middle of it; any other window blocks itself. Blocks nest: the input
// returns when the last one ends.
#pragma once
#include <QPointer>
#include <QWidget>

namespace platform {

class InputBlock {
public:
    explicit InputBlock(QWidget* window);
    ~InputBlock();
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

    // True while a block holds `w` (or the frame it stands in).
    static bool blocked(const QWidget* w);

private:
    QPointer<QWidget> target_;
};

}  // namespace platform

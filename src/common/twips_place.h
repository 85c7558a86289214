// Placing a control of a shell window by its rectangle in twips.
#pragma once
#include "platform/controls.h"

namespace shell_ui {

// Sets a control's geometry from twips and hands the control back.
template <class W>
W* at(W* w, int left, int top, int width, int height) {
    ctl::placeTwips(w, left, top, width, height);
    return w;
}

}  // namespace shell_ui

#pragma once
// Renders a recorded print for a person to look at: the document goes to a
// PDF file under ZEMLO_SHOT_DIR/prints and each page to a PNG beside it
// (name-1.png, name-2.png, ...) when pdftoppm is installed.
#include <QString>

#include "platform/printer.h"

// Returns the path of the first page's PNG (empty when pdftoppm is missing).
QString renderPrint(const prn::Document& doc, const QString& name, int dpi = 100);

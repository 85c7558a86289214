// The other dialogs of the program behind one call each: input box, file
// open and save, folder choice and the printer set-up. Each has a test hook:
// while a hook is set it answers in place of the real dialog.
#pragma once
#include <QString>
#include <functional>
#include <optional>

#include "platform/ui.h"

namespace dlg {

// Input box: the typed text, or nullopt when cancelled.
std::optional<QString> InputBox(const QString& prompt, const QString& title = ui::kTitle,
                                const QString& defaultText = QString());

// File open / save dialogs. `filter` is in the register's form
// "説明|*.ZME|全て|*.*" or Qt's form "説明 (*.ZME);;全て (*)". Returns the
// chosen path, or an empty string when cancelled. A save dialog asks about
// overwriting only when `confirmOverwrite` is set.
QString OpenFile(const QString& title, const QString& folder, const QString& filter);
QString SaveFile(const QString& title, const QString& folder, const QString& filter,
                 bool confirmOverwrite = true);
// Folder choice: the chosen folder or an empty string.
QString ChooseFolder(const QString& title, const QString& folder);

// The printer set-up dialog: the user picks a printer or a PDF file. On OK
// the choice becomes the printer every later print uses (prn::setTarget)
// and the function returns true; Cancel returns false and changes nothing.
// `pdfProposal` is the PDF file the dialog offers while none is chosen.
bool PrinterSetup(const QString& title = QString(), const QString& pdfProposal = QString());

// Converts a filter of the register's form into Qt's form (Qt's form passes).
QString qtFilter(const QString& filter);

// ---- test hooks
struct Hooks {
    // prompt, title, default -> answer (nullopt = cancel)
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> input;
    // kind ("open", "save", "folder"), title, folder (or proposed file), filter -> path ("" = cancel)
    std::function<QString(const QString&, const QString&, const QString&, const QString&)> file;
    // title -> accepted; the hook sets the printer choice itself (prn::setTarget)
    std::function<bool(const QString&)> printer;
};
// Installs hooks (an empty member leaves that dialog real); returns the old ones.
Hooks setHooks(const Hooks& hooks);
const Hooks& hooks();

}  // namespace dlg

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

// How a save dialog takes the name the user typed.
enum class SaveName {
    // A name without an extension gets the one of the file type chosen in
    // the dialog, before the dialog asks whether an existing file with that
    // name is to be replaced.
    AddExtension,
    // The name exactly as typed; an existing file is replaced without a
    // question.
    AsTyped,
};

// File open / save dialogs (Qt's own dialog, in Japanese). `filter` is in
// the register's form "説明|*.ZME|全て|*.*" or Qt's form "説明 (*.ZME);;全て (*)";
// `folder` is the folder to start in, or a file there to propose. Returns
// the chosen path, or an empty string when cancelled.
QString OpenFile(const QString& title, const QString& folder, const QString& filter);
QString SaveFile(const QString& title, const QString& folder, const QString& filter,
                 SaveName name = SaveName::AddExtension);
// Folder choice: the chosen folder or an empty string.
QString ChooseFolder(const QString& title, const QString& folder);

// The printer set-up dialog: the user picks a printer or PDF files (each
// print then asks for its file). On "設定" the choice becomes the printer
// every later print uses (prn::setTarget) and the function returns true;
// Cancel returns false and changes nothing. `pdfProposal` is the file the
// dialog shows for PDF files (only shown: the file is asked at each print).
bool PrinterSetup(const QString& title = QString(), const QString& pdfProposal = QString());

// Converts a filter of the register's form into Qt's form (Qt's form
// passes): "テキストファイル(*.TXT)|*.TXT" gives "テキストファイル (*.TXT)", the
// pattern shown once; a description without its pattern gets it added.
QString qtFilter(const QString& filter);
// The extension a name typed without one gets under a file type of Qt's
// form ("テキストファイル (*.TXT)" gives "TXT"); empty for "*" or "*.*".
QString filterExtension(const QString& qtFilterEntry);
// `path` with that extension added when its name has none.
QString withExtension(const QString& path, const QString& qtFilterEntry);

// ---- test hooks
struct Hooks {
    // prompt, title, default -> answer (nullopt = cancel)
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> input;
    // kind ("open", "save", "folder"), title, folder (or proposed file), filter -> path ("" = cancel).
    // The answer stands for what the user typed: a save dialog adds the
    // extension to it as the real dialog does.
    std::function<QString(const QString&, const QString&, const QString&, const QString&)> file;
    // title -> accepted; the hook sets the printer choice itself (prn::setTarget)
    std::function<bool(const QString&)> printer;
};
// Installs hooks (an empty member leaves that dialog real); returns the old ones.
Hooks setHooks(const Hooks& hooks);
const Hooks& hooks();

}  // namespace dlg

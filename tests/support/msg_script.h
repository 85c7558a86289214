#pragma once
// A scripted user for message boxes and the other dialogs: records every box
// (text, title, style) and answers from a queue of expected answers. A box
// that was not expected fails the test and is answered with its first
// button. Also records the hourglass and the progress window.
//
//   MsgScript msg;                       // installs itself
//   msg.expect("保存しますか", ui::vbYes); // the next box must contain the text
//   ... run the code ...
//   EXPECT_TRUE(msg.done());             // every expected box came
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "platform/ui.h"
#include "support/qt_print.h"

class MsgScript : public ui::Backend {
public:
    struct Box {
        QString text;
        QString title;
        int style = 0;
        int answer = 0;
        bool expected = false;
    };
    struct ProgressEvent {
        enum Kind { Show, Set, Close };
        Kind kind;
        QString title;
        int percent = 0;
    };

    // Installs itself as the ui backend and the dialog hooks; the destructor
    // restores the previous ones and fails the test when expected boxes or
    // dialogs did not come.
    MsgScript();
    ~MsgScript() override;
    MsgScript(const MsgScript&) = delete;
    MsgScript& operator=(const MsgScript&) = delete;

    // ---- expectations, answered in order
    // The next box must contain `textSubstring`; it is answered with `answer`.
    // `whileShown` runs while the box is up, before the answer (the user
    // frees the medium, puts the stick back, ...).
    MsgScript& expect(const QString& textSubstring, int answer = ui::vbOK, std::function<void()> whileShown = {});
    // The next input box (prompt containing the text) answers `answer`
    // (nullopt = cancel).
    MsgScript& expectInput(const QString& promptSubstring, std::optional<QString> answer);
    // The next file or folder dialog answers `path` ("" = cancel).
    MsgScript& expectFile(const QString& path);
    // The next printer set-up dialog: accepted or cancelled; when accepted
    // with a choice (a printer's name, or PDF files), that becomes the printer.
    MsgScript& expectPrinterSetup(bool accept, const prn::Target& chosen = {});
    // Boxes that are not expected are answered with their default button
    // without failing (for tests that do not care about the boxes).
    void setLenient(bool lenient) { lenient_ = lenient; }
    // True when every expectation was used.
    bool done() const { return boxes_.empty() && inputs_.empty() && files_.empty() && printers_.empty(); }
    // Drops every pending expectation and every record.
    void clear();

    // ---- what happened
    const std::vector<Box>& boxes() const { return shown_; }
    int boxCount() const { return int(shown_.size()); }
    // True when a box containing the text was shown.
    bool saw(const QString& textSubstring) const;
    const Box& lastBox() const { return shown_.back(); }
    QStringList inputPrompts;       // prompts of the input boxes shown
    QStringList fileDialogs;        // "open: title", "save: title", "folder: title"
    QStringList fileStarts;         // the folder (or proposed file) each file dialog started at
    int printerSetups = 0;
    const std::vector<ProgressEvent>& progress() const { return progress_; }
    // The percentages written into the progress window, in order.
    std::vector<int> percents() const;
    QStringList progressTitles() const;
    int busyDepth() const { return busy_; }
    int busyOnCount() const { return busyOn_; }
    int doEventsCount() const { return doEvents_; }
    // Also shows the real progress window while recording (screenshots).
    void forwardProgress(bool on) { forward_ = on; }

    // ui::Backend
    int msgBox(const QString& prompt, int style, const QString& title) override;
    void setBusy(bool busy) override;
    void doEvents() override;
    void progressShow(const QString& title) override;
    void progressSet(int percent) override;
    void progressClose() override;

private:
    struct Expect {
        QString text;
        int answer;
        std::function<void()> whileShown;
    };
    struct ExpectInput {
        QString text;
        std::optional<QString> answer;
    };
    struct ExpectPrinter {
        bool accept;
        prn::Target chosen;
    };
    std::deque<Expect> boxes_;
    std::deque<ExpectInput> inputs_;
    std::deque<QString> files_;
    std::deque<ExpectPrinter> printers_;
    std::vector<Box> shown_;
    std::vector<ProgressEvent> progress_;
    int busy_ = 0, busyOn_ = 0, doEvents_ = 0;
    bool lenient_ = false, forward_ = false;
    ui::Backend* previous_ = nullptr;
    dlg::Hooks previousHooks_;
};

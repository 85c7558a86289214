// The widget side of the user-interface seam (ui.h): message boxes as Qt
// message boxes with Japanese buttons, the hourglass pointer, yielding to the
// event loop and the progress window.
#pragma once
#include <QCursor>
#include <QPointer>
#include <QString>
#include <vector>

#include "platform/ui.h"

class QWidget;

namespace platform {

// The window that shows the progress of long work. The progress window of
// the shell registers itself here; without one the progress calls only
// drive the hourglass.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void show(const QString& title) = 0;
    virtual void set(int percent) = 0;
    virtual void close() = 0;
};
void setProgressView(ProgressView* view);
ProgressView* progressView();

// The Qt implementation of ui::Backend.
class QtBackend : public ui::Backend {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    void setBusy(bool busy) override;
    void doEvents() override;
    void progressShow(const QString& title) override;
    void progressSet(int percent) override;
    void progressClose() override;
    // How many hourglass requests are on now.
    int busyDepth() const { return busy_; }

private:
    int busy_ = 0;
};

// Installs the Qt backend (called once by main() and by window tests).
void installQtBackend();

// Loads Qt's own Japanese texts (its print and file dialogs, standard
// buttons) from the system's Qt translations, and beside them the few texts
// of the file dialogs that Qt's catalogue leaves in English ("Folder",
// "Drive"); the program's texts are its own. False when Qt's translations
// are not installed (the file dialogs' own few texts still are). Called once
// by main().
bool installQtTranslations();
// Takes them out again (tests).
void removeQtTranslationsForTests();

// The texts of the message-box buttons and the answer each gives, in the
// order they stand in the box, for a style (buttons part only).
struct BoxButton {
    QString text;
    int answer;
};
std::vector<BoxButton> boxButtons(int style);
// The answer of the default button of a style (first button unless the
// style names the second or third).
int defaultAnswer(int style);
// Message text as a box shows it: CR LF and lone CR become line breaks.
QString boxText(const QString& prompt);

// Every question to the user (message box, input box, file and folder
// dialogs, the printer set-up) is asked under one of these. While it lives
// the pointer is the normal arrow, however many hourglasses are on; they come
// back as they were when it ends, so the hourglass never hides that the
// program waits. When it ends the keyboard goes back to the window that had
// it before the question, where the window system gave it to none (a desktop
// without a window manager leaves it nowhere when a dialog closes).
class QuestionScope {
public:
    QuestionScope();
    ~QuestionScope();
    QuestionScope(const QuestionScope&) = delete;
    QuestionScope& operator=(const QuestionScope&) = delete;

private:
    std::vector<QCursor> taken_;  // the override pointers, innermost first
    QPointer<QWidget> hadKeyboard_;
};

// The parent for dialogs: the active modal window, else the main frame,
// else the active window.
QWidget* dialogParent();

}  // namespace platform

// The user-interface seam that code without widgets (the data store) uses:
// message boxes, the hourglass pointer, yielding to the event loop and the
// small progress window. The widget side installs the real implementation;
// tests install a script that records and answers every box.
#pragma once
#include <QString>

namespace ui {

// Message box styles and answers, coded as the register's windows code them.
enum Buttons { vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5 };
enum Icon { vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64 };
enum Answer { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };
// The second or third button is the default one.
enum DefaultButton { vbDefaultButton2 = 256, vbDefaultButton3 = 512 };
// A style is the sum (or bitwise or) of its buttons, icon and default button.
constexpr int operator+(Buttons b, Icon i) { return int(b) + int(i); }
constexpr int operator|(Buttons b, Icon i) { return int(b) | int(i); }
constexpr int operator+(Buttons b, DefaultButton d) { return int(b) + int(d); }
constexpr int operator|(Buttons b, DefaultButton d) { return int(b) | int(d); }
constexpr int operator+(Icon i, DefaultButton d) { return int(i) + int(d); }
constexpr int operator|(Icon i, DefaultButton d) { return int(i) | int(d); }

// The product title that message boxes carry unless a function title is named.
inline const QString kTitle = QStringLiteral("ゼムロ２");

class Backend {
public:
    virtual ~Backend() = default;
    // Shows a message box; `style` is buttons + icon + default button.
    // Returns the answer (vbOK, vbYes, ...).
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // The main window's hourglass pointer on or off.
    virtual void setBusy(bool busy) = 0;
    // Lets the event loop process pending events once.
    virtual void doEvents() = 0;
    // The small progress window ("データ処理"): shown with a title, its
    // percentage updated, closed.
    virtual void progressShow(const QString& title) = 0;
    virtual void progressSet(int percent) = 0;
    virtual void progressClose() = 0;
};

// Installs a backend (nullptr restores the quiet default, which answers every
// box with its first button and shows nothing). Returns the previous one.
Backend* setBackend(Backend* b);
Backend* backend();

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = kTitle);
void setBusy(bool busy);
void DoEvents();

// RAII hourglass: on at construction, off at destruction (also on errors).
class BusyPointer {
public:
    BusyPointer() { setBusy(true); }
    ~BusyPointer() { setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// The progress window of long work. Redraws only when the whole percentage
// changes; the last shown percentage is kept program-wide.
class Progress {
public:
    // Shows the window with `title` and "0" when `show` is true.
    Progress(const QString& title, bool show);
    ~Progress();
    // Reports `done` of `total` steps.
    void step(qint64 done, qint64 total);
    // A new title for the next stage of the work; the percentage starts at 0.
    void retitle(const QString& title);
    void close();
    bool shown() const { return shown_; }

private:
    bool shown_;
};

// Program-wide last shown percentage of the progress window.
extern int g_lastPercent;

}  // namespace ui

// The base of every window of the program, with the lifecycle the windows
// are written against:
//   Form_Load        once, when the window is first used (get() or Show)
//   Form_Activate    when it becomes the active window (also at first show)
//   Form_Resize      when its size changes (also at first show)
//   Form_QueryUnload / Form_Unload   before it closes; either may cancel
// Geometry is in twips (15 twips a pixel). A window is shown as a child of
// the main window's frame (QMdiArea) when it is made a frame child and a
// frame exists, else as a window of its own; ShowModal() runs a nested event
// loop until the window unloads. One instance per window type: FormInstance.
//
// Habits every window gets from this base, so that no window has to build
// them itself:
//  - a window of its own whose position was never set (no stored position)
//    opens centred over the main window;
//  - Escape presses the window's cancel button and Enter its default button
//    (setCancelButton, setDefaultButton); a dialog that marks no cancel
//    button takes its "キャンセル" or "閉じる" button; Enter on a button that
//    has the focus presses that button;
//  - a frame child sized to the frame (fitToFrame) follows it on every
//    resize and on maximise;
//  - editable combo boxes take exactly what is typed (no inline completion)
//    and every drop-down list shows its box's font (ctl::plainCombo);
//  - a right-aligned text box (a figure) lowers its font while the figure
//    would not fit (ctl::fitFigures);
//  - text boxes refuse what Shift-JIS cannot hold (ctl::guardSjis);
//  - a window that shows takes the keyboard at once (a frame child through
//    the frame, whose menus then answer their Alt keys), and a window of its
//    own that closes or hides gives the keyboard back to the window that
//    had it when it showed, even where the window system gives it to none
//    (a progress window shown during another window's load).
#pragma once
#include <QIcon>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <climits>
#include <functional>
#include <typeinfo>
#include <vector>

class QMdiArea;
#include <QMdiSubWindow>
#include <QPushButton>
class QEventLoop;

#include "platform/twips.h"

namespace platform {

// Why a window unloads, as Form_QueryUnload and Form_Unload receive it.
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3, vbFormMDIForm = 4 };

class Form : public QWidget {
    Q_OBJECT
public:
    // `name` is the window's name (its object name), used for window positions.
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    // ---- lifecycle hooks (override as needed)
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {}
    virtual void Form_Unload(int& Cancel) {}

    // ---- lifecycle actions
    // Runs Form_Load once. Safe to call again.
    void Load();
    // Shows the window modeless (or modally when modal is 1).
    void Show(int modal = 0);
    // Shows the window modally over the main frame and returns when it has
    // unloaded (at once when Form_Load unloaded it).
    void ShowModal();
    // Runs Form_QueryUnload and Form_Unload and closes the window; returns
    // false (window stays) when either cancelled.
    bool Unload(int mode = vbFormCode);
    // Hides the window without unloading it.
    void Hide();
    bool isLoaded() const { return loaded_; }
    bool isUnloaded() const { return unloaded_; }
    bool isModalShown() const { return modalLoop_ != nullptr; }
    QString Name() const { return objectName(); }

    // A frame child is placed into the main window's QMdiArea when shown
    // (when there is one); set it in the window's constructor.
    void setFrameChild(bool child) { frameChild_ = child; }
    bool isFrameChild() const { return frameChild_; }
    // The QMdiArea sub-window holding this window, when it has one.
    QMdiSubWindow* subWindow() const { return sub_; }

    // ---- geometry in twips (the outer rectangle of the window; for a frame
    // child, relative to the frame's client area)
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void setTwips(int left, int top, int width, int height);
    // The inner drawing area in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& c);
    // True once Left or Top was set (by the window's layout or a stored
    // position): such a window is not centred when it first shows.
    bool leftSet() const { return twL_ != INT_MIN; }
    bool topSet() const { return twT_ != INT_MIN; }

    // ---- keyboard defaults
    // Enter that no control took presses the default button (mark one only
    // where Enter is not already given to a box, e.g. an "add" on Enter);
    // Escape presses the cancel button, the window's close or cancel button.
    // Disabled or hidden buttons are not pressed. A window of its own that
    // marks no cancel button gets its "キャンセル"/"ｷｬﾝｾﾙ"/"閉じる" button, and
    // a button made default with QPushButton::setDefault is taken as the
    // default button.
    void setDefaultButton(QPushButton* b);
    void setCancelButton(QAbstractButton* b);
    QPushButton* defaultButton() const { return default_; }
    QAbstractButton* cancelButton() const { return cancel_; }
    // The control that has the focus when the window shows: the first
    // control in tab order that takes the focus, passing over a button that
    // closes, cancels or deletes (an Enter or a Space pressed at once, as a
    // clerk does to start typing, would press it). A window that marks
    // `first` gives it the focus instead; a window whose only controls are
    // such buttons keeps the first of them.
    void setFirstFocus(QWidget* first) { firstFocus_ = first; }
    // The control that would have the focus if the window showed now.
    QWidget* firstFocus() const;

    // ---- frame children sized to the frame
    // Sizes the window to the main window's width less `widthLess` and its
    // height less `heightLess` (twips), within the frame's client area and
    // at least 3000 twips each way. A `fixedWidth` above 0 keeps the window
    // that wide: only its height follows the frame. A frame child sized so
    // follows the frame from then on (followFrame).
    void fitToFrame(int widthLess = 300, int heightLess = 1460, int fixedWidth = 0);
    // Sizes a frame child again whenever the frame's size changes (the main
    // window is resized, maximised or restored); its Form_Resize runs after
    // each change and should keep what the window lists (ListGrid::refit).
    void followFrame(int widthLess = 300, int heightLess = 1460, int fixedWidth = 0);
    bool followsFrame() const { return follow_ != nullptr; }

    // ---- the main frame
    // Set by the main window: its widget and the QMdiArea that holds children.
    static void setMainFrame(QWidget* frame, QMdiArea* mdi);
    static QWidget* mainFrame();
    static QMdiArea* mdiArea();
    // Every window loaded now, oldest first.
    static QList<Form*> loadedForms();
    // Tests: deletes every window without running its unload handlers.
    static void destroyAllForTests();
    // Tests: called with every window as it shows (nullptr: none).
    static void setShowHookForTests(std::function<void(Form*)> hook);

    // Every window type made through FormInstance, with a routine that gets
    // (creates and loads) its instance: a test can open every window of the
    // program, including the ones added later.
    struct Kind {
        const char* type;
        Form* (*get)();
    };
    static const std::vector<Kind>& kinds();
    static bool registerKind(const char* type, Form* (*get)());

signals:
    void unloaded();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // The widget whose geometry is the window's outer rectangle.
    QWidget* outer() const;

private:
    void fireActivate();
    void finishUnload();
    // Before the first showing of a window of its own: centred over the main
    // window on each axis whose position was not set; cancel and default
    // buttons taken from the captions when none were marked.
    void prepareFirstShow();
    // Gives the first control the focus before the window first shows.
    void placeFirstFocus();
    // The keyboard as the window shows: a window of its own remembers the
    // window that had the keyboard (its opener); a frame child brings the
    // frame to the keyboard and has the focus in one of its controls.
    void takeKeyboard();
    // As a window of its own hides: the keyboard goes back to its opener
    // (or the main window) unless another window has taken it.
    void giveKeyboardBack();
    // The window's own habits applied to its controls (combo boxes, text boxes).
    void applyControlHabits();
    class FrameFollower;
    QPointer<QPushButton> default_;
    QPointer<QAbstractButton> cancel_;
    QPointer<QWidget> firstFocus_;
    QPointer<QWidget> opener_;
    FrameFollower* follow_ = nullptr;
    int followW_ = 300, followH_ = 1460, followFixedW_ = 0;
    bool loaded_ = false;
    bool loading_ = false;
    bool unloaded_ = false;
    bool unloading_ = false;
    bool active_ = false;
    bool frameChild_ = false;
    bool shownOnce_ = false;
    QPointer<QMdiSubWindow> sub_;
    QEventLoop* modalLoop_ = nullptr;
    // The twips last set, returned while the window still sits on the
    // pixel they gave (so a value set reads back unchanged).
    int twL_ = INT_MIN, twT_ = INT_MIN, twW_ = INT_MIN, twH_ = INT_MIN;
};

// One instance per window type, created and loaded on first use, as the
// windows reach each other by their type.
template <class T>
class FormInstance {
public:
    // The loaded instance, creating and loading a new one when there is none.
    static T* get() {
        (void)registered_;
        if (!p_ || p_->isUnloaded()) {
            p_ = new T();
            p_->Load();
        }
        return p_.data();
    }
    // The instance when one is loaded, else nullptr (never creates one).
    static T* peek() { return exists() ? p_.data() : nullptr; }
    static bool exists() { return p_ && p_->isLoaded() && !p_->isUnloaded(); }
    // Unloads the instance if loaded; false when it refused.
    static bool unload(int mode = vbFormCode) { return !exists() || p_->Unload(mode); }

private:
    static inline QPointer<T> p_;
    static Form* getForm() { return get(); }
    static inline const bool registered_ = Form::registerKind(typeid(T).name(), &FormInstance<T>::getForm);
};

// Brings a window to the front and gives it the keyboard (the offscreen
// platform of the tests has no stacking: there it only takes the keyboard).
void toFront(QWidget* w);

// The program icon that every window takes.
QIcon programIcon();
void setProgramIcon(const QIcon& icon);

// Maps the font names the windows and prints ask for ("ＭＳ 明朝", ...) to
// the installed IPA fonts.
void setupFonts();

// The width in pixels that a window needs to show `title` whole in its title
// bar: the title in a title bar's font with the icon and the close button
// beside it. Message boxes and the window check of the tests use it.
int titleWidthPx(const QString& title);

// Screen size in twips (tests may fix it).
int screenWidthTwips();
int screenHeightTwips();
void setScreenSizeForTests(int widthTwips, int heightTwips);  // 0, 0: the real screen

}  // namespace platform

#include "platform/forms.h"

#include "platform/controls.h"
#include "platform/printer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

// The program's pictures live in a static library: their resource is
// registered by a call, not by a constructor the linker would leave out.
static void initIconResource() { Q_INIT_RESOURCE(program_icon); }

namespace platform {
void toFront(QWidget* w) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
    w->activateWindow();
}

namespace {
QPointer<QWidget> g_frame;
QPointer<QMdiArea> g_mdi;
QList<Form*> g_all;       // every live window object
QList<Form*> g_loaded;    // loaded, oldest first
QPointer<Form> g_activeForm;
QIcon g_icon;
bool g_iconMade = false;
int g_screenW = 0, g_screenH = 0;
std::function<void(Form*)> g_showHook;

std::vector<Form::Kind>& kindList() {
    static std::vector<Form::Kind> kinds;
    return kinds;
}

// Captions by which a dialog's buttons are known when the window marks none.
bool isCancelCaption(const QString& c) {
    static const QStringList captions = {QStringLiteral("キャンセル"), QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("閉じる"),
                                         QStringLiteral("取消"), QStringLiteral("取消し")};
    return captions.contains(c);
}
// A button that Enter or Escape may press.
bool pressable(const QAbstractButton* b) { return b && b->isVisible() && b->isEnabled(); }

// A button that must not have the focus when its window opens: it closes
// or cancels the window, or deletes.
bool closesOrDeletes(const QWidget* w, const QAbstractButton* cancel) {
    const auto* b = qobject_cast<const QAbstractButton*>(w);
    if (!b) return false;
    if (b == cancel) return true;
    QString c = b->text();
    c.remove(QLatin1Char('&'));
    c = c.trimmed();
    return isCancelCaption(c) || c.contains(QStringLiteral("削除")) || c == QStringLiteral("終了");
}

// Enter on a push button that has the focus presses it, as Space does (Qt
// leaves Enter to buttons that are default buttons).
class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
        if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        auto* b = qobject_cast<QPushButton*>(watched);
        if (!b || b->autoDefault() || b->isDefault() || !pressable(b)) return false;
        b->click();
        return true;
    }
};
}  // namespace

// Watches the frame's client area and sizes its window to it.
class Form::FrameFollower : public QObject {
public:
    FrameFollower(Form* form, QWidget* watched) : QObject(form), form_(form) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize && form_->isLoaded() && !form_->isUnloaded())
            form_->fitToFrame(form_->followW_, form_->followH_, form_->followFixedW_);
        return false;
    }

private:
    Form* form_;
};

Form::Form(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    g_all.append(this);
    if (!parent) setWindowFlags(Qt::Window);
}

Form::~Form() {
    g_all.removeAll(this);
    g_loaded.removeAll(this);
    if (modalLoop_) modalLoop_->quit();
}

void Form::Load() {
    if (loaded_ || loading_ || unloaded_) return;
    loaded_ = true;
    loading_ = true;
    g_loaded.append(this);
    setWindowIcon(programIcon());
    if (frameChild_ && g_mdi && !sub_) {
        const QRect r = geometry();
        sub_ = g_mdi->addSubWindow(this);
        sub_->setAttribute(Qt::WA_DeleteOnClose);
        sub_->setWindowIcon(programIcon());
        sub_->hide();
        sub_->resize(sub_->sizeHint().expandedTo(r.size()));
        connect(g_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
            if (w && w == sub_) fireActivate();
        });
    }
    Form_Load();
    applyControlHabits();
    loading_ = false;
}

void Form::applyControlHabits() {
    // Text typed into any box may reach a data file: refuse what Shift-JIS
    // cannot hold.
    ctl::guardAllSjis(this);
    // Combo boxes take what is typed and show their own font in their lists.
    for (QComboBox* c : findChildren<QComboBox*>()) ctl::plainCombo(c);
    // A right-aligned box holds a figure: it shows the whole figure.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if ((e->alignment() & Qt::AlignRight) && !qobject_cast<QAbstractSpinBox*>(e->parentWidget()) &&
            !qobject_cast<QComboBox*>(e->parentWidget()))
            ctl::fitFigures(e);
    // Enter presses the button that has the focus.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->property("zemloEnterPresses").toBool()) continue;
        b->setProperty("zemloEnterPresses", true);
        b->installEventFilter(new EnterPresses(b));
    }
}

void Form::prepareFirstShow() {
    applyControlHabits();
    if (shownOnce_ || sub_ || !isWindow()) return;
    // Keyboard defaults the window did not mark: the cancel button from the
    // captions, the default button from a button made default by Qt's own
    // property.
    if (!cancel_ || !default_) {
        for (QPushButton* b : findChildren<QPushButton*>()) {
            if (!cancel_ && isCancelCaption(b->text())) cancel_ = b;
            if (!default_ && b->isDefault()) default_ = b;
        }
    }
    // Centred over the main window on each axis whose position was not set.
    if (leftSet() && topSet()) return;
    QRect host;
    QWidget* frame = g_frame && g_frame != this && g_frame->isVisible() ? g_frame.data() : nullptr;
    QScreen* screen = frame ? frame->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    host = frame ? frame->frameGeometry() : avail;
    const QSize size = frameGeometry().size();
    int x = host.x() + (host.width() - size.width()) / 2;
    int y = host.y() + (host.height() - size.height()) / 2;
    // Whole on the screen where it can be; never above or left of it.
    x = std::max(avail.left(), std::min(x, avail.right() + 1 - size.width()));
    y = std::max(avail.top(), std::min(y, avail.bottom() + 1 - size.height()));
    move(leftSet() ? pos().x() : x, topSet() ? pos().y() : y);
}

QWidget* Form::firstFocus() const {
    const auto takes = [this](QWidget* w) {
        return w && w != this && isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
               w->isVisibleTo(const_cast<Form*>(this)) && !w->focusProxy();
    };
    if (firstFocus_ && takes(firstFocus_)) return firstFocus_;
    QWidget* first = nullptr;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!takes(w)) continue;
        if (!closesOrDeletes(w, cancel_)) return w;
        if (!first) first = w;
    }
    return first;
}

void Form::placeFirstFocus() {
    if (shownOnce_) return;
    // A control the window's load gave the focus keeps it, unless it is a
    // button that would close the window on the first key.
    QWidget* had = focusWidget();
    if (had && had != this && isAncestorOf(had) && !closesOrDeletes(had, cancel_) && !firstFocus_) return;
    if (QWidget* w = firstFocus()) w->setFocus(Qt::OtherFocusReason);
}

void Form::setDefaultButton(QPushButton* b) {
    if (default_ && default_ != b) default_->setDefault(false);
    default_ = b;
    if (b) b->setDefault(true);
}

void Form::setCancelButton(QAbstractButton* b) { cancel_ = b; }

void Form::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && k == Qt::Key_Escape && pressable(cancel_)) {
        cancel_->click();
        return;
    }
    if (plain && (k == Qt::Key_Return || k == Qt::Key_Enter) && pressable(default_)) {
        default_->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Form::fitToFrame(int widthLess, int heightLess, int fixedWidth) {
    int w = screenWidthTwips() - widthLess, h = screenHeightTwips() - heightLess;
    if (g_frame && g_frame != this) {
        w = pxToTwips(g_frame->frameGeometry().width()) - widthLess;
        h = pxToTwips(g_frame->frameGeometry().height()) - heightLess;
    }
    if (g_mdi && g_mdi->isVisible() && sub_) {
        w = std::min(w, pxToTwips(g_mdi->viewport()->width()));
        h = std::min(h, pxToTwips(g_mdi->viewport()->height()));
    }
    setWidth(fixedWidth > 0 ? fixedWidth : std::max(w, 3000));
    setHeight(std::max(h, 3000));
    // A frame child sized to the frame goes on following it.
    if (frameChild_) followFrame(widthLess, heightLess, fixedWidth);
}

void Form::followFrame(int widthLess, int heightLess, int fixedWidth) {
    followW_ = widthLess;
    followH_ = heightLess;
    followFixedW_ = fixedWidth;
    if (follow_ || !g_mdi || !frameChild_) return;
    follow_ = new FrameFollower(this, g_mdi->viewport());
}

void Form::takeKeyboard() {
    QWidget* active = QApplication::activeWindow();
    if (!sub_) {
        if (active && active != this) opener_ = active;
        return;
    }
    // A window in the frame: the frame has the keyboard (unless a modal
    // window holds it) and the focus stands in the window, on the control it
    // had or on the first one.
    if (g_frame && g_frame->isVisible() && active != g_frame && !QApplication::activeModalWidget()) toFront(g_frame);
    QWidget* has = QApplication::focusWidget();
    if (has && isAncestorOf(has)) return;
    QWidget* to = focusWidget();
    if (!to || to == this || !to->isVisible() || !to->isEnabled()) to = firstFocus();
    if (to) to->setFocus(Qt::ActiveWindowFocusReason);
}

void Form::giveKeyboardBack() {
    if (sub_) return;
    QWidget* active = QApplication::activeWindow();
    if (active && active != this && active->isVisible()) return;  // another window took it
    QWidget* to = opener_.data();
    if (!to || to == this || !to->isVisible()) to = QApplication::activeModalWidget();
    if (!to || to == this || !to->isVisible()) to = g_frame.data();
    if (to && to != this && to->isVisible()) toFront(to);
}

void Form::Show(int modal) {
    if (modal) {
        ShowModal();
        return;
    }
    Load();
    if (unloaded_) return;
    prepareFirstShow();
    placeFirstFocus();
    if (sub_) {
        sub_->show();
        if (g_mdi) g_mdi->setActiveSubWindow(sub_);
        takeKeyboard();
    } else {
        takeKeyboard();
        show();
        toFront(this);
    }
    fireActivate();
}

void Form::ShowModal() {
    Load();
    if (unloaded_) return;
    if (sub_) {
        // A modal window is never a frame child: take it out of the frame.
        QMdiSubWindow* s = sub_;
        sub_ = nullptr;
        s->setWidget(nullptr);
        s->deleteLater();
    }
    if (!parentWidget() || !isWindow()) {
        const QPoint p = pos();
        QWidget* owner = g_frame && g_frame != this ? g_frame.data() : nullptr;
        setParent(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
        move(p);
    } else if (!(windowFlags() & Qt::Dialog) && g_frame && parentWidget() != g_frame) {
        const QPoint p = pos();
        setParent(g_frame, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
        move(p);
    }
    setWindowModality(Qt::ApplicationModal);
    prepareFirstShow();
    placeFirstFocus();
    takeKeyboard();
    show();
    toFront(this);
    fireActivate();
    if (unloaded_) return;
    QPointer<Form> self(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (self) self->modalLoop_ = nullptr;
}

bool Form::Unload(int mode) {
    if (!loaded_ || unloaded_) return true;
    if (unloading_) return true;
    unloading_ = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel) {
        unloading_ = false;
        return false;
    }
    Form_Unload(cancel);
    if (cancel) {
        unloading_ = false;
        return false;
    }
    finishUnload();
    return true;
}

void Form::finishUnload() {
    unloaded_ = true;
    loaded_ = false;
    g_loaded.removeAll(this);
    if (g_activeForm == this) g_activeForm = nullptr;
    if (modalLoop_) modalLoop_->quit();
    emit unloaded();
    if (sub_) {
        sub_->close();  // deletes the sub-window and this window with it
    } else {
        hide();
        giveKeyboardBack();
        deleteLater();
    }
}

void Form::Hide() {
    if (sub_) {
        sub_->hide();
    } else {
        hide();
        giveKeyboardBack();
    }
}

QWidget* Form::outer() const {
    if (sub_) return sub_.data();
    return const_cast<Form*>(this);
}

namespace {
int keep(int cached, int px) { return cached != INT_MIN && twipsToPx(cached) == px ? cached : pxToTwips(px); }
}  // namespace

int Form::Left() const { return keep(twL_, outer()->x()); }
int Form::Top() const { return keep(twT_, outer()->y()); }
int Form::Width() const {
    QWidget* o = outer();
    return keep(twW_, o->isWindow() ? o->frameGeometry().width() : o->width());
}
int Form::Height() const {
    QWidget* o = outer();
    return keep(twH_, o->isWindow() ? o->frameGeometry().height() : o->height());
}
void Form::setLeft(int twips) {
    twL_ = twips;
    outer()->move(twipsToPx(twips), outer()->y());
}
void Form::setTop(int twips) {
    twT_ = twips;
    outer()->move(outer()->x(), twipsToPx(twips));
}
void Form::setWidth(int twips) {
    QWidget* o = outer();
    const int frame = o->isWindow() ? o->frameGeometry().width() - o->width() : 0;
    twW_ = twips;
    o->resize(std::max(1, twipsToPx(twips) - frame), o->height());
}
void Form::setHeight(int twips) {
    QWidget* o = outer();
    const int frame = o->isWindow() ? o->frameGeometry().height() - o->height() : 0;
    twH_ = twips;
    o->resize(o->width(), std::max(1, twipsToPx(twips) - frame));
}
void Form::setTwips(int left, int top, int width, int height) {
    setLeft(left);
    setTop(top);
    setWidth(width);
    setHeight(height);
}
int Form::ScaleWidth() const { return pxToTwips(width()); }
int Form::ScaleHeight() const { return pxToTwips(height()); }
void Form::setCaption(const QString& c) {
    setWindowTitle(c);
    if (sub_) sub_->setWindowTitle(c);
}

void Form::fireActivate() {
    if (!loaded_ || unloaded_ || loading_) return;
    if (g_activeForm == this) return;
    g_activeForm = this;
    Form_Activate();
}

bool Form::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && isWindow() && isVisible()) fireActivate();
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    if (!loaded_ || unloading_ || unloaded_) {
        e->accept();
        return;
    }
    if (Unload(vbFormControlMenu)) e->accept();
    else e->ignore();
}

void Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (loaded_ && !loading_ && !unloaded_) Form_Resize();
}

void Form::showEvent(QShowEvent* e) {
    // Qt sends the first resize event before the first show, so the window
    // hears Form_Resize between Form_Load and Form_Activate.
    QWidget::showEvent(e);
    shownOnce_ = true;
    if (g_showHook) g_showHook(this);
}

void Form::setShowHookForTests(std::function<void(Form*)> hook) { g_showHook = std::move(hook); }

const std::vector<Form::Kind>& Form::kinds() { return kindList(); }

bool Form::registerKind(const char* type, Form* (*get)()) {
    kindList().push_back({type, get});
    return true;
}

void Form::setMainFrame(QWidget* frame, QMdiArea* mdi) {
    g_frame = frame;
    g_mdi = mdi;
}
QWidget* Form::mainFrame() { return g_frame.data(); }
QMdiArea* Form::mdiArea() { return g_mdi.data(); }
QList<Form*> Form::loadedForms() { return g_loaded; }

void Form::destroyAllForTests() {
    const QList<Form*> all = g_all;
    for (Form* f : all) {
        if (!g_all.contains(f)) continue;  // went with an earlier one
        f->unloaded_ = true;
        f->loaded_ = false;
        if (f->modalLoop_) f->modalLoop_->quit();
        if (f->sub_) delete f->sub_.data();
        else delete f;
    }
    g_loaded.clear();
    g_activeForm = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QIcon programIcon() {
    if (!g_iconMade && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        g_iconMade = true;
        // "ゼ" in white, bold, on dark green, 32 pixels square: drawn once
        // and kept as a picture among the program's resources.
        if (g_icon.isNull()) {
            initIconResource();
            g_icon = QIcon(QStringLiteral(":/zemlo2/program_icon.png"));
        }
    }
    return g_icon;
}
void setProgramIcon(const QIcon& icon) {
    g_icon = icon;
    g_iconMade = true;
}

void setupFonts() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"));
    prn::clearMeasures();
}

int titleWidthPx(const QString& title) {
    // Title bars show a bold face a little larger than the windows' text.
    QFont f = QGuiApplication::font();
    f.setBold(true);
    if (f.pointSizeF() < 11) f.setPointSizeF(11);
    constexpr int kChrome = 16 + 8 + 8 + 32 + 16;  // icon, gaps, close button, borders
    return QFontMetrics(f).horizontalAdvance(title) + kChrome;
}

int screenWidthTwips() {
    if (g_screenW > 0) return g_screenW;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? pxToTwips(s->geometry().width()) : pxToTwips(1024);
}
int screenHeightTwips() {
    if (g_screenH > 0) return g_screenH;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? pxToTwips(s->geometry().height()) : pxToTwips(768);
}
void setScreenSizeForTests(int widthTwips, int heightTwips) {
    g_screenW = widthTwips;
    g_screenH = heightTwips;
}

}  // namespace platform

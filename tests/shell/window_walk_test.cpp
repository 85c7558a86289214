// Walks every window of the program as a clerk would open it, from the state
// the program has after its start: every kind of the form switch, every
// dialog of the menus, the windows the item list opens, and then every other
// window type of the program. Each window is checked as it shows: every
// caption whole with the installed fonts, every visible enabled button and
// box reached by a click on its centre (no other control lies over it), and
// a screenshot under screenshots/windows/, named after the window's file. New windows join the walk by
// themselves through the form switch, the menus, the item list's plug-ins and FormInstance; the windows
// map (docs/windows.md) must name each with its file, and name no window the walk does not meet.
#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>
#include <QtTest/QTest>
#include <iostream>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <typeinfo>

#include "platform/forms.h"
#include "platform/settings_store.h"
#include "register/item_list.h"
#include "shell/form_switch.h"
#include "start_fixture.h"
#include "store/state.h"
#include "support/captions.h"
#include "support/gui.h"
#include "support/windows_map.h"

using platform::Form;

namespace {

// The one control the design puts under another: the item list's category
// sort lies wholly beneath ソート and is reached by a double-click on the
// caption of the first category level.
const QString kSortUnderSort = QStringLiteral("A_ZEMLO_LIST: B_SORT2 \"ソート２\" under B_SORT");

class WindowWalk : public StartFixture {
protected:
    void TearDown() override {
        Form::setShowHookForTests({});
        StartFixture::TearDown();
    }

    // Checks a window once per kind of window.
    void checkOnce(Form* f) {
        const QString type = QString::fromLatin1(typeid(*f).name());
        if (checked_.contains(type)) return;
        checked_.insert(type);
        names_ << f->Name();
        for (const QString& fault : gui::cutCaptions(f)) faults_ << fault;
        // The control that has the focus as the window opens.
        QWidget* has = QApplication::focusWidget();
        if (!has || !f->isAncestorOf(has)) has = f->focusWidget();
        QString caption;
        if (auto* b = qobject_cast<QAbstractButton*>(has)) caption = b->text().remove(u'&').trimmed();
        const QString seen = f->Name() + QStringLiteral(": ") + (has ? has->objectName() : QStringLiteral("(none)")) +
                             QStringLiteral(" ") + caption;
        focus_ << seen;
        static const QStringList closing = {QStringLiteral("閉じる"), QStringLiteral("キャンセル"), QStringLiteral("ｷｬﾝｾﾙ"),
                                            QStringLiteral("取消"), QStringLiteral("取消し"), QStringLiteral("終了")};
        if (!caption.isEmpty() && (closing.contains(caption) || caption.contains(QStringLiteral("削除"))) &&
            !kClosingFocusAllowed.contains(f->Name()))
            faults_ << QStringLiteral("focus on a closing button: ") + seen;
        for (const QString& fault : gui::coveredControls(f))
            if (!fault.startsWith(kSortUnderSort)) faults_ << fault;
        gui::shot(f, QStringLiteral("windows/") + shotName(f->Name()));
    }
    // The window's shot is named after its file, as the map gives it.
    QString shotName(const QString& name) {
        const QString shot = windowShotName(name);
        if (!shot.isEmpty()) return shot;
        faults_ << QStringLiteral("not in docs/windows.md: ") + name;
        return name;
    }
    // Every window is checked as soon as it has shown; a modal one is then
    // closed (or, when it refuses, as the walk cannot answer it, removed).
    void watchWindows() {
        Form::setShowHookForTests([this](Form* f) {
            QPointer<Form> p(f);
            QTimer::singleShot(0, f, [this, p] {
                if (!p || p->isUnloaded()) return;
                checkOnce(p);
                if (p->isModalShown() && !p->Unload()) p->deleteLater();
            });
        });
    }
    static QString typeOf(Form* f) { return QString::fromLatin1(typeid(*f).name()); }

    const QHash<QString, QString> map_ = windowsMap();
    QSet<QString> checked_;
    QStringList names_, faults_, focus_;
    // Windows whose only controls close them.
    const QStringList kClosingFocusAllowed = {};
};

}  // namespace

TEST_F(WindowWalk, EveryWindowShowsEveryCaptionWholeAndEveryButtonUncovered) {
    // A school office's screen of 1366 × 768 pixels; the program opens at its first size.
    platform::setScreenSizeForTests(1366 * 15, 768 * 15);
    writeRegister(40);
    // A previous version's folder, so that the migration window stays open.
    reg::SaveSetting("ZEMLO", "SCHOOL", "DIR_ME", home("old"));
    ASSERT_TRUE(start());
    EXPECT_FALSE(w->isMaximized());
    for (const QString& fault : gui::coveredControls(w)) faults_ << fault;
    msg.setLenient(true);
    watchWindows();
    // Two items disposed of, so that the list of disposed items opens.
    ZEMLO_DATA[3].BOUT_Y = 2024, ZEMLO_DATA[3].BOUT_M = 4, ZEMLO_DATA[3].BOUT_D = 1;
    ZEMLO_DATA[4].BOUT_Y = 2024, ZEMLO_DATA[4].BOUT_M = 4, ZEMLO_DATA[4].BOUT_D = 2;

    // Every window of the form switch.
    for (qint16 kind = 1; kind <= 25; ++kind) {
        if (!FORM_IN_TABLE(kind) || !FORM_BUILT(kind)) continue;
        FORM_CHANGE(kind);
        gui::settle();
        if (kind == 3) {
            // The item list with a row selected, its hidden filter lists shown,
            // and every window it opens.
            A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
            ASSERT_NE(list, nullptr);
            gui::click(list->B_KEIHI);
            gui::doubleClickAt(list->Label10, QPoint(5, 5));
            gui::clickAt(list->D_NO, QPoint(10, (250 + 125) / 15));
            checked_.remove(typeOf(list));
            checkOnce(list);
            gui::click(list->B_KEIHI);
            for (QPushButton* b : {list->B_IN, list->B_CHG, list->B_OUT, list->B_AREA, list->B_PRT, list->B_LABEL}) {
                gui::clickAt(list->D_NO, QPoint(10, (250 + 125) / 15));
                if (b->isEnabled()) gui::click(b);
            }
        }
        FORM_CHANGE(0);
        gui::settle();
    }

    // Every dialog of the menus.
    for (MENU_DIALOG d : {MENU_DIALOG::USER_SET, MENU_DIALOG::ETC_SET, MENU_DIALOG::LABEL_SET, MENU_DIALOG::PASS_SET,
                          MENU_DIALOG::VER_FORM, MENU_DIALOG::START_F, MENU_DIALOG::BACKUP_DATA, MENU_DIALOG::F1_2}) {
        if (!MENU_DIALOG_BUILT(d)) continue;
        MENU_DIALOG_SHOW(d);
        gui::settle();
        for (Form* f : Form::loadedForms())
            if (!f->isFrameChild() && !f->isModalShown()) f->Unload();
        gui::settle();
    }

    // Every other window of the program, opened on its own.
    for (const Form::Kind& k : Form::kinds()) {
        const QString type = QString::fromLatin1(k.type);
        // Windows that tests make for themselves are not the program's.
        if (checked_.contains(type) || type.contains(QLatin1String("_GLOBAL__N_")) || type.contains(QLatin1String("FakeWindow")))
            continue;
        Form* f = k.get();
        if (!f || f->isUnloaded()) continue;
        f->Show();
        gui::settle();
        if (f && !f->isUnloaded()) {
            checkOnce(f);
            if (!f->Unload()) delete f;
        }
        gui::settle();
    }

    std::cout << focus_.join(u'\n').toStdString() << std::endl;
    EXPECT_TRUE(faults_.isEmpty()) << faults_.join(u'\n').toStdString();
    // The walk reached the windows built so far.
    for (const char* name : {"A_ZEMLO_LIST", "A_ZEMLO_IN", "A_ZEMLO_CHG", "A_OUT_DAY_F", "A_AREA_SET", "A_ZEMLO_L2",
                             "A_ZEMLO_PIN", "KUBUN_ADD_F", "USER_SET", "DF_SET", "ETC_SET", "PASS_SET", "PASS_IN",
                             "VER_FORM", "START_F", "BACKUP_DATA", "F1_2", "PRT_MSGF", "PRT_MSG2", "WORK_DISP",
                             "WORK_DISP2", "LABEL_SET", "LABEL_PRT"})
        EXPECT_TRUE(names_.contains(QString::fromLatin1(name))) << name;
    // The map names every window the walk met (above) and no other: a
    // renamed or removed window leaves no stale line behind.
    ASSERT_FALSE(map_.isEmpty()) << "docs/windows.md not read";
    for (auto it = map_.cbegin(); it != map_.cend(); ++it) {
        // (The main window is no Form: the walk starts from it.)
        if (it.key() != QStringLiteral("MAIN_F"))
            EXPECT_TRUE(names_.contains(it.key()))
                << "docs/windows.md names a window the walk did not meet: " << it.key().toStdString();
        // The file named holds the class.
        QFile header(QStringLiteral(ZEMLO_DOCS "/../") + it.value());
        EXPECT_TRUE(header.open(QIODevice::ReadOnly) &&
                    QString::fromUtf8(header.readAll()).contains(QStringLiteral("class ") + it.key() + QStringLiteral(" :")))
            << it.key().toStdString() << " in " << it.value().toStdString();
    }
}

namespace {

// A window's Enter chain: the controls the focus goes through, in order.
struct EnterChain {
    const char* window;
    std::vector<const char*> controls;
};

const EnterChain kEnterChains[] = {
    {"USER_SET", {"SC_NAME", "SC_CODE", "H_X", "H_Y", "V_X", "V_Y", "TAX"}},
    {"KUBUN_F", {"KYOUKA", "BUNRUI", "NAME_D"}},
    {"A_ZEMLO_IN", {"BY_Y", "B_NO", "B_NOS", "BIN_Y", "BIN_M", "BIN_D", "KH_KUBUN"}},
    {"A_ZEMLO_IN",
     {"KUBUN", "KYOUKA", "BUNRUI", "NAME_D", "B_COUNT", "B_MONY", "KEEP", "SHOP", "MAKER", "MAKER_NO", "MSG"}},
    {"A_ZEMLO_CHG",
     {"BY_Y", "B_NO", "B_NOS", "BIN_Y", "BIN_M", "BIN_D", "BOUT_Y", "BOUT_M", "BOUT_D", "KH_KUBUN", "KUBUN", "KYOUKA",
      "BUNRUI", "NAME_D", "B_MONY", "KEEP", "SHOP", "MAKER", "MAKER_NO", "MSG"}},
    {"A_OUT_DAY_F", {"BOUT_Y", "BOUT_M", "BOUT_D", "B_OK"}},
    {"P_ZEMLO_IN", {"BY_Y", "KH_KUBUN"}},
    {"P_ZEMLO_IN", {"KUBUN", "KYOUKA", "BUNRUI", "NAME_D", "B_COUNT", "B_MONY", "MAKER", "MAKER_NO", "MSG"}},
    {"LABEL_SET",
     {"L_HEIGHT", "L_WIDTH", "L_TOP", "L_LEFT", "L_V_SPAN", "L_H_SPAN", "L_V_COUNT", "L_H_COUNT", "L_D_COUNT"}},
    {"NOTE_P", {"CH_Y", "CH_M", "CH_D", "CHK_YMD"}},
};

// The window kind whose type is named `name`.
Form* openKind(const QString& name) {
    const QByteArray mangled = QByteArray::number(name.size()) + name.toLatin1();
    for (const Form::Kind& k : Form::kinds())
        if (QByteArray(k.type) == mangled) return k.get();
    return nullptr;
}

QString describe(const QWidget* w) { return w ? w->objectName() : QStringLiteral("(none)"); }

}  // namespace

TEST_F(WindowWalk, EveryEnterChainMovesTheFocusAsTheKeysArrive) {
    platform::setScreenSizeForTests(1366 * 15, 768 * 15);
    writeRegister(40);
    ASSERT_TRUE(start());
    msg.setLenient(true);
    QStringList faults;
    for (const EnterChain& chain : kEnterChains) {
        const QString name = QString::fromLatin1(chain.window);
        Form* f = openKind(name);
        if (!f) {
            faults << name + QStringLiteral(": no such window");
            continue;
        }
        QPointer<Form> alive(f);
        f->Show();
        gui::settle();
        if (!alive || f->isUnloaded()) {
            faults << name + QStringLiteral(": did not stay open");
            continue;
        }
        f->window()->activateWindow();
        gui::settle();
        for (size_t i = 0; i + 1 < chain.controls.size(); ++i) {
            const QString from = QString::fromLatin1(chain.controls[i]), to = QString::fromLatin1(chain.controls[i + 1]);
            auto* a = f->findChild<QWidget*>(from);
            auto* b = f->findChild<QWidget*>(to);
            if (!a || !b) {
                faults << name + QStringLiteral(": no control ") + (a ? to : from);
                break;
            }
            a->setFocus(Qt::OtherFocusReason);
            gui::settle();
            QWidget* has = QApplication::focusWidget();
            if (has != a) {
                faults << name + QStringLiteral(" ") + from + QStringLiteral(": takes no focus (") + describe(has) +
                              QStringLiteral(")");
                continue;
            }
            // The key goes where the window system sends it: to the control
            // that has the focus.
            gui::key(has, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            if (!alive || f->isUnloaded()) {
                faults << name + QStringLiteral(" ") + from + QStringLiteral(": Enter closed the window");
                break;
            }
            if (QApplication::focusWidget() != b)
                faults << name + QStringLiteral(" ") + from + QStringLiteral(" -> ") + to + QStringLiteral(": went to ") +
                              describe(QApplication::focusWidget());
        }
        if (alive && !f->isUnloaded() && !f->Unload()) delete f;
        gui::settle();
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

// ---------------------------------------------------------------- the keyboard

namespace {

// A key pressed and released as the window system delivers it: to the window
// that has the keyboard, through the shortcuts first. False when no window
// has the keyboard (the key is lost).
bool typeKey(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWindow* has = QGuiApplication::focusWindow();
    if (!has) return false;
    QTest::keyClick(has, Qt::Key(key), mods);
    gui::settle();
    return true;
}

// Where the keys go now: the window that has the keyboard and its control.
QString keyboardAt() {
    QString at = QStringLiteral("(no window)");
    if (QWindow* has = QGuiApplication::focusWindow()) {
        const auto* ww = QApplication::activeWindow();
        at = ww ? ww->objectName() : has->objectName();
    }
    return at + QStringLiteral(" / ") + describe(QApplication::focusWidget());
}

// The key of the letter marked with & in a caption ("データリスト(&D)": D).
int mnemonicKey(const QString& caption) {
    const int amp = int(caption.indexOf(u'&'));
    if (amp < 0 || amp + 1 >= caption.size()) return 0;
    const QChar c = caption.at(amp + 1).toUpper();
    return c >= u'A' && c <= u'Z' ? Qt::Key_A + (c.unicode() - u'A') : 0;
}

// On the offscreen platform every window that shows takes the keyboard, a
// menu that drops down too, and a window that hides gives it to no window;
// on a desktop a menu leaves the keyboard with the window it belongs to.
// While this lives, a menu that closes gives the keyboard back to the window
// that had it when the menu dropped down, as a desktop does.
class MenusLeaveTheKeyboard : public QObject {
public:
    MenusLeaveTheKeyboard() { qApp->installEventFilter(this); }
    ~MenusLeaveTheKeyboard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!qobject_cast<QMenu*>(o)) return false;
        if (e->type() == QEvent::Show) {
            QWindow* has = QGuiApplication::focusWindow();
            if (has && has->type() != Qt::Popup) owner_ = has;
        } else if (e->type() == QEvent::Hide && owner_ && !QApplication::activePopupWidget()) {
            owner_->requestActivate();
            owner_ = nullptr;
        }
        return false;
    }

private:
    QPointer<QWindow> owner_;
};

// The walks by keyboard: the program started as main() starts it, keys sent
// as the window system sends them.
class KeyWalk : public WindowWalk {
protected:
    void startProgram() {
        platform::setScreenSizeForTests(1366 * 15, 768 * 15);
        writeRegister(40);
        // The progress windows show as in the program: they come and go
        // while other windows open.
        msg.forwardProgress(true);
        ASSERT_TRUE(start());
        msg.setLenient(true);
        bar = w->menuBar();
    }
    // Closes a menu that dropped down with Esc, as a clerk does; a second Esc
    // leaves the menu bar when the first left its title highlighted.
    void closeMenu() {
        for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i) typeKey(Qt::Key_Escape);
        if (QApplication::focusWidget() == bar) typeKey(Qt::Key_Escape);
    }
    // Alt and the menu's letter, where the keys go now: true when the menu
    // dropped down (it is left open when `keepOpen`).
    bool dropsDown(QMenu* menu, bool keepOpen = false) {
        if (!typeKey(mnemonicKey(menu->title()), Qt::AltModifier)) return false;
        const bool shown = QApplication::activePopupWidget() == menu;
        if (!shown || !keepOpen) closeMenu();
        return shown;
    }
    // Chooses a menu's entry with the keys: Alt and the menu's letter, then
    // the entry's letter. False when the menu did not drop down.
    bool choose(QMenu* menu, QAction* entry) {
        if (!dropsDown(menu, true)) return false;
        typeKey(mnemonicKey(entry->text()));
        return true;
    }
    // The frame's menus answer their Alt keys: one fault line when not.
    void menusAnswer(const QString& where, std::initializer_list<QMenu*> menus) {
        for (QMenu* menu : menus)
            if (!dropsDown(menu))
                faults_ << where + QStringLiteral(": Alt+") + QKeySequence(mnemonicKey(menu->title())).toString() +
                               QStringLiteral(" drops no menu down (keys at ") + keyboardAt() + u')';
    }

    QMenuBar* bar = nullptr;
    MenusLeaveTheKeyboard desktopMenus_;
};

}  // namespace

// What the clerk saw: the lists of disposed items and by storage place
// (which counts the places under a progress window as it opens), each opened
// from its menu with the keys, take the menus' Alt keys at once. (The
// desktop has given the main window the keyboard, as it does at the start.)
TEST_F(KeyWalk, TheListsOfTheDataMenuTakeTheMenuKeysAsTheyOpen) {
    startProgram();
    ZEMLO_DATA[3].BOUT_Y = 2024, ZEMLO_DATA[3].BOUT_M = 4, ZEMLO_DATA[3].BOUT_D = 1;
    w->activateWindow();
    gui::settle();
    for (QAction* entry : {w->MENU_OUT, w->MENU_KEEP}) {
        ASSERT_TRUE(choose(w->MENU3, entry)) << entry->text().toStdString();
        gui::settle();
        menusAnswer(entry->text(), {w->MENU_TOTAL, w->MENU3});
        FORM_CHANGE(0);
        gui::settle();
    }
    EXPECT_TRUE(faults_.isEmpty()) << faults_.join(u'\n').toStdString();
}

// Every window opened from the main window's menus, its button bar or the
// item list takes the keyboard at once, without a click: a window in the
// frame leaves it to the frame, whose menus drop down with Alt and their
// letter, and has the focus in one of its controls; a window of its own has
// the keyboard itself and closes with Esc. When a window closes, the keys go
// back to the window that opened it. The windows are opened with keys too:
// Alt and the menu's letter, then the entry's letter.
TEST_F(KeyWalk, EveryWindowOpenedTakesTheKeyboardAtOnce) {
    startProgram();
    // An item disposed of (the disposed list opens) and a label layout (the
    // label print opens), in the files too: the settings window reads them again.
    ZEMLO_DATA[3].BOUT_Y = 2024, ZEMLO_DATA[3].BOUT_M = 4, ZEMLO_DATA[3].BOUT_D = 1;
    LABEL_LAYOUT.L_V_COUNT = LABEL_LAYOUT.L_H_COUNT = LABEL_LAYOUT.L_D_COUNT = 1;
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    ASSERT_EQ(ENV_SAVE(), 1);
    QStringList met;

    // A window as it has opened (and the events its showing brought are in).
    const auto check = [&](Form* f) {
        gui::settle();
        met << f->Name();
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !f->isAncestorOf(focus))
            faults_ << f->Name() + QStringLiteral(": no control of the window has the focus (keys at ") + keyboardAt() + u')';
        if (f->isFrameChild()) {
            menusAnswer(f->Name(), {w->MENU_TOTAL, w->MENU3});
            return;
        }
        if (QApplication::activeWindow() != f)
            faults_ << f->Name() + QStringLiteral(": the window does not have the keyboard (keys at ") + keyboardAt() + u')';
        // (A closing button that waits for the clerk, as the notice's until it
        // is read to its end, is let go first.)
        if (f->cancelButton() && !f->cancelButton()->isEnabled()) f->cancelButton()->setEnabled(true);
        QPointer<Form> alive(f);
        typeKey(Qt::Key_Escape);
        if (alive && !alive->isUnloaded()) {
            faults_ << f->Name() + QStringLiteral(": Esc does not close it");
            if (!alive->Unload()) delete alive.data();
        }
    };
    // A modal window is checked in its own loop, as soon as it shows.
    Form::setShowHookForTests([&](Form* f) {
        QPointer<Form> p(f);
        QTimer::singleShot(0, f, [&, p] {
            if (p && !p->isUnloaded() && p->isModalShown()) check(p);
        });
    });
    // Opens windows by `open`; checks a window of the frame or a modeless
    // one it left open and closes it; then the keys are the frame's again.
    const auto opens = [&](const QString& what, const std::function<void()>& open) {
        const QList<Form*> before = Form::loadedForms();
        open();
        gui::settle();
        // (Checking one window can close and free another: each is held weakly.)
        QList<QPointer<Form>> opened;
        for (Form* f : Form::loadedForms())
            if (!before.contains(f)) opened << f;
        for (const QPointer<Form>& f : opened) {
            if (!f || f->isUnloaded()) continue;
            check(f);
            if (f && f->isFrameChild()) {
                FORM_CHANGE(0);
                gui::settle();
            }
        }
        menusAnswer(QStringLiteral("the frame after ") + what, {w->MENU3});
    };

    menusAnswer(QStringLiteral("the frame at start"), {w->MENU3});
    // Every entry of every menu, chosen with the keys.
    for (QAction* head : bar->actions()) {
        QMenu* menu = head->menu();
        if (!menu) continue;
        for (QAction* a : menu->actions()) {
            // (The end of the program ends the walk.)
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled() || a == w->MENU_END) continue;
            // (The printer set-up is the platform's dialog: cancelled.)
            if (a == w->MENU_PRT_SET) msg.expectPrinterSetup(false);
            opens(a->text(), [&] {
                if (!choose(menu, a)) faults_ << a->text() + QStringLiteral(": its menu does not drop down");
            });
        }
    }
    // The bar's buttons, and the renumbering list behind the first one.
    for (QPushButton* b : {w->B_ALL, w->B_NOTE, w->B_IN_LIST, w->B_P_LIST, w->B_KUBUN})
        opens(b->text(), [b] { gui::click(b); });
    opens(QStringLiteral("Ctrl+right button on 備品データ"), [this] {
        gui::pressAt(w->B_ALL, w->B_ALL->rect().center(), Qt::RightButton, Qt::ControlModifier);
    });
    // The windows of the item list, with a row selected: each closed, the
    // keys are the item list's again.
    opens(QStringLiteral("the item list's buttons"), [&] {
        FORM_CHANGE(3);
        gui::settle();
        A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
        if (!list) {
            faults_ << QStringLiteral("the item list did not open");
            return;
        }
        for (QPushButton* b : {list->B_IN, list->B_CHG, list->B_OUT, list->B_AREA, list->B_PRT, list->B_LABEL}) {
            gui::clickAt(list->D_NO, QPoint(10, (250 + 125) / 15));
            if (!b->isEnabled()) continue;
            gui::click(b);
            QWidget* focus = QApplication::focusWidget();
            if (!focus || !list->isAncestorOf(focus))
                faults_ << QStringLiteral("the item list after ") + b->text() +
                               QStringLiteral(" closed: no control of it has the focus (keys at ") + keyboardAt() + u')';
            menusAnswer(QStringLiteral("the item list after ") + b->text() + QStringLiteral(" closed"), {w->MENU3});
        }
    });

    // Every window the map opens from a menu, the bar or the item list was met.
    const QHash<QString, QString> openers = windowOpeners();
    ASSERT_FALSE(openers.isEmpty()) << "docs/windows.md not read";
    for (auto it = openers.cbegin(); it != openers.cend(); ++it)
        if (it.value().contains(QStringLiteral("menu ")) || it.value().contains(QStringLiteral("bar button")) ||
            it.value().startsWith(QStringLiteral("the item list's")))
            EXPECT_TRUE(met.contains(it.key())) << it.key().toStdString() << " (" << it.value().toStdString() << ") not met";
    EXPECT_TRUE(faults_.isEmpty()) << faults_.join(u'\n').toStdString();
}

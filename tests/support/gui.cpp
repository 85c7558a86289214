#include "support/gui.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPixmap>
#include <QPointer>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace gui {

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void click(QAbstractButton* b) {
    if (!b) return;
    if (!b->isEnabled()) {
        ADD_FAILURE() << "button " << b->objectName().toStdString() << " is disabled";
        return;
    }
    b->click();
    settle();
}

void click(QWidget* window, const QString& name) { click(find<QAbstractButton>(window, name)); }

QStringList items(const QComboBox* box) {
    QStringList out;
    if (box)
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

QStringList items(const QListWidget* list) {
    QStringList out;
    if (list)
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

namespace {
void sendKey(QWidget* w, int k, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, mods, text);
    QApplication::sendEvent(w, &release);
}

void typeChars(QWidget* target, const QString& text) {
    // One key event per character (a surrogate pair travels as one).
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch = text.mid(i, 1);
        if (text[i].isHighSurrogate() && i + 1 < text.size()) ch = text.mid(i++, 2);
        sendKey(target, Qt::Key_unknown, Qt::NoModifier, ch);
    }
}
}  // namespace

void type(QWidget* box, const QString& text) {
    if (!box) return;
    if (!box->isEnabled()) {
        ADD_FAILURE() << "text box " << box->objectName().toStdString() << " is disabled";
        return;
    }
    QWidget* target = box;
    if (auto* cb = qobject_cast<QComboBox*>(box)) {
        if (!cb->isEditable()) {
            ADD_FAILURE() << "combo box " << box->objectName().toStdString() << " takes no typing";
            return;
        }
        target = cb->lineEdit();
    }
    if (auto* sp = qobject_cast<QAbstractSpinBox*>(box)) {
        sp->selectAll();
        target = sp;
    }
    target->setFocus();
    if (auto* le = qobject_cast<QLineEdit*>(target)) {
        le->selectAll();
        if (text.isEmpty() && !le->text().isEmpty()) sendKey(le, Qt::Key_Delete, Qt::NoModifier, QString());
    } else if (auto* te = qobject_cast<QTextEdit*>(target)) {
        te->selectAll();
        if (text.isEmpty()) sendKey(te, Qt::Key_Delete, Qt::NoModifier, QString());
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(target)) {
        pe->selectAll();
        if (text.isEmpty()) sendKey(pe, Qt::Key_Delete, Qt::NoModifier, QString());
    }
    typeChars(target, text);
    settle();
}

void type(QWidget* window, const QString& name, const QString& text) { type(find<QWidget>(window, name), text); }

void choose(QComboBox* box, int index) {
    if (!box) return;
    if (!box->isEnabled()) {
        ADD_FAILURE() << "combo box " << box->objectName().toStdString() << " is disabled";
        return;
    }
    if (index < 0 || index >= box->count()) {
        ADD_FAILURE() << "combo box " << box->objectName().toStdString() << " has no entry " << index;
        return;
    }
    box->setCurrentIndex(index);
    emit box->activated(index);
    emit box->textActivated(box->itemText(index));
    settle();
}

void choose(QComboBox* box, const QString& text) {
    if (!box) return;
    const int i = box->findText(text);
    if (i < 0) {
        ADD_FAILURE() << "combo box " << box->objectName().toStdString() << " has no entry " << text.toStdString();
        return;
    }
    choose(box, i);
}

void choose(QWidget* window, const QString& name, const QString& text) { choose(find<QComboBox>(window, name), text); }

void chooseRow(QListWidget* list, int row, Qt::KeyboardModifiers mods) {
    if (!list) return;
    QListWidgetItem* item = list->item(row);
    if (!item) {
        ADD_FAILURE() << "list " << list->objectName().toStdString() << " has no row " << row;
        return;
    }
    list->scrollToItem(item);
    const QRect r = list->visualItemRect(item);
    clickAt(list->viewport(), r.center(), Qt::LeftButton, mods);
}

void key(QWidget* w, int k, Qt::KeyboardModifiers mods, const QString& text) {
    if (!w) return;
    sendKey(w, k, mods, text);
    settle();
}

namespace {
void mouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    const QPointF local(p);
    const QPointF global(w->mapToGlobal(p));
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, local, global, button, buttons, mods);
    QApplication::sendEvent(w, &e);
}
}  // namespace

void pressAt(QWidget* w, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    if (!w) return;
    mouse(w, QEvent::MouseButtonPress, p, button, mods);
    settle();
}
void releaseAt(QWidget* w, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    if (!w) return;
    mouse(w, QEvent::MouseButtonRelease, p, button, mods);
    settle();
}
void clickAt(QWidget* w, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    if (!w) return;
    mouse(w, QEvent::MouseButtonPress, p, button, mods);
    mouse(w, QEvent::MouseButtonRelease, p, button, mods);
    settle();
}
void doubleClickAt(QWidget* w, QPoint p, Qt::KeyboardModifiers mods) {
    if (!w) return;
    mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, mods);
    mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, mods);
    mouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, mods);
    mouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, mods);
    settle();
}

void wheel(QWidget* w, QPoint p, int notches, Qt::KeyboardModifiers mods) {
    if (!w) return;
    // Qt passes a wheel turn that a widget leaves to its parents only when it
    // comes from the window system; a user's turn is passed up here the same way.
    const QPointF global(w->mapToGlobal(p));
    for (QWidget* target = w; target; target = target->parentWidget()) {
        const QPointF local(target->mapFromGlobal(global.toPoint()));
        QWheelEvent e(local, global, QPoint(), QPoint(0, 120 * notches), Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
        if (e.isAccepted() || target->isWindow()) break;
    }
    settle();
}

namespace {
QList<QTimer*> g_pending;
}

int cancelPending() {
    const int n = int(g_pending.size());
    for (QTimer* t : g_pending) {
        t->stop();
        t->deleteLater();
    }
    g_pending.clear();
    return n;
}

namespace {
// Windows already handed to a waiting step while they are still shown: a
// step that waits for the next showing of a window must not get the one the
// previous step is still working on (its polling runs inside that step's
// event processing).
QList<QPointer<QWidget>> g_handled;
bool alreadyHandled(QWidget* w) {
    g_handled.removeIf([](const QPointer<QWidget>& p) { return p.isNull() || !p->isVisible(); });
    return g_handled.contains(w);
}
}  // namespace

void whenShownRaw(std::function<QWidget*()> lookup, std::function<void(QWidget*)> act, const QString& what,
                  int timeoutMs) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    auto waited = std::make_shared<int>(0);
    g_pending.append(timer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, lookup, act, what, waited, timeoutMs]() {
        QWidget* w = lookup();
        if (w && alreadyHandled(w)) w = nullptr;  // the same showing is never handed out twice
        if (w) {
            g_pending.removeAll(timer);
            timer->stop();
            timer->deleteLater();
            g_handled.append(w);
            act(w);
            return;
        }
        *waited += 10;
        if (*waited > timeoutMs) {
            g_pending.removeAll(timer);
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "window " << what.toStdString() << " did not show";
        }
    });
    timer->start();
}

QStringList coveredControls(QWidget* window) {
    QStringList out;
    auto name = [](const QWidget* w) {
        if (!w) return QStringLiteral("nothing");
        const QString n = w->objectName();
        return (n.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : n);
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        // Controls of another window inside this one (an MDI child) are that window's.
        if (b->window() != window->window() || !b->isVisibleTo(window) || !b->isEnabled()) continue;
        const QPoint centre = b->mapTo(window, b->rect().center());
        // A centre cut off by the window's edge or a parent's (a part of the
        // window shown only on demand) is out of sight, not covered.
        bool inSight = true;
        for (QWidget* p = b->parentWidget(); p && inSight; p = p == window ? nullptr : p->parentWidget())
            inSight = p->rect().contains(p->mapFrom(window, centre));
        if (!inSight) continue;
        QWidget* hit = window->childAt(centre);
        if (hit == b || (hit && b->isAncestorOf(hit))) continue;
        out << name(window) + QStringLiteral(": ") + name(b) + QStringLiteral(" \"") + b->text() +
                   QStringLiteral("\" under ") + name(hit);
    }
    return out;
}

QString shot(QWidget* w, const QString& name) {
    if (!w) return QString();
    const QString dir = QStringLiteral(ZEMLO_SHOT_DIR);
    QDir().mkpath(dir);
    QWidget* win = w->window();
    if (!win->isVisible()) win->show();
    settle();
    const QString path = dir + u'/' + name + QStringLiteral(".png");
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QPixmap pm = w->grab();
    if (!pm.save(path)) ADD_FAILURE() << "cannot save screenshot " << path.toStdString();
    return path;
}

}  // namespace gui

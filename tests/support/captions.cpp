#include "support/captions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextDocument>

#include "platform/controls.h"
#include "platform/forms.h"

namespace gui {
namespace {

// The text as a control shows it: "&&" is "&", a lone "&" marks a mnemonic.
QString shown(const QString& text, bool mnemonics) {
    if (!mnemonics) return text;
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// Width of the widest line and ink height of the lines.
QSize measure(const QFontMetrics& fm, const QString& text) {
    int w = 0;
    const QStringList lines = text.split(u'\n');
    for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
    int h = lines.size() == 1 ? fm.tightBoundingRect(text).height() : fm.lineSpacing() * int(lines.size()) - fm.leading();
    return {w, h};
}

QString where(QWidget* window, QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(w->metaObject()->className());
    return window->objectName() + u'/' + name;
}

class Checker {
public:
    explicit Checker(QWidget* window) : window_(window) {}
    QStringList faults;

    // `text` drawn at `textRect` (widget coordinates) must lie inside `room`
    // and, across, inside every parent up to the window.
    void check(QWidget* w, const QString& text, QRect textRect, const QRect& room, int inkHeight) {
        if (textRect.left() < room.left() || textRect.right() > room.right()) {
            fault(w, text, textRect.width(), room.width());
            return;
        }
        if (inkHeight > room.height() + 1) {
            faults << QStringLiteral("%1 \"%2\": needs %3 px high, has %4 px")
                          .arg(where(window_, w), text)
                          .arg(inkHeight)
                          .arg(room.height());
            return;
        }
        for (QWidget* c = w; c && c != window_; c = c->parentWidget()) {
            QWidget* p = c->parentWidget();
            if (!p) break;
            textRect.translate(c->pos());
            const QRect inside = p->rect();
            if (textRect.left() < inside.left() || textRect.right() > inside.right()) {
                fault(w, text, textRect.width(), std::max(0, std::min(textRect.right(), inside.right()) -
                                                                 std::max(textRect.left(), inside.left()) + 1));
                return;
            }
        }
    }
    void fault(QWidget* w, const QString& text, int needs, int has) {
        faults << QStringLiteral("%1 \"%2\": needs %3 px, has %4 px").arg(where(window_, w), text).arg(needs).arg(has);
    }

    // A hidden control, one wholly under a control stacked above it and one
    // placed wholly outside its parent are not shown: windows hide a section
    // by their size (the settings window's municipality part, the version
    // window's lower line).
    bool shownAt(QWidget* w) const {
        if (!w->isVisibleTo(window_)) return false;
        for (QWidget* c = w; c && c != window_; c = c->parentWidget()) {
            QWidget* p = c->parentWidget();
            if (!p) break;
            if (!p->rect().intersects(c->geometry())) return false;
            const QObjectList& siblings = p->children();
            for (qsizetype i = siblings.indexOf(c) + 1; i < siblings.size(); ++i) {
                auto* above = qobject_cast<QWidget*>(siblings[i]);
                if (above && !above->isWindow() && above->isVisibleTo(window_) &&
                    above->geometry().contains(c->geometry()))
                    return false;
            }
        }
        return true;
    }

    void label(QLabel* l) {
        if (!shownAt(l) || l->text().isEmpty() || !l->pixmap().isNull()) return;
        QString text = l->text();
        if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
            QTextDocument doc;
            doc.setHtml(text);
            text = doc.toPlainText();
        }
        text = shown(text, l->buddy() != nullptr);
        QFont font = l->font();
        if (auto* fig = dynamic_cast<ctl::FigureLabel*>(l)) font.setPointSizeF(fig->shownPointSize());
        const QFontMetrics fm(font);
        QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        int indent = l->indent();
        if (indent < 0) indent = l->frameWidth() > 0 ? l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
        const Qt::Alignment a = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
        if (a & Qt::AlignLeft) room.setLeft(room.left() + indent);
        else if (a & Qt::AlignRight) room.setRight(room.right() - indent);
        if (l->wordWrap()) {
            const int h = l->heightForWidth(l->width());
            if (h > l->height() + 1)
                faults << QStringLiteral("%1 \"%2\": wraps to %3 px high, has %4 px")
                              .arg(where(window_, l), text)
                              .arg(h)
                              .arg(l->height());
            return;
        }
        const QSize need = measure(fm, text);
        check(l, text, QStyle::alignedRect(l->layoutDirection(), a, QSize(need.width(), room.height()), room), room,
              need.height());
    }

    void button(QAbstractButton* b) {
        if (!shownAt(b) || b->text().isEmpty()) return;
        const QString text = shown(b->text(), true);
        const QSize need = measure(b->fontMetrics(), text);
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        QRect room;
        Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter;
        if (qobject_cast<QPushButton*>(b)) {
            room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            a = Qt::AlignCenter;
        } else if (qobject_cast<QCheckBox*>(b)) {
            room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
        } else if (qobject_cast<QRadioButton*>(b)) {
            room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
        } else {
            return;
        }
        check(b, text, QStyle::alignedRect(b->layoutDirection(), a, QSize(need.width(), room.height()), room), room,
              need.height());
    }

    void frame(QGroupBox* g) {
        if (!shownAt(g) || g->title().isEmpty()) return;
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.lineWidth = 1;
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        if (g->isCheckable()) opt.subControls |= QStyle::SC_GroupBoxCheckBox;
        opt.textAlignment = g->alignment();
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        const QString text = shown(g->title(), true);
        const QSize need = measure(g->fontMetrics(), text);
        QRect textRect(label.left(), label.top(), need.width(), label.height());
        check(g, text, textRect, g->rect(), 0);
    }

    void title(QWidget* w, const QString& text, int width) {
        if (text.isEmpty()) return;
        const int need = platform::titleWidthPx(text);
        if (need > width) fault(w, text, need, width);
    }

private:
    QWidget* window_;
};

}  // namespace

QStringList cutCaptions(QWidget* window) {
    Checker c(window);
    if (!window) return {QStringLiteral("no window")};
    for (QLabel* l : window->findChildren<QLabel*>()) c.label(l);
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) c.button(b);
    for (QGroupBox* g : window->findChildren<QGroupBox*>()) c.frame(g);
    // The title, where the window has a title bar of its own.
    if (window->isWindow() && !(window->windowFlags() & Qt::FramelessWindowHint))
        c.title(window, window->windowTitle(), window->frameGeometry().width());
    if (auto* f = qobject_cast<platform::Form*>(window)) {
        if (QMdiSubWindow* s = f->subWindow(); s && !(s->windowFlags() & Qt::FramelessWindowHint))
            c.title(window, s->windowTitle(), s->width());
    }
    return c.faults;
}

}  // namespace gui

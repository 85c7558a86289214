#include "platform/input_block.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>

#include "platform/forms.h"

namespace platform {

namespace {
constexpr const char* kDepth = "zemloInputBlock";
constexpr const char* kGreyed = "zemloInputBlockGreyed";

QWidget* targetOf(QWidget* w) {
    QWidget* frame = Form::mainFrame();
    if (frame && w && (w == frame || frame->isAncestorOf(w))) return frame;
    return w;
}

// Drops the user's input to every widget that a block holds while its
// window keeps its look; installed while such a block lives.
class InputDropper : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::Wheel:
                return o->isWidgetType() && InputBlock::blocked(static_cast<QWidget*>(o)->window());
            default: return false;
        }
    }
};
int droppers = 0;
InputDropper* dropper() {
    static InputDropper d;
    return &d;
}
}  // namespace

InputBlock::InputBlock(QWidget* window, Look look) : target_(targetOf(window)), look_(look) {
    if (!target_) return;
    const int depth = target_->property(kDepth).toInt();
    target_->setProperty(kDepth, depth + 1);
    if (look_ == Look::AsItIs) {
        if (droppers++ == 0) qApp->installEventFilter(dropper());
    } else {
        focus_ = target_->window()->focusWidget();
        target_->setProperty(kGreyed, target_->property(kGreyed).toInt() + 1);
        target_->setEnabled(false);
    }
}

InputBlock::~InputBlock() {
    if (look_ == Look::AsItIs && --droppers == 0) qApp->removeEventFilter(dropper());
    if (!target_) return;
    const int depth = target_->property(kDepth).toInt() - 1;
    target_->setProperty(kDepth, depth > 0 ? depth : 0);
    if (look_ == Look::Greyed) {
        const int greyed = target_->property(kGreyed).toInt() - 1;
        target_->setProperty(kGreyed, greyed > 0 ? greyed : 0);
        if (greyed <= 0) {
            target_->setEnabled(true);
            // Disabling took the focus from the window: it goes back where it was.
            if (focus_ && !target_->window()->focusWidget() && focus_->isVisible() && focus_->isEnabled())
                focus_->setFocus(Qt::OtherFocusReason);
        }
    }
}

bool InputBlock::blocked(const QWidget* w) {
    const QWidget* t = targetOf(const_cast<QWidget*>(w));
    return t && t->property(kDepth).toInt() > 0;
}

}  // namespace platform

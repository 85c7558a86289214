#include "platform/input_block.h"

#include <QVariant>

#include "platform/forms.h"

namespace platform {

namespace {
constexpr const char* kDepth = "zemloInputBlock";

QWidget* targetOf(QWidget* w) {
    QWidget* frame = Form::mainFrame();
    if (frame && w && (w == frame || frame->isAncestorOf(w))) return frame;
    return w;
}
}  // namespace

InputBlock::InputBlock(QWidget* window) : target_(targetOf(window)) {
    if (!target_) return;
    const int depth = target_->property(kDepth).toInt();
    target_->setProperty(kDepth, depth + 1);
    if (depth == 0) target_->setEnabled(false);
}

InputBlock::~InputBlock() {
    if (!target_) return;
    const int depth = target_->property(kDepth).toInt() - 1;
    target_->setProperty(kDepth, depth > 0 ? depth : 0);
    if (depth <= 0) target_->setEnabled(true);
}

bool InputBlock::blocked(const QWidget* w) {
    const QWidget* t = targetOf(const_cast<QWidget*>(w));
    return t && t->property(kDepth).toInt() > 0;
}

}  // namespace platform

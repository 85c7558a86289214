#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace clip {
namespace {
bool g_fail = false;

QClipboard* board() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr; }
}  // namespace

bool setText(const QString& text) {
    QClipboard* cb = board();
    if (g_fail || !cb) return false;
    cb->clear();
    auto* data = new QMimeData;
    data->setText(text);
    cb->setMimeData(data);
    // Ownership of the system clipboard can be refused without an error:
    // read the text back to know that it arrived.
    const QMimeData* now = cb->mimeData();
    return now && now->hasText() ? now->text() == text : text.isEmpty();
}

QString text() {
    QClipboard* cb = board();
    return cb ? cb->text() : QString();
}

void failForTests(bool fail) { g_fail = fail; }

}  // namespace clip

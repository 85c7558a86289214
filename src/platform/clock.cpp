#include "platform/clock.h"

namespace clk {
namespace {
QDateTime g_fixed;
}
QDateTime now() {
    if (g_fixed.isValid()) return g_fixed;
    QDateTime l = QDateTime::currentDateTime();
    return QDateTime(l.date(), QTime(l.time().hour(), l.time().minute(), l.time().second()), Qt::UTC);
}
QDate today() { return now().date(); }
void setFixed(const QDateTime& t) { g_fixed = t; }
}  // namespace clk

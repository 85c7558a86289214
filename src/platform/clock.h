// The one source of "today" and "now". Tests set a fixed time.
#pragma once
#include <QDate>
#include <QDateTime>

namespace clk {
QDateTime now();   // local wall-clock time, held as a UTC value so no zone shifts apply
QDate today();
// Fixes the clock for tests; an invalid value returns to the real clock.
void setFixed(const QDateTime& t);
}  // namespace clk

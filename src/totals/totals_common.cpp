#include "totals/totals_common.h"

#include <QComboBox>
#include <QFrame>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "common/print_cells.h"
#include "common/printer_setup.h"

namespace {
// The border round a pane, one pixel each side.
constexpr int kBorderPx = 1;
// The smallest size a text is shrunk to.
constexpr double kLowestSize = 6;

QFrame* borderOf(const Pane* pane) { return qobject_cast<QFrame*>(pane->parentWidget()); }
}  // namespace

// ---------------------------------------------------------------- fiscal years

int TOTAL_YEAR_DEFAULT(const QDate& today, int firstMonth) {
    return today.month() < firstMonth ? today.year() - 1 : today.year();
}

QString TOTAL_YEAR_TEXT(int year) {
    if (year > 2019) return QStringLiteral("令和%1年度").arg(year - 2018);
    return QStringLiteral("平成%1年度").arg(year - 1988);
}

void TOTAL_YEAR_LIST_SET(QComboBox* list, int newest) {
    list->clear();
    for (int y = newest; y >= newest - 5; --y) list->addItem(QString::number(y));
    list->setCurrentIndex(-1);
}

TOTAL_PERIODS::TOTAL_PERIODS(int newest) {
    first[0] = TOTAL_DAY(1950, 4, 1);
    last[0] = FY_LAST_DAY(newest - 5);
    for (int i = 1; i <= 5; ++i) {
        year[i] = qint16(newest - 5 + i);
        first[i] = FY_FIRST_DAY(year[i]);
        last[i] = FY_LAST_DAY(year[i]);
    }
}

int TOTAL_PERIODS::rowOf(qint32 day) const {
    if (day > last[5]) return -1;
    for (int i = 5; i >= 1; --i)
        if (day >= first[i]) return i;
    return 0;
}

// ---------------------------------------------------------------- row keys

QString KYOUKA_NORM(const QString& name) {
    static const QString heads[7] = {QStringLiteral("理科"), QStringLiteral("理振"), QStringLiteral("算数"),
                                     QStringLiteral("算振"), QStringLiteral("数学"), QStringLiteral("数振"),
                                     QStringLiteral("総合")};
    for (const QString& h : heads)
        if (name.startsWith(h, Qt::CaseSensitive)) return h;
    return name;
}

int TOTAL_KEYS::add(const QString& key) {
    const auto it = at_.constFind(key);
    if (it != at_.constEnd()) return it.value();
    const int row = int(keys_.size());
    keys_.push_back(key);
    at_.insert(key, row);
    return row;
}

void TOTAL_KEYS::clear() {
    keys_.clear();
    at_.clear();
}

// ---------------------------------------------------------------- panes

Pane* TOTAL_PANE(QWidget* parent, const QString& name, int left, int top, int width, int height) {
    auto* border = new QFrame(parent);
    border->setObjectName(name + QStringLiteral("_border"));
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    border->setLineWidth(kBorderPx);
    QPalette pal = border->palette();
    pal.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    border->setPalette(pal);
    ctl::placeTwips(border, left, top, width, height);
    auto* pane = new Pane(border);
    pane->setObjectName(name);
    pane->setBackColor(Qt::white);
    pane->setFontName(QStringLiteral("ＭＳ 明朝"));
    pane->setFontSize(9);
    pane->setRecordTexts(true);
    pane->setGeometry(kBorderPx, kBorderPx, border->width() - 2 * kBorderPx, border->height() - 2 * kBorderPx);
    pane->cls();
    return pane;
}

int TOTAL_PANE_HEIGHT(const Pane* pane) { return platform::pxToTwips(borderOf(pane)->height()); }
int TOTAL_PANE_WIDTH(const Pane* pane) { return platform::pxToTwips(borderOf(pane)->width()); }

void TOTAL_PANE_SET_HEIGHT(Pane* pane, int height) {
    QFrame* b = borderOf(pane);
    b->resize(b->width(), platform::twipsToPx(height));
    pane->resize(pane->width(), std::max(0, b->height() - 2 * kBorderPx));
}

void TOTAL_PANE_SET_WIDTH(Pane* pane, int width) {
    QFrame* b = borderOf(pane);
    b->resize(platform::twipsToPx(width), b->height());
    pane->resize(std::max(0, b->width() - 2 * kBorderPx), pane->height());
}

double TOTAL_FIT_SIZE(double from, double lowest, double room, const std::function<double(double)>& width) {
    for (int k = 0;; ++k) {
        const double size = from - 0.2 * k;
        if (size <= lowest + 1e-9) return lowest;
        if (width(size) < room) return size;
    }
}

void TOTAL_PANE_COLUMNS(Pane* pane, double first, double width, int count) {
    pane->clearTextStops();
    for (int i = 0; i < count; ++i) pane->addTextStop(first + width * i);
}

namespace {
// The smallest size a figure shrinks to where 6 points do not hold it.
constexpr double kLowestFigureSize = 2;
// Where a text too wide to be centred starts, past its column's left rule.
constexpr double kCentredInset = 30;

// Draws with the size shrunk to fit `room` (any room when it is 0), the
// text's middle kept on its line's middle; a figure goes on shrinking below
// the lowest size of a text until it fits.
template <class Place>
void paneFitted(Pane* pane, double y, const QString& text, double room, bool figure, Place place) {
    const double size = pane->fontSize();
    double fit = size;
    if (room > 0 && pane->textWidth(text) >= room) {
        auto width = [&](double pt) { return pane->textWidthAtSize(text, pt); };
        fit = TOTAL_FIT_SIZE(size, kLowestSize, room, width);
        if (figure && width(fit) >= room) fit = TOTAL_FIT_SIZE(fit, kLowestFigureSize, room, width);
    }
    const double lower = pane->textHeight() * (1 - fit / size) / 2;
    pane->textAtSize(place(pane->textWidthAtSize(text, fit)), y + lower, text, fit);
}
}  // namespace

void PANE_TEXT_RIGHT(Pane* pane, double right, double y, const QString& text, double room) {
    if (text.isEmpty()) return;
    paneFitted(pane, y, text, room, true, [&](double width) { return right - width; });
}

void PANE_TEXT_FIT(Pane* pane, double x, double y, const QString& text, double room) {
    paneFitted(pane, y, text, room, false, [&](double) { return x; });
}

void PANE_TEXT_CENTER(Pane* pane, double left, double right, double y, const QString& text, double room) {
    paneFitted(pane, y, text, room, false,
               [&](double width) { return std::max(left + kCentredInset, left + (right - left - width) / 2); });
}

namespace {
// Turns the wheel over a pane into steps of its scroll bar.
class WheelToBar : public QObject {
public:
    WheelToBar(Pane* pane, QScrollBar* bar) : QObject(pane), bar_(bar) { pane->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || !bar_->isVisible()) return QObject::eventFilter(watched, event);
        const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        bar_->setValue(bar_->value() - 3 * steps);
        return true;
    }

private:
    QScrollBar* bar_;
};
}  // namespace

void TOTAL_WHEEL_SCROLL(Pane* pane, QScrollBar* bar) { new WheelToBar(pane, bar); }

// ---------------------------------------------------------------- paper

namespace {
// Prints with the font shrunk to fit `room` (any room when it is 0), the
// text's middle kept on its line's middle, then restores the size.
template <class Place>
void printFitted(double y, const QString& text, double room, Place place) {
    prn::Printer& p = prn::printer();
    const double size = p.FontSize;
    double lower = 0;
    if (room > 0 && p.TextWidth(text) >= room) {
        const double height = p.TextHeight(text);
        PRT_FONT_FIT(text, size, kLowestSize, room);
        lower = (height - p.TextHeight(text)) / 2;
    }
    PRT_TEXT(place(p.TextWidth(text)), y + lower, text);
    p.FontSize = size;
}
}  // namespace

void PRT_TEXT_RIGHT(double right, double y, const QString& text) {
    if (text.isEmpty()) return;
    PRT_TEXT(right - prn::printer().TextWidth(text), y, text);
}

void TOTAL_FIGURE(double ruleLeft, double ruleRight, double right, double y, const QString& text) {
    PRT_FIGURE_RIGHT(ruleLeft, ruleRight, right, y, text, kLowestSize, PRT_FIGURE_LINE::Middle);
}

void PRT_TEXT_FIT(double x, double y, const QString& text, double room) {
    printFitted(y, text, room, [&](double) { return x; });
}

void PRT_TEXT_CENTER(double left, double right, double y, const QString& text, double room) {
    // A text that even its smallest size does not hold between the rules
    // starts clear of the left rule and is cut before the right one, as a
    // list's cell is: centred, it would run over both rules.
    prn::Printer& p = prn::printer();
    const prn::ClipScope cell(p, left, y - 2, right, y + 2 * p.TextHeight(text) + 2);
    printFitted(y, text, room, [&](double width) {
        if (width > right - left - 2 * PRT_FIGURE_GAP) return left + PRT_FIGURE_GAP;
        return left + (right - left - width) / 2;
    });
}

void PRT_LINE(double x1, double y1, double x2, double y2, int width) {
    prn::Printer& p = prn::printer();
    p.DrawWidth = width;
    p.Line(x1, y1, x2, y2);
}

void PRT_BOX(double x1, double y1, double x2, double y2, int width) {
    prn::Printer& p = prn::printer();
    p.DrawWidth = width;
    p.Box(x1, y1, x2, y2);
}

bool TOTAL_PRT_RUN(const std::function<void()>& draw, bool landscape, double shiftRight) {
    prn::Printer& p = prn::printer();
    try {
        if (landscape) {
            PRT_SETUP_LANDSCAPE();
            PRT_ORIGIN_SET(PRT_ADJ_LANDSCAPE, -shiftRight);
        } else {
            PRT_SETUP_PORTRAIT();
            PRT_ORIGIN_SET(PRT_ADJ_PORTRAIT, -shiftRight);
        }
        PRT_PAGE_INIT();
        p.FontName = QStringLiteral("ＭＳ 明朝");
        draw();
        p.EndDoc();
        return true;
    } catch (const std::exception&) {
        PRT_ERROR_EXIT(ui::kTitle, true);
        return false;
    }
}

void TOTAL_PRT_NEW_PAGE() {
    prn::Printer& p = prn::printer();
    p.NewPage();
    PRT_PAGE_INIT();
    p.FontName = QStringLiteral("ＭＳ 明朝");
}

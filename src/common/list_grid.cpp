#include "common/list_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace {
int toPx(double twips) { return int(std::lround(twips / Pane::kTwipsPerPixel)); }
// Where a caption too wide to be centred starts, past its column's left rule.
constexpr double kTextInset = 30;
// The smallest size a figure shrinks to.
constexpr double kSmallestFigure = 2;
}  // namespace

ListGrid::ListGrid(QWidget* parent) : QWidget(parent) {
    D_NO = new Pane(this);
    D_NO->setObjectName(QStringLiteral("D_NO"));
    D_NO->setBackColor(bgrColor(GRID_NO_BACK));
    D_LIST = new Pane(this);
    D_LIST->setObjectName(QStringLiteral("D_LIST"));
    D_LIST->setBackColor(bgrColor(GRID_LIST_BACK));
    for (Pane* p : {D_NO, D_LIST}) {
        p->setFontName(QStringLiteral("ＭＳ ゴシック"));
        p->setFontSize(9);
    }
    SCB_V = new QScrollBar(Qt::Vertical, this);
    SCB_V->setObjectName(QStringLiteral("SCB_V"));
    SCB_H = new QScrollBar(Qt::Horizontal, this);
    SCB_H->setObjectName(QStringLiteral("SCB_H"));
    for (QScrollBar* b : {SCB_V, SCB_H}) {
        b->setRange(0, 0);
        b->setSingleStep(1);
        b->setPageStep(1);
    }
    SCB_V->hide();
    numBuf_.reserve(8);
    // A click on a pane gives the grid the keyboard.
    setFocusPolicy(Qt::StrongFocus);
    for (Pane* p : {D_NO, D_LIST}) {
        p->setFocusPolicy(Qt::ClickFocus);
        p->setFocusProxy(this);
    }

    connect(SCB_V, &QScrollBar::valueChanged, this, [this](int) { page(); });
    connect(SCB_H, &QScrollBar::valueChanged, this, [this](int v) {
        D_LIST->setScaleLeft(COLS[std::clamp(v, 0, 20)]);
        page();
    });
    connect(D_NO, &Pane::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double, double y) { emit numberPressed(b, m, y); });
    placeChildren();
}

void ListGrid::setColumns(std::initializer_list<qint32> stops) {
    COLS.fill(0);
    int i = 0;
    for (qint32 s : stops) {
        if (i > 20) break;
        COLS[i++] = s;
    }
}

int ListGrid::columnCount() const {
    int n = 0;
    for (int i = 1; i <= 20 && COLS[i] > 0; ++i) n = i;
    return n;
}

qint32 ListGrid::tableWidth() const { return COLS[columnCount()]; }

void ListGrid::setCaptions(const QStringList& captions) { captions_ = captions; }

void ListGrid::setCaptionMeasure(int column, const QString& measureAs) {
    if (column >= 1 && column <= 20) measure_[column] = measureAs;
}

void ListGrid::setNumberWidth(double twips) {
    numberWidth_ = twips;
    placeChildren();
}

void ListGrid::placeChildren() {
    const int noW = toPx(numberWidth_), listW = toPx(listWidth_), h = toPx(listHeight_), bar = toPx(kBarWidth);
    D_NO->setGeometry(0, 0, noW, h);
    D_LIST->setGeometry(noW, 0, listW, h);
    SCB_V->setGeometry(noW + listW, 0, bar, h);
    SCB_H->setGeometry(noW, h, listW, bar);
    resize(noW + listW + bar, h + bar);
}

void ListGrid::layoutPanes(double hostWidth, double hostHeight) {
    const double top = y() * Pane::kTwipsPerPixel;
    qint64 rows = text::roundHalfEven((hostHeight - top - kBarWidth - 480) / kRowHeight);
    GRID_ROWS = int(std::clamp<qint64>(rows, 0, kMaxRows));

    const double table = tableWidth();
    double w = hostWidth - 500 - numberWidth_ - kBarWidth;
    bool hBar = true;
    if (w > table) {
        w = table;
        hBar = false;
    }
    w = std::max(w, 300.0);
    listWidth_ = w;
    listHeight_ = double(kRowHeight) * GRID_ROWS + 50;
    placeChildren();

    hWanted_ = hBar;
    if (!hBar) {
        SCB_H->hide();
        // A pane that shows the whole table starts at its first column.
        SCB_H->setValue(0);
    } else {
        int max = 0, inView = 0;
        const int n = columnCount();
        for (int i = 1; i <= n; ++i) {
            if (COLS[i] > w - 250) {
                max = std::max(0, H_MAX_BASE - i);
                break;
            }
            inView = i;
        }
        // A click in the trough moves by the columns a pane shows.
        SCB_H->setPageStep(std::max(1, inView - 1));
        SCB_H->setMaximum(max);  // a lower maximum moves the position and redraws
    }
    SCB_V->setPageStep(pageRows());
    updateBars();
}

int ListGrid::pageRows() const { return std::max(1, GRID_ROWS / std::max(1, ENTRY_LINES) - 1); }

void ListGrid::updateBars() {
    const qint32 n = count ? count() : 0;
    if (n < GRID_ROWS) {
        QSignalBlocker block(SCB_V);
        SCB_V->setValue(0);
        SCB_V->setMaximum(0);
        SCB_V->hide();
    } else {
        SCB_V->setMaximum(n - GRID_ROWS + 2);
        SCB_V->show();
    }
    SCB_H->setVisible(hWanted_ && n > 0);
}

void ListGrid::refit(double hostWidth, double hostHeight) {
    const int v = SCB_V->value();
    {
        // The page is drawn once, below, whatever the bars do meanwhile.
        QSignalBlocker block(SCB_V);
        layoutPanes(hostWidth, hostHeight);
        SCB_V->setValue(std::min(v, SCB_V->maximum()));
    }
    D_LIST->setScaleLeft(COLS[std::clamp(SCB_H->value(), 0, 20)]);
    clear();
    head();
    page();
}

bool ListGrid::moveBar(QScrollBar* bar, int steps) {
    if (!bar->isVisible() || steps == 0) return false;
    const int v = std::clamp(bar->value() + steps, bar->minimum(), bar->maximum());
    if (v == bar->value()) return false;
    bar->setValue(v);
    return true;
}

void ListGrid::wheelEvent(QWheelEvent* e) {
    // Whole notches of 120; smaller turns of a fine wheel add up.
    QPoint turn = e->angleDelta() + wheelRest_;
    const bool sideways = (e->modifiers() & Qt::ShiftModifier) || (turn.x() != 0 && turn.y() == 0);
    const int amount = sideways ? (turn.x() != 0 ? turn.x() : turn.y()) : turn.y();
    const int notches = amount / 120;
    wheelRest_ = sideways ? QPoint(amount % 120, 0) : QPoint(0, amount % 120);
    if (notches != 0) {
        if (sideways) moveBar(SCB_H, -notches);
        else moveBar(SCB_V, -notches * std::max(1, QApplication::wheelScrollLines()));
    }
    e->accept();
}

void ListGrid::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Up: moveBar(SCB_V, -1); break;
        case Qt::Key_Down: moveBar(SCB_V, 1); break;
        case Qt::Key_PageUp: moveBar(SCB_V, -pageRows()); break;
        case Qt::Key_PageDown: moveBar(SCB_V, pageRows()); break;
        case Qt::Key_Left: moveBar(SCB_H, -1); break;
        case Qt::Key_Right: moveBar(SCB_H, 1); break;
        case Qt::Key_Home: moveBar(SCB_V, -SCB_V->value()); break;
        case Qt::Key_End: moveBar(SCB_V, SCB_V->maximum() - SCB_V->value()); break;
        default: QWidget::keyPressEvent(e); return;
    }
    e->accept();
}

void ListGrid::setFixedLayout(double listWidth, int lines) {
    GRID_ROWS = std::clamp(lines, 0, kMaxRows);
    listWidth_ = listWidth;
    listHeight_ = double(kRowHeight) * GRID_ROWS;
    placeChildren();
    hWanted_ = false;
    SCB_H->hide();
    SCB_H->setValue(0);
    SCB_V->setPageStep(pageRows());
}

void ListGrid::clear() {
    D_NO->cls();
    D_LIST->cls();
}

void ListGrid::head() {
    const double table = tableWidth();
    const QColor black(Qt::black);
    D_LIST->fillBox(0, 0, table, kRowHeight, bgrColor(GRID_HEAD_COLOR));
    if (selected) {
        const qint32 n = count ? count() : 0;
        const qint32 v = SCB_V->value();
        for (int i = 0; i <= GRID_ROWS; ++i) {
            const qint32 p = v + i;
            if (p >= n) break;
            if (selected(p))
                D_LIST->fillBox(0, double(kRowHeight) * (i + 1), table, double(kRowHeight) * (i + 2),
                                bgrColor(GRID_SEL_COLOR));
        }
    }
    const double h = listHeight_;
    const int cols = columnCount();
    for (int k = 1; k <= cols; ++k) D_LIST->line(COLS[k], 0, COLS[k], h, black);
    for (int k = 1; k <= GRID_ROWS - 1; ++k) {
        const double y = double(kRowHeight) * k;
        if (ENTRY_LINES > 1 && k % ENTRY_LINES == 0) {
            D_LIST->line(ENTRY_RULE_LEFT, y, table, y, black);
            continue;
        }
        D_LIST->line(0, y, table, y, black);
        D_NO->line(0, y, numberWidth_, y, black);
    }
    static const QString no = QStringLiteral("NO");
    D_NO->text((numberWidth_ - D_NO->textWidth(no)) / 2, kTextTop, no);
    D_LIST->clearTextStops();
    for (int k = 1; k <= cols; ++k) D_LIST->addTextStop(COLS[k]);
    for (int k = 1; k <= cols && k <= captions_.size(); ++k) {
        const QString& cap = captions_[k - 1];
        const QString& m = measure_[k].isNull() ? cap : measure_[k];
        const double start = COLS[k - 1], width = COLS[k] - COLS[k - 1];
        D_LIST->text(std::max(start + kTextInset, start + (width - D_LIST->textWidth(m)) / 2), kTextTop, cap);
    }
    if (headExtra) headExtra();
}

void ListGrid::page() {
    const qint32 n = count ? count() : 0;
    const int step = std::max(1, ENTRY_LINES);
    int line = 1;
    for (qint32 p = SCB_V->value(); p < n && line <= GRID_ROWS; ++p, line += step) {
        if (line == 1) {
            clear();
            head();
        }
        row(p, line);
    }
}

const QString& ListGrid::numberText(int screenRow) {
    // Built in place: scrolling draws many pages and should not allocate.
    qint64 v = qint64(SCB_V->value()) + screenRow;
    numBuf_.resize(5);
    QChar* d = numBuf_.data();
    int i = 4;
    bool neg = v < 0;
    if (neg) v = -v;
    do {
        d[i--] = QChar(char16_t(u'0' + v % 10));
        v /= 10;
    } while (v > 0 && i >= 0);
    if (neg && i >= 0) d[i--] = QChar(u'-');
    while (i >= 0) d[i--] = QChar(u' ');
    return numBuf_;
}

void ListGrid::row(qint32 pos, int screenRow) {
    if (drawNumber)
        drawNumber(pos, screenRow);
    else
        D_NO->text(30, rowTop(screenRow), numberText(screenRow));
    if (drawRow) drawRow(pos, screenRow);
}

void ListGrid::setVRange() { updateBars(); }

void ListGrid::setVValueQuiet(int v) {
    QSignalBlocker block(SCB_V);
    SCB_V->setValue(v);
}

int ListGrid::screenRowAt(double y) { return int(std::floor(double(text::roundHalfEven(y)) / kRowHeight)); }

void ListGrid::cell(double x, int screenRow, const QString& text) { D_LIST->text(x, rowTop(screenRow), text); }

double ListGrid::fitSize(const QString& text, double limit, double minPoints) const {
    // The first of the sizes base, base - 0.2, base - 0.4, ... at which the
    // text is narrower than `limit`, or `minPoints` once they reach it. A
    // text's width never grows as its size falls, so the search starts near
    // the size its width at the base foretells and measures only the few
    // sizes around it (each size measured costs the font at that size).
    const double base = D_LIST->fontSize();
    auto size = [&](int k) { return base - 0.2 * k; };
    auto atMinimum = [&](int k) { return size(k) <= minPoints + 1e-9; };
    auto fits = [&](int k) { return D_LIST->textWidthAtSize(text, size(k)) < limit; };
    if (atMinimum(0)) return minPoints;
    const double w0 = D_LIST->textWidthAtSize(text, base);
    if (w0 < limit) return base;
    int last = 1;  // the first step at the minimum
    while (!atMinimum(last)) ++last;
    // Guess, then walk: down while the guess does not fit, up while the step
    // before it fits too.
    int k = std::clamp(int(std::ceil((base - base * limit / w0) / 0.2)), 1, last);
    while (k < last && !fits(k)) ++k;
    while (k > 1 && fits(k - 1)) --k;
    return k == last ? minPoints : size(k);
}

void ListGrid::cellFit(double x, int screenRow, const QString& text, double limit, double minPoints) {
    if (text.isEmpty()) return;
    D_LIST->textAtSize(x, rowTop(screenRow), text, fitSize(text, limit, minPoints));
}

double ListGrid::figureSize(const QString& text, double limit, double minPoints) const {
    double size = fitSize(text, limit, minPoints);
    // Below the list's smallest size: on in steps of 0.2 point, down to a
    // size no figure of the register needs.
    while (size > kSmallestFigure + 1e-9 && D_LIST->textWidthAtSize(text, size) >= limit)
        size = std::max(kSmallestFigure, size - 0.2);
    return size;
}

void ListGrid::figureFit(double x, int screenRow, const QString& text, double limit, double minPoints) {
    if (text.isEmpty()) return;
    D_LIST->textAtSize(x, rowTop(screenRow), text, figureSize(text, limit, minPoints));
}

void ListGrid::figureRight(double right, int screenRow, const QString& text, double limit, double minPoints) {
    if (text.isEmpty()) return;
    const double size = figureSize(text, limit, minPoints);
    D_LIST->textAtSize(right - D_LIST->textWidthAtSize(text, size), rowTop(screenRow), text, size);
}

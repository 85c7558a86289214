#include "printing/list_print_frame.h"

#include <QDate>
#include <cmath>

#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/grid_text.h"
#include "common/printer_setup.h"
#include "store/amounts.h"
#include "store/helpers.h"
#include "store/state.h"

namespace {
const QString kMincho = QStringLiteral("ＭＳ 明朝");
}  // namespace

int LIST_PRT_JOB(const LIST_JOB& job) {
    PRT_JOB run;
    run.landscape = true;
    run.adjPair = PRT_ADJ_LANDSCAPE;
    run.shiftRight = job.shiftX;
    run.fontName = kMincho;
    run.fontSize = job.bodySize;
    run.errorTitle = QStringLiteral("台帳印刷");
    run.rowCount = int(job.rows.size());
    run.newPageBefore = [](int r) { return r % LIST_ROWS_PER_PAGE == 0; };
    run.drawPageFrame = [&job](int page) {
        if (page == 1 && job.condLine) job.condLine();
        if (job.frame) job.frame();
    };
    run.drawRow = [&job](int r) { job.row(job.rows[size_t(r)], r % LIST_ROWS_PER_PAGE + 1); };
    return PRT_RUN(run);
}

void LIST_PAGE_FRAME(double right, std::span<const double> columns, const QString& title, double titleY,
                     const std::function<void()>& headers) {
    prn::Printer& p = prn::printer();
    p.DocName = title;
    p.DrawWidth = 5;
    p.Box(15, 20, right, 190);
    p.Line(15, 27, right, 27);
    p.DrawWidth = 2;
    for (double x : columns) p.Line(x, 20, x, 190);
    for (int i = 1; i < LIST_ROWS_PER_PAGE; ++i) {
        p.DrawWidth = i % 5 == 0 ? 5 : 2;
        const double y = 27 + 6.5 * i;
        p.Line(15, y, right, y);
    }
    p.DrawWidth = 2;
    p.FontName = kMincho;
    p.FontSize = 15;
    LIST_TEXT(15, titleY, title);
    p.FontSize = 8;
    LIST_TEXT(250, 16, QStringLiteral("印刷日 ") + ERA_DATE_LONG(clk::today()));
    if (headers) headers();
    p.FontSize = 8;
    LIST_TEXT_RIGHT(right, 191, SCHOOL_NAME);
    ui::DoEvents();
}

void LIST_COND_LINE(const QString& filterText, const QString& total) {
    prn::Printer& p = prn::printer();
    p.FontName = kMincho;
    const QString sum = QStringLiteral("合計金額　") + total + QStringLiteral("円");
    p.FontSize = 15;
    const double sumLeft = 280 - p.TextWidth(sum);
    if (!filterText.isEmpty()) {
        // The filter line may reach under the total only where the total
        // leaves room; it ends 2 mm before it.
        const double room = sumLeft - 2 - 15;
        LIST_FIT_FONT(filterText, 10, LIST_MIN_SIZE, room);
        prn::ClipScope cut(p, 15, 14.5, 15 + room, 20);
        LIST_TEXT(15, 15, filterText);
    }
    p.FontSize = 15;
    LIST_TEXT(sumLeft, 10, sum);
}

QString LIST_YEAR_PART(const QString& yearText, int era, const QString& suffix) {
    if (!(text::val(yearText) > 0)) return QString();
    const QString name = era >= 0 && era < int(ERA_TABLE.size()) ? ERA_TABLE[size_t(era)].ERA_NAME : QString();
    return name + yearText.trimmed() + suffix;
}

QString LIST_FILTER_PART(const QString& label, const QString& text) {
    if (text.isEmpty()) return QString();
    return label + QStringLiteral(" = ") + text + QStringLiteral("  ");
}

bool LIST_FIT_FONT(const QString& text, double start, double lowest, double width) {
    PRT_FONT_FIT(text, start, lowest, width);
    return prn::printer().TextWidth(text) < width;
}

void LIST_CELL(double x1, double x2, int line) {
    prn::printer().SetClip(x1, LIST_ROW_TOP(line), x2, LIST_ROW_BOTTOM(line));
}

void LIST_CELL_UPPER(double x1, double x2, int line, double split) {
    prn::printer().SetClip(x1, LIST_ROW_TOP(line), x2, split);
}

void LIST_CELL_LOWER(double x1, double x2, int line, double split) {
    prn::printer().SetClip(x1, split, x2, LIST_ROW_BOTTOM(line));
}

void LIST_TEXT(double x, double y, const QString& text) { PRT_TEXT(x, y, text); }

void LIST_TEXT_RIGHT(double xRight, double y, const QString& text) {
    LIST_TEXT(xRight - prn::printer().TextWidth(text), y, text);
}

void LIST_KUBUN_CELL(double x, double y, const QString& name, double below) {
    LIST_TEXT(x, y, name.left(2));
    if (name.size() > 2) LIST_TEXT(x, y + below, name.mid(2, 2));
}

QString LIST_NUMBER_TEXT(qint32 era, qint32 year, qint32 number) {
    QString s = grid_text::eraLetter(qint16(era >= 3 && era <= 5 ? era : 0));
    s += QString::number(year);
    s += QChar(u'-');
    s += QString::number(number);
    return s;
}

QString LIST_NUMBER_TEXT(qint32 era, qint32 year, qint32 number, qint32 branch) {
    QString s = LIST_NUMBER_TEXT(era, year, number);
    s += QChar(u'-');
    s += QString::number(branch);
    return s;
}

QString LIST_DATE_TEXT(qint32 y, qint32 m, qint32 d) {
    if (y <= 1900 || y > 9999) return QString();
    const QDate date(y, m, d);
    if (!date.isValid()) return QString();
    return ERA_DATE_STR(date, 2);
}

QString LIST_TAX_TEXT(qint32 taxMode, qint32 rate) { return TAX_TEXT(taxMode, rate); }

QString LIST_FUNC_NAME(qint32 funcNo) {
    if (funcNo < 0 || funcNo >= qint32(FUNC_NAME.size())) return QString();
    return FUNC_NAME[size_t(funcNo)];
}

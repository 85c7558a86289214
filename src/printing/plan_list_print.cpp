// The plan list print "備品購入計画": one row per plan of the plan list's view,
// at 10 pt, in a table that ends at x 282 and is not shifted.
#include <algorithm>
#include <array>

#include "platform/printer.h"
#include "printing/list_print_frame.h"
#include "printing/list_print_jobs.h"
#include "common/grid_text.h"
#include "store/amounts.h"
#include "store/state.h"

namespace {

constexpr std::array<double, 11> kColumns{24, 36, 45, 80, 115, 158, 198, 230, 238, 255, 265};

void head(double x, double y, double size, const QString& text) {
    prn::printer().FontSize = size;
    LIST_TEXT(x, y, text);
}

}  // namespace

void P_ZEMLO_LIST_COND_PRT() {
    const LIST_PRT_SRC& s = P_LIST_SRC;
    QString filter;
    if (P_VIEW_COUNT != P_ZEMLO_COUNT) {
        filter += LIST_YEAR_PART(s.CH_Y, s.DP_W, QStringLiteral("年度 "));
        filter += LIST_FILTER_PART(QStringLiteral("経費区分"), s.KEIHI);
        filter += LIST_FILTER_PART(QStringLiteral("備品区分"), s.KUBUN);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[0], s.KYOUKA);
        filter += LIST_FILTER_PART(KUBUN_LEVEL_NAME[1], s.BUNRUI);
    }
    LIST_COND_LINE(filter, s.TOTAL);
}

void P_ZEMLO_LIST_FRAME_PRT() {
    LIST_PAGE_FRAME(282, kColumns, QStringLiteral("備品購入計画"), 8, [] {
        head(16, 21, 10, QStringLiteral("年度"));
        head(24.5, 21, 8, QStringLiteral("経費区分"));
        head(37.5, 20.5, 8, QStringLiteral("備品"));
        head(37.5, 23.5, 8, QStringLiteral("区分"));
        head(55, 20.5, 8, KUBUN_LEVEL_NAME[0]);
        head(55, 23.5, 8, QStringLiteral("機能別分類"));
        head(88, 21, 10, KUBUN_LEVEL_NAME[1]);
        head(133, 21, 10, QStringLiteral("品名"));
        head(170, 21, 10, QStringLiteral("規格・品質"));
        head(210, 21, 10, QStringLiteral("備考"));
        head(230.5, 20.5, 10, QStringLiteral("数量"));
        head(230.3, 24.3, 7, QStringLiteral("(現有)"));
        head(243, 21, 10, QStringLiteral("単価"));
        head(255, 21, 9, QStringLiteral("消費税"));
        head(270, 21, 10, QStringLiteral("金額"));
    });
}

void P_ZEMLO_LIST_ROW_PRT(qint32 plan, int line) {
    if (plan < 0 || plan >= P_ZEMLO_COUNT || plan >= qint32(P_ZEMLO_DATA.size())) return;
    const P_ZEMLO_REC& r = P_ZEMLO_DATA[size_t(plan)];
    prn::Printer& p = prn::printer();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = 10;
    const double y = LIST_ROW_Y(line);
    // Every cell cuts its texts at its rules; the clip ends with the row.
    prn::ClipScope row(p, 15, LIST_ROW_TOP(line), 282, LIST_ROW_BOTTOM(line));
    auto left = [](size_t k) { return k == 0 ? 15.0 : kColumns[k - 1]; };
    auto right = [](size_t k) { return k == kColumns.size() ? 282.0 : kColumns[k]; };
    auto cell = [&](size_t k) { LIST_CELL(left(k), right(k), line); };
    // The two lines of a cell, the second from y `split` on.
    auto upper = [&](size_t k, double split) { LIST_CELL_UPPER(left(k), right(k), line, split); };
    auto lower = [&](size_t k, double split) { LIST_CELL_LOWER(left(k), right(k), line, split); };

    cell(0);
    const qint16 era = qint16(r.BY_W >= 3 && r.BY_W <= 5 ? r.BY_W : 0);
    LIST_FIGURE_LEFT(left(0), right(0), 16, y, grid_text::eraLetter(era) + QString::number(r.BY_Y).rightJustified(3, QChar(u' ')));
    cell(1);
    LIST_FIT_FONT(r.KH_KUBUN, 10, LIST_MIN_SIZE, right(1) - 25);
    LIST_TEXT(25, y, r.KH_KUBUN);
    cell(2);
    p.FontSize = 10;
    LIST_KUBUN_CELL(37, y, r.KUBUN);

    cell(3);
    const QString subject = QString::number(r.NO_KY) + QChar(u' ') + r.KYOUKA;
    const bool func = !r.FUNC_D.isEmpty();
    LIST_FIT_FONT(subject, func ? 8 : 10, 5, 34);
    if (func) upper(3, y + 2.8);
    LIST_TEXT(45.5, y, subject);
    if (func) {
        lower(3, y + 2.8);
        LIST_TEXT(46, y + 2.8, LIST_FUNC_NAME(r.FUNC_NO));
    }

    cell(4);
    const QString bunrui = r.NO_BU + QChar(u' ') + r.BUNRUI;
    LIST_FIT_FONT(bunrui, 10, 5, 34);
    LIST_TEXT(80.5, y, bunrui);

    cell(5);
    LIST_FIT_FONT(r.NAME_D, 10, 5, 42);
    LIST_TEXT(115.5, y, r.NAME_D);

    // Maker and model on one line while they fit above 6 pt, else on two.
    cell(6);
    const QString maker = r.MAKER + QChar(u' ') + r.MAKER_NO;
    LIST_FIT_FONT(maker, 10, 6, 39);
    if (p.FontSize <= 6.05) {
        p.FontSize = 6.5;
        upper(6, y + 2.8);
        LIST_TEXT(158.5, y, r.MAKER);
        lower(6, y + 2.8);
        LIST_TEXT(158.5, y + 2.8, r.MAKER_NO);
    } else {
        LIST_TEXT(158.5, y, maker);
    }

    cell(7);
    LIST_FIT_FONT(r.MSG, 10, 6, 31);
    LIST_TEXT(198.5, y, r.MSG);

    p.FontSize = 10;
    if (r.COUNT_NOW >= 1) upper(8, y + 3.5);
    else cell(8);
    if (r.B_COUNT > 0) LIST_FIGURE_FIELD(left(8), right(8), 228, y, QString::number(r.B_COUNT), 5);
    if (r.COUNT_NOW >= 1) {
        lower(8, y + 3.5);
        p.FontSize = 7;
        // The count held now between brackets, which stand in for its rules.
        const QString now = QString::number(r.COUNT_NOW);
        LIST_TEXT(230.3, y + 3.5, QStringLiteral("("));
        const double open = 230.3 + p.TextWidth(QStringLiteral("("));
        PRT_FIGURE_RIGHT(open - PRT_FIGURE_GAP, 237 + PRT_FIGURE_GAP, 237, y + 3.5, now, LIST_MIN_SIZE);
        LIST_TEXT(237, y + 3.5, QStringLiteral(")"));
    }
    p.FontSize = 10;
    cell(9);
    if (r.B_MONY > 0) LIST_FIGURE_FIELD(left(9), right(9), 238.5, y, MONEY_TEXT(r.B_MONY), 9);
    cell(10);
    LIST_FIGURE_LEFT(left(10), right(10), 257, y, LIST_TAX_TEXT(r.TAX_K, r.TAX));
    cell(11);
    LIST_FIGURE_FIELD(left(11), right(11), 265.5, y, MONEY_TEXT(ITEM_AMOUNT_WIDE(r.B_MONY, r.B_COUNT, r.TAX_K == 1, r.TAX)), 9);
}

void P_ZEMLO_LIST_PRT() {
    const PrintKind kind = PRT_KIND;
    const qint32 count = std::min<qint32>(P_VIEW_COUNT, qint32(P_LIST_VIEW.size()));
    const LIST_RANGE r = LIST_RANGE_OF(kind == PrintKind::PLAN_LIST_SELECTED, P_SEL_FIRST, P_SEL_LAST, count);
    LIST_JOB job;
    job.shiftX = 0;
    job.bodySize = 10;
    for (qint32 pos = r.first; pos <= r.last; ++pos) job.rows.push_back(P_LIST_VIEW[size_t(pos)].P_IDX);
    if (kind == PrintKind::PLAN_LIST) job.condLine = P_ZEMLO_LIST_COND_PRT;
    job.frame = P_ZEMLO_LIST_FRAME_PRT;
    job.row = P_ZEMLO_LIST_ROW_PRT;
    LIST_PRT_JOB(job);
}

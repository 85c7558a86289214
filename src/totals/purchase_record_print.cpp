#include "totals/purchase_record_print.h"

#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "common/print_cells.h"
#include "common/printer_setup.h"
#include "store/helpers.h"
#include "store/state.h"
#include "totals/totals_common.h"

namespace {

constexpr int kLinesPerPage = 35;
const QString kMincho = QStringLiteral("ＭＳ 明朝");

// The left and right edges of the table.
double leftEdge(const NOTE_S_PRINT& how) { return how.everyCategory ? 15 : 35; }
double rightEdge(const NOTE_S_PRINT& how) { return how.mode == 1 && !how.remarks ? 234 : 264; }

void size(double points) { prn::printer().FontSize = points; }

void NOTE_S_FRAME_PRT(const NOTE_S_PRINT& how) {
    const double L = leftEdge(how);
    const double R = rightEdge(how);
    PRT_BOX(174, 15, R, 20, PRT_PEN_HEAVY);
    PRT_BOX(L, 20, R, 200, PRT_PEN_HEAVY);
    PRT_LINE(L, 25, R, 25, PRT_PEN_HEAVY);
    PRT_LINE(how.mode == 1 ? 184 : 204, 15, how.mode == 1 ? 184 : 204, 20, PRT_PEN_LIGHT);
    PRT_LINE(234, 15, 234, 20, PRT_PEN_LIGHT);
    if (how.everyCategory) PRT_LINE(25, 20, 25, 200, PRT_PEN_LIGHT);
    for (double x : {45, 85, 125, 165}) PRT_LINE(x, 20, x, 200, PRT_PEN_LIGHT);
    const int numberRules = how.mode == 1 ? 6 : 9;
    for (int c = 0; c <= numberRules; ++c) PRT_LINE(174 + 10 * c, 20, 174 + 10 * c, 200, PRT_PEN_LIGHT);
    for (int k = 0; k <= 33; ++k)
        PRT_LINE(L, 30 + 5 * k, R, 30 + 5 * k, k % 5 == 4 ? PRT_PEN_HEAVY : PRT_PEN_LIGHT);

    size(15);
    PRT_TEXT(35, 10, QStringLiteral("備品購入実績"));
    if (!how.everyCategory) {
        size(12);
        PRT_TEXT(70, 11, QStringLiteral("(") + how.category + QStringLiteral(")"));
    }
    size(8);
    PRT_TEXT(138, 16, QStringLiteral("印刷日 ") + ERA_DATE_LONG(clk::today()));

    const QString yearLabel = QString::number(how.eraYear) + QStringLiteral("年度");
    if (how.mode == 1) {
        size(9);
        PRT_TEXT_CENTER(174, 184, 16, QStringLiteral("前年度"));
        size(10);
        PRT_TEXT_CENTER(184, 234, 16, yearLabel);
        if (how.remarks) PRT_TEXT_CENTER(234, 264, 16, QStringLiteral("備 考"));
    } else {
        size(10);
        PRT_TEXT_CENTER(174, 204, 16, QStringLiteral("前年度末累計"));
        PRT_TEXT_CENTER(204, 234, 16, yearLabel);
        PRT_TEXT_CENTER(234, 264, 16, QStringLiteral("合　計"));
    }

    size(10);
    PRT_TEXT(L + 2, 21, QStringLiteral("ＮＯ"));
    if (how.everyCategory) PRT_TEXT_CENTER(25, 45, 21, QStringLiteral("備品区分"));
    PRT_TEXT_CENTER(45, 85, 21, KUBUN_LEVEL_NAME[0]);
    PRT_TEXT_CENTER(85, 125, 21, KUBUN_LEVEL_NAME[1]);
    PRT_TEXT_CENTER(125, 165, 21, QStringLiteral("品  名"));
    PRT_TEXT_CENTER(165, 174, 21, QStringLiteral("機能"));
    size(9);
    if (how.mode == 1) {
        const char16_t* heads[] = {u"現有数", u"登録数", u"移設増", u"廃棄数", u"移設減", u"現有数"};
        for (int c = 0; c < 6; ++c) PRT_TEXT(174.5 + 10 * c, 21, QString::fromUtf16(heads[c]));
    } else {
        for (int g = 0; g < 3; ++g) {
            PRT_TEXT(174.5 + 30 * g, 21, QStringLiteral("登録数"));
            PRT_TEXT(184.5 + 30 * g, 21, QStringLiteral("廃棄数"));
            PRT_TEXT(194.5 + 30 * g, 21, QStringLiteral("  計"));
        }
    }
    size(8);
    PRT_TEXT_RIGHT(R, 201, SCHOOL_NAME);
    size(10);
    ui::DoEvents();
}

// A name fitted into its cell from `left` to `right` and cut at its rules
// when it is still too wide at its smallest size: 10 points down to 5 in
// steps of 0.2, the text starting 1 mm right of the cell's left rule.
void fitted(double left, double right, double y, const QString& text) {
    const prn::ClipScope clip(prn::printer(), left, y - 1, right, y + 4);
    PRT_FONT_FIT(text, 10, 5, right - left - 1);
    PRT_TEXT(left + 1, y, text);
    size(10);
}

void NOTE_S_ROW_PRT(const NOTE_S_PRINT& how, int line, const NOTE_S_REC& r) {
    const int onPage = line % kLinesPerPage;
    const double y = onPage == 0 ? 196 : 21 + 5 * onPage;
    size(10);
    PRT_FIGURE_FIELD(leftEdge(how), how.everyCategory ? 25 : 45, leftEdge(how), y, QString::number(line), 5, 5);
    if (how.everyCategory) fitted(25, 45, y, r.KUBUN_NAME);
    fitted(45, 85, y, QString::number(r.KYOUKA_NO) + QLatin1Char(' ') + r.KYOUKA_NAME);
    fitted(85, 125, y, r.BUNRUI_CODE + QLatin1Char(' ') + r.BUNRUI_NAME);
    fitted(125, 165, y, r.ITEM_NAME);
    fitted(165, 174, y, r.FUNC_TEXT);
    // Each count ends 1 mm before the rule on its right, 10 mm from the one on its left.
    auto figure = [y](double right, int n) { PRT_FIGURE_RIGHT(right - 9, right + 1, right, y, NOTE_S_COUNT_TEXT(n), 5); };
    if (how.mode == 1) {
        figure(183, r.heldPrev());
        figure(193, r.IN_YEAR);
        figure(203, r.MOVE_IN_YEAR);
        figure(213, r.OUT_YEAR);
        figure(223, r.MOVE_OUT_YEAR);
        figure(233, r.heldEnd());
    } else {
        const int values[] = {r.regPrev(), r.outPrev(), r.heldPrev(), r.regYear(), r.outYear(),
                              r.changeYear(), r.regAll(), r.outAll(), r.heldEnd()};
        for (int c = 0; c < 9; ++c) figure(183 + 10 * c, values[c]);
    }
}

}  // namespace

QString NOTE_S_COUNT_TEXT(int n) { return n == 0 ? QString() : QString::number(n); }

int NOTE_S_PRT(const NOTE_S_ROWS& rows, const NOTE_S_PRINT& how) {
    PRT_STOP = 0;
    // The rows printed: all of them, or those of the chosen category.
    std::vector<int> printed;
    const int R = NOTE_S_ROW_COUNT(rows);
    printed.reserve(size_t(R));
    for (int i = 0; i < R; ++i)
        if (how.everyCategory || rows[size_t(i)].KUBUN_NAME == how.category) printed.push_back(i);

    PRT_JOB job;
    job.landscape = true;
    job.adjPair = PRT_ADJ_PORTRAIT;
    job.shiftRight = how.everyCategory ? -10 : 0;
    job.shiftDown = 3;
    job.fontName = kMincho;
    job.fontSize = 10;
    job.errorTitle = QStringLiteral("台帳印刷");
    job.rowCount = int(printed.size());
    job.newPageBefore = [](int n) { return n % kLinesPerPage == 0; };
    job.drawPageFrame = [&how](int) { NOTE_S_FRAME_PRT(how); };
    job.drawRow = [&](int n) { NOTE_S_ROW_PRT(how, n + 1, rows[size_t(printed[size_t(n)])]); };
    return PRT_RUN(job);
}

// The print of the category and subject totals: A4 portrait pages with a
// heading block, 50 rows of 5 mm each, the rows the window shows, and the
// total lines of the groups shown at the end, under the last row.
#include "platform/printer.h"
#include "store/amounts.h"
#include "common/printer_setup.h"
#include "store/state.h"
#include "totals/category_totals.h"
#include "totals/totals_common.h"

namespace {

constexpr int kPageRows = 50;
// Columns on paper: the name from 15 to 65, then five of 25 mm to 190.
constexpr double kLeft = 15, kNameEnd = 65, kRight = 190, kColW = 25;
// The widest a name (from x 17) may be before it is shrunk.
constexpr double kNameRoom = kNameEnd - 17 - 1;

const QString kHeadings[5] = {QStringLiteral("購入金額"), QStringLiteral("廃棄金額"), QStringLiteral("差  額"),
                              QStringLiteral("前年度金額"), QStringLiteral("今年度金額")};

// The light rules between the five figure columns of a line.
void figureRules(double top, double bottom) {
    for (int j = 1; j <= 4; ++j) PRT_LINE(kNameEnd + kColW * j, top, kNameEnd + kColW * j, bottom, PRT_PEN_LIGHT);
}

// The five figures of a line, each ending 1 mm before its column's right edge.
void figures(const KYOUKA_TOTAL_ROW& r, double y) {
    const std::array<qint64, 5> f = {r.IN_MONY, r.OUT_MONY, r.diff(), r.PREV_MONY, r.now()};
    for (int c = 0; c < 5; ++c) {
        const double left = kNameEnd + kColW * c;
        TOTAL_FIGURE(left, left + kColW, left + kColW - 1, y, MONEY_TEXT(f[c]));
    }
}

}  // namespace

int TOTAL_FA::TOTAL_FA_PRT() {
    const bool tick1 = CHK_1->Value() == 1, tick2 = CHK_2->Value() == 1;
    const int mode = tick1 && tick2 ? 3 : tick1 ? 1 : tick2 ? 2 : 0;
    const QString level = KUBUN_LEVEL_NAME[0];
    const QString year = TXT_Y->Text() + QStringLiteral("年度");
    const QString group = mode == 1   ? QStringLiteral("管理備品")
                          : mode == 2 ? (CITY_MODE ? QStringLiteral("管理以外備品") : QStringLiteral("教材備品"))
                                      : QString();

    const bool printed = TOTAL_PRT_RUN([&] {
        prn::Printer& p = prn::printer();
        p.FontSize = 15;
        int L = 0, P = 0;

        auto beginPage = [&] {
            if (P > 0) {
                TOTAL_PRT_NEW_PAGE();
                p.FontSize = 15;
            }
            PRT_TEXT(70, 5, level + QStringLiteral("別集計"));
            p.FontSize = 10;
            PRT_TEXT_RIGHT(185, 10, SCHOOL_NAME);
            PRT_TEXT(20, 10, year);
            PRT_TEXT(45, 10, group);
            PRT_BOX(kLeft, 15, kRight, 22, PRT_PEN_HEAVY);
            PRT_LINE(kNameEnd, 15, kNameEnd, 22, PRT_PEN_HEAVY);
            PRT_TEXT(20, 17, QStringLiteral(" ") + level);
            for (int j = 0; j < 5; ++j) {
                const double x = kNameEnd + kColW * j;
                PRT_TEXT_CENTER(x, x + kColW, 17, kHeadings[j]);
                PRT_LINE(x, 15, x, 22, PRT_PEN_LIGHT);
            }
        };

        for (int i = 0; i < TOTALS.R; ++i) {
            const KYOUKA_TOTAL_ROW& r = TOTALS.rows[size_t(i)];
            if (!rowShown(r)) continue;
            if (L == 0) beginPage();
            const double t = 22 + 5 * L;
            for (double x : {kLeft, kNameEnd, kRight}) PRT_LINE(x, t, x, t + 5, PRT_PEN_HEAVY);
            PRT_LINE(kLeft, t + 5, kRight, t + 5, PRT_PEN_LIGHT);
            figureRules(t, t + 5);
            p.FontSize = 10;
            PRT_TEXT_FIT(17, t + 1, mode == 3 ? r.KUBUN + QStringLiteral(" ") + r.KYOUKA : r.KYOUKA, kNameRoom);
            figures(r, t + 1);
            ++L;
            if (L == TOTALS.R) break;  // every row printed on the first page: the totals follow on it
            if (L == kPageRows) {
                PRT_LINE(kLeft, 272, kRight, 272, PRT_PEN_HEAVY);
                L = 0;
                ++P;
            }
        }

        // The total lines follow the last row on its page, even below the
        // page's 50 lines (down to y 287 after a full page); only a page
        // closed after its 50th row leaves them a page of their own.
        const bool want[3] = {tick1, tick2, tick1 && tick2};
        if (L == 0) beginPage();
        p.FontSize = 10;
        const QString labels[3] = {QStringLiteral("  管理  　"),
                                   CITY_MODE ? QStringLiteral("管理以外　") : QStringLiteral("  教材  　"),
                                   QStringLiteral("   全   　")};
        for (int b = 0; b < 3; ++b) {
            if (!want[b]) continue;
            const double t = 22 + 5 * L;
            PRT_BOX(kLeft, t, kRight, t + 5, PRT_PEN_HEAVY);
            for (double x : {kNameEnd, kRight}) PRT_LINE(x, t, x, t + 5, PRT_PEN_HEAVY);
            figureRules(t, t + 5);
            PRT_TEXT(17, t + 1, labels[b] + QStringLiteral("合計"));
            figures(TOTALS.groups[b], t + 1);
            ++L;
        }
    });
    return printed ? 1 : 0;
}

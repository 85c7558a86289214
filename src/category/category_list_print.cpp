#include "category/category_list_print.h"

#include <algorithm>

#include "category/category_print_dialog.h"
#include "category/master_commands.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/ui.h"
#include "printing/list_print_frame.h"
#include "common/print_cells.h"
#include "common/printer_setup.h"
#include "store/category_lists.h"
#include "store/helpers.h"
#include "store/state.h"

namespace {

const QString kMincho = QStringLiteral("ＭＳ 明朝");

// Right ends of the columns between the outer box's sides.
constexpr double kColumnRules[] = {25, 40, 80, 121, 166, 175, 185};

QString pageTitle(PrintKind kind) {
    if (kind < PrintKind::ITEM_LIST) return QStringLiteral("備品区分リスト");
    if (kind < PrintKind::FUNCTION_LIST_BAND) return QStringLiteral("備品台帳内訳リスト");
    return QStringLiteral("機能別分類内訳リスト");
}

// A count in a five-character field at the left rule of its 10-mm cell,
// only when above 0.
void countCell(double x, double y, qint32 v) {
    if (v > 0) PRT_FIGURE_FIELD(x, x + 10, x, y, QString::number(v), 5, 5);
}

qint32 masterEnd() { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); }

}  // namespace

double KUBUN_LIST_ROW_Y(qint32 n) {
    const qint32 line = n % KUBUN_LIST_ROWS;
    return line == 0 ? 276.0 : 26.0 + 5.0 * line;
}

void KUBUN_LIST_HEAD_PRT(const QString& title) {
    prn::Printer& p = prn::printer();
    p.DrawWidth = 5;
    p.Box(15, 25, 195, 280);
    p.Line(15, 30, 195, 30);
    p.DrawWidth = 2;
    for (double x : kColumnRules) p.Line(x, 25, x, 280);
    for (int k = 0; k <= 48; ++k) {
        p.DrawWidth = k % 5 == 4 ? 5 : 2;
        const double y = 35 + 5 * k;
        p.Line(15, y, 195, y);
    }
    p.DrawWidth = 2;
    p.FontName = kMincho;
    p.FontSize = 15;
    LIST_TEXT(15, 10, title.isEmpty() ? pageTitle(PRT_KIND) : title);
    p.FontSize = 8;
    LIST_TEXT(160, 21, QStringLiteral("印刷日 ") + ERA_DATE_LONG(clk::today()));
    p.FontSize = 10;
    LIST_TEXT(17, 26, QStringLiteral("ＮＯ"));
    LIST_TEXT(25.5, 26, QStringLiteral("備品区分"));
    LIST_TEXT(53, 26, KUBUN_LEVEL_NAME[0]);
    LIST_TEXT(96, 26, KUBUN_LEVEL_NAME[1]);
    LIST_TEXT(142, 26, QStringLiteral("品名"));
    LIST_TEXT(167, 26, QStringLiteral("機能"));
    p.FontSize = 9;
    LIST_TEXT(175.5, 26, QStringLiteral("登録数"));
    LIST_TEXT(185.5, 26, QStringLiteral("廃棄数"));
    p.FontSize = 8;
    LIST_TEXT_RIGHT(195, 281, SCHOOL_NAME);
    ui::DoEvents();
}

void KUBUN_LIST_ROW_PRT(qint32 e, qint32 n, double kubunX) {
    prn::Printer& p = prn::printer();
    p.FontName = kMincho;
    p.FontSize = 10;
    if (e < 0 || e >= masterEnd()) return;
    const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
    const double y = KUBUN_LIST_ROW_Y(n);
    // Each name is fitted into its cell, 10 points down to 5, and cut at the
    // cell's rules when it is still too wide.
    auto cell = [&](double left, double right) { return prn::ClipScope(p, left, y - 1, right, y + 4); };
    PRT_FIGURE_FIELD(15, 25, 15, y, QString::number(n), 5, 5);
    {
        const auto clip = cell(25, 40);
        PRT_FONT_FIT(k.KUBUN, 10, 5, 40 - kubunX - 0.5);
        LIST_TEXT(kubunX, y, k.KUBUN);
    }
    {
        const auto clip = cell(40, 80);
        const QString subject = QString::number(k.NO_KY) + QChar(u' ') + k.KYOUKA;
        PRT_FONT_FIT(subject, 10, 5, 39);
        LIST_TEXT(41, y, subject);
    }
    {
        const auto clip = cell(80, 121);
        const QString bunrui = k.NO_BU + QChar(u' ') + k.BUNRUI;
        PRT_FONT_FIT(bunrui, 10, 5, 40);
        LIST_TEXT(81, y, bunrui);
    }
    {
        const auto clip = cell(121, 166);
        PRT_FONT_FIT(k.NAME_D, 10, 5, 44);
        LIST_TEXT(122, y, k.NAME_D);
    }
    {
        const auto clip = cell(166, 175);
        PRT_FONT_FIT(k.FUNC_D, 10, 5, 8);
        LIST_TEXT(167, y, k.FUNC_D);
    }
    p.FontSize = 10;
    countCell(175, y, k.IN_CNT);
    countCell(185, y, k.OUT_CNT);
}

int KUBUN_LIST_RUN(const std::vector<KUBUN_LIST_GROUP>& groups, const QString& errorTitle, const QString& title,
                   double kubunX) {
    // The rows of every group in print order: master index, row number and
    // the group they belong to.
    struct Row {
        qint32 entry;
        qint32 n;
        size_t group;
    };
    std::vector<Row> rows;
    size_t total = 0;
    for (const KUBUN_LIST_GROUP& g : groups) total += g.entries.size();
    rows.reserve(total);
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        qint32 n = 0;
        for (qint32 e : groups[gi].entries) rows.push_back({e, ++n, gi});
    }

    PRT_JOB job;
    job.landscape = false;
    job.adjPair = PRT_ADJ_PORTRAIT;
    job.fontName = kMincho;
    job.fontSize = 10;
    job.errorTitle = errorTitle;
    job.rowCount = int(rows.size());
    job.newPageBefore = [&rows](int r) { return rows[size_t(r)].n % KUBUN_LIST_ROWS == 1; };
    // The frame is drawn just before the row that opens the page.
    size_t next = 0;
    job.drawPageFrame = [&](int) {
        KUBUN_LIST_HEAD_PRT(title);
        const QString& line = groups[rows[next].group].selLine;
        if (!line.isEmpty()) {
            prn::Printer& p = prn::printer();
            p.FontName = kMincho;
            p.FontSize = 10;
            LIST_TEXT(20, 17, line);
        }
    };
    job.drawRow = [&](int r) {
        const Row& row = rows[size_t(r)];
        KUBUN_LIST_ROW_PRT(row.entry, row.n, kubunX);
        next = size_t(r) + 1;
    };
    return PRT_RUN(job);
}

std::vector<KUBUN_LIST_GROUP> KUBUN_PRT_GROUPS(const KUBUN_PRT_CHOICE& choice, bool bySubject, const qint32* order,
                                               qint32 count, const std::function<bool(qint32)>& take) {
    const qint32 end = masterEnd();
    auto collect = [&](KUBUN_LIST_GROUP& g, bool (*match)(const KUBUN_REC&, const KUBUN_PRT_CHOICE&, qint16),
                       qint16 number) {
        for (qint32 i = 0; i < count; ++i) {
            const qint32 e = order ? order[i] : i;
            if (e < 0 || e >= end) continue;
            if (!match(KUBUN_DATA[size_t(e)], choice, number)) continue;
            if (take && !take(e)) continue;
            g.entries.push_back(e);
        }
    };
    std::vector<KUBUN_LIST_GROUP> groups;
    if (!bySubject) {
        KUBUN_LIST_GROUP g;
        g.selLine = QStringLiteral("(") + choice.category + QStringLiteral(")");
        collect(g, [](const KUBUN_REC& k, const KUBUN_PRT_CHOICE& c, qint16) { return k.KUBUN == c.category; }, 0);
        groups.push_back(std::move(g));
        return groups;
    }
    for (const KUBUN_PRT_SUBJECT& s : choice.subjects) {
        KUBUN_LIST_GROUP g;
        g.selLine = QStringLiteral("(") + choice.category + QChar(u' ') + s.text + QStringLiteral(")");
        collect(
            g, [](const KUBUN_REC& k, const KUBUN_PRT_CHOICE& c, qint16 no) { return k.NO_KY == no && k.KUBUN == c.category; },
            s.number);
        groups.push_back(std::move(g));
    }
    return groups;
}

void KUBUN_LIST_PRT() {
    std::vector<KUBUN_LIST_GROUP> groups;
    switch (PRT_KIND) {
        case PrintKind::CATEGORY_LIST_SELECTED: {
            // The editor's own selected rows, cut to the master; a range left
            // by another window (or none at all) prints nothing.
            KUBUN_LIST_GROUP g;
            qint32 top = 0, end = 0;
            if (KUBUN_SEL_OF(KUBUN_F_KIND, masterEnd(), &top, &end))
                for (qint32 e = top; e <= end; ++e) g.entries.push_back(e);
            groups.push_back(std::move(g));
            break;
        }
        case PrintKind::CATEGORY_LIST_CATEGORY:
        case PrintKind::CATEGORY_LIST_SUBJECTS:
            groups = KUBUN_PRT_GROUPS(KUBUN_PRT_CHOSEN(), PRT_KIND == PrintKind::CATEGORY_LIST_SUBJECTS, nullptr,
                                      masterEnd());
            break;
        default: return;
    }
    KUBUN_LIST_RUN(groups, QStringLiteral("ゼムロ２"));
}

void FUNC_LIST_PRT() {
    if (PRT_KIND != PrintKind::FUNCTION_LIST_CATEGORY && PRT_KIND != PrintKind::FUNCTION_LIST_SUBJECTS) return;
    const qint32 count = std::clamp<qint32>(KUBUN_INDEX_COUNT, 0, qint32(KUBUN_INDEX.size()));
    KUBUN_LIST_RUN(KUBUN_PRT_GROUPS(KUBUN_PRT_CHOSEN(), PRT_KIND == PrintKind::FUNCTION_LIST_SUBJECTS, KUBUN_INDEX.data(),
                                    count),
                   QStringLiteral("ゼムロ２"));
}

// The prints of the lists by storage place: the place-count list, the
// detailed list of the marked parts and the breakdowns, with the buttons
// that start them.
#include <QDate>
#include <algorithm>

#include "lists/place_list.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/print_cells.h"
#include "register/item_grid.h"
#include "common/print_windows.h"
#include "common/printer_setup.h"
#include "store/helpers.h"

namespace {

const QString kListTitle = QStringLiteral("保管場所別データ");
const QString kSumTitle = QStringLiteral("保管場所内訳リスト");      // place-count list and breakdown
const QString kDetailTitle = QStringLiteral("保管場所別リスト");     // detailed list
const QString kNoData = QStringLiteral("印刷データが有りません");

// Lines of a list column, columns of a page.
constexpr int kColumnLines = 50;
constexpr int kPageLines = 100;
// Lines of a detailed-list page.
constexpr int kDetailLines = 25;

prn::Printer& P() { return prn::printer(); }

void at(double x, double y, const QString& s) {
    prn::Printer& p = P();
    p.CurrentX = x;
    p.CurrentY = y;
    p.Print(s);
}

void useSize(double size) {
    prn::Printer& p = P();
    p.FontName = QStringLiteral("ＭＳ 明朝");
    p.FontSize = size;
}

// A text that ends at x.
void rightAt(double x, double y, const QString& s) { at(x - P().TextWidth(s), y, s); }

// Texts printed from now on are cut at the cell from x1 to x2 between the
// rules at y1 and y2: a text too long for its cell even at the smallest size
// ends at the cell's rule instead of running over its neighbour.
void cell(double x1, double y1, double x2, double y2) { P().SetClip(x1, y1, x2, y2); }

// A name in its cell of a two-column list: from 10 points down to 5 until it
// is narrower than `limit`, then 10 points again for the next cell.
void fittedName(double x, double y, const QString& name, double limit) {
    PRT_FONT_FIT(name, 10, 5, limit);
    at(x, y, name);
    useSize(10);
}

// A number or count in its 10-mm cell of a two-column list from `left`:
// four characters wide, 1 mm in from the left rule.
void countCell(double left, double y, const QString& count) {
    PRT_FIGURE_FIELD(left, left + 10, left + 1, y, count, 4, 5);
}

QString today() { return ERA_DATE_LONG(clk::today()); }

// The page of a two-column list (place-count list, breakdown): the box,
// the rules of 50 lines and the column lines; the title, the place (when
// there is one) and the date; the column heads of the left column, again
// 80 mm to the right; the school name at the foot.
void twoColumnPage(std::initializer_list<double> verticals, const QString& title, const QString& place,
                   std::initializer_list<std::pair<double, QString>> heads) {
    prn::Printer& p = P();
    p.DrawWidth = 5;
    p.Box(20, 25, 180, 280);
    p.Line(20, 30, 180, 30);
    p.Line(100, 25, 100, 280);
    p.DrawWidth = 2;
    for (double x : verticals) p.Line(x, 25, x, 280);
    for (int k = 0; k <= 48; ++k) {
        p.DrawWidth = k % 5 == 4 ? 5 : 2;
        p.Line(20, 35 + 5.0 * k, 180, 35 + 5.0 * k);
    }
    p.DrawWidth = 2;
    useSize(15);
    at(20, 10, title);
    useSize(10);
    if (!place.isNull()) at(20, 20, place);
    at(136, 20, QStringLiteral("作成日 ") + today());
    for (double d : {0.0, 80.0})
        for (const auto& h : heads) at(h.first + d, 26, h.second);
    useSize(8);
    rightAt(180, 281, SCHOOL_NAME);
    ui::DoEvents();
}

// The run of a two-column list (place-count list, breakdown): the page
// frame at each page, then 50 lines of 5 mm in each column, in 10 points,
// a new page every 100 lines; `line` prints line i at (x0, y) of its column.
PRT_JOB twoColumnJob(int lines, std::function<void()> frame, std::function<void(int i, double x0, double y)> line) {
    PRT_JOB job;
    job.fontSize = 10;
    job.errorTitle = kSumTitle;
    job.rowCount = lines;
    job.newPageBefore = [](int i) { return i % kPageLines == 0; };
    job.drawPageFrame = [frame](int) {
        frame();
        useSize(10);
    };
    job.drawRow = [line](int i) {
        const int onPage = i % kPageLines;
        useSize(10);
        // The line's cells cut their texts; the clip ends with the line.
        const double y = 31 + 5.0 * (onPage % kColumnLines);
        prn::ClipScope band(P(), 20, y - 1, 180, y + 4);
        line(i, onPage >= kColumnLines ? 100 : 20, y);
    };
    return job;
}

// Ends the document of a print run that left it open; a failure to print it
// shows the printer message.
void endDocument(const QString& title) {
    try {
        P().EndDoc();
    } catch (const std::exception&) {
        PRT_ERROR_EXIT(title, true);
    }
}

// The start of a print from a button: "nothing to print" when there is
// nothing, else the question; true on the answer Yes.
bool askToPrint(bool hasData, const QString& question) {
    if (!hasData) {
        ui::MsgBox(kNoData, ui::vbOKOnly, kListTitle);
        return false;
    }
    return ui::MsgBox(question, int(ui::vbYesNo) | ui::vbQuestion, kListTitle) == ui::vbYes;
}

}  // namespace

// ---------------------------------------------------------------- place-count list

void KEEP_ROOM::KEEP_SUM_FRAME_PRT() {
    twoColumnPage({30, 70, 80, 90, 110, 150, 160, 170}, kSumTitle, QString(),
                  {{22, QStringLiteral("ＮＯ")},
                   {42, QStringLiteral("保管場所")},
                   {72, QStringLiteral("管理")},
                   {82, QStringLiteral("教材")},
                   {92, QStringLiteral(" 計")}});
}

int KEEP_ROOM::KEEP_SUM_PRT() {
    // Every place, and the no-place row when it has items; the pattern of
    // two columns of 50 lines a page goes on for as many lines as there are.
    const int places = placeCount();
    const int lines = places + (keep.placeTotal(places) > 0 ? 1 : 0);
    return PRT_RUN(twoColumnJob(lines, [this] { KEEP_SUM_FRAME_PRT(); }, [this](int e, double x0, double y) {
        const qint32 c0 = keep.KEEP_COUNT[e][0], c1 = keep.KEEP_COUNT[e][1];
        cell(x0, y - 1, x0 + 10, y + 4);
        countCell(x0, y, QString::number(e + 1));
        cell(x0 + 10, y - 1, x0 + 50, y + 4);
        fittedName(x0 + 11, y, e < placeCount() ? KEEP_LIST[e] : QString(), 39);
        cell(x0 + 50, y - 1, x0 + 80, y + 4);
        countCell(x0 + 50, y, text::countText(c0));
        countCell(x0 + 60, y, text::countText(c1));
        countCell(x0 + 70, y, text::countText(c0 + c1));
    }));
}

// ---------------------------------------------------------------- detailed list

void KEEP_ROOM::KEEP_DETAIL_FRAME_PRT() {
    prn::Printer& p = P();
    p.DrawWidth = 5;
    p.Box(15, 20, 280, 190);
    p.Line(15, 27, 280, 27);
    p.DrawWidth = 2;
    for (double x : {31, 46, 55, 62, 95, 135, 175, 215, 245}) p.Line(x, 20, x, 190);
    for (int k = 1; k <= 24; ++k) {
        p.DrawWidth = k % 5 == 0 ? 5 : 2;
        p.Line(15, 27 + 6.5 * k, 280, 27 + 6.5 * k);
    }
    p.DrawWidth = 2;
    useSize(15);
    at(15, 8, QStringLiteral("保管場所別備品リスト"));
    useSize(8);
    at(250, 16, QStringLiteral("印刷日 ") + today());
    useSize(9);
    at(17, 22, QStringLiteral("備品番号"));
    useSize(8);
    at(31.5, 22, QStringLiteral("購入年月日"));
    at(47.5, 20.5, QStringLiteral("経費"));
    at(47.5, 23.5, QStringLiteral("区分"));
    at(56, 20.5, QStringLiteral("備品"));
    at(56, 23.5, QStringLiteral("区分"));
    at(70, 20.5, KUBUN_LEVEL_NAME[0]);
    at(70, 23.5, QStringLiteral("機能別分類"));
    useSize(9);
    at(107, 22, KUBUN_LEVEL_NAME[1]);
    at(152, 22, QStringLiteral("品名"));
    at(186, 22, QStringLiteral("規格・品質"));
    at(227, 22, QStringLiteral("備考"));
    useSize(8);
    rightAt(280, 190.5, SCHOOL_NAME);
    ui::DoEvents();
}

void KEEP_ROOM::KEEP_DETAIL_ROW_PRT(qint32 rec, int line) {
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return;
    const ZEMLO_REC& z = ZEMLO_DATA[rec];
    prn::Printer& p = P();
    const double y = 28.5 + 6.5 * line;
    // Every cell cuts its texts at its rules; the clip ends with the line.
    const double top = 27 + 6.5 * line, bottom = top + 6.5;
    prn::ClipScope band(p, 15, top, 280, bottom);
    useSize(8);
    cell(15, top, 31, bottom);
    const QString number = item_grid::eraLetter(z.BY_W) + QString::number(z.BY_Y) + QLatin1Char('-') +
                           QString::number(z.B_NO) + QLatin1Char('-') + QString::number(z.B_NOS);
    PRT_FIGURE_LEFT(15, 31, 15.5, y, number, 5);
    cell(31, top, 46, bottom);
    if (z.BIN_Y > 1900) {
        const QDate d(z.BIN_Y, z.BIN_M, z.BIN_D);
        if (d.isValid()) PRT_FIGURE_LEFT(31, 46, 31.5, y, ERA_DATE_STR(d, 2), 5);
    }
    cell(46, top, 55, bottom);
    if (p.TextWidth(z.KEIHI) >= 8.5) PRT_FONT_FIT(z.KEIHI, 8, 5, 8.5);
    at(46.5, y, z.KEIHI);
    useSize(8);
    cell(55, top, 62, bottom);
    if (p.TextWidth(z.KUBUN) >= 6.5) PRT_FONT_FIT(z.KUBUN, 8, 5, 6.5);
    at(55.5, y, z.KUBUN);
    useSize(8);
    cell(62, top, 95, bottom);

    // Subject, with the long name of the function class under it.
    const QString subject = QString::number(z.NO_KY) + QLatin1Char(' ') + z.KYOUKA;
    if (!z.FUNC_D.isEmpty()) {
        PRT_FONT_FIT(subject, 8, 6, 32);
        cell(62, top, 95, y + 1.6);
        at(62.5, y - 1.2, subject);
        cell(62, y + 1.6, 95, bottom);
        at(62.5, y + 1.6, z.FUNC_NO >= 0 && z.FUNC_NO < qint16(FUNC_NAME.size()) ? FUNC_NAME[z.FUNC_NO] : QString());
    } else {
        PRT_FONT_FIT(subject, 9, 6, 32);
        at(62.5, y, subject);
    }
    cell(95, top, 135, bottom);
    const QString bunrui = z.NO_BU + QLatin1Char(' ') + z.BUNRUI;
    PRT_FONT_FIT(bunrui, 9, 5, 39);
    at(95.5, y, bunrui);
    cell(135, top, 175, bottom);
    PRT_FONT_FIT(z.NAME_D, 9, 5, 39);
    at(135.5, y, z.NAME_D);
    cell(175, top, 215, bottom);

    // Maker and model: on two lines when even 5 points do not fit them on one.
    const QString maker = z.MAKER + QLatin1Char(' ') + z.MAKER_NO;
    if (PRT_FONT_FIT(maker, 9, 5, 39) <= 5) {
        p.FontSize = 6;
        if (p.TextWidth(z.MAKER) >= 39) p.FontSize = 5;
        if (p.TextWidth(z.MAKER_NO) >= 39) p.FontSize = 5;
        cell(175, top, 215, y + 1.8);
        at(175.5, y - 1, z.MAKER);
        cell(175, y + 1.8, 215, bottom);
        at(175.5, y + 1.8, z.MAKER_NO);
    } else {
        at(175.5, y, maker);
    }

    // Remarks: on two lines as well, at 6 pt while they hold them, else at 5.
    cell(215, top, 245, bottom);
    const QString& v = z.MSG;
    if (PRT_FONT_FIT(v, 9, 5, 29) <= 5) {
        p.FontSize = 6;
        if (p.TextWidth(v) > 58) p.FontSize = 5;
        PRT_TWO_LINE_CELL(215, top, 245, bottom, 215.5, y - 1, y + 1.8, v);
    } else {
        at(215.5, y, v);
    }
}

int KEEP_ROOM::KEEP_DETAIL_PRT() {
    // The sections: each marked part of a place (or, joined, the marked
    // parts of a place together) that has entries, each a run of the index.
    struct Section {
        int place;
        qint32 first, count;
        QString heading;
    };
    std::vector<Section> sections;
    const bool joined = CHK1->Value() == 1;
    for (int p = 0; p <= placeCount(); ++p) {
        const qint32 s = keep.placeStart(p), c0 = keep.KEEP_COUNT[p][0], c1 = keep.KEEP_COUNT[p][1];
        const bool m0 = KEEP_MARK[p][0] == 1, m1 = KEEP_MARK[p][1] == 1;
        const QString name = p < placeCount() ? KEEP_LIST[p] : QString();
        if (joined) {
            if (!m0 && !m1) continue;
            const QString heading = name + (m0 && m1 ? QStringLiteral(" 管理・管理外")
                                            : m0   ? QStringLiteral(" 管理")
                                                   : QStringLiteral(" 管理外"));
            const qint32 first = m0 ? s : s + c0;
            const qint32 count = (m0 ? c0 : 0) + (m1 ? c1 : 0);
            if (count > 0) sections.push_back({p, first, count, heading});
        } else {
            if (m0 && c0 > 0) sections.push_back({p, s, c0, name + QStringLiteral(" 管理")});
            if (m1 && c1 > 0) sections.push_back({p, s + c0, c1, name + QStringLiteral(" 管理外")});
        }
    }
    // Each printed line: its section and its line within the section.
    std::vector<std::pair<int, qint32>> rows;
    for (int k = 0; k < int(sections.size()); ++k)
        for (qint32 j = 0; j < sections[k].count; ++j) rows.emplace_back(k, j);

    PRT_MSG2* w = platform::FormInstance<PRT_MSG2>::get();
    w->Label2->clear();
    w->Show();
    PRT_JOB job;
    job.landscape = true;
    job.fontSize = 9;
    job.errorTitle = kDetailTitle;
    job.rowCount = int(rows.size());
    // Every section starts on a page of its own, and goes on to a new page
    // every 25 lines.
    job.newPageBefore = [&](int r) { return rows[r].first != rows[r - 1].first || rows[r].second % kDetailLines == 0; };
    job.drawPageFrame = [this](int) { KEEP_DETAIL_FRAME_PRT(); };
    job.drawRow = [&](int r) {
        const Section& sec = sections[size_t(rows[r].first)];
        const qint32 j = rows[r].second;
        if (j == 0) w->Label2->setText(sec.place < placeCount() ? KEEP_LIST[sec.place] : QString());
        if (j % kDetailLines == 0) {
            // The section's heading stands on every one of its pages.
            useSize(15);
            at(30, 14, sec.heading);
            useSize(10);
        }
        KEEP_DETAIL_ROW_PRT(keep.KEEP_INDEX[size_t(sec.first + j)].REC_NO, j % kDetailLines);
    };
    const int result = PRT_RUN(job);
    platform::FormInstance<PRT_MSG2>::unload();
    return result;
}

// ---------------------------------------------------------------- breakdown

void KEEP_ROOM::BREAKDOWN_FRAME_PRT() {
    twoColumnPage({30, 80, 90, 110, 160, 170}, QStringLiteral("保管場所別内訳リスト"),
                  KEEP_PICK_NO >= 0 && KEEP_PICK_NO < placeCount() ? KEEP_LIST[KEEP_PICK_NO] : QString(),
                  {{22, QStringLiteral("ＮＯ")},
                   {47, QStringLiteral("　品　名")},
                   {82, QStringLiteral("区分")},
                   {92, QStringLiteral(" 数")}});
}

int KEEP_ROOM::BREAKDOWN_PRT(int following) {
    PRT_JOB job = twoColumnJob(
        breakdown.BREAKDOWN_ROWS, [this] { BREAKDOWN_FRAME_PRT(); }, [this](int i, double x0, double y) {
            cell(x0, y - 1, x0 + 10, y + 4);
            countCell(x0, y, QString::number(i + 1));
            cell(x0 + 10, y - 1, x0 + 60, y + 4);
            fittedName(x0 + 11, y, breakdown.BREAKDOWN_NAME[size_t(i)], 49);
            cell(x0 + 60, y - 1, x0 + 70, y + 4);
            fittedName(x0 + 61, y, breakdown.BREAKDOWN_KUBUN[size_t(i)], 9);
            cell(x0 + 70, y - 1, x0 + 80, y + 4);
            countCell(x0 + 70, y, text::countText(breakdown.BREAKDOWN_COUNT[size_t(i)]));
        });
    // Each place goes on in the document of the places before it; the caller ends it.
    job.following = following != 0;
    job.endDocument = false;
    return PRT_RUN(job);
}

// ---------------------------------------------------------------- the buttons

void KEEP_ROOM::B_PRT_H_Click() {
    if (!askToPrint(PAGE_ALL > 0, QStringLiteral("保管場所別データを印刷しますか？"))) return;
    PRT_STOP = 0;
    ui::BusyPointer busy;
    blockInput(true);
    KEEP_SUM_PRT();
    blockInput(false);
}

void KEEP_ROOM::B_PRT_SEL_Click() {
    if (!askToPrint(PAGE_SEL > 0, QStringLiteral("保管場所別一覧表を印刷しますか？"))) return;
    PRT_STOP = 0;
    blockInput(true);
    KEEP_DETAIL_PRT();
    blockInput(false);
}

void KEEP_ROOM::B_PRT2_Click() {
    if (!askToPrint(breakdown.BREAKDOWN_ROWS > 0, QStringLiteral("保管場所別詳細データを印刷しますか？"))) return;
    PRT_STOP = 0;
    blockInput(true);
    if (BREAKDOWN_PRT(0) == 1) endDocument(kSumTitle);
    blockInput(false);
}

void KEEP_ROOM::B_PRT3_Click() {
    PRT_STOP = 0;
    blockInput(true);
    const qint16 pickNo = KEEP_PICK_NO;
    const KEEP_BREAKDOWN held = breakdown;
    const int paneMax = SCB_V2->maximum();

    PRT_MSG2* w = platform::FormInstance<PRT_MSG2>::get();
    w->Label2->clear();
    w->Show();
    // One document for every marked place with rows, each on its own pages.
    // An error or a stop inside a place has discarded the document: the
    // chain ends there and nothing is ended.
    int printed = 0;
    bool open = true;
    for (int p = 0; p <= placeCount(); ++p) {
        if (KEEP_MARK[p][0] != 1 && KEEP_MARK[p][1] != 1) continue;
        KEEP_BREAKDOWN b = KEEP_BREAKDOWN_MAKE(keep, p);
        if (b.BREAKDOWN_ROWS <= 0) continue;
        w->Label2->setText(p < placeCount() ? KEEP_LIST[p] : QString());
        ui::DoEvents();
        if (PRT_STOP > 0) break;
        KEEP_PICK_NO = qint16(p);
        breakdown = std::move(b);
        if (BREAKDOWN_PRT(printed == 0 ? 0 : 1) != 1) {
            open = false;
            break;
        }
        ++printed;
    }
    platform::FormInstance<PRT_MSG2>::unload();
    if (open && printed > 0) endDocument(kSumTitle);

    KEEP_PICK_NO = pickNo;
    breakdown = held;
    {
        QSignalBlocker block(SCB_V2);
        SCB_V2->setMaximum(paneMax);
    }
    blockInput(false);
}

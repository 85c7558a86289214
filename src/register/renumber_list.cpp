#include "register/renumber_list.h"

#include <QEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

#include "common/window_back.h"
#include "platform/csv.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/settings_store.h"
#include "platform/sjis.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/grid_text.h"
#include "platform/input_block.h"
#include "register/item_grid.h"
#include "store/amounts.h"
#include "register/registration.h"
#include "common/form_kind.h"
#include "common/start_guard.h"
#include "common/suite_keys.h"
#include "store/category_file.h"
#include "store/helpers.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/link.h"
#include "common/form_position.h"

namespace {

using grid_text::eraLetter;

const QString kL2Title = QStringLiteral("備品番号再設定");
constexpr quint32 kL2Back = 0xC0FFFF;  // the window's pale yellow

using ctl::place;

// The era date text of the grid: empty for a year up to 1900 or a date that
// does not exist.
QString eraDateCell(qint16 y, qint16 m, qint16 d) {
    if (y <= 1900) return {};
    const QDate date(y, m, d);
    if (!date.isValid()) return {};
    return ERA_DATE_STR(date, 2);
}

// "#,###" right-aligned in nine characters; a longer figure is kept whole
// (the row fits it into its column).
QString moneyCell(qint64 v) { return MONEY_TEXT(v).rightJustified(9, u' '); }

quint64 numberKey(qint16 era, qint16 year, qint16 no) {
    return (quint64(quint16(era)) << 32) | (quint64(quint16(year)) << 16) | quint64(quint16(no));
}

// ---------------------------------------------------------------- import checks

// True when the bytes of a line form Shift-JIS characters that the code page
// maps, without control characters other than the tab.
bool sjisLineOk(const QByteArray& line) {
    const auto* b = reinterpret_cast<const unsigned char*>(line.constData());
    const qsizetype n = line.size();
    qsizetype questions = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
            if (c == '?') ++questions;
            continue;
        }
        if (c >= 0xA1 && c <= 0xDF) continue;  // half-width katakana
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead || i + 1 >= n) return false;
        const unsigned char t = b[++i];
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
    }
    // A pair the code page does not map decodes as "?".
    const QString text = sjis::decode(line);
    if (text.contains(QChar(0xFFFD))) return false;
    return text.count(u'?') == questions;
}

struct LineFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void need(bool ok, const char* what) {
    if (!ok) throw LineFault(what);
}

// A date group of the item file: no date (year 0) or a year the calendar of
// the register knows, with month and day within their ranges.
void checkDate(qint16 y, qint16 m, qint16 d, const char* what) {
    need(y == 0 || (y >= 1868 && y <= 9999), what);
    need(m >= 0 && m <= 12 && d >= 0 && d <= 31, what);
}

// Reads one record line of 41 values as the item file holds them, then
// checks the values an import must not take in.
void readImportLine(const QString& text, ZEMLO_REC& z) {
    csv::Reader r(text);
    z = ZEMLO_REC{};
    ZEMLO_READ_RECORD(r, z);
    need(r.atEnd(), "more than 41 values");
    need(z.BY_W >= 3 && z.BY_W <= 5, "unknown era");
    need(z.BY_Y >= 1 && z.BY_Y <= 99, "fiscal year out of range");
    need(z.B_NO >= 1 && z.B_NOS >= 1, "number out of range");
    checkDate(z.BIN_Y, z.BIN_M, z.BIN_D, "purchase date out of range");
    need(z.B_MONY >= 0, "price out of range");
    need(z.TAX_K >= 0 && z.TAX_K <= 3, "tax mode out of range");
    need(z.TAX >= 0 && z.TAX <= 100, "tax rate out of range");
    checkDate(z.BOUT_Y, z.BOUT_M, z.BOUT_D, "out date out of range");
    need(z.NO_KY >= 0, "subject number out of range");
    checkDate(z.CHG_Y, z.CHG_M, z.CHG_D, "change date out of range");
    need(z.MOVE_F >= 0 && z.MOVE_F <= 3, "flags out of range");
}

}  // namespace

// ---------------------------------------------------------------- without widgets

QString ZEMLO_NO_TEXT(const ZEMLO_REC& r) {
    return eraLetter(r.BY_W) + QString::number(r.BY_Y) + QLatin1Char('-') + QString::number(r.B_NO) +
           QLatin1Char('-') + QString::number(r.B_NOS);
}

bool ZEMLO_SAME_PURCHASE(const ZEMLO_REC& a, const ZEMLO_REC& b) {
    return a.BY_W == b.BY_W && a.BY_Y == b.BY_Y && a.B_MONY == b.B_MONY && a.BIN_Y == b.BIN_Y &&
           a.BIN_M == b.BIN_M && a.BIN_D == b.BIN_D && a.BIN_X == b.BIN_X && a.TAX_K == b.TAX_K && a.TAX == b.TAX &&
           a.KUBUN_IDX == b.KUBUN_IDX && a.NO_KY == b.NO_KY && a.BU_KEY == b.BU_KEY && a.NAME_NO == b.NAME_NO &&
           a.KEIHI == b.KEIHI && a.KUBUN == b.KUBUN && a.KYOUKA == b.KYOUKA && a.NO_BU == b.NO_BU &&
           a.BUNRUI == b.BUNRUI && a.NAME_D == b.NAME_D && a.SHOP == b.SHOP && a.MAKER == b.MAKER &&
           a.MAKER_NO == b.MAKER_NO;
}

void ZEMLO_NO_RESET_VIEW(const std::function<void(qint32, qint32)>& step) {
    const qint32 n = std::min<qint32>(INDEX_COUNT, qint32(ZEMLO_INDEX.size()));
    qint32 number = 0, branch = 0;
    const ZEMLO_REC* previous = nullptr;
    for (qint32 p = 0; p < n; ++p) {
        const qint32 rec = ZEMLO_INDEX[p].IDX;
        if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) continue;
        ZEMLO_REC& z = ZEMLO_DATA[rec];
        z.OLD_NO = ZEMLO_NO_TEXT(z);
        if (p > 0 && previous && ZEMLO_SAME_PURCHASE(z, *previous)) {
            ++branch;
        } else {
            ++number;
            branch = 1;
        }
        z.B_NO = qint16(number);
        z.B_NOS = qint16(branch);
        previous = &z;
        if (step) step(p, n);
    }
}

void INDEX_ALL_SET() {
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_INDEX.size()));
    for (qint32 p = 0; p < n; ++p) ZEMLO_INDEX[p].IDX = p;
}

void ZEMLO_YEAR_RESET() {
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < n; ++i) {
        ZEMLO_REC& z = ZEMLO_DATA[i];
        if (z.BIN_M <= 0 || z.BIN_Y <= 0) continue;
        const int fy = z.BIN_Y - (z.BIN_M < 4 ? 1 : 0);
        if (fy >= 2020) {
            z.BY_W = 5;
            z.BY_Y = qint16(fy - 2018);
        } else if (fy >= 1989) {
            z.BY_W = 4;
            z.BY_Y = qint16(fy - 1988);
        } else {
            z.BY_W = 3;
            z.BY_Y = qint16(fy - 1925);
        }
    }
}

ZEMLO_IMPORT_RESULT ZEMLO_IMPORT_FILE(const QString& path) {
    ZEMLO_IMPORT_RESULT res;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        res.reason = QStringLiteral("the file cannot be opened");
        return res;
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        res.reason = QStringLiteral("the file cannot be read");
        return res;
    }
    f.close();

    // Lines end with CRLF (a lone LF is taken as well); blank lines at the end
    // of the file are ignored.
    QList<QByteArray> lines = bytes.split('\n');
    bytes = QByteArray();
    for (QByteArray& l : lines)
        if (l.endsWith('\r')) l.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();

    // The numbers already in the table.
    QSet<quint64> taken;
    taken.reserve(ZEMLO_COUNT);
    for (qint32 i = 0; i < ZEMLO_COUNT && i < qint32(ZEMLO_DATA.size()); ++i)
        taken.insert(numberKey(ZEMLO_DATA[i].BY_W, ZEMLO_DATA[i].BY_Y, ZEMLO_DATA[i].B_NO));

    std::vector<ZEMLO_REC> accepted;
    qint32 lineNo = 0;
    try {
        if (lines.isEmpty()) {
            lineNo = 1;
            throw LineFault("no header");
        }
        for (const QByteArray& raw : lines) {
            ++lineNo;
            if (!sjisLineOk(raw)) throw LineFault("bytes that are not Shift-JIS text");
            const QString text = sjis::decode(raw);
            if (lineNo == 1) {
                // The header: watermark, flag, 0 and three texts, dropped.
                csv::Reader r(text);
                r.readInt32();
                r.readInt16();
                r.readInt32();
                r.readString();
                r.readString();
                r.readString();
                need(r.atEnd(), "more than 6 values in the header");
                continue;
            }
            need(!text.trimmed().isEmpty(), "an empty line");
            ZEMLO_REC z;
            readImportLine(text, z);
            if (taken.contains(numberKey(z.BY_W, z.BY_Y, z.B_NO))) {
                ++res.dropped;
                continue;
            }
            if (qint64(ZEMLO_COUNT) + qint64(accepted.size()) >= qint64(ZEMLO_SLOTS))
                throw LineFault("the item table is full");
            accepted.push_back(std::move(z));
        }
    } catch (const std::exception& e) {
        res.line = lineNo;
        res.reason = QString::fromUtf8(e.what());
        return res;
    }

    for (ZEMLO_REC& z : accepted) ZEMLO_DATA[ZEMLO_COUNT++] = std::move(z);
    res.ok = true;
    res.appended = qint32(accepted.size());
    return res;
}

// ---------------------------------------------------------------- the window

A_ZEMLO_L2::A_ZEMLO_L2()
    : ListWindow(QStringLiteral("A_ZEMLO_L2"), QStringLiteral("備品データリスト"), kL2Back, QStringLiteral("ＭＳ Ｐ明朝")) {

    DP_W = new ctl::ComboBox(this, QStringLiteral("DP_W"), ctl::ComboBox::DropDownList);
    CH_Y = new ctl::TextBox(this, QStringLiteral("CH_Y"));
    CH_Y->setAlignment(Qt::AlignRight);
    Label1 = new ctl::Label(QStringLiteral("年度"), this, QStringLiteral("Label1"));
    B_PICUP = new ctl::CommandButton(QStringLiteral("検索"), this, QStringLiteral("B_PICUP"));
    ALL_H = new ctl::CommandButton(QStringLiteral("全表示"), this, QStringLiteral("ALL_H"));
    Frame1 = new ctl::Frame(QStringLiteral("ソート"), this, QStringLiteral("Frame1"));
    B_SORT = new ctl::CommandButton(QStringLiteral("備品番号"), Frame1, QStringLiteral("B_SORT"));
    B_SORT2 = new ctl::CommandButton(QStringLiteral("購入年月日"), Frame1, QStringLiteral("B_SORT2"));
    B_SORT3 = new ctl::CommandButton(QStringLiteral("備品区分"), Frame1, QStringLiteral("B_SORT3"));
    Label3 = new ctl::Label(QStringLiteral("備品番号"), this, QStringLiteral("Label3"));
    B_NO_SET = new ctl::CommandButton(QStringLiteral("再設定"), this, QStringLiteral("B_NO_SET"));
    Label4 = new ctl::Label(QStringLiteral("別データ"), this, QStringLiteral("Label4"));
    B_PLAS = new ctl::CommandButton(QStringLiteral("取込"), this, QStringLiteral("B_PLAS"));
    B_Y_SET = new ctl::CommandButton(QStringLiteral("購入年度再設定"), this, QStringLiteral("B_Y_SET"));
    Label5 = new ctl::Label(QStringLiteral("数量"), this, QStringLiteral("Label5"));
    C_COUNT = new ctl::FigureLabel(this, QStringLiteral("C_COUNT"));
    Label6 = new ctl::Label(QStringLiteral("金額"), this, QStringLiteral("Label6"));
    TOTAL = new ctl::FigureLabel(this, QStringLiteral("TOTAL"));
    B_HELP = new ctl::CommandButton(QStringLiteral("HELP"), this, QStringLiteral("B_HELP"));
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    for (ctl::Label* l : {C_COUNT, TOTAL}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        BACK_COLOR_SET(l, 0xFFFFFF);
    }
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    // No row is ever selected here, so the header draws no fills, and a
    // press on the number pane does nothing.
    makeGrid(240, 780);
    grid->count = [] { return INDEX_COUNT; };
    grid->drawRow = [this](qint32 p, int row) {
        if (p >= 0 && p < qint32(ZEMLO_INDEX.size())) ZEMLO_GRID_ROW(ZEMLO_INDEX[p].IDX, row);
    };
    layoutControls();

    B_PICUP->Click = [this] { B_PICUP_Click(); };
    ALL_H->Click = [this] { ALL_H_Click(); };
    B_SORT->Click = [this] { B_SORT_Click(); };
    B_SORT2->Click = [this] { B_SORT2_Click(); };
    B_SORT3->Click = [this] { B_SORT3_Click(); };
    B_NO_SET->Click = [this] { B_NO_SET_Click(); };
    B_Y_SET->Click = [this] { B_Y_SET_Click(); };
    B_PLAS->Click = [this] { B_PLAS_Click(); };
    B_HELP->Click = [this] { B_HELP_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    Label3->installEventFilter(this);
}

A_ZEMLO_L2::~A_ZEMLO_L2() = default;

void A_ZEMLO_L2::layoutControls() {
    place(DP_W, 120, 150, 780, 300);
    place(CH_Y, 930, 150, 420, 300);
    place(Label1, 1380, 195, 400, 240);
    place(B_PICUP, 1800, 105, 780, 390);
    place(ALL_H, 2640, 105, 780, 390);
    place(Frame1, 3600, 0, 3180, 690);
    place(B_SORT, 90, 255, 960, 345);
    place(B_SORT2, 1110, 255, 960, 345);
    place(B_SORT3, 2130, 255, 960, 345);
    place(Label3, 7020, 195, 780, 240);
    place(B_NO_SET, 7800, 105, 780, 390);
    place(Label4, 8820, 195, 780, 240);
    place(B_PLAS, 9600, 105, 780, 390);
    place(B_Y_SET, 10620, 105, 1500, 390);
    place(Label5, 12360, 195, 420, 240);
    place(C_COUNT, 12780, 150, 1320, 300);
    place(Label6, 14280, 195, 420, 240);
    place(TOTAL, 14700, 150, 1500, 300);
    place(B_HELP, 16500, 105, 780, 390);
    place(B_ESC, 17400, 105, 900, 390);
}

bool A_ZEMLO_L2::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Label3 && e->type() == QEvent::MouseButtonDblClick) {
        Label3_DblClick();
        return true;
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- loading and closing

void A_ZEMLO_L2::Form_Load() {
    // The window keeps its border and title bar in the frame.
    loadBegin(false);
    if (ZEMLO_INDEX.size() < size_t(ZEMLO_SLOTS)) ZEMLO_INDEX.resize(ZEMLO_SLOTS);
    std::fill(ZEMLO_INDEX.begin(), ZEMLO_INDEX.end(), ZEMLO_INDEX_REC{});
    INDEX_COUNT = 0;
    ZEMLO_GRID_COLS();

    list_window::fillEras(DP_W);
    L2_CHANGED = 0;

    fitAtTopLeft();
    // The size change lists every item (the resize runs during the load too).
    Form_Resize();
    loadEnd();
    B_NO_SET->setEnabled(false);
    B_Y_SET->hide();
}

void A_ZEMLO_L2::listFirst() { ZEMLO_GRID_ALL(); }

void A_ZEMLO_L2::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);  // the closing is never cancelled
    Q_UNUSED(UnloadMode);
    if (L2_CHANGED != 1) return;
    if (ui::MsgBox(QStringLiteral("変更データを保存しますか？"), int(ui::vbYesNo) | ui::vbQuestion, kL2Title) ==
        ui::vbYes) {
        ui::BusyPointer busy;
        // The whole table in purchase-date order is written, loaded again and
        // linked to the category master.
        INDEX_COUNT = ZEMLO_COUNT;
        INDEX_ALL_SET();
        INDEX_SORT_DATE();
        if (ZEMLO_SAVE_INDEX() == 1) {
            ZEMLO_READ();
        } else {
            // The save told the user; the changes stay in memory for a later save.
            ZEMLO_CHANGED = 1;
        }
        KUBUN_LINK(0);
        L2_CHANGED = 0;
        return;
    }
    // Discarding ends the program, so that nothing of the changes survives.
    ui::MsgBox(QStringLiteral("変更データを無効にする為に,ゼムロ２ソフトを終了します"), ui::vbOKOnly, kL2Title);
    SCHOOL_SET_SAVE();
    reg::SaveSetting(REG_APP, QStringLiteral("FORM"), QStringLiteral("LAST"), QString::number(FORM_KIND));
    SIN_FILE_SAVE();
    END_PROGRAM(0);
}

// ---------------------------------------------------------------- grid

void A_ZEMLO_L2::ZEMLO_GRID_COLS() { item_grid::setColumns(*grid); }

void A_ZEMLO_L2::ZEMLO_GRID_HEAD() { grid->head(); }

void A_ZEMLO_L2::ZEMLO_GRID_PAGE() { grid->page(); }

void A_ZEMLO_L2::ZEMLO_GRID_ROW(qint32 rec, int r) {
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return;
    const ZEMLO_REC& z = ZEMLO_DATA[rec];
    const QString& letter = eraLetter(z.BY_W);
    grid->cell(50, r, letter + QString::number(z.BY_Y).rightJustified(3, u' ') + QStringLiteral("年度"));
    grid->cellFit(950, r, ZEMLO_NO_TEXT(z), 1050);
    grid->cell(2050, r, eraDateCell(z.BIN_Y, z.BIN_M, z.BIN_D));
    grid->cell(3050, r, eraDateCell(z.BOUT_Y, z.BOUT_M, z.BOUT_D));
    grid->cell(4030, r, z.KEIHI);
    grid->cell(4630, r, z.KUBUN);
    grid->cell(5530, r, z.KYOUKA);
    grid->cellFit(7530, r, z.BUNRUI, 1950);
    grid->cellFit(9530, r, z.NAME_D, 2550);
    grid->cell(12130, r, z.FUNC_D);
    grid->cell(12630, r, z.KEEP);
    grid->cell(14630, r, z.MAKER);
    grid->cell(16630, r, z.MAKER_NO);
    grid->cell(18630, r, z.SHOP);
    if (z.B_MONY != 0) grid->figureFit(20630, r, moneyCell(z.B_MONY), 21500 - 20630 - 15);
    if (const QString tax = TAX_TEXT(z.TAX_K, z.TAX); !tax.isEmpty()) grid->cell(21630, r, tax);
    if (const qint64 amount = ZEMLO_AMOUNT(z, false); amount != 0)
        grid->figureFit(22130, r, moneyCell(amount), 23000 - 22130 - 15);
    grid->cellFit(23030, r, z.MSG, 1950);
    grid->cell(25050, r, eraDateCell(z.CHG_Y, z.CHG_M, z.CHG_D));
}

void A_ZEMLO_L2::ZEMLO_GRID_ALL() { item_grid::listAll(*this, TOTAL, C_COUNT, ALL_H); }

// ---------------------------------------------------------------- listing

void A_ZEMLO_L2::ALL_H_Click() {
    B_NO_SET->setEnabled(false);
    ZEMLO_GRID_ALL();
}

void A_ZEMLO_L2::B_PICUP_Click() {
    QPointer<A_ZEMLO_L2> self(this);
    const qint16 era = qint16(DP_W->ListIndex() + 3);
    const double wanted = text::val(CH_Y->Text());
    const qint32 count = std::min<qint32>(ZEMLO_COUNT, qint32(std::min(ZEMLO_DATA.size(), ZEMLO_INDEX.size())));
    qint32 n = 0;
    qint64 total = 0;
    {
        // This window's controls stay enabled while it searches; what they
        // are clicked meanwhile is dropped.
        platform::InputBlock block(this, platform::InputBlock::Look::AsItIs);
        grid->setVValueQuiet(0);
        ui::Progress progress(QStringLiteral("データ検索中"), ZEMLO_COUNT > 200);
        if (progress.shown()) ui::DoEvents();
        for (qint32 i = 0; i < count; ++i) {
            const ZEMLO_REC& r = ZEMLO_DATA[i];
            if (wanted <= 0 || (r.BY_W == era && r.BY_Y == wanted)) {
                ++n;
                ZEMLO_INDEX[n - 1].IDX = i;
                listRow(n);
                if (r.BOUT_Y == 0) total += ZEMLO_AMOUNT(r, true);
            }
            progress.step(i, count);
            if (!self) return;
        }
        progress.close();
    }
    if (!self) return;

    if (n > 0) {
        TOTAL->setCaption(MONEY_TEXT(total));
        INDEX_COUNT = n;
        C_COUNT->setCaption(QString::number(n) + QLatin1Char('/') + QString::number(ZEMLO_COUNT));
        if (!CH_Y->Text().isEmpty()) B_NO_SET->setEnabled(true);
    } else {
        grid->clear();
        grid->head();
        INDEX_COUNT = 0;
        ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, QStringLiteral("備品登録リスト"));
    }
    grid->setVRange();
    ALL_H->setEnabled(n != ZEMLO_COUNT);
}

void A_ZEMLO_L2::sortView(void (*sort)()) {
    if (INDEX_COUNT == ZEMLO_COUNT || INDEX_COUNT < 1) INDEX_ALL_SET();
    sort();
    ZEMLO_GRID_PAGE();
}

void A_ZEMLO_L2::B_SORT_Click() { sortView(&INDEX_SORT_NO); }
void A_ZEMLO_L2::B_SORT2_Click() { sortView(&INDEX_SORT_DATE); }
void A_ZEMLO_L2::B_SORT3_Click() { sortView(&INDEX_SORT_KUBUN); }

// ---------------------------------------------------------------- renumbering

void A_ZEMLO_L2::B_NO_SET_Click() {
    if (ui::MsgBox(QStringLiteral("備品番号を再設定します\r\n設定後は元に戻せません"),
                   int(ui::vbYesNo) | ui::vbQuestion, kL2Title) == ui::vbNo)
        return;
    ZEMLO_NO_RESET();
}

void A_ZEMLO_L2::ZEMLO_NO_RESET() {
    if (INDEX_COUNT > 0) {
        QPointer<A_ZEMLO_L2> self(this);
        {
            platform::InputBlock block(this, platform::InputBlock::Look::AsItIs);
            ui::Progress progress(QStringLiteral("再設定中"), true);
            ui::DoEvents();
            ZEMLO_NO_RESET_VIEW([&progress](qint32 p, qint32 total) { progress.step(p, total); });
        }
        if (!self) return;
        ZEMLO_GRID_PAGE();
    }
    L2_CHANGED = 1;
}

void A_ZEMLO_L2::Label3_DblClick() { B_Y_SET->show(); }

void A_ZEMLO_L2::B_Y_SET_Click() {
    ui::BusyPointer busy;
    ZEMLO_YEAR_RESET();
    L2_CHANGED = 1;
    ALL_H_Click();
}

// ---------------------------------------------------------------- import

void A_ZEMLO_L2::B_PLAS_Click() {
    const QString path = dlg::OpenFile(QStringLiteral("別データ取込"), FILE_DIALOG_FOLDER(QStringLiteral("IMPORT")),
                                       QStringLiteral("ゼムロファイル(ZEMLO.ZMD)|ZEMLO.ZMD|全ファイル(*.*)|*.*"));
    if (path.isEmpty()) return;
    FILE_DIALOG_KEEP(QStringLiteral("IMPORT"), path);
    ZEMLO_IMPORT_RESULT res;
    {
        ui::BusyPointer busy;
        res = ZEMLO_IMPORT_FILE(path);
    }
    if (!res.ok) {
        // Nothing of the file was taken; the window's changed flag stays as
        // it was, so changes made before stay to be saved or discarded.
        ui::MsgBox(QStringLiteral("備品リストファイルの読込に失敗しました ") + QString::number(res.line), ui::vbOKOnly,
                   ui::kTitle);
        return;
    }
    if (res.appended > 0) L2_CHANGED = 1;
    if (ZEMLO_COUNT > 29500)
        ui::MsgBox(QStringLiteral("登録可能容量が少なくなっています"), ui::vbOKOnly, QStringLiteral("備品リスト"));
    B_NO_SET->setEnabled(false);
    B_PLAS->setEnabled(false);
    ZEMLO_GRID_ALL();
}

// ---------------------------------------------------------------- help

void A_ZEMLO_L2::B_HELP_Click() { help::show(QStringLiteral("zemlo.hlp"), PRG_DIR, 36); }

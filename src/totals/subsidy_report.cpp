#include "totals/subsidy_report.h"

#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/amounts.h"
#include "common/form_position.h"
#include "common/printer_setup.h"
#include "store/data_files.h"
#include "store/state.h"
#include "totals/totals_common.h"

namespace {

// The newest fiscal year of the window: until the end of April the year
// that ended on 31 March.
constexpr int kFirstMonth = 5;

// Grid of the panes (twips): rows of 240, year columns of 1400.
constexpr int kRowH = TOTAL_ROW_H;
constexpr int kColW = TOTAL_COL5_W;
// The widest a figure may be on screen before it is shrunk.
constexpr double kFigureRoom = TOTAL_COL5_ROOM;
// The widest a grid text may be on screen (twips) and on paper (mm).
constexpr double kGridTextRoom = 1340;
constexpr double kPaperTextRoom = 23;
// The whole page stands 5 mm further right than the other portrait reports.
constexpr double kPageShiftRight = 5;

// Where row ⑤'s heading box begins on screen: just before its text, which
// stands after a full-width and two half-width blanks.
constexpr int kSubRowLeft = 340;

// The grey of the heading panes.
const QColor kGrey(0xE0, 0xE0, 0xE0);

const QString kSection = QStringLiteral("CALC_F");
const QString kBaseName = QStringLiteral("BASE.ZMD");

// The row headings of the two tables, ① to ⑩.
const QString kRowHeads[10] = {
    QStringLiteral("  基　準　額       ①"),
    QStringLiteral("  前年度末額       ②"),
    QStringLiteral("  差引①-②=       ③"),
    QStringLiteral("国庫補助対象整備額 ④"),
    QStringLiteral("　  うち国庫補助額 ⑤"),
    QStringLiteral("国庫補助以外の額   ⑥"),
    QStringLiteral("  整備額計 ④+⑥=  ⑦"),
    QStringLiteral("    廃　棄　額　　 ⑧"),
    QStringLiteral(" 現有額 ②+⑦-⑧=  ⑨"),
    QStringLiteral("現有率(⑨/①)×100 ⑩")};
// The row headings of the class-count grid.
const QString kGridHeads[7] = {
    QStringLiteral("全  学  級  数"),
    QStringLiteral("普 通 学 級 数"),
    QStringLiteral("特別支援学級数"),
    QStringLiteral("特別支援学級種"),
    QStringLiteral("児 童 生 徒 数"),
    QStringLiteral("　作　成　者"),
    QStringLiteral("　責　任　者")};

// Selects the entries of `list` named in a stored value: the value is split
// at "," and consecutive parts are joined again while they name an entry,
// so a name holding a comma is found too (the longest name wins).
void selectStored(ctl::ListBox* list, const QString& stored) {
    const QStringList parts = stored.split(QLatin1Char(','));
    QHash<QString, int> firstOf;
    for (int i = list->ListCount() - 1; i >= 0; --i) firstOf[list->List(i)] = i;
    for (qsizetype i = 0; i < parts.size();) {
        qsizetype best = -1;
        int entry = -1;
        QString joined;
        for (qsizetype j = i; j < parts.size(); ++j) {
            joined += (j > i ? QStringLiteral(",") : QString()) + parts[j];
            auto it = firstOf.constFind(joined);
            if (it != firstOf.cend() && !joined.isEmpty()) {
                best = j;
                entry = it.value();
            }
        }
        if (best < 0) {
            ++i;  // a part that names no entry
            continue;
        }
        list->setSelected(entry, true);
        i = best + 1;
    }
}

}  // namespace

// ---------------------------------------------------------------- the tables

QStringView TOTAL_FS_KEY(const QString& kubun, const QString& kyouka) {
    return QStringView(kubun == u"教材" ? kyouka : kubun).left(2);
}

qint16 TOTAL_FS_SUBJECT(const QString& kubun, const QString& kyouka) {
    const QStringView key = TOTAL_FS_KEY(kubun, kyouka);
    if (key == u"理科") return SUBJ_RIKA;
    if (key == u"理振") return SUBJ_RISHIN;
    if (key == u"算数" || key == u"数学") return SUBJ_SANSU;
    if (key == u"算振" || key == u"数振") return SUBJ_SANSHIN;
    return 0;
}

CALC_TABLE TOTAL_FS_TABLE(int newest, const BASE_RECORDS& recs, bool science, qint16 subjects,
                          const QHash<QString, int>& typeMasks) {
    CALC_TABLE rows{};
    const TOTAL_PERIODS periods(newest);
    for (int i = 0; i < 6; ++i) {
        CALC_ROW& r = rows[size_t(i)];
        r.YEAR = periods.year[size_t(i)];
        r.START = periods.first[size_t(i)];
        r.END = periods.last[size_t(i)];
        if (i == 0) continue;
        for (const BASE_YEAR& b : recs)
            if (b.YEAR == r.YEAR) {
                r.BASE = science ? b.R_BASE : b.S_BASE;
                r.SUBSIDY = science ? b.R_MIN : b.S_MIN;
                break;
            }
    }
    if (subjects != 0 && !typeMasks.isEmpty()) {
        const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
        for (qint32 i = 0; i < n; ++i) {
            const ZEMLO_REC& z = ZEMLO_DATA[size_t(i)];
            if (!(TOTAL_FS_SUBJECT(z.KUBUN, z.KYOUKA) & subjects)) continue;
            const int mask = typeMasks.value(z.KEIHI, 0);
            if (mask == 0) continue;  // its type feeds no row: neither bought nor disposed
            const int in = periods.rowOf(TOTAL_DAY(z.BIN_Y, z.BIN_M, z.BIN_D));
            if (in < 0) continue;  // bought after the last year
            const qint64 amount = ZEMLO_AMOUNT(z, false);
            CALC_ROW& r = rows[size_t(in)];
            if (mask & LIST_ELIGIBLE) r.ELIGIBLE += amount;
            if (mask & LIST_SUBSIDY) r.SUBSIDY += amount;
            if (mask & LIST_OTHER) r.OTHER += amount;
            if (z.BOUT_Y > 1900 && (mask & LIST_DISPOSED)) {
                const qint32 day = TOTAL_DAY(z.BOUT_Y, z.BOUT_M, z.BOUT_D);
                const int out = day < periods.first[0] ? -1 : periods.rowOf(day);
                if (out >= 0) rows[size_t(out)].DISPOSED += amount;
            }
        }
    }
    for (int i = 0; i < 6; ++i) {
        CALC_ROW& r = rows[size_t(i)];
        r.TOTAL = r.ELIGIBLE + r.OTHER;
        r.HOLD = (i > 0 ? rows[size_t(i) - 1].HOLD : 0) + r.TOTAL - r.DISPOSED;
    }
    return rows;
}

QString TOTAL_FS_CELL(const CALC_TABLE& t, int k, int p) {
    const CALC_ROW& r = t[size_t(p)];
    const CALC_ROW& before = t[size_t(p) - 1];
    switch (k) {
    case 1: return MONEY_TEXT(r.BASE);
    case 2: return MONEY_TEXT(before.HOLD);
    case 3: return MONEY_TEXT(r.BASE - before.HOLD);
    case 4: return MONEY_TEXT(r.ELIGIBLE);
    case 5: return MONEY_TEXT(r.SUBSIDY);
    case 6: return MONEY_TEXT(r.OTHER);
    case 7: return MONEY_TEXT(r.ELIGIBLE + r.OTHER);
    case 8: return MONEY_TEXT(r.DISPOSED);
    case 9: return MONEY_TEXT(r.HOLD);
    case 10:
        if (r.BASE <= 0) return QString();
        return QString::number(double(r.HOLD) / double(r.BASE) * 100.0, 'f', 1) + QStringLiteral("％");
    default: return QString();
    }
}

// ---------------------------------------------------------------- the window

TOTAL_FS::TOTAL_FS() : platform::Form(QStringLiteral("TOTAL_FS")) {
    setCaption(QStringLiteral("振興備品集計"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐ明朝"), 10));
    setFixedSize(platform::twipsToPx(11760), platform::twipsToPx(7965));

    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    ctl::placeTwips(B_PRT, 8160, 120, 855, 375);
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_CLOSE"));
    ctl::placeTwips(B_CLOSE, 9240, 120, 855, 375);
    for (ctl::CommandButton* b : {B_PRT, B_CLOSE}) b->setAutoDefault(false);
    CHK_R = new ctl::CheckBox(QStringLiteral("理科・理振"), this, QStringLiteral("CHK_R"));
    ctl::placeTwips(CHK_R, 6840, 60, 1215, 255);
    CHK_S = new ctl::CheckBox(QStringLiteral("算数・算振"), this, QStringLiteral("CHK_S"));
    ctl::placeTwips(CHK_S, 6840, 300, 1335, 255);
    CHK_R->setChecked(true);
    CHK_S->setChecked(true);
    Label5 = new ctl::Label(QStringLiteral("＊削除されたデータは、含まれていません。"), this, QStringLiteral("Label5"));
    ctl::placeTwips(Label5, 960, 240, 3735, 255);

    HD_1 = TOTAL_PANE(this, QStringLiteral("HD_1"), 840, 600, 2295, 285);
    HD_2 = TOTAL_PANE(this, QStringLiteral("HD_2"), 3120, 600, 7070, 285);
    for (int t = 0; t < 2; ++t) {
        const int top = t == 0 ? 960 : 3480;
        K_LIST[size_t(t)] = TOTAL_PANE(this, QStringLiteral("K_LIST%1").arg(t), 840, top, 2295, 2445);
        D_LIST[size_t(t)] = TOTAL_PANE(this, QStringLiteral("D_LIST%1").arg(t), 3120, top, 7070, 2445);
    }
    EK_LIST = TOTAL_PANE(this, QStringLiteral("EK_LIST"), 1560, 6000, 1575, 1720);
    ED_LIST = TOTAL_PANE(this, QStringLiteral("ED_LIST"), 3120, 6000, 7070, 1720);
    ED_LIST->setFontSize(10);
    for (Pane* p : {HD_1, K_LIST[0], K_LIST[1], EK_LIST}) {
        p->setBackColor(kGrey);
        p->cls();
    }

    Label1 = new ctl::Label(QStringLiteral("　理科"), this, QStringLiteral("Label1"));
    ctl::placeTwips(Label1, 120, 960, 735, 735);
    Label2 = new ctl::Label(QStringLiteral("　算数"), this, QStringLiteral("Label2"));
    ctl::placeTwips(Label2, 120, 3480, 735, 735);
    for (ctl::Label* l : {Label1, Label2}) l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CHK_CR = new ctl::CheckBox(QStringLiteral("理科"), this, QStringLiteral("CHK_CR"));
    ctl::placeTwips(CHK_CR, 120, 960, 735, 255);
    CHK_CRS = new ctl::CheckBox(QStringLiteral("理振"), this, QStringLiteral("CHK_CRS"));
    ctl::placeTwips(CHK_CRS, 120, 1200, 735, 255);
    CHK_CS = new ctl::CheckBox(QStringLiteral("数学"), this, QStringLiteral("CHK_CS"));
    ctl::placeTwips(CHK_CS, 120, 3480, 735, 255);
    CHK_CSS = new ctl::CheckBox(QStringLiteral("数振"), this, QStringLiteral("CHK_CSS"));
    ctl::placeTwips(CHK_CSS, 120, 3720, 735, 255);
    for (ctl::CheckBox* c : {CHK_CR, CHK_CRS, CHK_CS, CHK_CSS}) c->hide();
    Label3 = new ctl::Label(QString(), this, QStringLiteral("Label3"));
    ctl::placeTwips(Label3, 720, 6000, 840, 255);
    Label4 = new ctl::Label(QString(), this, QStringLiteral("Label4"));
    ctl::placeTwips(Label4, 720, 6240, 840, 255);

    const char* captions[4] = {"国庫対象④", "国庫補助⑤", "国庫以外⑥", "廃棄⑧"};
    for (int j = 0; j < 4; ++j) {
        CAPTIONS[size_t(j)] = new ctl::Label(QString::fromUtf8(captions[j]), this, QStringLiteral("Label%1").arg(6 + j));
        ctl::placeTwips(CAPTIONS[size_t(j)], 10440, 120 + 1920 * j, 1095, 255);
        CALC_LIST[size_t(j)] = new ctl::ListBox(this, QStringLiteral("CALC_LIST%1").arg(j), 1);
        ctl::placeTwips(CALC_LIST[size_t(j)], 10440, 360 + 1920 * j, 1095, 1635);
        CALC_LIST[size_t(j)]->Click = [this] { CALC_LIST_Click(); };
    }

    // The in-cell editors, hidden until a cell is pressed.
    auto editor = [this](Pane* pane, const QString& name) {
        auto* b = new ctl::TextBox(pane, name);
        b->setFont(QFont(QStringLiteral("ＭＳ 明朝"), 9));
        b->hide();
        b->installEventFilter(this);
        return b;
    };
    for (int p = 1; p <= 5; ++p) {
        R_BASE[size_t(p)] = editor(D_LIST[0], QStringLiteral("R_BASE%1").arg(p));
        S_BASE[size_t(p)] = editor(D_LIST[1], QStringLiteral("S_BASE%1").arg(p));
        for (ctl::TextBox* b : {R_BASE[size_t(p)], S_BASE[size_t(p)]}) b->setAlignment(Qt::AlignRight);
    }
    ED_BOX = editor(ED_LIST, QStringLiteral("ED_BOX"));

    B_PRT->Click = [this] { B_PRT_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
    for (ctl::CheckBox* c : {CHK_CR, CHK_CRS, CHK_CS, CHK_CSS}) c->Click = [this] { CHK_C_Click(); };
    for (int t = 0; t < 2; ++t)
        connect(D_LIST[size_t(t)], &Pane::mouseDown, this,
                [this, t](Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) { D_LIST_MouseDown(t, x, y); });
    connect(ED_LIST, &Pane::mouseDown, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) { ED_LIST_MouseDown(x, y); });
}

void TOTAL_FS::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    ACTIVATED = 0;
    Label1->setCaption(QStringLiteral("理科"));
    Label3->setCaption(QStringLiteral("学級数"));
    if (SCHOOL_NAME.contains(QStringLiteral("中学校"))) {
        PAIR_1 = QStringLiteral("数学");
        PAIR_2 = QStringLiteral("数振");
        Label4->setCaption(QStringLiteral("生徒数等"));
    } else {
        PAIR_1 = QStringLiteral("算数");
        PAIR_2 = QStringLiteral("算振");
        Label4->setCaption(QStringLiteral("児童数等"));
    }

    // Which subjects the category master holds; the scan stops once all four are found.
    int found = 0;
    const qint32 n = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    for (qint32 i = 0; i < n && found != 15; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        const QStringView key = TOTAL_FS_KEY(k.KUBUN, k.KYOUKA);
        if (key == u"理科") found |= 1;
        else if (key == u"理振") found |= 2;
        else if (key == PAIR_1) found |= 4;
        else if (key == PAIR_2) found |= 8;
    }
    if ((found & 3) == 3) {
        CHK_R->setText(QStringLiteral("理科・理振"));
        CHK_CR->show();
        CHK_CRS->show();
        Label1->hide();  // the include boxes stand in its place
        ONLY_R = nullptr;
    } else if (found & 1) {
        CHK_R->setText(QStringLiteral("理科"));
        Label1->setCaption(QStringLiteral("  理科"));
        ONLY_R = CHK_CR;
    } else {
        CHK_R->setText(QStringLiteral("理振"));
        Label1->setCaption(QStringLiteral("  理振"));
        ONLY_R = CHK_CRS;
    }
    // The include boxes of "S" name the subjects of this kind of school
    // (they count 算数 and 数学, 算振 and 数振 alike).
    CHK_CS->setText(PAIR_1);
    CHK_CSS->setText(PAIR_2);
    if ((found & 12) == 12) {
        CHK_S->setText(PAIR_1 + QStringLiteral("・") + PAIR_2);
        CHK_CS->show();
        CHK_CSS->show();
        Label2->setCaption(PAIR_1);
        Label2->hide();
        ONLY_S = nullptr;
    } else if (found & 4) {
        CHK_S->setText(PAIR_1);
        Label2->setCaption(QStringLiteral("  ") + PAIR_1);
        ONLY_S = CHK_CS;
    } else {
        CHK_S->setText(PAIR_2);
        Label2->setCaption(QStringLiteral("  ") + PAIR_2);
        ONLY_S = CHK_CSS;
    }
    if (CHK_R->text().size() == 2 && CHK_S->text().size() == 2) {
        ctl::placeTwips(B_PRT, 7680, 120, 855, 375);
        // The boxes of two characters end where the button now begins, so
        // that every click on the button reaches it.
        ctl::placeTwips(CHK_R, 6840, 60, 780, 255);
        ctl::placeTwips(CHK_S, 6840, 300, 780, 255);
        B_PRT->raise();
    }

    for (ctl::ListBox* l : CALC_LIST) {
        l->Clear();
        for (const QString& k : KEIHI_NAMES)
            if (!k.isEmpty()) l->AddItem(k);
    }
}

void TOTAL_FS::Form_Activate() {
    if (ACTIVATED == 1) return;
    ACTIVATED = 1;
    TOTAL_FS_HEAD();
    ui::BusyPointer busy;
    CALC_F_READ();
    READY = 0;
    for (ctl::CheckBox* only : {ONLY_R, ONLY_S})
        if (only) only->setValue(1);
    READY = 1;
    RECALC();
    CLASS_COUNT_DRAW();
}

void TOTAL_FS::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // A value still in an open cell editor is taken before anything is saved.
    COMMIT_EDITORS();
}

void TOTAL_FS::Form_Unload(int& Cancel) {
    // Choices that were never restored are not stored over the old ones.
    if (READY) CALC_F_SAVE();
    if (!BASE_SAVE()) {
        const int a = ui::MsgBox(QStringLiteral("入力した基準額などを保存せずに閉じますか？"),
                                 int(ui::vbYesNo) | ui::vbQuestion | ui::vbDefaultButton2, ui::kTitle);
        if (a != ui::vbYes) {
            Cancel = 1;
            return;
        }
    }
    FORM_POS_SAVE(this);
    FORM_KIND = 0;
}

void TOTAL_FS::CALC_LIST_Click() {
    if (READY) RECALC();
}

void TOTAL_FS::CHK_C_Click() {
    if (READY) RECALC();
}

void TOTAL_FS::B_CLOSE_Click() { Unload(); }

void TOTAL_FS::B_PRT_Click() {
    COMMIT_EDITORS();
    if (CHK_R->Value() + CHK_S->Value() == 0) {
        ui::MsgBox(QStringLiteral("印刷項目を選んでください"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    if (ui::MsgBox(QStringLiteral("振興備品集計を印刷します"), ui::vbYesNo, ui::kTitle) == ui::vbNo) return;
    TOTAL_FS_PRT();
}

// ---------------------------------------------------------------- computing

void TOTAL_FS::RECALC() {
    TOTAL_FS_YEAR_SET();
    TOTAL_FS_CALC(0);
    TOTAL_FS_CALC(1);
    TOTAL_FS_DRAW(0);
    TOTAL_FS_DRAW(1);
}

void TOTAL_FS::TOTAL_FS_YEAR_SET() {
    if (!BASE_LOADED) {
        // The first computation: the window's years stay for as long as it is
        // open, so that a figure typed into a column stays with its year.
        YEAR_NEW = TOTAL_YEAR_DEFAULT(clk::today(), kFirstMonth);
        BASE_REC = BASE_RECORDS{};
        for (int i = 1; i <= 5; ++i) BASE_REC[size_t(i)].YEAR = qint16(YEAR_NEW - 5 + i);
        BASE_READ();
        BASE_LOADED = true;
    }
    for (int p = 1; p <= 5; ++p) {
        const BASE_YEAR& b = BASE_REC[size_t(p)];
        R_BASE[size_t(p)]->setText(b.R_BASE == 0 ? QString() : QString::number(b.R_BASE));
        S_BASE[size_t(p)]->setText(b.S_BASE == 0 ? QString() : QString::number(b.S_BASE));
    }
}

int TOTAL_FS::CALC_LIST_FLAGS(const QString& keihi) const {
    int mask = 0;
    for (int j = 0; j < 4; ++j) {
        const ctl::ListBox* l = CALC_LIST[size_t(j)];
        for (int i = 0; i < l->ListCount(); ++i)
            if (l->List(i) == keihi) {
                if (l->Selected(i)) mask |= 1 << j;
                break;
            }
    }
    return mask;
}

void TOTAL_FS::TOTAL_FS_CALC(int table) {
    QHash<QString, int> masks;
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty() && !masks.contains(k))
            if (const int m = CALC_LIST_FLAGS(k)) masks.insert(k, m);
    const qint16 subjects = table == 0 ? qint16((CHK_CR->Value() ? SUBJ_RIKA : 0) | (CHK_CRS->Value() ? SUBJ_RISHIN : 0))
                                       : qint16((CHK_CS->Value() ? SUBJ_SANSU : 0) | (CHK_CSS->Value() ? SUBJ_SANSHIN : 0));
    ROWS[size_t(table)] = TOTAL_FS_TABLE(YEAR_NEW, BASE_REC, table == 0, subjects, masks);
}

// ---------------------------------------------------------------- drawing

void TOTAL_FS::TOTAL_FS_HEAD() {
    HD_1->cls();
    HD_1->text(0, 20, QStringLiteral("  集 計 年 度"));
    for (Pane* p : K_LIST) {
        p->cls();
        const double w = p->twipsWidth();
        for (int k = 0; k < 10; ++k) p->text(0, 20 + kRowH * k, kRowHeads[k]);
        // Row ⑤ reads as a part of row ④: its rule stops short of the
        // heading's left end, where a short upright closes it.
        for (int j = 0; j <= 11; ++j) p->line(j == 4 ? kSubRowLeft : 0, kRowH * j, w, kRowH * j);
        p->line(kSubRowLeft, 960, kSubRowLeft, 1200);
    }
    EK_LIST->cls();
    for (int k = 0; k < 7; ++k) EK_LIST->text(0, 20 + kRowH * k, kGridHeads[k]);
    for (int j = 0; j <= 7; ++j) EK_LIST->line(0, kRowH * j, EK_LIST->twipsWidth(), kRowH * j);
    for (int p = 1; p <= 5; ++p)
        for (ctl::TextBox* b : {R_BASE[size_t(p)], S_BASE[size_t(p)]})
            ctl::placeTwips(b, kColW * (p - 1) + 30, 0, 1350, 270);
}

void TOTAL_FS::TOTAL_FS_DRAW(int table) {
    Pane* p = D_LIST[size_t(table)];
    TOTAL_PANE_SET_HEIGHT(p, TOTAL_PANE_HEIGHT(K_LIST[size_t(table)]));
    p->cls();
    TOTAL_PANE_COLUMNS(p, kColW, kColW, 5);
    const double w = p->twipsWidth(), h = p->twipsHeight();
    for (int c = 1; c <= 4; ++c) p->line(kColW * c, 0, kColW * c, h);
    for (int j = 0; j <= 11; ++j) p->line(0, kRowH * j, w, kRowH * j);
    const CALC_TABLE& t = ROWS[size_t(table)];
    for (int c = 1; c <= 5; ++c)
        for (int k = 1; k <= 10; ++k)
            PANE_TEXT_RIGHT(p, kColW * c - 50, 20 + kRowH * (k - 1), TOTAL_FS_CELL(t, k, c), kFigureRoom);
}

void TOTAL_FS::CLASS_COUNT_DRAW() {
    ED_LIST->cls();
    HD_2->cls();
    for (Pane* p : {HD_2, ED_LIST}) {
        TOTAL_PANE_COLUMNS(p, kColW, kColW, 5);
        for (int c = 1; c <= 4; ++c) p->line(kColW * c, 0, kColW * c, p->twipsHeight());
    }
    for (int j = 0; j <= 7; ++j) ED_LIST->line(0, kRowH * j, ED_LIST->twipsWidth(), kRowH * j);
    for (int c = 1; c <= 5; ++c) {
        HD_2->text(kColW * (c - 1) + 200, 20, TOTAL_YEAR_TEXT(ROWS[0][size_t(c)].YEAR));
        const BASE_YEAR& b = BASE_REC[size_t(c)];
        const double right = kColW * c - 30, left = kColW * (c - 1) + 30;
        auto number = [&](int row, qint64 v) {
            const QString s = text::countText(v);
            if (!s.isEmpty()) ED_LIST->textAtSize(right - ED_LIST->textWidthAtSize(s, 10), 20 + kRowH * (row - 1), s, 10);
        };
        auto words = [&](int row, const QString& s) {
            if (s.isEmpty()) return;
            const double size = TOTAL_FIT_SIZE(10, 5, kGridTextRoom, [&](double pt) { return ED_LIST->textWidthAtSize(s, pt); });
            // A smaller text keeps its middle on the row's middle.
            const double lower = ED_LIST->textHeight() * (1 - size / ED_LIST->fontSize()) / 2;
            ED_LIST->textAtSize(left, 20 + kRowH * (row - 1) + lower, s, size);
        };
        number(1, qint64(b.CLASS_N) + b.CLASS_S);
        number(2, b.CLASS_N);
        number(3, b.CLASS_S);
        words(4, b.CLASS_KIND);
        number(5, b.PUPILS);
        words(6, b.MAKER);
        words(7, b.CHIEF);
    }
}

// ---------------------------------------------------------------- editing

bool TOTAL_FS::readFigure(const QString& typed, qint64 max, const QString& what, qint64* out) {
    const std::optional<qint64> v = text::figure(typed);
    if (v && *v >= 0 && *v <= max) {
        *out = *v;
        return true;
    }
    ui::MsgBox(what + QStringLiteral("は 0 から ") + MONEY_TEXT(max) + QStringLiteral(" までの数字で入力してください"),
               int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
    return false;
}

void TOTAL_FS::D_LIST_MouseDown(int index, double x, double y) {
    COMMIT_EDITORS();  // a cell still open keeps what was typed into it
    const int p = int(std::floor(std::round(x) / kColW)) + 1;
    if (y >= kRowH || y < 0 || p < 1 || p > 5) return;
    ctl::TextBox* b = baseBox(index, p);
    const BASE_YEAR& r = BASE_REC[size_t(p)];
    const qint32 v = index == 0 ? r.R_BASE : r.S_BASE;
    b->setText(v == 0 ? QString() : QString::number(v));
    b->show();
    b->raise();
    b->setFocus();
    b->selectAll();
}

void TOTAL_FS::BASE_LostFocus(int table, int p) {
    ctl::TextBox* b = baseBox(table, p);
    if (!b->isVisible() || committing_) return;
    committing_ = true;
    const QString typed = b->text();
    b->hide();
    qint64 v = 0;
    if (readFigure(typed, INT32_MAX, QStringLiteral("基準額"), &v)) {
        BASE_YEAR& r = BASE_REC[size_t(p)];
        (table == 0 ? r.R_BASE : r.S_BASE) = qint32(v);
        ROWS[size_t(table)][size_t(p)].BASE = v;
    }
    const qint32 now = table == 0 ? BASE_REC[size_t(p)].R_BASE : BASE_REC[size_t(p)].S_BASE;
    b->setText(now == 0 ? QString() : QString::number(now));
    TOTAL_FS_DRAW(table);
    committing_ = false;
}

namespace {
// The class-grid rows that hold a number (ordinary classes, special-needs
// classes, pupils); the others hold a text.
bool gridNumberRow(int r) { return r == 1 || r == 2 || r == 4; }
}  // namespace

void TOTAL_FS::ED_LIST_MouseDown(double x, double y) {
    COMMIT_EDITORS();  // a cell still open keeps what was typed into it
    if (y < kRowH) return;
    const int r = int(std::floor(std::round(y) / kRowH));
    const int p = int(std::floor(std::round(x) / kColW)) + 1;
    if (r < 1 || r > 6 || p < 1 || p > 5) return;
    EDIT_ROW = r;
    EDIT_COL = p;
    ctl::placeTwips(ED_BOX, kColW * (p - 1), kRowH * r, 1350, 270);
    const BASE_YEAR& b = BASE_REC[size_t(p)];
    if (gridNumberRow(r)) {
        ED_BOX->setAlignment(Qt::AlignRight);
        ED_BOX->setInputMethodHints(Qt::ImhPreferNumbers);
        ED_BOX->setText(QString::number(r == 1 ? b.CLASS_N : r == 2 ? b.CLASS_S : b.PUPILS));
    } else {
        ED_BOX->setAlignment(Qt::AlignLeft);
        ED_BOX->setInputMethodHints(Qt::ImhNone);
        ED_BOX->setText(r == 3 ? b.CLASS_KIND : r == 5 ? b.MAKER : b.CHIEF);
    }
    ED_BOX->show();
    ED_BOX->raise();
    ED_BOX->setFocus();
    ED_BOX->selectAll();
}

void TOTAL_FS::ED_BOX_LostFocus() {
    if (!ED_BOX->isVisible() || committing_ || EDIT_ROW < 1 || EDIT_COL < 1) return;
    committing_ = true;
    const QString typed = ED_BOX->text();
    ED_BOX->hide();
    BASE_YEAR& b = BASE_REC[size_t(EDIT_COL)];
    const int r = EDIT_ROW;
    if (gridNumberRow(r)) {
        qint64 v = 0;
        const QString what = r == 4 ? QStringLiteral("児童生徒数") : QStringLiteral("学級数");
        if (readFigure(typed, 32767, what, &v)) (r == 1 ? b.CLASS_N : r == 2 ? b.CLASS_S : b.PUPILS) = qint16(v);
    } else {
        (r == 3 ? b.CLASS_KIND : r == 5 ? b.MAKER : b.CHIEF) = typed;
    }
    CLASS_COUNT_DRAW();
    committing_ = false;
}

void TOTAL_FS::COMMIT_EDITORS() {
    for (int t = 0; t < 2; ++t)
        for (int p = 1; p <= 5; ++p)
            if (baseBox(t, p)->isVisible()) BASE_LostFocus(t, p);
    if (ED_BOX->isVisible()) ED_BOX_LostFocus();
}

bool TOTAL_FS::eventFilter(QObject* watched, QEvent* event) {
    auto* box = dynamic_cast<ctl::TextBox*>(watched);
    if (!box) return platform::Form::eventFilter(watched, event);
    auto lostFocus = [&] {
        if (box == ED_BOX) {
            ED_BOX_LostFocus();
            return;
        }
        for (int t = 0; t < 2; ++t)
            for (int p = 1; p <= 5; ++p)
                if (baseBox(t, p) == box) BASE_LostFocus(t, p);
    };
    if (event->type() == QEvent::FocusOut) {
        lostFocus();
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            B_CLOSE->setFocus();
            lostFocus();  // also when the focus could not move
            return true;
        }
        if (key == Qt::Key_Escape) {
            // Leaves the cell as it was.
            box->hide();
            B_CLOSE->setFocus();
            return true;
        }
    }
    return platform::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------- stored figures and choices

void TOTAL_FS::BASE_READ() {
    BASE_OLD = BASE_FILE{};
    if (DATA_DIR.isEmpty()) return;
    BASE_OLD = BASE_FILE_READ(store::dataPath(kBaseName));
    if (BASE_OLD.STATE < 0) {
        ui::MsgBox(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）を読み込めませんでした\r"
                                  "この画面で入力した基準額・学級数などは保存しません"),
                   int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
        return;
    }
    BASE_FILE_APPLY(BASE_OLD, BASE_REC);
    if (BASE_OLD.BAD_COUNT > 0) {
        QString where = QString::number(BASE_OLD.FIRST_BAD) + QStringLiteral("行目");
        if (BASE_OLD.BAD_COUNT > 1) where += QStringLiteral("ほか%1行").arg(BASE_OLD.BAD_COUNT - 1);
        ui::MsgBox(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）の") + where +
                       QStringLiteral("を読み込めませんでした\r読み込めない行は、書き換えずにそのまま残します"),
                   int(ui::vbOKOnly) | ui::vbExclamation, ui::kTitle);
    }
}

bool TOTAL_FS::BASE_SAVE() {
    // Nothing was read (the window never computed), or the file could not
    // be read: it is not written over.
    if (!BASE_LOADED || BASE_OLD.STATE < 0 || DATA_DIR.isEmpty()) return true;
    ui::BusyPointer busy;
    if (store::writeFile(DATA_DIR, kBaseName, BASE_FILE_BYTES(BASE_REC, BASE_OLD))) return true;
    ui::MsgBox(QStringLiteral("振興備品の基準額ファイル（BASE.ZMD）の保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
    return false;
}

void TOTAL_FS::CALC_F_READ() {
    READY = 0;
    for (ctl::CheckBox* c : {CHK_CR, CHK_CRS, CHK_CS, CHK_CSS}) c->setValue(0);
    bool ok = false;
    const int mask = reg::GetSetting(REG_APP, kSection, QStringLiteral("SET_C"), QStringLiteral("0")).trimmed().toInt(&ok);
    if (ok) {
        CHK_CR->setValue(mask & SUBJ_RIKA ? 1 : 0);
        CHK_CRS->setValue(mask & SUBJ_RISHIN ? 1 : 0);
        CHK_CS->setValue(mask & SUBJ_SANSU ? 1 : 0);
        CHK_CSS->setValue(mask & SUBJ_SANSHIN ? 1 : 0);
    }
    for (int j = 0; j < 4; ++j) {
        const QString stored = reg::GetSetting(REG_APP, kSection, QStringLiteral("FLAG_%1").arg(j));
        if (!stored.isEmpty()) selectStored(CALC_LIST[size_t(j)], stored);
    }
    READY = 1;
}

void TOTAL_FS::CALC_F_SAVE() {
    const int mask = (CHK_CR->Value() ? SUBJ_RIKA : 0) | (CHK_CRS->Value() ? SUBJ_RISHIN : 0) |
                     (CHK_CS->Value() ? SUBJ_SANSU : 0) | (CHK_CSS->Value() ? SUBJ_SANSHIN : 0);
    reg::SaveSetting(REG_APP, kSection, QStringLiteral("SET_C"), QString::number(mask));
    for (int j = 0; j < 4; ++j) {
        const ctl::ListBox* l = CALC_LIST[size_t(j)];
        QStringList chosen;
        for (int i = 0; i < l->ListCount(); ++i)
            if (l->Selected(i)) chosen << l->List(i);
        // An emptied list is stored empty, so the old choice does not come back.
        reg::SaveSetting(REG_APP, kSection, QStringLiteral("FLAG_%1").arg(j), chosen.join(QLatin1Char(',')));
    }
}

// ---------------------------------------------------------------- print

int TOTAL_FS::TOTAL_FS_PRT() {
    const bool printed = TOTAL_PRT_RUN([this] {
        prn::Printer& p = prn::printer();
        p.FontSize = 15;
        PRT_TEXT(50, 10, QStringLiteral("振興備品集計表"));
        p.FontSize = 10;
        PRT_TEXT_RIGHT(180, 15, SCHOOL_NAME);

        auto frame = [](double t, double bottom, int rows) {
            PRT_BOX(15, t + 20, 180, bottom, 7);
            PRT_LINE(55, t + 20, 55, bottom, PRT_PEN_HEAVY);
            for (double x : {80.0, 105.0, 130.0, 155.0}) PRT_LINE(x, t + 20, x, bottom, PRT_PEN_LIGHT);
            for (int k = 1; k <= rows; ++k) PRT_LINE(15, t + 20 + 6 * k, 180, t + 20 + 6 * k, PRT_PEN_LIGHT);
        };
        auto yearHeads = [this](double t) {
            for (int c = 1; c <= 5; ++c) PRT_TEXT(58 + 25 * (c - 1), t + 21, TOTAL_YEAR_TEXT(ROWS[0][size_t(c)].YEAR));
        };

        double t = 0;
        for (int table = 0; table < 2; ++table) {
            if ((table == 0 ? CHK_R : CHK_S)->Value() != 1) continue;
            PRT_TEXT(20, t + 15, (table == 0 ? Label1 : Label2)->Caption());
            PRT_BOX(15, t + 20, 180, t + 86, 7);
            PRT_LINE(55, t + 20, 55, t + 86, PRT_PEN_HEAVY);
            for (double x : {80.0, 105.0, 130.0, 155.0}) PRT_LINE(x, t + 20, x, t + 86, PRT_PEN_LIGHT);
            for (int k = 1; k <= 10; ++k) PRT_LINE(k == 5 ? 23 : 15, t + 20 + 6 * k, 180, t + 20 + 6 * k, PRT_PEN_LIGHT);
            PRT_LINE(23, t + 50, 23, t + 56, PRT_PEN_LIGHT);
            PRT_TEXT(17, t + 21, QStringLiteral("  集 計 年 度"));
            for (int k = 1; k <= 10; ++k) PRT_TEXT(17, t + 21 + 6 * k, kRowHeads[k - 1]);
            yearHeads(t);
            const CALC_TABLE& rows = ROWS[size_t(table)];
            for (int c = 1; c <= 5; ++c)
                for (int k = 1; k <= 10; ++k)
                    TOTAL_FIGURE(30 + 25 * c, 55 + 25 * c, 53 + 25 * c, t + 21 + 6 * k, TOTAL_FS_CELL(rows, k, c));
            t += 76;
        }

        PRT_TEXT(20, t + 15, QStringLiteral("学級数等"));
        frame(t, t + 68, 8);
        PRT_TEXT(20, t + 21, QStringLiteral("  集 計 年 度"));
        for (int k = 0; k < 7; ++k) PRT_TEXT(20, t + 27 + 6 * k, kGridHeads[k]);
        yearHeads(t);
        for (int c = 1; c <= 5; ++c) {
            const BASE_YEAR& b = BASE_REC[size_t(c)];
            const double right = 53 + 25 * c, left = 56 + 25 * (c - 1);
            const double ruleLeft = 30 + 25 * c, ruleRight = 55 + 25 * c;
            TOTAL_FIGURE(ruleLeft, ruleRight, right, t + 27, text::countText(qint64(b.CLASS_N) + b.CLASS_S));
            TOTAL_FIGURE(ruleLeft, ruleRight, right, t + 33, text::countText(b.CLASS_N));
            TOTAL_FIGURE(ruleLeft, ruleRight, right, t + 39, text::countText(b.CLASS_S));
            TOTAL_FIGURE(ruleLeft, ruleRight, right, t + 51, text::countText(b.PUPILS));
            for (const auto& [y, s] : {std::pair{t + 45, b.CLASS_KIND}, std::pair{t + 57, b.MAKER}, std::pair{t + 63, b.CHIEF}}) {
                if (s.isEmpty()) continue;
                const double height = p.TextHeight(s);
                PRT_FONT_FIT(s, 10, 5, kPaperTextRoom);
                // A smaller text keeps its middle on the row's middle.
                PRT_TEXT(left, y + (height - p.TextHeight(s)) / 2, s);
                p.FontSize = 10;
            }
        }
    }, false, kPageShiftRight);
    return printed ? 1 : 0;
}

#include "ledger/ledger_window.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>

#include "category/category_print_dialog.h"
#include "ledger/ledger_list_print.h"
#include "ledger/ledger_pages.h"
#include "ledger/ledger_print.h"
#include "ledger/ledger_print_dialog.h"
#include "common/window_back.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/form_kind.h"
#include "store/category_file.h"

namespace {

constexpr quint32 kBack = 0xFFC0C0;  // light blue (&HFFC0C0)
constexpr int kWidth = 13250;
const QString kTitle = QStringLiteral("備品台帳印刷");
const QString kBadDate = QStringLiteral("検索年月日が正しくありません");

using ctl::place;

}  // namespace

NOTE_P::NOTE_P() : platform::Form(QStringLiteral("NOTE_P")) {
    setFrameChild(true);
    setCaption(kTitle);
    BACK_COLOR_SET(this, kBack);
    setFont(ctl::dialogFont());

    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    B_PRT_H = new ctl::CommandButton(QStringLiteral("内訳印刷"), this, QStringLiteral("B_PRT_H"));
    B_PRT_SEL = new ctl::CommandButton(QStringLiteral("選択印刷"), this, QStringLiteral("B_PRT_SEL"));
    B_PRT_ALL = new ctl::CommandButton(QStringLiteral("全印刷"), this, QStringLiteral("B_PRT_ALL"));
    C_OUTPRT = new ctl::CheckBox(QStringLiteral("廃棄備品印刷なし"), this, QStringLiteral("C_OUTPRT"));
    CHK_P = new ctl::CheckBox(QStringLiteral("２ページ以降差し替え分"), this, QStringLiteral("CHK_P"));
    P_COUNT_L = new ctl::Label(QStringLiteral("印刷枚数"), this, QStringLiteral("P_COUNT_L"));
    P_COUNT = new ctl::FigureLabel(this, QStringLiteral("P_COUNT"));
    P_COUNT->setAlignment(Qt::AlignCenter);
    P_COUNT->setFrameStyle(QFrame::Box | QFrame::Plain);
    BACK_COLOR_SET(P_COUNT, 0xFFFFFF);
    Label4 = new ctl::Label(QStringLiteral("変更年月日"), this, QStringLiteral("Label4"));
    Frame1 = new ctl::Frame(QString(), this, QStringLiteral("Frame1"));
    OPT_CHG = new ctl::OptionButton(QStringLiteral("変更日"), Frame1, QStringLiteral("OPT_CHG"));
    OPT_PRT = new ctl::OptionButton(QStringLiteral("印刷日"), Frame1, QStringLiteral("OPT_PRT"));
    OPT_CHG->setChecked(true);
    OPT_CHG->Click = [this] { Label4->setCaption(QStringLiteral("変更年月日")); };
    OPT_PRT->Click = [this] { Label4->setCaption(QStringLiteral("印刷年月日")); };
    // The era is chosen from the list: a typed era could name none.
    DP_W = new ctl::ComboBox(this, QStringLiteral("DP_W"), ctl::ComboBox::DropDownList);
    CH_Y = new ctl::TextBox(this, QStringLiteral("CH_Y"));
    CH_M = new ctl::TextBox(this, QStringLiteral("CH_M"));
    CH_D = new ctl::TextBox(this, QStringLiteral("CH_D"));
    for (ctl::TextBox* b : {CH_Y, CH_M, CH_D}) {
        b->setAlignment(Qt::AlignRight);
        b->installEventFilter(this);
    }
    CHK_YMD = new ctl::ComboBox(this, QStringLiteral("CHK_YMD"), ctl::ComboBox::DropDownList);
    CHK_PRT = new ctl::CheckBox(QStringLiteral("要印刷"), this, QStringLiteral("CHK_PRT"));

    list = new MasterList(this, true, KEPT);
    KUBUN = list->KUBUN;
    KYOUKA = list->KYOUKA;
    BUNRUI = list->BUNRUI;
    NAME_D = list->NAME_D;
    ALL_H = list->ALL_H;
    BT_PICUP = list->BT_PICUP;
    B_PRT_SET = list->B_PRT_SET;
    grid = list->grid;
    D_NO = list->D_NO;
    D_LIST = list->D_LIST;
    SCB_V = list->SCB_V;
    list->focusAfterTickAll = B_PRT_SEL;
    list->searchStart = [this] { return searchDateRead(); };
    list->searchTest = [this](const KUBUN_REC& e) { return searchTest(e); };
    list->changed = [this] { P_COUNT_SET(); };

    place(B_ESC, 120, 120, 855, 375);
    place(B_PRT_H, 1320, 120, 975, 375);
    place(B_PRT_SEL, 2520, 120, 975, 375);
    place(B_PRT_ALL, 3720, 120, 975, 375);
    place(C_OUTPRT, 4920, 120, 1695, 255);
    place(CHK_P, 4920, 360, 2295, 255);
    place(P_COUNT_L, 7440, 120, 855, 255);
    place(P_COUNT, 7320, 360, 975, 255);
    place(ALL_H, 8460, 60, 855, 255);
    place(BT_PICUP, 8520, 360, 735, 255);
    // The date condition: which date, the era date and the comparison.
    place(Frame1, 9360, 0, 1935, 360);
    place(OPT_CHG, 90, 90, 855, 255);
    place(OPT_PRT, 990, 90, 855, 255);
    place(Label4, 11400, 90, 1000, 255);
    place(DP_W, 9360, 390, 735, 300);
    const char16_t* units[] = {u"年", u"月", u"日"};
    ctl::TextBox* boxes[] = {CH_Y, CH_M, CH_D};
    for (int i = 0; i < 3; ++i) {
        place(boxes[i], 10140 + 640 * i, 405, 375, 270);
        auto* unit = new ctl::Label(QString::fromUtf16(units[i]), this);
        place(unit, 10140 + 640 * i + 405, 420, 220, 255);
    }
    place(CHK_YMD, 10140, 720, 1695, 300);
    place(CHK_PRT, 12000, 750, 975, 255);
    place(KUBUN, 720, 600, 855, 300);
    place(KYOUKA, 720 + 855, 600, 2300, 300);
    place(BUNRUI, 720 + 855 + 2300, 600, 2530, 300);
    place(NAME_D, 720 + 855 + 2300 + 2530, 600, 2600, 300);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    B_ESC->Click = [this] { B_ESC_Click(); };
    B_PRT_H->Click = [this] { B_PRT_H_Click(); };
    B_PRT_SEL->Click = [this] { B_PRT_SEL_Click(); };
    B_PRT_ALL->Click = [this] { B_PRT_ALL_Click(); };
    CHK_P->Click = [this] { NOTE_PAGE_CALC(); };
    // The sheets follow the option at once.
    C_OUTPRT->Click = [this] { NOTE_PAGE_CALC(); };
}

NOTE_P::~NOTE_P() = default;

bool NOTE_P::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == CH_Y) CH_M->setFocus();
            else if (watched == CH_M) CH_D->setFocus();
            else if (watched == CH_D) CHK_YMD->setFocus();
            else return platform::Form::eventFilter(watched, e);
            return true;
        }
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- lifecycle

void NOTE_P::Form_Load() {
    ui::BusyPointer busy;
    LOADED_FLAG = 0;
    LEDGER_WINDOW_FRAME(this);
    DP_W->Clear();
    for (const ERA_ROW& e : ERA_TABLE) DP_W->AddItem(e.ERA_NAME);
    DP_W->setCurrentIndex(2);
    CHK_YMD->Clear();
    for (const char16_t* c : {u"以降", u"以前", u"同日"}) CHK_YMD->AddItem(QString::fromUtf16(c));
    CHK_YMD->setCurrentIndex(-1);

    list->fill();
    NOTE_PAGE_CALC();
    LEDGER_WINDOW_SHOW(this, LOADED_FLAG, kWidth, kBack);
}

void NOTE_P::Form_Resize() {
    if (LOADED_FLAG != 1) return;
    LEDGER_WINDOW_RESIZE(this, list);
}

void NOTE_P::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    LEDGER_WINDOW_UNLOAD();
}

void NOTE_P::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

// ---------------------------------------------------------------- search

bool NOTE_P::searchDateRead() {
    hasDate_ = false;
    const double year = text::val(CH_Y->Text());
    if (!(year > 0)) return true;
    const int era = DP_W->ListIndex();
    const double month = text::val(CH_M->Text()), day = text::val(CH_D->Text());
    // An era year within a hundred; month and day may roll over as a
    // calendar does (month 13 is January of the next year, day 0 the last
    // day of the month before).
    const bool ok = era >= 0 && era < int(ERA_TABLE.size()) && year < 99.5 && std::fabs(month) < 1000 &&
                    std::fabs(day) < 100000;
    if (!ok) {
        ui::MsgBox(kBadDate, int(ui::vbOKOnly) | ui::vbExclamation, kTitle);
        CH_Y->setFocus();
        return false;
    }
    const int y = int(text::roundHalfEven(year)) + ERA_TABLE[size_t(era)].ERA_BASE;
    searchDate_ = QDate(y, 1, 1).addMonths(int(text::roundHalfEven(month)) - 1).addDays(text::roundHalfEven(day) - 1);
    hasDate_ = searchDate_.isValid();
    return true;
}

bool NOTE_P::searchTest(const KUBUN_REC& e) const {
    if (hasDate_) {
        const QDateTime& tested = OPT_CHG->Value() ? e.CHG_DATE : e.PRT_DATE;
        if (!tested.isValid()) return false;
        // Calendar days: a print at 10:15 is a print of that day.
        const QDate d = tested.date();
        switch (CHK_YMD->ListIndex()) {
            case 0: if (d < searchDate_) return false; break;
            case 1: if (d > searchDate_) return false; break;
            default: if (d != searchDate_) return false; break;
        }
    }
    if (CHK_PRT->Value() == 1 && e.CHG_DATE.isValid() && e.CHG_DATE.date().year() > 1950) {
        if (e.PRT_DATE.isValid() && !(e.PRT_DATE.date() < e.CHG_DATE.date())) return false;
    }
    return true;
}

// ---------------------------------------------------------------- sheets

void NOTE_P::NOTE_PAGE_CALC() {
    ui::BusyPointer busy;
    NOTE_PAGE_TOTAL = NOTE_PAGE_CALC_ALL(C_OUTPRT->Value() == 1, CHK_P->Value() == 1);
    P_COUNT_SET();
}

void NOTE_P::P_COUNT_SET() {
    KUBUN_SHEET_SUM = list->tickedSheets();
    P_COUNT->setCaption(QString::number(KUBUN_SHEET_SUM) + QLatin1Char('/') + QString::number(NOTE_PAGE_TOTAL));
}

// ---------------------------------------------------------------- prints

void NOTE_P::printKind(PrintKind kind) {
    PRT_KIND = kind;
    LEDGER_OPT.OUTPRT = C_OUTPRT->Value() == 1;
    LEDGER_OPT.REPLACE = CHK_P->Value() == 1;
    platform::FormInstance<NOTE_PRT>::get()->ShowModal();
    afterPrint();
}

void NOTE_P::B_PRT_SEL_Click() {
    if (!list->anyTicked()) {
        ui::MsgBox(QStringLiteral("選択データが有りません"), ui::vbOKOnly, kTitle);
        return;
    }
    printKind(PrintKind::LEDGER_TICKED);
}

void NOTE_P::B_PRT_ALL_Click() { printKind(PrintKind::LEDGER_ALL); }

void NOTE_P::afterPrint() {
    // The print changed print dates and ticks: the sheets follow them.
    NOTE_PAGE_TOTAL = NOTE_PAGE_CALC_ALL(C_OUTPRT->Value() == 1, CHK_P->Value() == 1);
    if (list->isSearchResult())
        list->GRID_PAGE();
    else
        list->GRID_ALL();
    P_COUNT_SET();
    KUBUN_SAVE();
}

void NOTE_P::B_PRT_H_Click() {
    // The dialog runs the ledger breakdown list for this window.
    NOTE_LIST_PRT_SET([] { NOTE_LIST_PRT_JOB(); });
    KUBUN_PRT_SHOW();
}

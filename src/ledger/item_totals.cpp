#include "ledger/item_totals.h"

#include <QMdiArea>

#include "ledger/item_totals_export.h"
#include "ledger/item_totals_prints.h"
#include "ledger/item_totals_rows.h"
#include "ledger/ledger_print_dialog.h"
#include "common/window_back.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/form_kind.h"

namespace {

constexpr quint32 kBack = 0xFFFFC0;  // light cyan (&HFFFFC0)
constexpr int kWidth = 12250;
const QString kTitle = QStringLiteral("備品別集計印刷");

using ctl::place;

}  // namespace

NOTE_L::NOTE_L() : platform::Form(QStringLiteral("NOTE_L")) {
    setFrameChild(true);
    setCaption(kTitle);
    BACK_COLOR_SET(this, kBack);
    setFont(ctl::dialogFont());

    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    B_PRT_LIST = new ctl::CommandButton(QStringLiteral("一覧表印刷"), this, QStringLiteral("B_PRT_LIST"));
    KUBUN_P = new ctl::ComboBox(this, QStringLiteral("KUBUN_P"), ctl::ComboBox::DropDownList);
    B_PRT_SEL = new ctl::CommandButton(QStringLiteral("選択印刷"), this, QStringLiteral("B_PRT_SEL"));
    B_PRT_ALL = new ctl::CommandButton(QStringLiteral("全印刷"), this, QStringLiteral("B_PRT_ALL"));
    Frame1 = new ctl::Frame(QStringLiteral("データ"), this, QStringLiteral("Frame1"));
    B_FILE = new ctl::CommandButton(QStringLiteral("保存"), Frame1, QStringLiteral("B_FILE"));
    OPT_T = new ctl::OptionButton(QStringLiteral("集計"), Frame1, QStringLiteral("OPT_T"));
    OPT_S = new ctl::OptionButton(QStringLiteral("詳細"), Frame1, QStringLiteral("OPT_S"));
    OPT_T->setChecked(true);

    list = new MasterList(this, false, KEPT);
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

    place(B_ESC, 120, 120, 855, 375);
    place(B_PRT_LIST, 1440, 120, 1215, 375);
    place(KUBUN_P, 2760, 120, 855, 300);
    place(B_PRT_SEL, 3840, 120, 975, 375);
    place(B_PRT_ALL, 4920, 120, 975, 375);
    place(ALL_H, 6720, 240, 975, 255);
    place(BT_PICUP, 7920, 240, 975, 255);
    place(Frame1, 9240, 120, 1815, 735);
    place(B_FILE, 120, 240, 735, 375);
    place(OPT_T, 960, 120, 735, 255);
    place(OPT_S, 960, 360, 735, 255);
    place(KUBUN, 720, 600, 855, 300);
    place(KYOUKA, 720 + 855, 600, 2300, 300);
    place(BUNRUI, 720 + 855 + 2300, 600, 2530, 300);
    place(NAME_D, 720 + 855 + 2300 + 2530, 600, 2600, 300);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    B_ESC->Click = [this] { B_ESC_Click(); };
    B_PRT_LIST->Click = [this] { B_PRT_LIST_Click(); };
    B_PRT_SEL->Click = [this] { B_PRT_SEL_Click(); };
    B_PRT_ALL->Click = [this] { B_PRT_ALL_Click(); };
    B_FILE->Click = [this] { B_FILE_Click(); };
}

NOTE_L::~NOTE_L() = default;

// ---------------------------------------------------------------- lifecycle

void NOTE_L::Form_Load() {
    ui::BusyPointer busy;
    LOADED_FLAG = 0;
    LEDGER_WINDOW_FRAME(this);
    list->fill();
    NOTEL_IN_ROW_MAKE();
    // The breakdown table's category: the names of the category box.
    KUBUN_P->Clear();
    for (int i = 0; i < KUBUN->ListCount(); ++i)
        if (!KUBUN->List(i).isEmpty()) KUBUN_P->AddItem(KUBUN->List(i));
    KUBUN_P->setCurrentIndex(-1);
    LEDGER_WINDOW_SHOW(this, LOADED_FLAG, kWidth, kBack);
}

void NOTE_L::Form_Resize() {
    if (LOADED_FLAG != 1) return;
    LEDGER_WINDOW_RESIZE(this, list);
}

void NOTE_L::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    LEDGER_WINDOW_UNLOAD();
}

void NOTE_L::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

// ---------------------------------------------------------------- prints and export

void NOTE_L::printKind(PrintKind kind) {
    PRT_KIND = kind;
    NOTE_TOTALS_PRT_SET([] { ZEMLO_NOTEL_PRT(NOTE_PRT_PROGRESS); });
    platform::FormInstance<NOTE_PRT>::get()->ShowModal();
    // The print cleared the ticks of what it printed: show them cleared.
    if (list->isSearchResult())
        list->GRID_PAGE();
    else
        list->GRID_ALL();
}

void NOTE_L::B_PRT_SEL_Click() {
    if (!list->anyTicked()) {
        ui::MsgBox(QStringLiteral("選択データが有りません"), ui::vbOKOnly, QStringLiteral("備品台帳印刷"));
        return;
    }
    printKind(PrintKind::ITEM_TOTALS_TICKED);
}

void NOTE_L::B_PRT_ALL_Click() { printKind(PrintKind::ITEM_TOTALS_ALL); }

void NOTE_L::B_PRT_LIST_Click() { NOTEL_LIST_PRT_ASK(KUBUN_P->ListIndex() < 0 ? QString() : KUBUN_P->Text()); }

void NOTE_L::B_FILE_Click() { NOTEL_FILE_SAVE(OPT_T->Value()); }

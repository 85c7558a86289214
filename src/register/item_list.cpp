#include "register/item_list.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <optional>

#include "common/window_back.h"
#include "common/cascade_boxes.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/era.h"
#include "platform/input_block.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/list_print_source.h"
#include "common/grid_text.h"
#include "register/item_grid.h"
#include "common/form_kind.h"
#include "store/amounts.h"
#include "store/category_file.h"
#include "store/item_sorts.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/remove_entries.h"
#include "store/save_changed.h"
#include "store/settings_file.h"

namespace {

using namespace grid_text;
using platform::kTwipsPerPixel;

constexpr quint32 kListBack = 0x00FF00;    // the window's green
constexpr quint32 kKeihiTBack = 0x80FFFF;  // the expense label's yellow
const QString kListTitle = QStringLiteral("備品登録リスト");

using ctl::place;
int twLeft(const QWidget* w) { return w->x() * kTwipsPerPixel; }

QFont fontOf(const QString& name, double points, bool underline = false) {
    QFont f(name);
    f.setPointSizeF(points);
    f.setUnderline(underline);
    return f;
}

}  // namespace

A_ZEMLO_LIST::A_ZEMLO_LIST()
    : ListWindow(QStringLiteral("A_ZEMLO_LIST"), QStringLiteral("備品データリスト"), kListBack) {
    const QFont comboFont = fontOf(QStringLiteral("ＭＳ ゴシック"), 9);
    auto label = [&](const char* name, const QString& caption, int l, int t, int w, int h, QWidget* parent = nullptr) {
        auto* x = new QLabel(caption, parent ? parent : this);
        x->setObjectName(QLatin1String(name));
        place(x, l, t, w, h);
        return x;
    };

    // Buttons of the top row. ソート２ lies under ソート and cannot be
    // clicked; the category sort is reached by the double-click on Label4.
    B_ESC = button("B_ESC", QStringLiteral("閉じる"), 120, 120, 735, 375);
    B_IN = button("B_IN", QStringLiteral("追加"), 960, 120, 735, 375);
    B_CHG = button("B_CHG", QStringLiteral("変更"), 1800, 120, 735, 375);
    B_AREA = button("B_AREA", QStringLiteral("場所"), 2640, 120, 735, 375);
    B_OUT = button("B_OUT", QStringLiteral("廃棄"), 3480, 120, 615, 375);
    B_DEL = button("B_DEL", QStringLiteral("削除"), 4200, 120, 615, 375);
    B_PRT = button("B_PRT", QStringLiteral("印刷"), 4920, 120, 615, 375);
    B_LABEL = button("B_LABEL", QStringLiteral("ラベル"), 5640, 120, 735, 375);
    B_SORT2 = button("B_SORT2", QStringLiteral("ソート２"), 6480, 240, 735, 180);
    B_SORT2->setFont(QFont());
    B_SORT = button("B_SORT", QStringLiteral("ソート"), 6480, 120, 735, 375);

    // The count and the total show their whole figure, in a smaller font
    // when it is wider than the box.
    Label5 = label("Label5", QStringLiteral("数量"), 7320, 0, 1095, 225);
    C_COUNT = figureBox("C_COUNT", 7320, 240, 1215, 255, Qt::AlignCenter);
    Label6 = label("Label6", QStringLiteral("金額"), 8640, 0, 1095, 225);
    TOTAL = figureBox("TOTAL", 8640, 240, 1215, 255, Qt::AlignRight | Qt::AlignVCenter);

    B_PICUP = button("B_PICUP", QStringLiteral("検索"), 9960, 240, 735, 255);
    B_PICUP2 = button("B_PICUP2", QStringLiteral("区分不明検索"), 10800, 240, 1335, 255);
    ALL_H = button("ALL_H", QStringLiteral("全表示"), 12240, 240, 855, 255);

    // The filter bar: captions at 540, inputs at 720 (placed at load).
    DP_W = filterCombo("DP_W", true);
    CH_Y = new QLineEdit(this);
    CH_Y->setObjectName(QStringLiteral("CH_Y"));
    CH_Y->setFont(comboFont);
    Label1 = label("Label1", QStringLiteral("年度"), 0, 0, 420, 240);
    Label2 = label("Label2", QStringLiteral("経費"), 0, 0, 600, 180);
    KEIHI = filterCombo("KEIHI", false);
    KEIHI->hide();
    KEIHI_T = label("KEIHI_T", QStringLiteral("選択無し"), 0, 0, 600, 300);
    KEIHI_T->setAlignment(Qt::AlignCenter);
    KEIHI_T->setFont(fontOf(QStringLiteral("ＭＳ Ｐゴシック"), 8));
    BACK_COLOR_SET(KEIHI_T, kKeihiTBack);
    B_KEIHI = button("B_KEIHI", QStringLiteral("▼"), 0, 0, 300, 300);
    B_KEIHI->setFont(fontOf(QStringLiteral("ＭＳ Ｐ明朝"), 8.25));
    Label3 = label("Label3", QStringLiteral("備品区分"), 0, 0, 850, 180);
    // KYOUKA2 is made before KYOUKA, so the wide subject box covers it.
    KUBUN = filterCombo("KUBUN", false);
    KYOUKA2 = filterCombo("KYOUKA2", false);
    KYOUKA = filterCombo("KYOUKA", false);
    Label4 = label("Label4", QString(), 0, 0, 2000, 180);
    Label7 = label("Label7", QString(), 0, 0, 2000, 180);
    BUNRUI = filterCombo("BUNRUI", false);
    Label9 = label("Label9", QStringLiteral("品名"), 0, 0, 2000, 180);
    NAME_D = filterCombo("NAME_D", true);
    Label8 = label("Label8", QStringLiteral("保管場所"), 0, 0, 1200, 180);
    Label8->setFont(fontOf(QStringLiteral("ＭＳ Ｐゴシック"), 9, true));
    KEEP = filterCombo("KEEP", true);

    // The amount frame and the hidden number frame: a caption, a box and the
    // choice of "以上" or "以下".
    auto limitFrame = [&](const char* frame, int left, const char* caption, const QString& text, const char* box,
                          const char* up, const char* down, QGroupBox*& f, QLabel*& l, QLineEdit*& b,
                          QRadioButton*& u, QRadioButton*& d) {
        f = new QGroupBox(this);
        f->setObjectName(QString::fromLatin1(frame));
        place(f, left, 480, 2175, 615);
        l = label(caption, text, 60, 200, 420, 240, f);
        b = new QLineEdit(f);
        b->setObjectName(QString::fromLatin1(box));
        place(b, 480, 170, 960, 300);
        u = new QRadioButton(QStringLiteral("以上"), f);
        u->setObjectName(QString::fromLatin1(up));
        place(u, 1470, 60, 690, 240);
        d = new QRadioButton(QStringLiteral("以下"), f);
        d->setObjectName(QString::fromLatin1(down));
        place(d, 1470, 330, 690, 240);
        u->setChecked(true);
    };
    limitFrame("Frame1", 11640, "Label10", QStringLiteral("金額"), "M_MAX", "M_UP", "M_DOWN", Frame1, Label10, M_MAX,
               M_UP, M_DOWN);
    // The number frame stands right of the amount frame, not over its options.
    limitFrame("Frame2", 13860, "Label11", QStringLiteral("番号"), "N_SET", "N_UP", "N_DOWN", Frame2, Label11, N_SET,
               N_UP, N_DOWN);
    Frame2->hide();
    for (QGroupBox* f : {Frame1, Frame2}) f->setFlat(false);
    // An amount of ten figures shows whole in its box.
    for (QLineEdit* e : {M_MAX, N_SET}) ctl::fitFigures(e);

    // The grid; a plain click on a row number enables the actions on the
    // selected rows, a shift-click enables nothing.
    makeGrid(240, 1080);
    grid->count = [] { return INDEX_COUNT; };
    grid->selected = [](qint32 p) { return p >= 0 && p < qint32(ZEMLO_INDEX.size()) && (ZEMLO_INDEX[p].SEL & 1); };
    grid->drawRow = [this](qint32 p, int row) {
        if (p >= 0 && p < qint32(ZEMLO_INDEX.size())) ZEMLO_GRID_ROW(ZEMLO_INDEX[p].IDX, row);
    };
    selectIn(ZEMLO_INDEX, &ZEMLO_INDEX_REC::SEL, INDEX_SEL.SEL_FIRST, INDEX_SEL.SEL_LAST, INDEX_COUNT);
    selection.marked = [this](Press press) {
        if (press == Press::Plain)
            for (QPushButton* b : {B_DEL, B_OUT, B_AREA}) b->setEnabled(true);
    };

    // The expense list drops over the grid.
    KEIHI_L = new QListWidget(this);
    KEIHI_L->setObjectName(QStringLiteral("KEIHI_L"));
    KEIHI_L->setSelectionMode(QAbstractItemView::MultiSelection);
    KEIHI_L->setFont(comboFont);
    {
        QPalette p = KEIHI_L->palette();
        p.setColor(QPalette::Base, bgrColor(0xC0FFFF));
        KEIHI_L->setPalette(p);
    }
    place(KEIHI_L, 1800, 1020, 855, 1530);
    KEIHI_L->hide();
    KEIHI_L->raise();
    cellBuf_.reserve(64);

    // ---- wiring (once)
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    connect(B_IN, &QPushButton::clicked, this, [this] { B_IN_Click(); });
    connect(B_CHG, &QPushButton::clicked, this, [this] { B_CHG_Click(); });
    connect(B_AREA, &QPushButton::clicked, this, [this] { B_AREA_Click(); });
    connect(B_OUT, &QPushButton::clicked, this, [this] { B_OUT_Click(); });
    connect(B_DEL, &QPushButton::clicked, this, [this] { B_DEL_Click(); });
    connect(B_PRT, &QPushButton::clicked, this, [this] { B_PRT_Click(); });
    connect(B_LABEL, &QPushButton::clicked, this, [this] { B_LABEL_Click(); });
    connect(B_SORT, &QPushButton::clicked, this, [this] { B_SORT_Click(); });
    connect(B_SORT2, &QPushButton::clicked, this, [this] { B_SORT2_Click(); });
    connect(B_PICUP, &QPushButton::clicked, this, [this] { B_PICUP_Click(); });
    connect(B_PICUP2, &QPushButton::clicked, this, [this] { B_PICUP2_Click(); });
    connect(ALL_H, &QPushButton::clicked, this, [this] { ALL_H_Click(); });
    connect(B_KEIHI, &QPushButton::clicked, this, [this] { B_KEIHI_Click(); });
    connect(KEIHI_L, &QListWidget::itemSelectionChanged, this, [this] { KEIHI_L_Click(); });
    cascade.setBoxes({KUBUN, KYOUKA, &K_NO_LIST, BUNRUI, NAME_D, KYOUKA2, &K_NO2});
    cascade.kubunByName = true;
    // Emptying the item name in code changes the filter as typing does.
    cascade.onNameEmptied = [this] { FILTER_Change(); };
    connect(CH_Y, &QLineEdit::textChanged, this, [this](const QString&) { FILTER_Change(); });
    connect(NAME_D->lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) { FILTER_Change(); });
    connect(KEEP->lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) { FILTER_Change(); });
    connect(DP_W->lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) { dpwTyped_ = true; });
    connect(DP_W, &QComboBox::activated, this, [this](int) { dpwTyped_ = false; });
    for (QLabel* l : {Label4, Label8, Label10}) l->installEventFilter(this);
}

A_ZEMLO_LIST::~A_ZEMLO_LIST() = default;

bool A_ZEMLO_LIST::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (!busy()) {
            if (watched == Label4) Label4_DblClick();
            else if (watched == Label8) Label8_DblClick();
            else if (watched == Label10) Label10_DblClick();
        }
        return true;
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- loading

void A_ZEMLO_LIST::layoutFilterBar() {
    const int top = 720, capTop = 540, h = 300;
    place(DP_W, 120, top, 780, h);
    place(CH_Y, 930, top, 420, h);
    place(Label1, 1380, top + 60, 400, 240);
    // Each box starts where the one before it ends.
    placeFilterLine(1800, top, capTop,
                    {{KEIHI, 900, Label2, 600},
                     {KUBUN, 850, Label3, 850},
                     {KYOUKA, 2000, Label4, 2000},
                     {BUNRUI, 2000, Label7, 2000},
                     {NAME_D, 2000, Label9, 2000},
                     {KEEP, 1995, Label8, 1200}});
    place(KYOUKA2, twLeft(KYOUKA) + 2000 - 1200, top, 1200, h);
    place(KEIHI_T, twLeft(KEIHI), top, 660, h);
    place(B_KEIHI, twLeft(KEIHI) + 660, top, 240, h);
    // The expense list drops below its box and its ▼ button, never over the
    // button that closes it again.
    place(KEIHI_L, twLeft(KEIHI), top + h, 855, 1530);
}

void A_ZEMLO_LIST::Form_Load() {
    loadBegin();

    if (ZEMLO_INDEX.size() < size_t(ZEMLO_SLOTS)) ZEMLO_INDEX.resize(ZEMLO_SLOTS);
    std::fill(ZEMLO_INDEX.begin(), ZEMLO_INDEX.end(), ZEMLO_INDEX_REC{});
    INDEX_COUNT = 0;
    KUBUN_DIRTY = 0;
    ZEMLO_GRID_COLS();

    list_window::fillEras(DP_W);
    dpwTyped_ = false;

    layoutFilterBar();

    KEIHI->clear();
    KEIHI_L->clear();
    KEIHI->addItem(QString());
    for (const QString& k : KEIHI_NAMES) {
        if (k.isEmpty()) continue;
        KEIHI->addItem(k);
        KEIHI_L->addItem(k);
    }
    KEIHI->setCurrentIndex(-1);
    cascade.fill(Label4, Label7);
    QStringList keep{QString()};
    for (int i = 0; i < KEEP_COUNT && i < NAME_LIST_SLOTS; ++i) keep.append(KEEP_LIST[i]);
    BOX_ITEMS_SET(KEEP, keep);

    B_DEL->setEnabled(false);
    B_OUT->setEnabled(false);
    B_AREA->setEnabled(false);

    fitAtTopLeft();
    loadEnd();
}

// ---------------------------------------------------------------- grid

void A_ZEMLO_LIST::ZEMLO_GRID_COLS() { item_grid::setColumns(*grid); }

void A_ZEMLO_LIST::ZEMLO_GRID_HEAD() { grid->head(); }

void A_ZEMLO_LIST::ZEMLO_GRID_PAGE() { grid->page(); }

void A_ZEMLO_LIST::ZEMLO_GRID_ROW(qint32 rec, int r) {
    if (rec < 0 || rec >= qint32(ZEMLO_DATA.size())) return;
    item_grid::drawRecord(*grid, ZEMLO_DATA[rec], r, cellBuf_);
}

void A_ZEMLO_LIST::ZEMLO_GRID_ALL() {
    ZEMLO_LIST_SRC = {};  // every item listed: no filter
    item_grid::listAll(*this, TOTAL, C_COUNT, ALL_H);
}

void A_ZEMLO_LIST::ZEMLO_LIST_RECOUNT() {
    // The same sum as the listing that made the view: the whole table counts
    // an item without an out year, a search one without an out month.
    const bool whole = !filtered();
    const qint32 n = std::clamp<qint32>(INDEX_COUNT, 0, qint32(ZEMLO_INDEX.size()));
    const qint32 records = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_DATA.size()));
    qint64 total = 0;
    for (qint32 p = 0; p < n; ++p) {
        const qint32 rec = ZEMLO_INDEX[p].IDX;
        if (rec < 0 || rec >= records) continue;
        const ZEMLO_REC& r = ZEMLO_DATA[rec];
        if ((whole ? r.BOUT_Y : r.BOUT_M) == 0) total += ZEMLO_AMOUNT(r, true);
    }
    TOTAL->setText(MONEY_TEXT(total));
    C_COUNT->setText(QString::number(n) + QLatin1Char('/') + QString::number(ZEMLO_COUNT));
}

void A_ZEMLO_LIST::ZEMLO_GRID_EXTEND() {
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(ZEMLO_INDEX.size()));
    for (qint32 p = INDEX_COUNT; p < n; ++p) ZEMLO_INDEX[p].IDX = p;
    INDEX_COUNT = n;
    grid->setVRange();
    grid->setVValueQuiet(SCB_V->maximum());
    grid->page();
}

void A_ZEMLO_LIST::listFirst() { ZEMLO_GRID_ALL(); }

// ---------------------------------------------------------------- listing and selection

bool A_ZEMLO_LIST::filtered() const { return ALL_H->isEnabledTo(const_cast<A_ZEMLO_LIST*>(this)); }

void A_ZEMLO_LIST::ALL_H_Click() {
    // Clear the flags of every position in use (the view's and the table's).
    const qint32 used = std::min<qint32>(std::max(INDEX_COUNT, ZEMLO_COUNT), qint32(ZEMLO_INDEX.size()));
    for (qint32 p = 0; p < used; ++p) ZEMLO_INDEX[p].SEL = 0;
    ZEMLO_GRID_ALL();
    B_PRT->setEnabled(true);
    B_IN->setEnabled(true);
    B_DEL->setEnabled(false);
    B_OUT->setEnabled(false);
    B_AREA->setEnabled(false);
}

void A_ZEMLO_LIST::relist(int savedScroll) {
    const qint32 nslots = qint32(ZEMLO_INDEX.size());
    for (qint32 i = std::max(0, INDEX_SEL.SEL_FIRST); i <= INDEX_SEL.SEL_LAST && i < nslots; ++i) ZEMLO_INDEX[i].SEL = 0;
    if (filtered()) B_PICUP_Click();
    else ALL_H_Click();
    SCB_V->setValue(std::min(savedScroll, SCB_V->maximum()));
    ZEMLO_GRID_PAGE();
}

// ---------------------------------------------------------------- actions

void A_ZEMLO_LIST::B_CHG_Click() {
    if (ZEMLO_LIST_WINDOWS.A_ZEMLO_CHG) ZEMLO_LIST_WINDOWS.A_ZEMLO_CHG();
    if (ZEMLO_CHANGED == 1) {
        ZEMLO_GRID_PAGE();
        // A changed price, tax or out date changes what the rows add up to.
        ZEMLO_LIST_RECOUNT();
    }
}

void A_ZEMLO_LIST::B_IN_Click() {
    ZEMLO_IN_STATE = 0;
    for (;;) {
        if (ZEMLO_LIST_WINDOWS.A_ZEMLO_IN) ZEMLO_LIST_WINDOWS.A_ZEMLO_IN();
        if (ZEMLO_IN_STATE == 0 || ZEMLO_CHANGED != 1) break;
        ZEMLO_GRID_EXTEND();
        // The count and the total of the rows as they now stand (a new item
        // entered as already out adds no held amount).
        ZEMLO_LIST_RECOUNT();
        ZEMLO_IN_STATE = 1;
    }
}

void A_ZEMLO_LIST::B_DEL_Click() {
    const int saved = SCB_V->value();
    const qint32 first = INDEX_SEL.SEL_FIRST, last = INDEX_SEL.SEL_LAST;
    const qint32 n = last - first + 1;
    if (n <= 0 || first < 0 || last >= INDEX_COUNT) return;
    if (ui::MsgBox(QString::number(n) + QStringLiteral("件のデータを削除します"), int(ui::vbYesNo) | ui::vbQuestion, kListTitle) ==
        ui::vbNo)
        return;
    ui::setBusy(true);
    B_DEL->setEnabled(false);

    // The records of the range, ascending (the view is in table order).
    std::vector<qint32> gone;
    gone.reserve(size_t(n));
    const QDateTime now = clk::now();
    const qint32 masterEnd = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    for (qint32 p = first; p <= last; ++p) {
        const qint32 rec = ZEMLO_INDEX[p].IDX;
        gone.push_back(rec);
        const ZEMLO_REC& z = ZEMLO_DATA[rec];
        for (qint32 m = 0; m < masterEnd; ++m) {
            KUBUN_REC& k = KUBUN_DATA[m];
            if (k.NAME_D == z.NAME_D && k.NO_BU == z.NO_BU && k.NO_KY == z.NO_KY && k.KUBUN == z.KUBUN) {
                k.CHG_DATE = now;
                break;
            }
        }
    }
    KUBUN_DIRTY = 1;

    // Every later record moves down by the number removed before it.
    const qint32 oldCount = ZEMLO_COUNT;
    const qint32 write = store::removeEntries(ZEMLO_DATA, oldCount, std::move(gone));
    const qint32 removed = oldCount - write;

    if (ZEMLO_SORTED > last) ZEMLO_SORTED -= removed;
    else if (ZEMLO_SORTED > first) ZEMLO_SORTED = first;
    ZEMLO_COUNT = write;

    {
        platform::InputBlock block(this);
        ui::setBusy(true);
        KUBUN_LINK(1);
        ui::setBusy(false);
        relist(saved);
    }
    ZEMLO_CHANGED = 1;
    KUBUN_FLAGS &= ~2;
    store::saveChanged(store::ITEMS | store::MASTER);
    ui::setBusy(false);
}

void A_ZEMLO_LIST::bulkAction(bool disposal) {
    const int saved = SCB_V->value();
    const qint32 n = INDEX_SEL.SEL_LAST - INDEX_SEL.SEL_FIRST + 1;
    const QString ask = disposal ? QStringLiteral("件のデータを廃棄処理します") : QStringLiteral("件のデータの保管場所を変更します");
    if (ui::MsgBox(QString::number(n) + ask, int(ui::vbYesNo) | ui::vbQuestion, kListTitle) == ui::vbNo) return;
    QPushButton* pressed = disposal ? B_OUT : B_AREA;
    pressed->setEnabled(false);
    const auto& dialog = disposal ? ZEMLO_LIST_WINDOWS.A_OUT_DAY_F : ZEMLO_LIST_WINDOWS.A_AREA_SET;
    if (dialog) dialog();
    {
        platform::InputBlock block(this);
        ui::setBusy(true);
        if (disposal) KUBUN_LINK(1);
        relist(saved);
        ZEMLO_CHANGED = 1;
        // The dialogs stamp the change date of the master's entries too.
        store::saveChanged(store::ITEMS | store::MASTER);
        ui::setBusy(false);
    }
}

void A_ZEMLO_LIST::B_OUT_Click() { bulkAction(true); }
void A_ZEMLO_LIST::B_AREA_Click() { bulkAction(false); }

void A_ZEMLO_LIST::B_SORT_Click() {
    {
        platform::InputBlock block(this);
        ZEMLO_SORT_NO();
    }
    ALL_H_Click();
    ZEMLO_CHANGED = 1;
}

void A_ZEMLO_LIST::B_SORT2_Click() {
    {
        platform::InputBlock block(this);
        ZEMLO_SORT_KUBUN();
    }
    ALL_H_Click();
    ZEMLO_CHANGED = 1;
}

void A_ZEMLO_LIST::Label4_DblClick() {
    if (ui::MsgBox(QStringLiteral("備品データを備品区分順に並び替えます"), int(ui::vbYesNo) | ui::vbQuestion, ui::kTitle) == ui::vbNo)
        return;
    B_SORT2_Click();
}

void A_ZEMLO_LIST::B_PRT_Click() {
    ZEMLO_LIST_SRC.TOTAL = TOTAL->text();
    ZEMLO_LIST_SRC.SELECTED = B_DEL->isEnabled();
    PRT_KIND = PrintKind::ITEM_LIST;
    if (ZEMLO_LIST_WINDOWS.ZEMLO_PRT) ZEMLO_LIST_WINDOWS.ZEMLO_PRT();
}

void A_ZEMLO_LIST::B_LABEL_Click() {
    if (LABEL_LAYOUT_OK(LABEL_LAYOUT)) {
        PRT_KIND = PrintKind::LABELS;
        if (ZEMLO_LIST_WINDOWS.LABEL_PRT) ZEMLO_LIST_WINDOWS.LABEL_PRT();
    } else {
        ui::MsgBox(QStringLiteral("ラベル設定が不正です"), ui::vbOKOnly, QStringLiteral("ラベル印刷"));
    }
}

void A_ZEMLO_LIST::Label10_DblClick() { Frame2->show(); }

void A_ZEMLO_LIST::Label8_DblClick() {
    // Setting the text in code changes the filter as typing does.
    const QString no = QStringLiteral("NOT");
    if (KEEP->currentText() == no) return;
    KEEP->setEditText(no);
    FILTER_Change();
}

// ---------------------------------------------------------------- closing

void A_ZEMLO_LIST::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    Q_UNUSED(UnloadMode);
    if (ZEMLO_CHANGED == 1) {
        platform::InputBlock block(this);
        ui::setBusy(true);
        if (filtered()) ALL_H_Click();
        KUBUN_LINK(1);
        // A save that failed keeps the flag, so the changes are not taken
        // for written.
        if (ZEMLO_SAVE() == 1) ZEMLO_CHANGED = 0;
        ui::setBusy(false);
    }
    if (KUBUN_DIRTY == 1) {
        ui::setBusy(true);
        if (KUBUN_SAVE() == 1) KUBUN_DIRTY = 0;
        ui::setBusy(false);
    }
}

// ---------------------------------------------------------------- searches

ZEMLO_FILTER A_ZEMLO_LIST::FILTER_NOW() const {
    ZEMLO_FILTER f;
    f.YEAR = text::val(CH_Y->text());
    f.ERA_POS = dpwTyped_ ? -1 : DP_W->currentIndex();
    for (int i = 0; i < KEIHI_L->count(); ++i)
        if (KEIHI_L->item(i)->isSelected()) f.KEIHI.append(KEIHI_L->item(i)->text());
    f.KUBUN = KUBUN->currentText();
    f.CUR_KUBUN = cascade.CUR_KUBUN;
    f.KYOUKA = KYOUKA->currentText();
    f.CUR_KYOUKA = cascade.CUR_KYOUKA;
    f.KYOUKA2 = KYOUKA2->currentText();
    f.BUNRUI = BUNRUI->currentText();
    f.NAME_D = NAME_D->currentText();
    f.KEEP = KEEP->currentText();
    f.M_MAX = text::val(M_MAX->text());
    f.M_UP = M_UP->isChecked();
    f.N_SET = text::val(N_SET->text());
    f.N_UP = N_UP->isChecked();
    return f;
}

void A_ZEMLO_LIST::runSearch(Search kind) {
    const ZEMLO_CRITERIA crit(FILTER_NOW());
    std::optional<KUBUN_NAME_SET> master;
    if (kind == Search::Missing) master.emplace();
    const qint32 count = std::min<qint32>(ZEMLO_COUNT, qint32(std::min(ZEMLO_DATA.size(), ZEMLO_INDEX.size())));
    qint32 h = 0;
    qint64 total = 0;
    {
        platform::InputBlock block(this);
        ui::Progress progress(QStringLiteral("データ検索中"), ZEMLO_COUNT > 200);
        if (progress.shown()) ui::DoEvents();
        grid->setVValueQuiet(0);
        for (qint32 j = 0; j < count; ++j) {
            const ZEMLO_REC& r = ZEMLO_DATA[j];
            const bool pass = kind == Search::All ? crit.passes(r) : !master->contains(r) && crit.passesAmount(r);
            if (pass) {
                ++h;
                ZEMLO_INDEX[h - 1].IDX = j;
                if (h == 1)
                    for (ZEMLO_INDEX_REC& e : ZEMLO_INDEX) e.SEL = 0;
                listRow(h);
                if (r.BOUT_M == 0) total += ZEMLO_AMOUNT(r, true);
            }
            progress.step(j, ZEMLO_COUNT);
        }
        progress.close();
    }
    if (h > 0) {
        TOTAL->setText(MONEY_TEXT(total));
        INDEX_COUNT = h;
        C_COUNT->setText(QString::number(h) + QLatin1Char('/') + QString::number(ZEMLO_COUNT));
        B_PRT->setEnabled(true);
    } else {
        // The count and the total always describe the rows shown.
        INDEX_COUNT = 0;
        TOTAL->setText(MONEY_TEXT(0));
        C_COUNT->setText(QStringLiteral("0/") + QString::number(ZEMLO_COUNT));
        grid->clear();
        grid->head();
        ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, kListTitle);
    }
    grid->setVRange();
    // The search for unknown categories applies none of the filters the
    // list print names.
    if (kind == Search::All) PRT_SRC_CAPTURE();
    else ZEMLO_LIST_SRC = {};
    const bool all = h == ZEMLO_COUNT;
    ALL_H->setEnabled(!all);
    B_IN->setEnabled(all);
    B_DEL->setEnabled(false);
    B_OUT->setEnabled(false);
    B_AREA->setEnabled(false);
}

void A_ZEMLO_LIST::PRT_SRC_CAPTURE() {
    // The filters the shown rows were searched with, for the first page of
    // the list print (the boxes may change before the next search).
    ZEMLO_LIST_SRC = LIST_PRT_FILTERS(CH_Y->text(), dpwTyped_ ? -1 : DP_W->currentIndex(), KUBUN->currentText(),
                                      KYOUKA->currentText(), BUNRUI->currentText());
    ZEMLO_LIST_SRC.KEEP = KEEP->currentText();
}

void A_ZEMLO_LIST::B_PICUP_Click() {
    KEIHI_L->hide();
    runSearch(Search::All);
}

void A_ZEMLO_LIST::B_PICUP2_Click() { runSearch(Search::Missing); }

void A_ZEMLO_LIST::B_KEIHI_Click() {
    KEIHI_L->setVisible(KEIHI_L->isHidden());
    if (KEIHI_L->isVisibleTo(this)) KEIHI_L->raise();
    B_PICUP->setFocus();
}

void A_ZEMLO_LIST::KEIHI_L_Click() {
    KEIHI_T->setText(KEIHI_L->selectedItems().isEmpty() ? QStringLiteral("選択無し") : QStringLiteral("選択有り"));
}

void A_ZEMLO_LIST::FILTER_Change() { B_PRT->setEnabled(false); }

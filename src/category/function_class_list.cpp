#include "category/function_class_list.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <tuple>

#include "category/category_print_dialog.h"
#include "category/master_grid.h"
#include "common/window_back.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/form_kind.h"
#include "store/category_lists.h"
#include "store/state.h"

namespace {

using ctl::placeTwips;

constexpr int kWidth = 12250;       // the window's width
constexpr int kHeightLess = 1600;   // the main window's height less this
constexpr int kGridLeft = 240, kGridTop = 960;
constexpr int kNoWidth = 550, kListWidth = 9680;

const QString kTeaching = QStringLiteral("教材");

qint32 masterEnd() { return std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())); }
qint32 listCount() { return std::clamp<qint32>(KUBUN_INDEX_COUNT, 0, qint32(KUBUN_INDEX.size())); }
const KUBUN_REC& at(qint32 pos) { return KUBUN_DATA[size_t(KUBUN_INDEX[size_t(pos)])]; }

// Adds `text` to a combo unless it holds it already.
void addOnce(ctl::ComboBox* box, const QString& text) {
    if (box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) box->AddItem(text);
}

}  // namespace

void FUNC_INDEX_MAKE(bool teaching) {
    if (KUBUN_INDEX.size() < size_t(KUBUN_SLOTS)) KUBUN_INDEX.resize(KUBUN_SLOTS);
    const qint32 end = masterEnd();
    qint32 n = 0;
    for (qint32 i = 0; i < end && n < qint32(KUBUN_INDEX.size()); ++i) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(i)];
        const bool take = teaching ? k.KUBUN == kTeaching : (k.IN_CNT > 0 || k.OUT_CNT > 0);
        if (take) KUBUN_INDEX[size_t(n++)] = i;
    }
    KUBUN_INDEX_COUNT = n;
    auto key = [](qint32 e) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
        return std::tuple(k.KUBUN_IDX, k.NO_KY, k.FUNC_NO, k.BU_KEY, k.NAME_NO);
    };
    std::stable_sort(KUBUN_INDEX.begin(), KUBUN_INDEX.begin() + n, [&](qint32 a, qint32 b) { return key(a) < key(b); });
}

FUNC_F::FUNC_F() : platform::Form(QStringLiteral("FUNC_F")) {
    setFrameChild(true);
    setCaption(QStringLiteral("機能別リスト"));
    setFont(ctl::dialogFont());

    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    placeTwips(B_ESC, 120, 120, 855, 375);
    // The empty spot between the buttons: its double-click lists the
    // teaching materials.
    B_X = new ctl::Label(QString(), this, QStringLiteral("B_X"));
    placeTwips(B_X, 960, 120, 495, 375);
    B_X->installEventFilter(this);
    B_PRT_H = new ctl::CommandButton(QStringLiteral("リスト印刷"), this, QStringLiteral("B_PRT_H"));
    placeTwips(B_PRT_H, 1320, 120, 1095, 375);
    for (QPushButton* b : {static_cast<QPushButton*>(B_ESC), static_cast<QPushButton*>(B_PRT_H)})
        b->setAutoDefault(false);

    QFont comboFont(QStringLiteral("ＭＳ ゴシック"));
    comboFont.setPointSizeF(9);
    auto combo = [&](const char* name) {
        auto* c = new ctl::ComboBox(this, QString::fromLatin1(name), ctl::ComboBox::DropDownList);
        c->setFont(comboFont);
        c->setMaxVisibleItems(20);
        return c;
    };
    KUBUN = combo("KUBUN");
    KYOUKA = combo("KYOUKA");
    BUNRUI = combo("BUNRUI");
    NAME_D = combo("NAME_D");
    placeTwips(KUBUN, 720, 600, 855, 300);

    grid = new ListGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;
    grid->setColumns({0, 800, 3100, 5600, 8100, 8600, 9100, 9600});
    grid->count = [] { return listCount(); };
    grid->drawRow = [this](qint32 pos, int r) {
        if (pos >= 0 && pos < listCount()) FUNC_GRID_ROW(KUBUN_INDEX[size_t(pos)], r);
    };
    cellBuf_.reserve(64);

    B_ESC->Click = [this] { B_ESC_Click(); };
    B_PRT_H->Click = [this] { B_PRT_H_Click(); };
    KUBUN->Click = [this] { KUBUN_Click(); };
    KYOUKA->Click = [this] { KYOUKA_Click(); };
    BUNRUI->Click = [this] { BUNRUI_Click(); };
    NAME_D->Click = [this] { NAME_D_Click(); };
}

FUNC_F::~FUNC_F() = default;

bool FUNC_F::eventFilter(QObject* watched, QEvent* e) {
    if (watched == B_X && e->type() == QEvent::MouseButtonDblClick) {
        B_X_DblClick();
        return true;
    }
    return platform::Form::eventFilter(watched, e);
}

// ---------------------------------------------------------------- opening

void FUNC_F::Form_Load() {
    FUNC_LAYOUT_ON = 0;
    ui::BusyPointer busy;
    if (QMdiSubWindow* s = subWindow()) {
        // No border and no title bar: the window closes only through its button.
        s->setWindowFlags(Qt::FramelessWindowHint);
        s->setContentsMargins(0, 0, 0, 0);
    }
    setTop(0);
    setLeft(0);
    // The combo boxes follow each other left to right.
    const int top = KUBUN->y() * platform::kTwipsPerPixel;
    int left = (KUBUN->x() + KUBUN->width()) * platform::kTwipsPerPixel;
    placeTwips(KYOUKA, left, top, 2300, 300);
    left += 2300;
    placeTwips(BUNRUI, left, top, 2530, 300);
    left += 2530;
    placeTwips(NAME_D, left, top, 2600, 300);
    grid->move(kGridLeft / platform::kTwipsPerPixel, kGridTop / platform::kTwipsPerPixel);
    grid->setNumberWidth(kNoWidth);
    grid->setCaptions({QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                       QStringLiteral("機能"), QStringLiteral("登録"), QStringLiteral("廃棄")});
    B_X->clear();
    KYOUZAI_MODE = 0;
    FUNC_JUMP_POS = {};
    FUNC_LIST_MAKE();
    refillCombos();
    if (QMdiArea* a = mdiArea()) a->setBackground(palette().color(QPalette::Window));
    FUNC_LAYOUT_ON = 1;
    // The height from the main window, also when it is resized later; the
    // width stays. The grid is laid out and drawn by the resize.
    fitToFrame(0, kHeightLess, kWidth);
    followFrame(0, kHeightLess, kWidth);
    Form_Resize();
}

void FUNC_F::refillCombos() {
    for (ctl::ComboBox* c : {KUBUN, KYOUKA, BUNRUI, NAME_D}) c->Clear();
    K_NO_LIST.clear();
    FUNC_KUBUN_SET();
}

void FUNC_F::Form_Resize() {
    if (FUNC_LAYOUT_ON != 1) return;
    const qint64 rows = text::roundHalfEven((Height() - kGridTop - 200) / 250.0);
    FUNC_VIEW_ROWS = qint16(std::clamp<qint64>(rows, 1, ListGrid::kMaxRows));
    grid->setFixedLayout(kListWidth, FUNC_VIEW_ROWS);
    D_LIST->cls();
    FUNC_GRID_HEAD();
    FUNC_GRID_ALL();
}

void FUNC_F::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FRAME_BACK_SET(0xFFFFFF);
}

// ---------------------------------------------------------------- buttons

void FUNC_F::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

void FUNC_F::B_PRT_H_Click() { KUBUN_PRT_SHOW(); }

void FUNC_F::B_X_DblClick() {
    KYOUZAI_MODE = 1;
    FUNC_LIST_MAKE();
    refillCombos();
    FUNC_GRID_ALL();
    KYOUZAI_MODE = 0;
}

// ---------------------------------------------------------------- the list and its combo boxes

void FUNC_F::FUNC_LIST_MAKE() { FUNC_INDEX_MAKE(KYOUZAI_MODE == 1); }

void FUNC_F::FUNC_KUBUN_SET() {
    KUBUN->Clear();
    KUBUN->AddItem(QString());
    for (qint32 p = 0, n = listCount(); p < n; ++p) addOnce(KUBUN, at(p).KUBUN);
    KUBUN->setCurrentIndex(-1);
}

void FUNC_F::FUNC_KYOUKA_SET() {
    KYOUKA->Clear();
    K_NO_LIST.clear();
    const QString category = KUBUN->Text();
    QStringList names;
    for (qint32 p = std::max(FUNC_JUMP_POS[0], 0), n = listCount(); p < n; ++p) {
        const KUBUN_REC& k = at(p);
        if (k.KUBUN == category) SUBJECT_LINE_ADD(names, K_NO_LIST, k.NO_KY, k.KYOUKA);
    }
    KYOUKA->addItems(names);
    KYOUKA->setCurrentIndex(-1);  // nothing chosen yet
}

void FUNC_F::FUNC_BUNRUI_SET() {
    BUNRUI->Clear();
    const QString category = KUBUN->Text();
    for (qint32 p = std::max(FUNC_JUMP_POS[1], 0), n = listCount(); p < n; ++p) {
        const KUBUN_REC& k = at(p);
        if (k.KUBUN == category && k.NO_KY == FUNC_KYOUKA_NO) addOnce(BUNRUI, k.BUNRUI);
    }
    BUNRUI->setCurrentIndex(-1);
}

void FUNC_F::FUNC_NAME_SET() {
    NAME_D->Clear();
    const QString category = KUBUN->Text(), bunrui = BUNRUI->Text();
    for (qint32 p = std::max(FUNC_JUMP_POS[1], 0), n = listCount(); p < n; ++p) {
        const KUBUN_REC& k = at(p);
        if (k.KUBUN == category && k.NO_KY == FUNC_KYOUKA_NO && k.BUNRUI == bunrui) addOnce(NAME_D, k.NAME_D);
    }
    NAME_D->setCurrentIndex(-1);
}

void FUNC_F::FUNC_JUMP(int level) {
    if (level < 1 || level > 4) return;
    ui::BusyPointer busy;
    const QString category = KUBUN->Text(), bunrui = BUNRUI->Text(), name = NAME_D->Text();
    auto matches = [&](const KUBUN_REC& k) {
        if (k.KUBUN != category) return false;
        if (level >= 2 && k.NO_KY != FUNC_KYOUKA_NO) return false;
        if (level >= 3 && k.BUNRUI != bunrui) return false;
        if (level >= 4 && k.NAME_D != name) return false;
        return true;
    };
    qint32 target = 0;
    for (qint32 p = level == 1 ? 0 : std::max(FUNC_JUMP_POS[size_t(level - 2)], 0), n = listCount(); p < n; ++p) {
        if (matches(at(p))) {
            target = p;
            FUNC_JUMP_POS[size_t(level - 1)] = p;
            break;
        }
    }
    SCB_V->setValue(std::min<qint32>(target, SCB_V->maximum()));
}

void FUNC_F::KUBUN_Click() {
    FUNC_JUMP(1);
    FUNC_KYOUKA_SET();
    BUNRUI->Clear();
    NAME_D->Clear();
}

void FUNC_F::KYOUKA_Click() {
    const int i = KYOUKA->ListIndex();
    if (i < 0 || i >= K_NO_LIST.size()) return;
    FUNC_KYOUKA_NO = K_NO_LIST[i];
    FUNC_JUMP(2);
    FUNC_BUNRUI_SET();
    NAME_D->Clear();
}

void FUNC_F::BUNRUI_Click() {
    FUNC_JUMP(3);
    FUNC_NAME_SET();
}

void FUNC_F::NAME_D_Click() { FUNC_JUMP(4); }

// ---------------------------------------------------------------- grid

void FUNC_F::FUNC_GRID_HEAD() { grid->head(); }

void FUNC_F::FUNC_GRID_ALL() {
    const qint32 n = listCount();
    if (KUBUN_LIST_VIEW.size() < size_t(KUBUN_SLOTS)) KUBUN_LIST_VIEW.resize(KUBUN_SLOTS);
    for (qint32 p = 0; p < n && p < qint32(KUBUN_LIST_VIEW.size()); ++p)
        KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX = KUBUN_INDEX[size_t(p)];
    KUBUN_VIEW_COUNT = n;
    grid->setVRange();
    grid->setVValueQuiet(0);
    FUNC_GRID_PAGE();
}

void FUNC_F::FUNC_GRID_PAGE() {
    if (SCB_V->value() < listCount()) {
        grid->page();
    } else {
        // An empty list shows the frame and the captions alone.
        grid->clear();
        FUNC_GRID_HEAD();
    }
}

void FUNC_F::FUNC_GRID_ROW(qint32 e, int r) {
    if (e < 0 || e >= masterEnd()) return;
    static constexpr MASTER_GRID_COLS kCols{30, 830, 3130, 2500, 5630, 2500, 8130, 8630, 9130};
    MASTER_GRID_ROW(*grid, KUBUN_DATA[size_t(e)], r, kCols, cellBuf_);
}

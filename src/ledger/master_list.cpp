#include "ledger/master_list.h"

#include <QDateTime>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "category/master_grid.h"
#include "common/window_back.h"
#include "common/cascade_boxes.h"
#include "platform/era.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace {

const QString kNoData = QStringLiteral("該当データが有りません");
const QString kNoDataTitle = QStringLiteral("備品登録リスト");

// The tick column "印刷" of the grid (twips inside D_LIST).
constexpr double kTickLeft = 9600, kTickRight = 10050;

QFont gothic9() {
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPointSizeF(9);
    return f;
}

ctl::ComboBox* filterBox(QWidget* parent, const char* name) {
    auto* c = new ctl::ComboBox(parent, QLatin1String(name), ctl::ComboBox::DropDownList);
    c->setFont(gothic9());
    c->setMaxVisibleItems(20);
    return c;
}

// A change or print date as the grid shows it: era letter, two-digit era
// year, month and day (R06/04/01); nothing for a year of 1950 or before.
QString gridDate(const QDateTime& d) {
    if (!d.isValid() || d.date().year() <= 1950) return QString();
    const QDate day = d.date();
    return era::letter(day) + QStringLiteral("%1/%2/%3")
                                  .arg(era::year(day), 2, 10, QLatin1Char('0'))
                                  .arg(day.month(), 2, 10, QLatin1Char('0'))
                                  .arg(day.day(), 2, 10, QLatin1Char('0'));
}

}  // namespace

MasterList::MasterList(QWidget* host, bool withDates, Kept& kept)
    : QObject(host), host_(host), kept_(kept), withDates_(withDates) {
    KUBUN = filterBox(host, "KUBUN");
    KYOUKA = filterBox(host, "KYOUKA");
    BUNRUI = filterBox(host, "BUNRUI");
    NAME_D = filterBox(host, "NAME_D");
    ALL_H = new ctl::CommandButton(QStringLiteral("全表示"), host, QStringLiteral("ALL_H"));
    BT_PICUP = new ctl::CommandButton(QStringLiteral("検索"), host, QStringLiteral("BT_PICUP"));

    grid = new ListGrid(host);
    grid->setObjectName(QStringLiteral("grid"));
    if (withDates)
        grid->setColumns({0, 800, 3100, 5600, 8100, 8600, 9100, 9600, 10050, 11050, 12070});
    else
        grid->setColumns({0, 800, 3100, 5600, 8100, 8600, 9100, 9600, 10050});
    grid->setNumberWidth(550);
    grid->count = [] { return KUBUN_VIEW_COUNT; };
    grid->drawRow = [this](qint32 pos, int r) {
        if (pos >= 0 && pos < qint32(KUBUN_LIST_VIEW.size())) GRID_ROW(KUBUN_LIST_VIEW[size_t(pos)].KUBUN_IDX, r);
    };
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;

    B_PRT_SET = new ctl::CommandButton(QStringLiteral("印刷"), host, QStringLiteral("B_PRT_SET"));
    {
        QFont f(QStringLiteral("ＭＳ Ｐ明朝"));
        f.setPointSizeF(8.25);
        B_PRT_SET->setFont(f);
    }
    for (QPushButton* b : {static_cast<QPushButton*>(ALL_H), static_cast<QPushButton*>(BT_PICUP),
                           static_cast<QPushButton*>(B_PRT_SET)})
        b->setAutoDefault(false);

    KUBUN->Click = [this] { KUBUN_Click(); };
    KYOUKA->Click = [this] { KYOUKA_Click(); };
    BUNRUI->Click = [this] { BUNRUI_Click(); };
    NAME_D->Click = [this] { NAME_D_Click(); };
    ALL_H->Click = [this] { GRID_ALL(); };
    BT_PICUP->Click = [this] { SEARCH(); };
    B_PRT_SET->Click = [this] { B_PRT_SET_Click(); };
    connect(D_LIST, &Pane::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) { D_LIST_MouseDown(b, m, x, y); });
}

void MasterList::setBusy(bool on) {
    // The search yields to the event loop: the window takes no input meanwhile.
    busy_ = on;
    host_->setEnabled(!on);
    ui::setBusy(on);
}

// ---------------------------------------------------------------- filling

void MasterList::fill() {
    if (KUBUN_LIST_VIEW.size() < size_t(KUBUN_SLOTS)) KUBUN_LIST_VIEW.resize(KUBUN_SLOTS);
    KUBUN_INDEX_MAKE();
    NOTE_JUMP_POS = {};
    NOTE_KYOUKA_NO = 0;
    KYOUKA->Clear();
    K_NO_LIST.clear();
    BUNRUI->Clear();
    NAME_D->Clear();
    QSignalBlocker block(KUBUN);
    KUBUN->Clear();
    for (const QString& k : NOTE_KUBUN_NAMES()) KUBUN->AddItem(k);
    KUBUN->setCurrentIndex(-1);
}

void MasterList::layout(int left, int top, int lines) {
    NOTE_ROWS = std::clamp(lines, 1, ListGrid::kMaxRows);
    grid->move(platform::twipsToPx(left), platform::twipsToPx(top));
    {
        QSignalBlocker block(SCB_V);
        grid->setFixedLayout(listWidth(), NOTE_ROWS);
    }
    ctl::placeTwips(B_PRT_SET, left + 550 + 9650, top + 30, 450, 255);
    B_PRT_SET->raise();
    grid->clear();
    GRID_HEAD();
    GRID_ALL();
}

NOTE_FILTER MasterList::filterNow() const {
    NOTE_FILTER f;
    f.KUBUN = KUBUN->Text();
    f.BY_KYOUKA = !KYOUKA->Text().isEmpty();
    f.NO_KY = NOTE_KYOUKA_NO;
    f.BUNRUI = BUNRUI->Text();
    f.NAME_D = NAME_D->Text();
    return f;
}

void MasterList::KYOUKA_SET() {
    QStringList names;
    NOTE_KYOUKA_NAMES(KUBUN->Text(), NOTE_JUMP_POS[0], names, K_NO_LIST);
    QSignalBlocker block(KYOUKA);
    BOX_ITEMS_SET(KYOUKA, names);
}

void MasterList::BUNRUI_SET() {
    QSignalBlocker block(BUNRUI);
    BUNRUI->Clear();
    for (const QString& n : NOTE_BUNRUI_NAMES(KUBUN->Text(), NOTE_KYOUKA_NO, NOTE_JUMP_POS[1])) BUNRUI->AddItem(n);
    BUNRUI->setCurrentIndex(-1);
}

void MasterList::NAME_SET() {
    QSignalBlocker block(NAME_D);
    NAME_D->Clear();
    for (const QString& n : NOTE_NAME_NAMES(KUBUN->Text(), NOTE_KYOUKA_NO, BUNRUI->Text(), NOTE_JUMP_POS[1]))
        NAME_D->AddItem(n);
    NAME_D->setCurrentIndex(-1);
}

void MasterList::KUBUN_Click() {
    if (busy_) return;
    LIST_JUMP(1);
    KYOUKA_SET();
    BUNRUI->Clear();
    NAME_D->Clear();
}

void MasterList::KYOUKA_Click() {
    if (busy_) return;
    const int i = KYOUKA->ListIndex();
    if (i < 0 || i >= K_NO_LIST.size()) return;
    NOTE_KYOUKA_NO = K_NO_LIST[i];
    LIST_JUMP(2);
    BUNRUI_SET();
    NAME_D->Clear();
}

void MasterList::BUNRUI_Click() {
    if (busy_) return;
    LIST_JUMP(3);
    NAME_SET();
}

void MasterList::NAME_D_Click() {
    if (busy_) return;
    LIST_JUMP(4);
}

void MasterList::LIST_JUMP(int level) {
    ui::BusyPointer busy;
    // Positions in the list are index positions only while every entry is listed.
    if (isSearchResult()) GRID_ALL();
    const NOTE_FILTER f = filterNow();
    const qint32 from = level <= 1 ? 0 : NOTE_JUMP_POS[size_t(std::min(level, 3) - 2)];
    const qint32 found = NOTE_JUMP_FIND(level, f, from);
    if (found >= 0 && level <= 3) NOTE_JUMP_POS[size_t(level - 1)] = found;
    const qint32 pos = std::max<qint32>(found, 0);
    SCB_V->setValue(std::min<int>(int(pos), SCB_V->maximum()));
}

// ---------------------------------------------------------------- grid

void MasterList::GRID_HEAD() {
    grid->setCaptions({QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                       QStringLiteral("機能"), QStringLiteral("登録"), QStringLiteral("廃棄"), QStringLiteral("印刷"),
                       QStringLiteral("変更年月日"), QStringLiteral("印刷年月日")});
    grid->head();
}

void MasterList::GRID_PAGE() {
    if (KUBUN_VIEW_COUNT <= 0) {
        grid->clear();
        GRID_HEAD();
        return;
    }
    grid->page();
}

void MasterList::GRID_ROW(qint32 e, int r) {
    if (e < 0 || e >= KUBUN_SLOTS) return;
    const KUBUN_REC& k = KUBUN_DATA[size_t(e)];
    const double y = ListGrid::rowTop(r);
    static const MASTER_GRID_COLS cols{30, 830, 3130, 2500, 5630, 2500, 8130, 8630, 9130};
    MASTER_GRID_ROW(*grid, k, r, cols, rowBuf_);
    if (k.PRT_MARK == 1) D_LIST->text(9750, y + 20, QStringLiteral("○"));
    if (!withDates_) return;
    D_LIST->text(10130, y, gridDate(k.CHG_DATE));
    const QString printed = gridDate(k.PRT_DATE);
    if (printed.isEmpty()) return;
    D_LIST->text(11130, y, printed);
    // Changed since: the print date in bold, struck a second time a pixel
    // to the right.
    const bool newer = k.CHG_DATE.isValid() && k.CHG_DATE.date().year() > 1950 && k.CHG_DATE > k.PRT_DATE;
    if (newer) D_LIST->text(11130 + Pane::kTwipsPerPixel, y, printed);
}

void MasterList::newList(qint32 count) {
    KUBUN_VIEW_COUNT = count;
    // A Shift click acts within the list it was made on.
    anchor_ = rangeEnd_ = -1;
    {
        QSignalBlocker block(SCB_V);
        SCB_V->setValue(0);
        grid->setVRange();
    }
    grid->clear();
    GRID_HEAD();
    GRID_PAGE();
}

void MasterList::GRID_ALL() {
    const qint32 n = std::clamp<qint32>(KUBUN_INDEX_COUNT, 0, KUBUN_SLOTS);
    for (qint32 p = 0; p < n; ++p) KUBUN_LIST_VIEW[size_t(p)] = {KUBUN_INDEX[size_t(p)], 0};
    newList(n);
    ALL_H->setEnabled(false);
    if (changed) changed();
}

void MasterList::SEARCH() {
    if (busy_) return;
    if (searchStart && !searchStart()) return;
    const NOTE_FILTER f = filterNow();
    const qint32 n = std::clamp<qint32>(KUBUN_INDEX_COUNT, 0, KUBUN_SLOTS);
    std::vector<qint32> found;
    found.reserve(size_t(n));
    setBusy(true);
    {
        ui::Progress progress(QStringLiteral("データ検索中"), true);
        ui::DoEvents();
        for (qint32 p = 0; p < n; ++p) {
            const KUBUN_REC& e = NOTE_ENTRY(p);
            if (NOTE_FILTER_PASS(f, e) && (!searchTest || searchTest(e))) found.push_back(KUBUN_INDEX[size_t(p)]);
            progress.step(p, n);
        }
        progress.close();
    }
    setBusy(false);

    for (qint32 p = 0; p < KUBUN_VIEW_COUNT && p < KUBUN_SLOTS; ++p) KUBUN_LIST_VIEW[size_t(p)].SEL_FLAG = 0;
    const qint32 count = qint32(found.size());
    for (qint32 p = 0; p < count; ++p) KUBUN_LIST_VIEW[size_t(p)] = {found[size_t(p)], 0};
    newList(count);
    ALL_H->setEnabled(count != n);
    if (count == 0) ui::MsgBox(kNoData, ui::vbOKOnly, kNoDataTitle);
    if (changed) changed();
}

// ---------------------------------------------------------------- ticks

bool MasterList::anyTicked() const {
    for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p)
        if (KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)].PRT_MARK == 1) return true;
    return false;
}

qint32 MasterList::tickedSheets() const {
    qint32 sum = 0;
    for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p) {
        const KUBUN_REC& k = KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)];
        if (k.PRT_MARK == 1) sum += k.PRT_PAGES;
    }
    return sum;
}

void MasterList::D_LIST_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y) {
    const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (busy_ || button != Qt::LeftButton) return;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) return;
    if (x < kTickLeft || x > kTickRight) return;
    const int row = ListGrid::screenRowAt(y);
    if (row < 1) return;
    const qint32 pos = qint32(row) + SCB_V->value() - 1;
    if (pos < 0 || pos >= KUBUN_VIEW_COUNT) return;
    auto entry = [](qint32 p) -> KUBUN_REC& { return KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)]; };
    if (mods == Qt::NoModifier || anchor_ < 0) {
        // A Shift click with no earlier click on this list acts as a plain one.
        anchor_ = rangeEnd_ = pos;
        KUBUN_REC& k = entry(pos);
        k.PRT_MARK = k.PRT_MARK == 1 ? 0 : 1;
        kept_.TICK_LAST = k.PRT_MARK;
    } else {
        rangeEnd_ = pos;
        if (rangeEnd_ < anchor_) std::swap(anchor_, rangeEnd_);
        const qint32 last = std::min(rangeEnd_, KUBUN_VIEW_COUNT - 1);
        for (qint32 p = std::max<qint32>(anchor_, 0); p <= last; ++p) entry(p).PRT_MARK = kept_.TICK_LAST;
    }
    GRID_PAGE();
    if (changed) changed();
}

void MasterList::B_PRT_SET_Click() {
    if (busy_) return;
    kept_.TICK_ALL = kept_.TICK_ALL == 0 ? 1 : 0;
    for (qint32 p = 0; p < KUBUN_VIEW_COUNT; ++p)
        KUBUN_DATA[size_t(KUBUN_LIST_VIEW[size_t(p)].KUBUN_IDX)].PRT_MARK = kept_.TICK_ALL;
    GRID_PAGE();
    if (changed) changed();
    if (focusAfterTickAll) focusAfterTickAll->setFocus();
}

void LEDGER_WINDOW_FRAME(platform::Form* f) {
    if (QMdiSubWindow* s = f->subWindow()) {
        s->setWindowFlags(Qt::FramelessWindowHint);
        s->setContentsMargins(0, 0, 0, 0);
    }
    f->setWindowIcon(platform::programIcon());
}

void LEDGER_WINDOW_SHOW(platform::Form* f, qint16& loaded, int width, quint32 back) {
    constexpr int kHeightLess = 1600;
    f->setTop(0);
    f->setLeft(0);
    loaded = 1;
    f->fitToFrame(0, kHeightLess, width);
    f->followFrame(0, kHeightLess, width);
    f->Form_Resize();
    FRAME_BACK_SET(back);
}

void LEDGER_WINDOW_RESIZE(platform::Form* f, MasterList* list) {
    if (f->isMinimized() || (f->subWindow() && f->subWindow()->isMinimized())) return;
    constexpr int kGridLeft = 240, kGridTop = 960;
    const int lines = int(text::roundHalfEven((f->Height() - kGridTop - 200) / 250.0));
    list->layout(kGridLeft, kGridTop, std::max(lines, 2));
}

void LEDGER_WINDOW_UNLOAD() {
    FRAME_BACK_SET(0xFFFFFF);
}

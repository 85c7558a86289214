#include "totals/purchase_record.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QSet>
#include <QSignalBlocker>
#include <algorithm>

#include "common/window_back.h"
#include "platform/clock.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "register/item_grid.h"
#include "common/form_kind.h"
#include "store/category_lists.h"
#include "store/state.h"
#include "totals/purchase_record_print.h"

namespace {

constexpr quint32 kBack = 0xFFFFC0;      // the window's light blue
constexpr quint32 kHeadBack = 0xC0C0C0;  // the group headings
constexpr int kGridLeft = 240;
constexpr int kGridTop = 1080;
constexpr int kNumberWidth = 550;
constexpr int kCountsLeft = 8600;        // the first count column in D_LIST
const QString kGothic = QStringLiteral("ＭＳ ゴシック");

using ctl::place;

}  // namespace

NOTE_S::NOTE_S() : platform::Form(QStringLiteral("NOTE_S")) {
    setFrameChild(true);
    setCaption(QStringLiteral("備品購入実績"));
    BACK_COLOR_SET(this, kBack);
    QFont f(kGothic);
    f.setPointSizeF(9);
    setFont(f);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new ctl::CommandButton(caption, this, QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    auto check = [this](const char* name, const QString& caption) {
        return new ctl::CheckBox(caption, this, QLatin1String(name));
    };
    auto list = [this](const char* name) {
        auto* c = new ctl::ComboBox(this, QLatin1String(name), ctl::ComboBox::DropDownList);
        c->setMaxVisibleItems(20);
        return c;
    };

    // The era is chosen from its list, the era year typed as one or two digits.
    DP_W = list("DP_W");
    CHK_Y = new ctl::TextBox(this, QStringLiteral("CHK_Y"));
    CHK_Y->setMaxLength(2);
    CHK_Y->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), CHK_Y));
    Label1 = new ctl::Label(QStringLiteral("年度"), this, QStringLiteral("Label1"));
    Frame1 = new ctl::Frame(QStringLiteral("移設データ表示"), this, QStringLiteral("Frame1"));
    OPT_M[0] = new ctl::OptionButton(QStringLiteral("無し"), Frame1, QStringLiteral("OPT_M0"));
    OPT_M[1] = new ctl::OptionButton(QStringLiteral("有り"), Frame1, QStringLiteral("OPT_M1"));
    OPT_M[1]->setChecked(true);
    CHK_ALL = check("CHK_ALL", QStringLiteral("全区分表示"));
    CHK_ALL->setChecked(true);
    CHK_A = check("CHK_A", QStringLiteral("指定年度増減有り\nデータを表示"));
    ALL_H = button("ALL_H", QStringLiteral("全表示"));
    BT_PICUP = button("BT_PICUP", QStringLiteral("検索"));
    B_PRT_LIST = button("B_PRT_LIST", QStringLiteral("一覧表印刷"));
    CHK_PRT = check("CHK_PRT", QStringLiteral("全区分連続印刷"));
    KUBUN_P = list("KUBUN_P");
    CHK_ETC = check("CHK_ETC", QStringLiteral("備考欄作成"));
    B_ESC = button("B_ESC", QStringLiteral("閉じる"));
    KUBUN = list("KUBUN");
    KYOUKA = list("KYOUKA");
    BUNRUI = list("BUNRUI");
    NAME_D = list("NAME_D");

    grid = new ListGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    D_NO = grid->D_NO;
    D_LIST = grid->D_LIST;
    SCB_V = grid->SCB_V;
    grid->count = [this] { return qint32(NOTE_S_VIEW.size()); };
    grid->drawRow = [this](qint32 pos, int line) {
        if (pos >= 0 && pos < qint32(NOTE_S_VIEW.size())) NOTE_S_GRID_ROW(line, NOTE_S_VIEW[size_t(pos)]);
    };
    D_LISTH = new Pane(this);
    D_LISTH->setObjectName(QStringLiteral("D_LISTH"));
    D_LISTH->setBackColor(bgrColor(kHeadBack));
    D_LISTH->setFontName(kGothic);
    D_LISTH->setFontSize(9);
    D_LISTH->setRecordTexts(true);
    D_LIST->setRecordTexts(true);
    D_NO->setRecordTexts(true);
    cellBuf_.reserve(64);
    layoutControls();

    CHK_Y->Change = [this] { CHK_Y_Change(); };
    CHK_ALL->Click = [this] { CHK_ALL_Click(); };
    CHK_A->Click = [this] { BT_PICUP_Click(); };
    BT_PICUP->Click = [this] { BT_PICUP_Click(); };
    ALL_H->Click = [this] { ALL_H_Click(); };
    KUBUN->Click = [this] { KUBUN_Click(); };
    KYOUKA->Click = [this] { KYOUKA_Click(); };
    BUNRUI->Click = [this] { BUNRUI_Click(); };
    NAME_D->Click = [this] { NAME_D_Click(); };
    OPT_M[0]->Click = [this] { OPT_M_Click(0); };
    OPT_M[1]->Click = [this] { OPT_M_Click(1); };
    CHK_PRT->Click = [this] { CHK_PRT_Click(); };
    B_PRT_LIST->Click = [this] { B_PRT_LIST_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
}

NOTE_S::~NOTE_S() = default;

void NOTE_S::layoutControls() {
    place(DP_W, 120, 240, 735, 300);
    place(CHK_Y, 840, 240, 375, 300);
    place(Label1, 1320, 270, 375, 255);
    place(Frame1, 1800, 60, 1575, 555);
    place(OPT_M[0], 120, 270, 735, 225);
    place(OPT_M[1], 840, 270, 700, 225);
    place(CHK_ALL, 3600, 240, 1335, 255);
    place(CHK_A, 5160, 120, 1770, 435);
    place(ALL_H, 6960, 240, 975, 300);
    place(BT_PICUP, 8040, 240, 975, 300);
    place(B_PRT_LIST, 9480, 120, 1215, 375);
    place(CHK_PRT, 9480, 600, 1695, 210);
    place(KUBUN_P, 10920, 180, 855, 300);
    place(CHK_ETC, 11280, 600, 1215, 210);
    place(B_ESC, 12240, 120, 855, 375);
    // The four lists side by side, each where the one before it ends.
    place(KUBUN, 720, 720, 855, 300);
    place(KYOUKA, 720 + 855, 720, 2300, 300);
    place(BUNRUI, 720 + 855 + 2300, 720, 2530, 300);
    place(NAME_D, 720 + 855 + 2300 + 2530, 720, 2600, 300);

    grid->setNumberWidth(kNumberWidth);
    grid->move(platform::twipsToPx(kGridLeft), platform::twipsToPx(kGridTop));
    // The group headings stand over the count columns.
    place(D_LISTH, kGridLeft + kNumberWidth + kCountsLeft, 840, 3030, 255);
}

// ---------------------------------------------------------------- loading

void NOTE_S::Form_Load() {
    LOADED = 0;
    ui::setBusy(true);
    item_grid::frameless(*this);

    DP_W->Clear();
    for (const ERA_ROW& e : ERA_TABLE) DP_W->AddItem(e.ERA_NAME);
    DP_W->setCurrentIndex(2);

    // Its height follows the frame, its width stays.
    LOADED = 1;
    fitToFrame(0, 1600, 17250);
    setTop(0);
    setLeft(0);
    layoutGrid();

    for (ctl::ComboBox* c : {KUBUN, KYOUKA, BUNRUI, NAME_D, KUBUN_P}) c->Clear();
    K_NO_LIST.clear();
    NOTE_S_MODE = 1;
    OPT_M[1]->setChecked(true);
    CHK_ETC->setVisible(true);

    // This fiscal year in the era chosen; the change of the text rebuilds.
    const QDate today = clk::today();
    const int fiscal = today.year() - (today.month() < 4 ? 1 : 0);
    CHK_Y->SetText(QString::number(fiscal - ERA_TABLE[2].ERA_BASE));

    FRAME_BACK_SET(kBack);
    ui::setBusy(false);
}

void NOTE_S::Form_Resize() {
    if (LOADED != 1) return;
    layoutGrid();
}

void NOTE_S::changeEvent(QEvent* e) {
    platform::Form::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && LOADED == 1) layoutGrid();
}

void NOTE_S::layoutGrid() {
    // A minimised window keeps its panes; any other keeps at least one line.
    if (isMinimized() || (subWindow() && subWindow()->isMinimized())) return;
    const qint64 bands = text::roundHalfEven((double(ScaleHeight()) - kGridTop - 200) / ListGrid::kRowHeight);
    const int lines = int(std::clamp<qint64>(bands, 2, ListGrid::kMaxRows));
    if (lines == P() && grid->D_LIST->width() == platform::twipsToPx(int(listWidth()))) return;
    const int v = SCB_V->value();
    {
        QSignalBlocker block(SCB_V);
        grid->setFixedLayout(listWidth(), lines);
        if (!NOTE_S_VIEW.empty()) {
            grid->updateBars();
            SCB_V->setValue(std::min(v, SCB_V->maximum()));
        }
    }
    // What is listed stays in view on the new panes.
    grid->clear();
    NOTE_S_GRID_HEAD();
    grid->page();
}

void NOTE_S::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FRAME_BACK_SET(0xFFFFFF);
}

void NOTE_S::B_ESC_Click() {
    FORM_CLOSE_SELF(this);
}

// ---------------------------------------------------------------- the table

int NOTE_S::CHOSEN_YEAR() const {
    const int era = DP_W->ListIndex();
    if (era < 0 || era >= int(ERA_TABLE.size())) return 0;
    const double n = text::val(CHK_Y->Text());
    if (!(n > 0)) return 0;
    return int(text::roundHalfEven(n + ERA_TABLE[size_t(era)].ERA_BASE));
}

void NOTE_S::CHK_Y_Change() { REBUILD(); }

void NOTE_S::CHK_ALL_Click() { REBUILD(); }

void NOTE_S::REBUILD() {
    const int year = CHOSEN_YEAR();
    if (year <= 0) return;
    ui::BusyPointer busy;
    ROWS = NOTE_S_ROW_MAKE(CHK_ALL->Value() == 1);
    NOTE_S_COUNT(ROWS, year);
    TABLE_YEAR = year;
    TABLE_ERA_YEAR = year - ERA_TABLE[size_t(DP_W->ListIndex())].ERA_BASE;
    NOTE_S_KUBUN_SET();
    NOTE_S_GRID_ALL();
}

// ---------------------------------------------------------------- the lists

void NOTE_S::NOTE_S_KUBUN_SET() {
    KUBUN->Clear();
    KUBUN_P->Clear();
    KUBUN->AddItem(QString());
    QSet<QString> seen;
    for (int i = 0; i < R(); ++i) {
        const QString& k = ROWS[size_t(i)].KUBUN_NAME;
        if (seen.contains(k)) continue;
        seen.insert(k);
        KUBUN->AddItem(k);
        KUBUN_P->AddItem(k);
    }
    KUBUN->setCurrentIndex(-1);
    KUBUN_P->setCurrentIndex(-1);
}

void NOTE_S::NOTE_S_KYOUKA_SET() {
    KYOUKA->Clear();
    K_NO_LIST.clear();
    const QString kubun = KUBUN->Text();
    for (int i = std::max(0, JUMP_START[0]); i < R(); ++i) {
        const NOTE_S_REC& r = ROWS[size_t(i)];
        if (r.KUBUN_NAME != kubun || K_NO_LIST.contains(r.KYOUKA_NO)) continue;
        KYOUKA->AddItem(SUBJECT_HEAD(r.KYOUKA_NAME));
        K_NO_LIST.append(r.KYOUKA_NO);
    }
    KYOUKA->setCurrentIndex(-1);
}

void NOTE_S::NOTE_S_BUNRUI_SET() {
    BUNRUI->Clear();
    const QString kubun = KUBUN->Text();
    QSet<QString> seen;
    for (int i = std::max(0, JUMP_START[1]); i < R(); ++i) {
        const NOTE_S_REC& r = ROWS[size_t(i)];
        if (r.KUBUN_NAME != kubun || r.KYOUKA_NO != KYOUKA_SEL_NO || seen.contains(r.BUNRUI_NAME)) continue;
        seen.insert(r.BUNRUI_NAME);
        BUNRUI->AddItem(r.BUNRUI_NAME);
    }
    BUNRUI->setCurrentIndex(-1);
}

void NOTE_S::NOTE_S_NAME_SET() {
    NAME_D->Clear();
    const QString kubun = KUBUN->Text(), bunrui = BUNRUI->Text();
    QSet<QString> seen;
    for (int i = std::max(0, JUMP_START[1]); i < R(); ++i) {
        const NOTE_S_REC& r = ROWS[size_t(i)];
        if (r.BUNRUI_NAME != bunrui || r.KUBUN_NAME != kubun || r.KYOUKA_NO != KYOUKA_SEL_NO ||
            seen.contains(r.ITEM_NAME))
            continue;
        seen.insert(r.ITEM_NAME);
        NAME_D->AddItem(r.ITEM_NAME);
    }
    NAME_D->setCurrentIndex(-1);
}

void NOTE_S::KUBUN_Click() {
    NOTE_S_JUMP(1);
    NOTE_S_KYOUKA_SET();
    BUNRUI->Clear();
    NAME_D->Clear();
}

void NOTE_S::KYOUKA_Click() {
    const int k = KYOUKA->ListIndex();
    if (k < 0 || k >= K_NO_LIST.size()) return;
    KYOUKA_SEL_NO = K_NO_LIST[k];
    NOTE_S_JUMP(2);
    NOTE_S_BUNRUI_SET();
    NAME_D->Clear();
}

void NOTE_S::BUNRUI_Click() {
    NOTE_S_JUMP(3);
    NOTE_S_NAME_SET();
}

void NOTE_S::NAME_D_Click() { NOTE_S_JUMP(4); }

void NOTE_S::NOTE_S_JUMP(int level) {
    ui::BusyPointer busy;
    if (ALL_H->isEnabled()) NOTE_S_GRID_ALL();
    const QString kubun = KUBUN->Text(), bunrui = BUNRUI->Text(), name = NAME_D->Text();
    const int from = level == 1 ? 0 : std::max(0, JUMP_START[size_t(level - 2)]);
    int t = -1;
    for (int i = from; i < R() && t < 0; ++i) {
        const NOTE_S_REC& r = ROWS[size_t(i)];
        if (r.KUBUN_NAME != kubun) continue;
        if (level >= 2 && r.KYOUKA_NO != KYOUKA_SEL_NO) continue;
        if (level >= 3 && r.BUNRUI_NAME != bunrui) continue;
        if (level >= 4 && r.ITEM_NAME != name) continue;
        t = i;
    }
    if (t >= 0)
        JUMP_START[size_t(level - 1)] = t;
    else
        t = 0;
    SCB_V->setValue(std::min(t, SCB_V->maximum()));
}

// ---------------------------------------------------------------- search and grid

void NOTE_S::BT_PICUP_Click() {
    const QString kubun = KUBUN->Text(), kyouka = KYOUKA->Text(), bunrui = BUNRUI->Text(), name = NAME_D->Text();
    const bool changed = CHK_A->Value() == 1;
    setEnabled(false);  // the search yields: no other action meanwhile
    {
        ui::Progress progress(QStringLiteral("データ検索中"), true);
        ui::DoEvents();
        grid->setVValueQuiet(0);
        NOTE_S_VIEW.clear();
        const int R = this->R();
        for (int i = 0; i < R; ++i) {
            const NOTE_S_REC& r = ROWS[size_t(i)];
            const bool passes = (kubun.isEmpty() || kubun == r.KUBUN_NAME) &&
                                (kyouka.isEmpty() || r.KYOUKA_NO == KYOUKA_SEL_NO) &&
                                (bunrui.isEmpty() || bunrui == r.BUNRUI_NAME) &&
                                (name.isEmpty() || name == r.ITEM_NAME) && (!changed || r.movedInYear());
            if (passes) {
                NOTE_S_VIEW.push_back(qint16(i));
                // The first page shows while the scan goes on.
                const int line = int(NOTE_S_VIEW.size());
                if (line < P()) {
                    if (line == 1) {
                        grid->clear();
                        NOTE_S_GRID_HEAD();
                    }
                    grid->row(line - 1, line);
                }
            }
            progress.step(i, R);
        }
        progress.close();
    }
    setEnabled(true);
    if (NOTE_S_VIEW.empty()) {
        grid->clear();
        NOTE_S_GRID_HEAD();
        grid->updateBars();
        ALL_H->setEnabled(R() != 0);
        ui::MsgBox(QStringLiteral("該当データが有りません"), ui::vbOKOnly, QStringLiteral("備品登録リスト"));
        return;
    }
    grid->updateBars();
    ALL_H->setEnabled(int(NOTE_S_VIEW.size()) != R());
}

void NOTE_S::ALL_H_Click() { NOTE_S_GRID_ALL(); }

void NOTE_S::NOTE_S_GRID_ALL() {
    if (grid->D_LIST->width() != platform::twipsToPx(int(listWidth()))) grid->setFixedLayout(listWidth(), P());
    CHK_A->setChecked(false);  // quietly: no search
    NOTE_S_VIEW.resize(size_t(R()));
    for (int i = 0; i < R(); ++i) NOTE_S_VIEW[size_t(i)] = qint16(i);
    grid->setVValueQuiet(0);
    grid->clear();
    NOTE_S_GRID_HEAD();
    grid->page();
    grid->updateBars();
    ALL_H->setEnabled(false);
}

void NOTE_S::NOTE_S_GRID_PAGE() { grid->page(); }

void NOTE_S::OPT_M_Click(int index) {
    NOTE_S_MODE = qint16(index);
    CHK_ETC->setVisible(index == 1);
    NOTE_S_GRID_ALL();
}

void NOTE_S::NOTE_S_GRID_HEAD() {
    QStringList caps{QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                     QStringLiteral("機能")};
    std::vector<qint32> stops{0, 800, 3100, 5600, 8100, 8600};
    if (NOTE_S_MODE == 1) {
        caps << QStringLiteral("現有") << QStringLiteral("登録") << QStringLiteral("移増") << QStringLiteral("廃棄")
             << QStringLiteral("移減") << QStringLiteral("現有");
    } else {
        for (int g = 0; g < 3; ++g) caps << QStringLiteral("登録") << QStringLiteral("廃棄") << QStringLiteral(" 計");
    }
    const int counts = NOTE_S_MODE == 1 ? 6 : 9;
    for (int c = 1; c <= counts; ++c) stops.push_back(kCountsLeft + 500 * c);
    grid->COLS.fill(0);
    std::copy(stops.begin(), stops.end(), grid->COLS.begin());
    grid->setCaptions(caps);
    // The count headings all stand where a two-character heading would.
    for (int c = 6; c <= 5 + counts; ++c) grid->setCaptionMeasure(c, QStringLiteral("機能"));
    grid->head();

    // The group headings above the counts.
    const int width = NOTE_S_MODE == 1 ? 3030 : 4530;
    D_LISTH->resize(platform::twipsToPx(width), D_LISTH->height());
    D_LISTH->cls();
    const double h = D_LISTH->twipsHeight();
    const QString year = QString::number(TABLE_ERA_YEAR) + QStringLiteral("年度");
    auto centred = [this](double left, double right, const QString& t) {
        D_LISTH->text(left + (right - left - D_LISTH->textWidth(t)) / 2, 30, t);
    };
    if (NOTE_S_MODE == 1) {
        for (double x : {500.0, 3000.0}) D_LISTH->line(x, 0, x, h, Qt::black);
        centred(0, 500, QStringLiteral("前年"));
        centred(500, 3000, year);
    } else {
        for (double x : {1500.0, 3000.0}) D_LISTH->line(x, 0, x, h, Qt::black);
        centred(0, 1500, QStringLiteral("前年度末累計"));
        centred(1500, 3000, year);
        centred(3000, 4500, QStringLiteral("合 計"));
    }
}

void NOTE_S::NOTE_S_GRID_ROW(int screenRow, int row) {
    if (row < 0 || row >= R()) return;
    const NOTE_S_REC& r = ROWS[size_t(row)];
    grid->cell(30, screenRow, r.KUBUN_NAME);
    QString& s = cellBuf_;
    s = QString::number(r.KYOUKA_NO);
    s += QLatin1Char(' ');
    s += r.KYOUKA_NAME;
    grid->cellFit(830, screenRow, s, 2240, 6);
    s = r.BUNRUI_CODE;
    s += QLatin1Char(' ');
    s += r.BUNRUI_NAME;
    grid->cellFit(3130, screenRow, s, 2500, 6);
    grid->cellFit(5630, screenRow, r.ITEM_NAME, 2500, 6);
    grid->cell(8130, screenRow, r.FUNC_TEXT);

    auto count = [&](int column, int n) {
        if (n == 0) return;
        grid->figureRight(kCountsLeft + 500 * (column + 1) - 30, screenRow, QString::number(n), 500 - 60);
    };
    if (NOTE_S_MODE == 1) {
        const int values[] = {r.heldPrev(), r.IN_YEAR, r.MOVE_IN_YEAR, r.OUT_YEAR, r.MOVE_OUT_YEAR, r.heldEnd()};
        for (int c = 0; c < 6; ++c) count(c, values[c]);
    } else {
        const int values[] = {r.regPrev(), r.outPrev(), r.heldPrev(), r.regYear(), r.outYear(),
                              r.changeYear(), r.regAll(), r.outAll(), r.heldEnd()};
        for (int c = 0; c < 9; ++c) count(c, values[c]);
    }
}

// ---------------------------------------------------------------- print

void NOTE_S::CHK_PRT_Click() {
    // With no category listed there is nothing to choose.
    if (CHK_PRT->Value() == 1 && KUBUN_P->ListCount() > 0) KUBUN_P->setListIndex(0);
}

void NOTE_S::B_PRT_LIST_Click() {
    if (CHK_PRT->Value() == 0 && KUBUN_P->ListIndex() < 0) {
        ui::MsgBox(QStringLiteral("備品区分をを選択してください"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    if (ui::MsgBox(QStringLiteral("一覧表を印刷します"), ui::vbYesNo + ui::vbQuestion, ui::kTitle) == ui::vbNo) return;
    ui::BusyPointer busy;
    NOTE_S_PRT();
}

int NOTE_S::NOTE_S_PRT() {
    NOTE_S_PRINT how;
    how.everyCategory = CHK_PRT->Value() == 1;
    how.category = KUBUN_P->Text();
    how.mode = NOTE_S_MODE;
    how.remarks = CHK_ETC->Value() == 1;
    how.eraYear = TABLE_ERA_YEAR;
    return ::NOTE_S_PRT(ROWS, how);
}

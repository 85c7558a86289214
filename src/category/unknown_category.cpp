#include "category/unknown_category.h"

#include <QFont>
#include <QHash>
#include <QSet>
#include <QSignalBlocker>
#include <tuple>

#include "category/key_boxes.h"
#include "common/window_back.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/list_grid.h"
#include "common/form_position.h"
#include "common/form_kind.h"
#include "common/mouse_label.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/ordered_insert.h"
#include "store/state.h"

using ctl::placeTwips;
using namespace kubun_boxes;
using platform::twipsToPx;

namespace {

// Columns of the picked-key row and the new-key row (twips).
constexpr int kKubunX = 1020, kKubunW = 1100, kBkNoX = 2140, kBkNoW = 330;
constexpr int kNoKyX = 2520, kNoKyW = 420, kKyoukaX = 2960, kKyoukaW = 1700;
constexpr int kNoBuX = 4710, kNoBuW = 520, kBunruiX = 5250, kBunruiW = 1800;
constexpr int kNameX = 7100, kNameW = 2000, kNameNoX = 9120, kNameNoW = 420;
constexpr int kFuncX = 9590, kFuncW = 800;
constexpr int kPickTop = 1260, kNewTop = 1680, kRowH = 300;
constexpr int kGridLeft = 240, kGridTop = 2640;
constexpr int kWidth = 10700;

// The four names of a key, as one hash key.
QString keyOf(const QString& kubun, const QString& kyouka, const QString& bunrui, const QString& name) {
    QString s;
    s.reserve(kubun.size() + kyouka.size() + bunrui.size() + name.size() + 3);
    s += kubun;
    s += QChar(0);
    s += kyouka;
    s += QChar(0);
    s += bunrui;
    s += QChar(0);
    s += name;
    return s;
}

}  // namespace

KUBUN_CHGF2::KUBUN_CHGF2() : platform::Form(QStringLiteral("KUBUN_CHGF2")) {
    setCaption(QStringLiteral("備品区分設定"));
    setFont(ctl::dialogFont());
    buildControls();
    connectHandlers();
}

void KUBUN_CHGF2::buildControls() {
    QWidget* p = this;
    auto label = [p](const char* name, const QString& text, int l, int t, int w, int h = 255) {
        auto* x = new ctl::Label(text, p, QString::fromLatin1(name));
        placeTwips(x, l, t, w, h);
        return x;
    };
    auto keyBox = [&label](const char* name, int l, int w, bool centred) {
        ctl::Label* x = label(name, QString(), l, kPickTop, w, kRowH);
        BACK_COLOR_SET(x, 0x80FFFF);
        x->setFrameStyle(QFrame::Box | QFrame::Plain);
        x->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        return x;
    };
    auto combo = [p](const char* name, int l, int w) {
        auto* c = new ctl::ComboBox(p, QString::fromLatin1(name), ctl::ComboBox::DropDownList);
        c->setMaxVisibleItems(20);
        placeTwips(c, l, kNewTop, w, kRowH);
        return c;
    };
    auto box = [p](const char* name, int l, int w) {
        auto* b = new ctl::TextBox(p, QString::fromLatin1(name));
        b->setReadOnly(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAlignment(Qt::AlignCenter);
        placeTwips(b, l, kNewTop, w, kRowH);
        return b;
    };

    Label6 = label("Label6", QStringLiteral("備品区分が不明な備品データの備品区分を設定します"), 240, 150, 7000);
    Label10 = label("Label10", QStringLiteral("変更項目"), 240, 540, 900);
    for (int i = 1; i <= 2; ++i) {
        OPT_K[i] = new ctl::OptionButton(QString(), p, QStringLiteral("OPT_K_%1").arg(i));
        placeTwips(OPT_K[i], i == 1 ? 1200 : 2880, 525, i == 1 ? 1560 : 900, 285);
    }
    OPT_K[2]->setText(QStringLiteral("品名"));
    B_START = new ctl::CommandButton(QStringLiteral("開始"), p, QStringLiteral("B_START"));
    B_CLOSE = new ctl::CommandButton(QStringLiteral("閉じる"), p, QStringLiteral("B_CLOSE"));
    placeTwips(B_START, 8280, 480, 975, 375);
    placeTwips(B_CLOSE, 9360, 480, 975, 375);
    for (QPushButton* b : {static_cast<QPushButton*>(B_START), static_cast<QPushButton*>(B_CLOSE)}) b->setAutoDefault(false);

    Label3 = label("Label3", QStringLiteral("備品区分"), kKubunX, 990, kBkNoX + kBkNoW - kKubunX);
    Label4 = label("Label4", QString(), kNoKyX, 990, kKyoukaX + kKyoukaW - kNoKyX);
    Label7 = label("Label7", QString(), kNoBuX, 990, kBunruiX + kBunruiW - kNoBuX);
    Label9 = label("Label9", QStringLiteral("品名"), kNameX, 990, kNameNoX + kNameNoW - kNameX);
    for (ctl::Label* h : {Label3, Label4, Label7, Label9}) h->setAlignment(Qt::AlignCenter);

    Label1 = new MouseLabel(QStringLiteral("不明区分"), p);
    Label1->setObjectName(QStringLiteral("Label1"));
    placeTwips(Label1, 240, kPickTop + 30, 780, 255);
    Label11 = keyBox("Label11", kKubunX, kBkNoX + kBkNoW - kKubunX, false);
    Label16 = keyBox("Label16", kNoKyX, kNoKyW, true);
    Label12 = keyBox("Label12", kKyoukaX, kKyoukaW, false);
    Label17 = keyBox("Label17", kNoBuX, kNoBuW, true);
    Label13 = keyBox("Label13", kBunruiX, kBunruiW, false);
    Label14 = keyBox("Label14", kNameX, kNameNoX + kNameNoW - kNameX, false);
    Label15 = keyBox("Label15", kFuncX, kFuncW, true);

    Label2 = label("Label2", QStringLiteral("新区分"), 240, kNewTop + 30, 780);
    N_KUBUN = combo("N_KUBUN", kKubunX, kKubunW);
    N_BK_NO = box("N_BK_NO", kBkNoX, kBkNoW);
    N_NO_KY = box("N_NO_KY", kNoKyX, kNoKyW);
    N_KYOUKA = combo("N_KYOUKA", kKyoukaX, kKyoukaW);
    N_NO_BU = box("N_NO_BU", kNoBuX, kNoBuW);
    N_BUNRUI = combo("N_BUNRUI", kBunruiX, kBunruiW);
    N_NAME_D = combo("N_NAME_D", kNameX, kNameW);
    N_NAME_NO = box("N_NAME_NO", kNameNoX, kNameNoW);
    N_FUNC_D = combo("N_FUNC_D", kFuncX, kFuncW);

    Label8 = label("Label8", QStringLiteral("備品区分不明リスト"), 240, 2340, 1800);
    Label5 = label("Label5", QString(), 2100, 2310, 1400, 285);
    Label5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label5->setAlignment(Qt::AlignCenter);

    // The grid: 550 twips of numbers, 9380 of data showing columns up to
    // the function, 12 rows of which 11 show under the header.
    grid = new ListGrid(p);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setColumns({0, 900, 3500, 6100, 8800, 9300, 9800, 10300});
    grid->H_MAX_BASE = 0;
    placeTwips(grid, kGridLeft, kGridTop, 10000, 3300);
    grid->layoutPanes(500 + 550 + ListGrid::kBarWidth + 9380,
                      kGridTop + ListGrid::kBarWidth + 480 + 12 * ListGrid::kRowHeight);
    grid->SCB_H->hide();

    QWidget* order[] = {OPT_K[1], OPT_K[2], N_KUBUN, N_KYOUKA, N_BUNRUI, N_NAME_D, N_FUNC_D, B_START, B_CLOSE};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    setFixedWidth(twipsToPx(kWidth));
    setFixedHeight(twipsToPx(kOpenHeight));
}

void KUBUN_CHGF2::connectHandlers() {
    for (int i = 1; i <= 2; ++i) OPT_K[i]->Click = [this, i] { OPT_K_Click(i); };
    N_KUBUN->Click = [this] { N_KUBUN_Click(); };
    N_KYOUKA->Click = [this] { N_KYOUKA_Click(); };
    N_BUNRUI->Click = [this] { N_BUNRUI_Click(); };
    N_NAME_D->Click = [this] { N_NAME_D_Click(); };
    B_START->Click = [this] { B_START_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
    connect(Label1, &MouseLabel::mouseDown, this, [this](Qt::MouseButton, Qt::KeyboardModifiers) { Label1_Click(); });
    connect(grid, &ListGrid::numberPressed, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, double y) { D_NO_MouseDown(y); });
    grid->count = [this] { return FUMEI_COUNT; };
    // Only the picked entry is marked.
    grid->selected = [this](qint32 pos) { return pos == PICKED; };
    grid->drawRow = [this](qint32 pos, int row) { FUMEI_GRID_ROW(pos, row); };
}

// ---------------------------------------------------------------- opening

void KUBUN_CHGF2::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    setFixedHeight(twipsToPx(kOpenHeight));
    Label4->setCaption(KUBUN_LEVEL_NAME[0]);
    Label7->setCaption(KUBUN_LEVEL_NAME[1]);
    OPT_K[1]->setText(KUBUN_LEVEL_NAME[1]);
    {
        QSignalBlocker block(OPT_K[2]);
        OPT_K[2]->setChecked(true);
    }
    fill(N_KUBUN, KUBUN_LIST_NAMES());
    for (ctl::ComboBox* b : {N_KYOUKA, N_BUNRUI, N_NAME_D}) emptyBox(b);
    for (ctl::TextBox* t : {N_NO_KY, N_NO_BU}) t->clear();
    fill(N_FUNC_D, kubun_keys::functionTexts());
    grid->setCaptions({QStringLiteral("備品区分"), KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"),
                       QStringLiteral("機能")});
    FUMEI_LIST_MAKE();
    FUMEI_GRID_HEAD();
    FUMEI_SCROLL_SET();
}

// ---------------------------------------------------------------- the list

void KUBUN_CHGF2::FUMEI_LIST_MAKE() {
    FUMEI_LIST.clear();
    FUMEI_MISS = 0;
    PICKED = -1;
    const qint32 masters = std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size()));
    const qint32 items = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    // The master's keys and the keys listed so far, looked up by their names.
    QSet<QString> known;
    known.reserve(masters);
    for (qint32 k = 0; k < masters; ++k) {
        const KUBUN_REC& e = KUBUN_DATA[k];
        known.insert(keyOf(e.KUBUN, e.KYOUKA, e.BUNRUI, e.NAME_D));
    }
    QSet<QString> listed;
    for (qint32 i = 0; i < items; ++i) {
        const ZEMLO_REC& r = ZEMLO_DATA[i];
        QString key = keyOf(r.KUBUN, r.KYOUKA, r.BUNRUI, r.NAME_D);
        if (known.contains(key)) continue;
        ++FUMEI_MISS;
        if (listed.contains(key)) continue;
        listed.insert(std::move(key));
        FUMEI_REC f;
        f.KUBUN_IDX = r.KUBUN_IDX;
        f.KUBUN = r.KUBUN;
        f.NO_KY = r.NO_KY;
        f.KYOUKA = r.KYOUKA;
        f.NO_BU = r.NO_BU;
        f.BUNRUI = r.BUNRUI;
        f.FUNC_D = r.FUNC_D;
        f.NAME_D = r.NAME_D;
        f.NAME_NO = r.NAME_NO;
        FUMEI_LIST.push_back(std::move(f));
    }
    if (FUMEI_MISS == 0)
        ui::MsgBox(QStringLiteral("区分が不明な備品データは有りません。"), ui::vbOKOnly, ui::kTitle);
    else
        Label5->setCaption(QString::number(FUMEI_LIST.size()) + QLatin1Char('/') + QString::number(FUMEI_MISS));
    FUMEI_COUNT = qint32(FUMEI_LIST.size());
    FUMEI_LIST_SORT();
}

void KUBUN_CHGF2::FUMEI_LIST_SORT() {
    using Key = std::tuple<qint16, qint16, QString, qint16>;
    store::insertionOrder(
        FUMEI_LIST, 1, FUMEI_COUNT, [](const FUMEI_REC& f) { return Key(f.KUBUN_IDX, f.NO_KY, f.NO_BU, f.NAME_NO); },
        [](int) {});
}

// ---------------------------------------------------------------- the grid

void KUBUN_CHGF2::FUMEI_GRID_HEAD() { grid->head(); }

void KUBUN_CHGF2::FUMEI_SCROLL_SET() {
    grid->setVRange();
    grid->setVValueQuiet(0);
    FUMEI_GRID_PAGE();
}

void KUBUN_CHGF2::FUMEI_GRID_PAGE() {
    if (FUMEI_COUNT == 0) {
        grid->clear();
        FUMEI_GRID_HEAD();
        return;
    }
    grid->page();
}

void KUBUN_CHGF2::FUMEI_GRID_ROW(qint32 i, int row) {
    if (i < 0 || i >= FUMEI_COUNT) return;
    const FUMEI_REC& f = FUMEI_LIST[size_t(i)];
    grid->cell(30, row, f.KUBUN);
    grid->cell(930, row, QString::number(f.NO_KY) + QLatin1Char(' ') + f.KYOUKA);
    grid->cellFit(3530, row, f.NO_BU + QLatin1Char(' ') + f.BUNRUI, 2550);
    grid->cellFit(6130, row, f.NAME_D, 2650);
    grid->cell(8880, row, f.FUNC_D);
}

void KUBUN_CHGF2::D_NO_MouseDown(double y) {
    const int row = ListGrid::screenRowAt(y);
    if (row <= 0) return;
    const qint32 i = row + grid->vValue() - 1;
    if (i >= FUMEI_COUNT) return;
    PICKED = i;
    PICK = FUMEI_LIST[size_t(i)];
    Label11->setCaption(PICK.KUBUN);
    Label12->setCaption(PICK.KYOUKA);
    Label13->setCaption(PICK.BUNRUI);
    if (OPT_K[2]->isChecked()) Label14->setCaption(PICK.NAME_D);
    Label15->setCaption(PICK.FUNC_D);
    Label16->setCaption(QString::number(PICK.NO_KY));
    Label17->setCaption(PICK.NO_BU);
    FUMEI_GRID_PAGE();
}

// ---------------------------------------------------------------- new key

void KUBUN_CHGF2::N_KUBUN_Click() {
    NEW_KUBUN_NO = KUBUN_IDX_OF(N_KUBUN->Text());
    N_FUNC_D->setVisible(NEW_KUBUN_NO != 1);
    N_NO_KY->clear();
    fill(N_KYOUKA, kubun_keys::subjectNames(N_KUBUN->Text()));
    N_BK_NO->setText(QString::number(NEW_KUBUN_NO));
    emptyBox(N_BUNRUI);
    N_NO_BU->clear();
    emptyBox(N_NAME_D);
    N_NAME_NO->clear();
    NEW_RANGE = {};
}

void KUBUN_CHGF2::N_KYOUKA_Click() {
    N_NO_BU->clear();
    NEW_RANGE = kubun_keys::subjectRange(NEW_KUBUN_NO, N_KYOUKA->Text());
    qint16 noKy = 0;
    const QStringList names = kubun_keys::classNames(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->Text(), &noKy);
    fill(N_BUNRUI, names);
    if (!names.isEmpty()) N_NO_KY->setText(QString::number(noKy));
    emptyBox(N_NAME_D);
    N_NAME_NO->clear();
}

void KUBUN_CHGF2::N_BUNRUI_Click() {
    if (N_BUNRUI->count() == 0) return;
    QString code;
    const QStringList names =
        kubun_keys::itemNames(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->Text(), N_BUNRUI->Text(), &code, nullptr);
    fill(N_NAME_D, names);
    N_NAME_NO->clear();
    if (!names.isEmpty()) N_NO_BU->setText(code);
}

void KUBUN_CHGF2::N_NAME_D_Click() {
    const qint32 i =
        kubun_keys::itemEntry(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->Text(), N_BUNRUI->Text(), N_NAME_D->Text());
    if (i < 0) return;
    N_NAME_NO->setText(QString::number(KUBUN_DATA[i].NAME_NO));
    showFunction(N_FUNC_D, KUBUN_DATA[i].FUNC_D);
}

void KUBUN_CHGF2::OPT_K_Click(int index) {
    if (index == 1) {
        Label14->setCaption(QString());
        emptyBox(N_NAME_D);
        N_NAME_NO->clear();
        N_NAME_D->setEnabled(false);
    } else {
        N_NAME_D->setEnabled(true);
        // The picked key's item name is the one the item-name level matches.
        if (PICKED >= 0) Label14->setCaption(PICK.NAME_D);
        if (N_BUNRUI->ListIndex() >= 0 && N_NAME_D->count() == 0) N_BUNRUI_Click();
    }
}

// ---------------------------------------------------------------- assignment

void KUBUN_CHGF2::B_START_Click() {
    const bool nameLevel = OPT_K[2]->isChecked();
    // A key must be picked and the new key complete.
    const bool complete = PICKED >= 0 && N_KUBUN->ListIndex() >= 0 && N_KYOUKA->ListIndex() >= 0 &&
                          N_BUNRUI->ListIndex() >= 0 && (!nameLevel || N_NAME_D->ListIndex() >= 0);
    if (!complete) {
        ui::MsgBox(QStringLiteral("必要項目が入力されてません"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    QString code;
    qint32 buKey = 0;
    const double serial = text::val(N_NAME_NO->text());
    if (!kubun_keys::codeNormal(N_NO_BU->text(), &code, &buKey) || (nameLevel && (serial < 0 || serial > 32767))) {
        ui::MsgBox(QStringLiteral("番号が不正です"), ui::vbOKOnly, ui::kTitle);
        return;
    }
    const QString kubun = N_KUBUN->Text(), kyouka = N_KYOUKA->Text(), bunrui = N_BUNRUI->Text(),
                  name = N_NAME_D->Text();
    // A function hidden for the first category is not written.
    const QString func = N_FUNC_D->isHidden() ? QString() : N_FUNC_D->currentText();
    const qint16 kubunIdx = KUBUN_IDX_OF(kubun), noKy = number16(N_NO_KY->text());
    const qint16 funcNo = FUNC_NO_OF(func), nameNo = qint16(text::roundHalfEven(serial));

    const qint32 items = std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size()));
    for (qint32 i = 0; i < items; ++i) {
        ZEMLO_REC& r = ZEMLO_DATA[i];
        if (r.KUBUN != PICK.KUBUN || r.KYOUKA != PICK.KYOUKA || r.BUNRUI != PICK.BUNRUI) continue;
        if (nameLevel && r.NAME_D != PICK.NAME_D) continue;
        r.KUBUN = kubun;
        r.KUBUN_IDX = kubunIdx;
        r.KYOUKA = kyouka;
        r.NO_KY = noKy;
        r.BUNRUI = bunrui;
        r.NO_BU = code;
        r.BU_KEY = buKey;
        r.FUNC_D = func;
        r.FUNC_NO = funcNo;
        if (nameLevel) {
            r.NAME_D = name;
            r.NAME_NO = nameNo;
        }
    }
    FUMEI_LIST_MAKE();
    FUMEI_GRID_HEAD();
    FUMEI_SCROLL_SET();
    emptyPicked();
    CHG_FLAG = 1;
}

void KUBUN_CHGF2::emptyPicked() {
    PICKED = -1;
    for (ctl::Label* l : {Label11, Label12, Label13, Label14, Label15, Label16, Label17}) l->setCaption(QString());
}

// ---------------------------------------------------------------- closing

void KUBUN_CHGF2::Label1_Click() { setFixedHeight(twipsToPx(kShortHeight)); }

void KUBUN_CHGF2::B_CLOSE_Click() { Unload(platform::vbFormCode); }

void KUBUN_CHGF2::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    if (CHG_FLAG == 1) {
        const int a = ui::MsgBox(QStringLiteral("データを保存しますか？"), int(ui::vbYesNo) + int(ui::vbQuestion), ui::kTitle);
        ui::BusyPointer hourglass;
        if (a == ui::vbYes) {
            // The items take their master entries' numbers, codes and
            // functions before they are written.
            KUBUN_LINK(1);
            ZEMLO_CHANGED = ZEMLO_SAVE() == 1 ? 0 : 1;
        } else {
            if (ZEMLO_READ() == 1 && LOADED.KUBUN) KUBUN_LINK(2);
        }
    }
    FORM_KIND_CLEAR();
    FORM_POS_SAVE(this);
}

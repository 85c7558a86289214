#include "register/item_change.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/ui.h"
#include "register/entry_cascade.h"
#include "common/form_position.h"
#include "common/mouse_label.h"
#include "store/category_file.h"
#include "store/save_changed.h"
#include "store/state.h"

using entry_ui::box;
using entry_ui::caption;
using entry_ui::combo;
using entry_ui::display;
using entry_ui::place;

A_ZEMLO_CHG::A_ZEMLO_CHG() : platform::Form(QStringLiteral("A_ZEMLO_CHG")) {
    setCaption(QStringLiteral("備品内容変更"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    buildControls();
    EntryCascade::Controls cc{KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D, FUNC_D};
    cascade = new EntryCascade(cc, true);
    cascade->setParent(this);
    cascade->onDirty = [this] { dirty(); };
}

// As the entry window: the cascade goes before the base destructors close
// the window and move the focus.
A_ZEMLO_CHG::~A_ZEMLO_CHG() { delete cascade; }

void A_ZEMLO_CHG::buildControls() {
    const int c1 = 120, in = 1500;
    caption(this, QStringLiteral("購入年度"), c1, 150, 1300);
    DP_W = combo(this, "DP_W", false, in, 120, 900);
    BY_Y = box(this, "BY_Y", 2460, 120, 600, 12, true);
    caption(this, QStringLiteral("年度"), 3100, 150, 450);
    caption(this, QStringLiteral("番号"), 3650, 150, 450);
    B_NO = box(this, "B_NO", 4130, 120, 800, 12, true);
    caption(this, QStringLiteral("枝番"), 5060, 150, 450);
    B_NOS = box(this, "B_NOS", 5540, 120, 700, 12, true);

    caption(this, QStringLiteral("経費区分"), c1, 570, 1300);
    KH_KUBUN = combo(this, "KH_KUBUN", false, in, 540, 2200);
    caption(this, QStringLiteral("備品区分"), c1, 990, 1300);
    KUBUN = combo(this, "KUBUN", false, in, 960, 2200);
    KYOUKA_L = caption(this, QStringLiteral("分類・教科"), c1, 1410, 1300);
    KYOUKA = combo(this, "KYOUKA", false, in, 1380, 3300);
    NO_KY = box(this, "NO_KY", 4900, 1380, 700, 12, true);
    BUNRUI_L = caption(this, QStringLiteral("区分・分類"), c1, 1830, 1300);
    BUNRUI = combo(this, "BUNRUI", false, in, 1800, 3300);
    NO_BU = box(this, "NO_BU", 4900, 1800, 700, 3, false);
    for (QLineEdit* e : {NO_KY, NO_BU}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    caption(this, QStringLiteral("品名"), c1, 2250, 1300);
    NAME_D = combo(this, "NAME_D", false, in, 2220, 3300);
    caption(this, QStringLiteral("機能"), 5760, 2250, 500);
    FUNC_D = combo(this, "FUNC_D", false, 6260, 2220, 1570);

    caption(this, QStringLiteral("単価"), c1, 2730, 1300);
    B_MONY = box(this, "B_MONY", in, 2700, 1300, 12, true);
    const auto tax = entry_ui::taxOptions(this, 3000, 2460);
    TAX_OUT = tax.out;
    TAX_IN = tax.in;
    TAX_NO = tax.no;
    taxGroup_ = tax.group;
    TAX = box(this, "TAX", 5650, 2700, 480, 12, true);
    caption(this, QStringLiteral("％"), 6160, 2730, 270);
    caption(this, QStringLiteral("金額"), c1, 3150, 1300);
    MONY_T = display(this, "MONY_T", in, 3120, 1800);

    caption(this, QStringLiteral("購入先"), c1, 3570, 1300);
    SHOP = combo(this, "SHOP", true, in, 3540, 4000);
    caption(this, QStringLiteral("メーカー名"), c1, 3930, 1300);
    caption(this, QStringLiteral("(規格)"), c1, 4140, 1300, 210);
    MAKER = combo(this, "MAKER", true, in, 3990, 4000);
    caption(this, QStringLiteral("メーカー型番"), c1, 4380, 1300);
    caption(this, QStringLiteral("(品質)"), c1, 4590, 1300, 210);
    MAKER_NO = box(this, "MAKER_NO", in, 4440, 4000, 50, false);
    caption(this, QStringLiteral("保管場所"), c1, 4920, 1300);
    KEEP = combo(this, "KEEP", true, in, 4890, 4000);
    caption(this, QStringLiteral("備考"), c1, 5340, 1300);
    MSG = box(this, "MSG", in, 5310, 6330, 100, false);

    const auto in_ = entry_ui::optionPair(this, QStringLiteral("購入・移設"), c1, 5640, "OP_BYE", QStringLiteral("購入"),
                                          "OP_MOVE", QStringLiteral("移設"));
    OP_BYE = in_.first;
    OP_MOVE = in_.second;
    MOVE_N_L = caption(this, QStringLiteral("移設元"), 3000, 5910, 700);
    MOVE_N = box(this, "MOVE_N", 3700, 5880, 4130, 50, false);
    caption(this, QStringLiteral("購入移設  年月日"), c1, 6390, 1380);
    const auto bought = entry_ui::dateBoxes(this, "DP_WI", "BIN_Y", "BIN_M", "BIN_D", 6360);
    DP_WI = bought.era;
    BIN_Y = bought.y;
    BIN_M = bought.m;
    BIN_D = bought.d;

    const auto out = entry_ui::optionPair(this, QStringLiteral("廃棄・移設"), c1, 6660, "OP_OUT", QStringLiteral("廃棄"),
                                          "OP_MOVE2", QStringLiteral("移設"));
    OP_OUT = out.first;
    OP_MOVE2 = out.second;
    MOVE_N2_L = caption(this, QStringLiteral("移設先"), 3000, 6930, 700);
    MOVE_N2 = box(this, "MOVE_N2", 3700, 6900, 4130, 50, false);
    ZL24 = new MouseLabel(QStringLiteral("廃棄移設  年月日"), this);
    ZL24->setObjectName(QStringLiteral("ZL24"));
    place(ZL24, c1, 7410, 1380, 255);
    const auto out_date = entry_ui::dateBoxes(this, "DP_WO", "BOUT_Y", "BOUT_M", "BOUT_D", 7380);
    DP_WO = out_date.era;
    BOUT_Y = out_date.y;
    BOUT_M = out_date.m;
    BOUT_D = out_date.d;

    BT_DEC = entry_ui::button(this, "BT_DEC", QStringLiteral("－"), in, 7920, 500);
    BT_LNO = box(this, "BT_LNO", 2060, 7980, 800, 8, true);
    caption(this, QStringLiteral("／"), 2900, 8010, 250);
    BT_COUNT = display(this, "BT_COUNT", 3160, 7980, 800);
    BT_INC = entry_ui::button(this, "BT_INC", QStringLiteral("＋"), 4020, 7920, 500);
    B_ESC = entry_ui::button(this, "B_ESC", QStringLiteral("閉じる"), 6680, 7920, 1150);

    QWidget* order[] = {DP_W,   BY_Y,    B_NO,    B_NOS,  KH_KUBUN, KUBUN,  KYOUKA, BUNRUI,  NAME_D,
                        FUNC_D, B_MONY,  TAX_OUT, TAX_IN, TAX_NO,   TAX,    SHOP,   MAKER,   MAKER_NO,
                        KEEP,   MSG,     OP_BYE,  OP_MOVE, MOVE_N,  DP_WI,  BIN_Y,  BIN_M,   BIN_D,
                        OP_OUT, OP_MOVE2, MOVE_N2, DP_WO,  BOUT_Y,  BOUT_M, BOUT_D, BT_DEC,  BT_LNO,
                        BT_INC, B_ESC};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    setFixedSize(platform::twipsToPx(7980), platform::twipsToPx(8520));
}

void A_ZEMLO_CHG::connectHandlers() {
    auto mark = [this] { dirty(); };
    connect(BY_Y, &QLineEdit::textChanged, this, [this] { BY_Y_Change(); });
    for (QLineEdit* e : {B_NO, B_NOS}) connect(e, &QLineEdit::textEdited, this, mark);
    for (QLineEdit* e : {BIN_Y, BIN_M, BIN_D, BOUT_Y, BOUT_M, BOUT_D, MOVE_N, MOVE_N2, MSG, MAKER_NO, NO_KY, NO_BU})
        connect(e, &QLineEdit::textChanged, this, mark);
    for (QComboBox* c : {SHOP, MAKER, KEEP}) {
        connect(c, &QComboBox::editTextChanged, this, mark);
        connect(c, &QComboBox::activated, this, mark);
    }
    for (QComboBox* c : {DP_W, DP_WI, DP_WO, KH_KUBUN, FUNC_D})
        connect(c, &QComboBox::currentIndexChanged, this, mark);
    auto mony = [this] { ZEMLO_CHG_MONY(); };
    connect(B_MONY, &QLineEdit::textChanged, this, mony);
    connect(TAX, &QLineEdit::textChanged, this, mony);
    connect(taxGroup_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (!on) return;
        dirty();
        ZEMLO_CHG_MONY();
    });
    connect(OP_BYE, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_BYE_Click();
    });
    connect(OP_MOVE, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_MOVE_Click();
    });
    connect(OP_OUT, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_OUT_Click();
    });
    connect(OP_MOVE2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_MOVE2_Click();
    });
    connect(ZL24, &MouseLabel::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { ZL24_MouseDown(b, m); });
    connect(BT_DEC, &QPushButton::clicked, this, [this] { BT_DEC_Click(); });
    connect(BT_INC, &QPushButton::clicked, this, [this] { BT_INC_Click(); });
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    cascade->connectControls();
    for (QWidget* w : std::initializer_list<QWidget*>{BY_Y, B_NO, B_NOS, BIN_Y, BIN_M, BIN_D, BOUT_Y, BOUT_M, BOUT_D,
                                                      KH_KUBUN, KUBUN, KYOUKA, BUNRUI, NAME_D, B_MONY, KEEP, SHOP,
                                                      MAKER, MAKER_NO, BT_LNO})
        w->installEventFilter(this);
}

bool A_ZEMLO_CHG::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
        if (enter && watched == BT_LNO) {
            BT_LNO_Enter();
            return true;
        }
        if (enter) {
            const std::pair<QObject*, QWidget*> chain[] = {
                {BY_Y, B_NO},       {B_NO, B_NOS},     {B_NOS, BIN_Y},    {BIN_Y, BIN_M},   {BIN_M, BIN_D},
                {BIN_D, BOUT_Y},    {BOUT_Y, BOUT_M},  {BOUT_M, BOUT_D},  {BOUT_D, KH_KUBUN}, {KH_KUBUN, KUBUN},
                {KUBUN, KYOUKA},    {KYOUKA, BUNRUI},  {BUNRUI, NAME_D},  {NAME_D, B_MONY}, {B_MONY, KEEP},
                {KEEP, SHOP},       {SHOP, MAKER},     {MAKER, MAKER_NO}, {MAKER_NO, MSG}};
            for (const auto& [from, to] : chain) {
                if (from != watched) continue;
                to->setFocus(Qt::TabFocusReason);
                return true;
            }
        } else if (!ke->text().isEmpty() &&
                   (watched == B_NO || watched == B_NOS || watched == KUBUN || watched == KYOUKA || watched == BUNRUI)) {
            dirty();
        }
    }
    return platform::Form::eventFilter(watched, event);
}

void A_ZEMLO_CHG::Form_Load() {
    ui::BusyPointer busy;
    FORM_POS_READ(this);
    connectHandlers();
    EDIT_KUBUN_SAVE = 0;
    ++cascade->mute;
    entry_ui::fillChoiceLists({DP_W, DP_WI, DP_WO}, KH_KUBUN, KUBUN, FUNC_D);
    --cascade->mute;
    OP_BYE->setChecked(true);
    OP_OUT->setChecked(true);

    // The first selected row, kept inside the view.
    qint32 row = INDEX_SEL.SEL_FIRST + 1;
    if (row < 1 || row > INDEX_COUNT) row = 1;
    showRow(row);
    BT_COUNT->setText(QString::number(INDEX_COUNT));
    FUNC_D->setEnabled(false);
    if (!KUBUN_LEVEL_NAME[0].isEmpty()) KYOUKA_L->setText(KUBUN_LEVEL_NAME[0]);
    if (!KUBUN_LEVEL_NAME[1].isEmpty()) BUNRUI_L->setText(KUBUN_LEVEL_NAME[1]);
}

void A_ZEMLO_CHG::showRow(qint32 row) {
    curRow_ = row;
    BT_LNO->setText(QString::number(row));
    ZEMLO_CHG_DISP();
}

void A_ZEMLO_CHG::setTaxOption(int taxK) { entry_ui::setTaxOption(taxGroup_, taxK); }

void A_ZEMLO_CHG::loadWarning() {
    ui::MsgBox(QStringLiteral("登録内用に不具合が有ります\r備品名が備品区分無いなど"),
               int(ui::vbOKOnly) + ui::vbExclamation, QStringLiteral("備品"));
}

void A_ZEMLO_CHG::ZEMLO_CHG_CLEAR() {
    if (BOX_EMPTY(BIN_D->text())) DP_WI->setCurrentIndex(1);
    OP_BYE->setChecked(true);
    OP_BYE_Click();
    OP_OUT->setChecked(true);
    OP_OUT_Click();
    ++cascade->mute;
    KH_KUBUN->setCurrentIndex(-1);
    KUBUN->setCurrentIndex(-1);
    --cascade->mute;
    entry_ui::fillNameList(SHOP, SHOP_LIST);
    entry_ui::fillNameList(MAKER, MAKER_LIST);
    entry_ui::fillNameList(KEEP, KEEP_LIST);
    B_MONY->clear();
    MAKER_NO->clear();
    MSG->clear();
}

void A_ZEMLO_CHG::ZEMLO_CHG_DISP() {
    ui::BusyPointer busy;
    ZEMLO_CHG_CLEAR();
    if (ZEMLO_COUNT == 0) return;
    if (curRow_ >= 1 && curRow_ <= INDEX_COUNT) EDIT_IDX = ZEMLO_INDEX[curRow_ - 1].IDX;
    if (EDIT_IDX < 0 || EDIT_IDX >= ZEMLO_COUNT) return;
    const ZEMLO_REC r = ZEMLO_DATA[EDIT_IDX];

    if (r.MOVE_F & 1) OP_MOVE->setChecked(true);
    else OP_BYE->setChecked(true);
    MOVE_N->setText(r.MOVE_N);
    if (r.MOVE_F & 2) OP_MOVE2->setChecked(true);
    else OP_OUT->setChecked(true);
    MOVE_N2->setText(r.MOVE_N2);

    if (r.BY_W >= 3 && r.BY_W <= 5) DP_W->setCurrentIndex(r.BY_W - 3);
    else loadWarning();
    BY_Y->setText(QString::number(r.BY_Y));
    B_NO->setText(QString::number(r.B_NO));
    B_NOS->setText(QString::number(r.B_NOS));

    entry_ui::showDate({DP_WI, BIN_Y, BIN_M, BIN_D}, r.BIN_Y, r.BIN_M, r.BIN_D);
    EDIT_WAS_OUT = r.BOUT_Y == 0 ? 0 : 1;
    entry_ui::showDate({DP_WO, BOUT_Y, BOUT_M, BOUT_D}, r.BOUT_Y, r.BOUT_M, r.BOUT_D);

    // The cascade, as the user's choices would run it; the stored numbers
    // then replace what it proposed.
    if (!entry_ui::chooseText(KH_KUBUN, r.KEIHI, nullptr)) loadWarning();
    if (!entry_ui::chooseText(KUBUN, r.KUBUN, [this] { cascade->KUBUN_Click(); })) loadWarning();
    if (!entry_ui::chooseText(KYOUKA, r.KYOUKA, [this] { cascade->KYOUKA_Click(); })) loadWarning();
    NO_KY->setText(QString::number(r.NO_KY));
    if (!entry_ui::chooseText(BUNRUI, r.BUNRUI, [this] { cascade->BUNRUI_Click(); })) loadWarning();
    NO_BU->setText(r.NO_BU);
    if (!entry_ui::chooseText(NAME_D, r.NAME_D, [this] { cascade->NAME_D_Click(); })) loadWarning();
    if (r.FUNC_NO >= 0 && r.FUNC_NO <= 4) FUNC_D->setCurrentIndex(r.FUNC_NO);
    else loadWarning();

    setTaxOption(r.TAX_K);
    TAX->setText(QString::number(r.TAX));
    B_MONY->setText(QString::number(r.B_MONY));
    KEEP->setEditText(r.KEEP);
    SHOP->setEditText(r.SHOP);
    MAKER->setEditText(r.MAKER);
    MAKER_NO->setText(r.MAKER_NO);
    MSG->setText(r.MSG);
    ZEMLO_CHG_MONY();
    EDIT_DIRTY = 0;
}

ZEMLO_CHG_FORM A_ZEMLO_CHG::formValues() const {
    ZEMLO_CHG_FORM f;
    f.DP_W = DP_W->currentIndex();
    f.BY_Y = BY_Y->text();
    f.B_NO = B_NO->text();
    f.B_NOS = B_NOS->text();
    f.KH_KUBUN = KH_KUBUN->currentIndex() >= 0 ? KH_KUBUN->currentText() : QString();
    f.KUBUN = KUBUN->currentIndex() >= 0 ? KUBUN->currentText() : QString();
    f.KYOUKA = KYOUKA->currentIndex() >= 0 ? KYOUKA->currentText() : QString();
    f.NO_KY = NO_KY->text();
    f.BUNRUI = BUNRUI->currentIndex() >= 0 ? BUNRUI->currentText() : QString();
    f.NO_BU = NO_BU->text();
    f.NAME_D = NAME_D->currentIndex() >= 0 ? NAME_D->currentText() : QString();
    f.FUNC_D = std::max(FUNC_D->currentIndex(), 0);
    f.FUNC_TEXT = FUNC_D->currentIndex() > 0 ? FUNC_D->currentText() : QString();
    f.SEL_KUBUN_IDX = cascade->SEL_KUBUN_IDX;
    f.B_MONY = B_MONY->text();
    f.TAX_K = entry_ui::taxOption(taxGroup_);
    f.TAX = TAX->text();
    f.SHOP = SHOP->currentText();
    f.MAKER = MAKER->currentText();
    f.MAKER_NO = MAKER_NO->text();
    f.KEEP = KEEP->currentText();
    f.MSG = MSG->text();
    f.OP_MOVE = OP_MOVE->isChecked();
    f.OP_MOVE2 = OP_MOVE2->isChecked();
    f.MOVE_N = MOVE_N->text();
    f.MOVE_N2 = MOVE_N2->text();
    f.DP_WI = DP_WI->currentIndex();
    f.BIN_Y = BIN_Y->text();
    f.BIN_M = BIN_M->text();
    f.BIN_D = BIN_D->text();
    f.DP_WO = DP_WO->currentIndex();
    f.BOUT_Y = BOUT_Y->text();
    f.BOUT_M = BOUT_M->text();
    f.BOUT_D = BOUT_D->text();
    return f;
}

bool A_ZEMLO_CHG::ZEMLO_CHG_CHECK() { return ::ZEMLO_CHG_CHECK(formValues()); }

void A_ZEMLO_CHG::ZEMLO_CHG_SET() {
    if (::ZEMLO_CHG_SET(formValues(), EDIT_IDX, EDIT_WAS_OUT == 1)) EDIT_KUBUN_SAVE = 1;
    EDIT_DIRTY = 0;
}

bool A_ZEMLO_CHG::saveIfDirty() {
    if (EDIT_DIRTY != 1) return true;
    if (!ZEMLO_CHG_CHECK()) return false;
    if (!ZEMLO_CHG_DUP_ASK(formValues(), EDIT_IDX)) return false;
    ZEMLO_CHG_SET();
    ZEMLO_CHANGED = 1;
    // The change is written at once; the master's stamps with it when touched.
    store::saveChanged(store::ITEMS | (EDIT_KUBUN_SAVE == 1 ? store::MASTER : 0u));
    return true;
}

void A_ZEMLO_CHG::ZEMLO_CHG_MONY() {
    if (entry_ui::showAmount(MONY_T, 1, BOX_VALUE(B_MONY->text()), TAX_OUT->isChecked(), BOX_VALUE(TAX->text())))
        dirty();
}

void A_ZEMLO_CHG::BT_DEC_Click() {
    if (curRow_ <= 1) return;
    if (!saveIfDirty()) return;
    showRow(curRow_ - 1);
}

void A_ZEMLO_CHG::BT_INC_Click() {
    if (curRow_ >= INDEX_COUNT) return;
    if (!saveIfDirty()) return;
    showRow(curRow_ + 1);
}

void A_ZEMLO_CHG::BT_LNO_Enter() {
    // Only rows of the list's view are loaded; edits not yet saved are dropped.
    const qint64 row = BOX_VALUE(BT_LNO->text());
    if (row < 1 || row > INDEX_COUNT) {
        BT_LNO->setText(QString::number(curRow_));
        return;
    }
    showRow(static_cast<qint32>(row));
}

void A_ZEMLO_CHG::BY_Y_Change() {
    dirty();
    if (BOX_EMPTY(BY_Y->text())) {
        B_NO->clear();
        return;
    }
    const qint16 e = static_cast<qint16>(DP_W->currentIndex() + 3);
    const qint64 y = BOX_VALUE(BY_Y->text());
    qint32 no = 0;
    for (qint32 i = 0; i < NO_GROUP_COUNT; ++i)
        if (NO_GROUP[i].BY_W == e && NO_GROUP[i].BY_Y == y) no = NO_GROUP[i].B_NO;
    B_NO->setText(QString::number(no + 1));
}

void A_ZEMLO_CHG::ZL24_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    if (button != Qt::LeftButton || shiftState(mods) == Qt::NoModifier) return;
    const QDate today = clk::today();
    const int row = std::max(DP_WO->currentIndex(), 0);
    BOUT_Y->setText(QString::number(today.year() - ERA_TABLE[row].ERA_BASE));
    BOUT_M->setText(QString::number(today.month()));
    BOUT_D->setText(QString::number(today.day()));
}

void A_ZEMLO_CHG::OP_BYE_Click() {
    entry_ui::showMoveName(MOVE_N, MOVE_N_L, false);
    dirty();
}

void A_ZEMLO_CHG::OP_MOVE_Click() {
    entry_ui::showMoveName(MOVE_N, MOVE_N_L, true);
    dirty();
}

void A_ZEMLO_CHG::OP_OUT_Click() {
    entry_ui::showMoveName(MOVE_N2, MOVE_N2_L, false);
    dirty();
}

void A_ZEMLO_CHG::OP_MOVE2_Click() {
    entry_ui::showMoveName(MOVE_N2, MOVE_N2_L, true);
    dirty();
}

void A_ZEMLO_CHG::B_ESC_Click() { Unload(); }

void A_ZEMLO_CHG::Form_Unload(int& Cancel) {
    ui::BusyPointer busy;
    // A failed check or a refused duplicate drops the edits; the window closes.
    saveIfDirty();
    if (EDIT_KUBUN_SAVE == 1) {
        KUBUN_FLAGS &= ~1;
        KUBUN_SORT();
        if (cascade->NEW_SUBJECT == 1) KYOUKA_INDEX_MAKE();
        EDIT_KUBUN_SAVE = 0;
    }
    FORM_POS_SAVE(this);
}

bool ZEMLO_CHG_SHOW() {
    if (INDEX_COUNT <= 0 || ZEMLO_COUNT <= 0) return false;
    platform::FormInstance<A_ZEMLO_CHG>::get()->ShowModal();
    return true;
}

#include "register/item_entry.h"

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
#include "register/item_change.h"
#include "register/item_list.h"
#include "register/plan_picker.h"
#include "common/form_position.h"
#include "store/state.h"

using entry_ui::caption;
using entry_ui::combo;
using entry_ui::numberBox;
using entry_ui::place;

A_ZEMLO_IN::A_ZEMLO_IN() : platform::Form(QStringLiteral("A_ZEMLO_IN")) {
    setCaption(QStringLiteral("備品登録"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    buildControls();
    EntryCascade::Controls cc{KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D, FUNC_D};
    cascade = new EntryCascade(cc, false);
    cascade->setParent(this);
    cascade->onEnable = [this] { ZEMLO_IN_ENABLE(); };
    cascade->onDirty = [this] { setDirty(); };
}

// The base destructors close the window, which moves the focus and runs the
// cascade's handlers; by then this part of the window is gone, so the cascade
// goes first and calls nothing back.
A_ZEMLO_IN::~A_ZEMLO_IN() { delete cascade; }

void A_ZEMLO_IN::buildControls() {
    const int c1 = 120, in = 1500;
    caption(this, QStringLiteral("購入移設年度"), c1, 150, 1350);
    DP_W = combo(this, "DP_W", false, in, 120, 900);
    BY_Y = numberBox(this, "BY_Y", 2460, 120, 600);
    caption(this, QStringLiteral("年度"), 3100, 150, 450);
    caption(this, QStringLiteral("番号"), 3600, 150, 450);
    B_NO = numberBox(this, "B_NO", 4080, 120, 800);
    caption(this, QStringLiteral("枝番Ｓ"), 5000, 150, 650);
    B_NOS = numberBox(this, "B_NOS", 5650, 120, 700);
    caption(this, QStringLiteral("枝番Ｅ"), 6480, 150, 650);
    B_NOE = entry_ui::display(this, "B_NOE", 7130, 120, 700);

    const auto move = entry_ui::optionPair(this, QStringLiteral("購入・移設"), c1, 420, "OP_BYE", QStringLiteral("購入"),
                                           "OP_MOVE", QStringLiteral("移設"));
    OP_BYE = move.first;
    OP_MOVE = move.second;
    OP_BYE->setChecked(true);
    MOVE_N_L = caption(this, QStringLiteral("移設元"), 3000, 690, 700);
    MOVE_N = entry_ui::box(this, "MOVE_N", 3700, 660, 4130, 50, false);
    MOVE_N_L->setVisible(false);
    MOVE_N->setVisible(false);

    caption(this, QStringLiteral("購入移設  年月日"), c1, 1170, 1380);
    const auto bought = entry_ui::dateBoxes(this, "DP_WB", "BIN_Y", "BIN_M", "BIN_D", 1140);
    DP_WB = bought.era;
    BIN_Y = bought.y;
    BIN_M = bought.m;
    BIN_D = bought.d;

    caption(this, QStringLiteral("経費区分"), c1, 1590, 1300);
    KH_KUBUN = combo(this, "KH_KUBUN", false, in, 1560, 2200);
    caption(this, QStringLiteral("備品区分"), c1, 2010, 1300);
    KUBUN = combo(this, "KUBUN", false, in, 1980, 2200);
    KYOUKA_L = caption(this, QString(), c1, 2430, 1300);
    KYOUKA = combo(this, "KYOUKA", true, in, 2400, 3300);
    NO_KY = numberBox(this, "NO_KY", 4900, 2400, 700);
    BUNRUI_L = caption(this, QString(), c1, 2850, 1300);
    BUNRUI = combo(this, "BUNRUI", true, in, 2820, 3300);
    NO_BU = entry_ui::box(this, "NO_BU", 4900, 2820, 700, 3, false);
    caption(this, QStringLiteral("品名"), c1, 3270, 1300);
    NAME_D = combo(this, "NAME_D", true, in, 3240, 3300);
    caption(this, QStringLiteral("機能"), 5760, 3270, 500);
    FUNC_D = combo(this, "FUNC_D", false, 6260, 3240, 1570);

    caption(this, QStringLiteral("数量"), c1, 3750, 1300);
    B_COUNT = numberBox(this, "B_COUNT", in, 3720, 800);
    caption(this, QStringLiteral("単価"), 2450, 3750, 500);
    B_MONY = numberBox(this, "B_MONY", 2950, 3720, 1300);
    const auto tax = entry_ui::taxOptions(this, 4400, 3480);
    TAX_OUT = tax.out;
    TAX_IN = tax.in;
    TAX_NO = tax.no;
    taxGroup_ = tax.group;
    TAX = numberBox(this, "TAX", 7050, 3720, 480);
    caption(this, QStringLiteral("％"), 7560, 3750, 270);
    caption(this, QStringLiteral("金額"), c1, 4200, 1300);
    MONY_T = entry_ui::display(this, "MONY_T", in, 4170, 1800);

    caption(this, QStringLiteral("保管場所"), c1, 4650, 1300);
    KEEP = combo(this, "KEEP", true, in, 4620, 4000);
    caption(this, QStringLiteral("購入先"), c1, 5070, 1300);
    SHOP = combo(this, "SHOP", true, in, 5040, 4000);
    caption(this, QStringLiteral("メーカー名"), c1, 5490, 1300);
    MAKER = combo(this, "MAKER", true, in, 5460, 4000);
    caption(this, QStringLiteral("メーカー型番"), c1, 5910, 1300);
    MAKER_NO = entry_ui::box(this, "MAKER_NO", in, 5880, 4000, 50, false);
    caption(this, QStringLiteral("備考"), c1, 6330, 1300);
    MSG = entry_ui::box(this, "MSG", in, 6300, 6330, 100, false);

    B_CHKP = entry_ui::button(this, "B_CHKP", QStringLiteral("計画参照"), in, 6840, 1200);
    B_ADD = entry_ui::button(this, "B_ADD", QStringLiteral("登録"), 5340, 6840, 1150);
    B_ESC = entry_ui::button(this, "B_ESC", QStringLiteral("閉じる"), 6680, 6840, 1150);

    // The tab order is the order of the fields.
    QWidget* order[] = {DP_W,  BY_Y,   B_NO,    B_NOS,  OP_BYE, OP_MOVE, MOVE_N,  DP_WB,  BIN_Y,
                        BIN_M, BIN_D,  KH_KUBUN, KUBUN, KYOUKA, NO_KY,   BUNRUI,  NO_BU,  NAME_D,
                        FUNC_D, B_COUNT, B_MONY, TAX_OUT, TAX_IN, TAX_NO, TAX,     KEEP,   SHOP,
                        MAKER, MAKER_NO, MSG,   B_CHKP, B_ADD,  B_ESC};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    setFixedSize(platform::twipsToPx(7980), platform::twipsToPx(7440));
}

void A_ZEMLO_IN::connectHandlers() {
    connect(BY_Y, &QLineEdit::textChanged, this, [this] { BY_Y_Change(); });
    connect(B_NO, &QLineEdit::textChanged, this, [this] { B_NO_Change(); });
    connect(B_NOS, &QLineEdit::textChanged, this, [this] { B_NOS_Change(); });
    connect(B_COUNT, &QLineEdit::textChanged, this, [this] { B_COUNT_Change(); });
    auto mony = [this] {
        ZEMLO_IN_MONY();
        setDirty();
    };
    connect(B_MONY, &QLineEdit::textChanged, this, mony);
    connect(TAX, &QLineEdit::textChanged, this, mony);
    connect(taxGroup_, &QButtonGroup::idToggled, this, [mony](int, bool on) {
        if (on) mony();
    });
    auto dirty = [this] { setDirty(); };
    connect(DP_W, &QComboBox::activated, this, dirty);
    connect(DP_WB, &QComboBox::activated, this, dirty);
    for (QLineEdit* e : {BIN_Y, BIN_M, BIN_D, MOVE_N, MAKER_NO, MSG}) connect(e, &QLineEdit::textChanged, this, dirty);
    for (QComboBox* c : {KEEP, SHOP, MAKER}) {
        connect(c, &QComboBox::activated, this, dirty);
        connect(c, &QComboBox::editTextChanged, this, dirty);
    }
    connect(KH_KUBUN, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_) return;
        ZEMLO_IN_ENABLE();
        setDirty();
    });
    connect(OP_BYE, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_BYE_Click();
    });
    connect(OP_MOVE, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OP_MOVE_Click();
    });
    connect(B_ADD, &QPushButton::clicked, this, [this] { B_ADD_Click(); });
    connect(B_CHKP, &QPushButton::clicked, this, [this] { B_CHKP_Click(); });
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    cascade->connectControls();

    for (QWidget* w : {static_cast<QWidget*>(BY_Y), static_cast<QWidget*>(B_NO), static_cast<QWidget*>(B_NOS),
                       static_cast<QWidget*>(BIN_Y), static_cast<QWidget*>(BIN_M), static_cast<QWidget*>(BIN_D),
                       static_cast<QWidget*>(KUBUN), static_cast<QWidget*>(KYOUKA), static_cast<QWidget*>(BUNRUI),
                       static_cast<QWidget*>(NAME_D), static_cast<QWidget*>(B_COUNT), static_cast<QWidget*>(B_MONY),
                       static_cast<QWidget*>(KEEP), static_cast<QWidget*>(SHOP), static_cast<QWidget*>(MAKER),
                       static_cast<QWidget*>(MAKER_NO)})
        w->installEventFilter(this);
}

bool A_ZEMLO_IN::eventFilter(QObject* watched, QEvent* event) {
    // The Enter chain: the focus moves on and the key is consumed.
    if (entry_ui::enterChain(watched, event,
                             {{BY_Y, B_NO},      {B_NO, B_NOS},     {B_NOS, BIN_Y},   {BIN_Y, BIN_M},
                              {BIN_M, BIN_D},    {BIN_D, KH_KUBUN}, {KUBUN, KYOUKA},  {KYOUKA, BUNRUI},
                              {BUNRUI, NAME_D},  {NAME_D, B_COUNT}, {B_COUNT, B_MONY}, {B_MONY, KEEP},
                              {KEEP, SHOP},      {SHOP, MAKER},     {MAKER, MAKER_NO}, {MAKER_NO, MSG}},
                             cascade))
        return true;
    // Any other key in a name box counts as input.
    if (event->type() == QEvent::KeyPress && (watched == KEEP || watched == SHOP || watched == MAKER)) setDirty();
    return platform::Form::eventFilter(watched, event);
}

void A_ZEMLO_IN::Form_Load() {
    ui::BusyPointer busy;
    FORM_POS_READ(this);
    connectHandlers();
    ++filling_;
    ++cascade->mute;
    vars.IN_KUBUN_SAVE = vars.IN_ETC_SAVE = vars.IN_ZEMLO_SAVE = 0;
    entry_ui::fillChoiceLists({DP_W, DP_WB}, KH_KUBUN, KUBUN, FUNC_D);
    --cascade->mute;
    --filling_;
    B_CHKP->setEnabled(P_ZEMLO_COUNT > 0);

    ZEMLO_IN_CLEAR();
    if (ZEMLO_IN_STATE == 1) ZEMLO_IN_CARRY();

    vars.IN_DIRTY = 0;
    B_ADD->setEnabled(false);
    KYOUKA_L->setText(KUBUN_LEVEL_NAME[0]);
    BUNRUI_L->setText(KUBUN_LEVEL_NAME[1]);
}

void A_ZEMLO_IN::applyFiscalDefault() {
    int row = 2, year = 0;
    FISCAL_YEAR_DEFAULT(clk::today(), &row, &year);
    DP_W->setCurrentIndex(row);
    BY_Y->setText(QString::number(year));
}

void A_ZEMLO_IN::setTaxOption(int taxK) { entry_ui::setTaxOption(taxGroup_, taxK); }

void A_ZEMLO_IN::fillNameLists() {
    entry_ui::fillNameList(SHOP, SHOP_LIST);
    entry_ui::fillNameList(MAKER, MAKER_LIST);
    entry_ui::fillNameList(KEEP, KEEP_LIST);
}

void A_ZEMLO_IN::ZEMLO_IN_CLEAR() {
    if (BOX_EMPTY(BIN_D->text())) {
        int row = 2, year = 0;
        FISCAL_YEAR_DEFAULT(clk::today(), &row, &year);
        DP_W->setCurrentIndex(row);
        DP_WB->setCurrentIndex(2);
        OP_BYE->setChecked(true);
        TAX->setText(QString::number(TAX_RATE));
        setTaxOption(TAX_MODE == 1 ? 2 : TAX_MODE == 2 ? 3 : 1);
    }
    BY_Y->clear();
    B_NO->clear();
    B_NOS->clear();
    if (!(SET_FLAGS & 2)) applyFiscalDefault();
    fillNameLists();
    if (!(SET_FLAGS & 4)) {
        ++cascade->mute;
        KH_KUBUN->setCurrentIndex(-1);
        KUBUN->setCurrentIndex(-1);
        cascade->SEL_KUBUN_IDX = 0;
        for (QComboBox* c : {KYOUKA, BUNRUI, NAME_D}) {
            c->clear();
            c->setEditText(QString());
        }
        NO_KY->clear();
        NO_BU->clear();
        MOVE_N->clear();
        FUNC_D->setCurrentIndex(0);
        --cascade->mute;
        OP_BYE->setChecked(true);
        BIN_Y->clear();
        BIN_M->clear();
        BIN_D->clear();
    }
    B_COUNT->clear();
    B_MONY->clear();
    MAKER_NO->clear();
    MSG->clear();
    if (KUBUN->currentIndex() >= 0) cascade->KYOUKA_COMBO_SET();
    vars.IN_DIRTY = 0;
}

void A_ZEMLO_IN::ZEMLO_IN_CARRY() {
    if (!(SET_FLAGS & 4) || ZEMLO_COUNT <= 0) return;
    const ZEMLO_REC& r = ZEMLO_DATA[ZEMLO_COUNT - 1];
    entry_ui::showDate({DP_WB, BIN_Y, BIN_M, BIN_D}, r.BIN_Y, r.BIN_M, r.BIN_D);

    showCategory(r.KEIHI, [this] { ZEMLO_IN_ENABLE(); }, r.KUBUN, r.KYOUKA, r.NO_KY, r.BUNRUI, r.NO_BU, r.FUNC_NO,
                 r.NAME_D);

    KEEP->setEditText(r.KEEP);
    setTaxOption(r.TAX_K);
    TAX->setText(QString::number(r.TAX));
    SHOP->setEditText(r.SHOP);
    MAKER->setEditText(r.MAKER);
    MAKER_NO->setText(r.MAKER_NO);
    MSG->setText(r.MSG);
}

void A_ZEMLO_IN::showCategory(const QString& keihi, const std::function<void()>& keihiClick, const QString& kubun,
                              const QString& kyouka, qint64 noKy, const QString& bunrui, const QString& noBu,
                              int funcNo, const QString& nameD) {
    entry_ui::chooseText(KH_KUBUN, keihi, keihiClick);
    cascade->showStored(kubun, kyouka, QString::number(noKy), bunrui, noBu, funcNo, nameD);
}

void A_ZEMLO_IN::BY_Y_Change() {
    if (BOX_EMPTY(BY_Y->text())) {
        B_NO->clear();
    } else {
        B_NO->setText(QString::number(ZEMLO_NEXT_NO(static_cast<qint16>(DP_W->currentIndex() + 3),
                                                     BOX_VALUE(BY_Y->text()))));
    }
    setDirty();
}

void A_ZEMLO_IN::B_NO_Change() {
    if (BOX_EMPTY(BY_Y->text())) {
        B_NO->clear();
        return;
    }
    qint32 gi = 0;
    qint32 nos = ZEMLO_NEXT_NOS(static_cast<qint16>(DP_W->currentIndex() + 3), BOX_VALUE(BY_Y->text()),
                                BOX_VALUE(B_NO->text()), &gi);
    vars.IN_GROUP_IDX = gi;
    B_NOS->setText(QString::number(nos));
    setDirty();
}

void A_ZEMLO_IN::B_NOS_Change() {
    qint64 count = BOX_VALUE(B_COUNT->text());
    B_NOE->setText(count < 1 ? QString() : QString::number(BOX_VALUE(B_NOS->text()) + count - 1));
    setDirty();
}

void A_ZEMLO_IN::B_COUNT_Change() {
    qint64 count = BOX_VALUE(B_COUNT->text());
    B_NOE->setText(count < 1 ? QString() : QString::number(BOX_VALUE(B_NOS->text()) + count - 1));
    ZEMLO_IN_MONY();
    ZEMLO_IN_ENABLE();
    setDirty();
}

void A_ZEMLO_IN::ZEMLO_IN_MONY() {
    entry_ui::showAmount(MONY_T, BOX_VALUE(B_COUNT->text()), BOX_VALUE(B_MONY->text()), TAX_OUT->isChecked(),
                         BOX_VALUE(TAX->text()));
}

void A_ZEMLO_IN::ZEMLO_IN_ENABLE() {
    const QString code = NO_BU->text().trimmed();
    bool on = BOX_VALUE(B_COUNT->text()) != 0 && code.size() == 3 && KH_KUBUN->currentIndex() >= 0 &&
              KUBUN->currentIndex() >= 0 && !BOX_EMPTY(KYOUKA->currentText()) &&
              !BOX_EMPTY(BUNRUI->currentText()) && !BOX_EMPTY(NAME_D->currentText()) &&
              !BOX_EMPTY(NO_KY->text()) && !code.isEmpty();
    B_ADD->setEnabled(on);
}

void A_ZEMLO_IN::OP_BYE_Click() {
    entry_ui::showMoveName(MOVE_N, MOVE_N_L, false);
    setDirty();
}

void A_ZEMLO_IN::OP_MOVE_Click() {
    setDirty();
    entry_ui::showMoveName(MOVE_N, MOVE_N_L, true);
}

ZEMLO_IN_FORM A_ZEMLO_IN::formValues() const {
    ZEMLO_IN_FORM f;
    f.DP_W = DP_W->currentIndex();
    f.BY_Y = BY_Y->text();
    f.B_NO = B_NO->text();
    f.B_NOS = B_NOS->text();
    f.OP_MOVE = OP_MOVE->isChecked();
    f.MOVE_N = MOVE_N->text();
    f.DP_WB = DP_WB->currentIndex();
    f.BIN_Y = BIN_Y->text();
    f.BIN_M = BIN_M->text();
    f.BIN_D = BIN_D->text();
    f.KH_KUBUN = KH_KUBUN->currentIndex() >= 0 ? KH_KUBUN->currentText() : QString();
    f.KUBUN = KUBUN->currentIndex() >= 0 ? KUBUN->currentText() : QString();
    f.KYOUKA = KYOUKA->currentText();
    f.NO_KY = NO_KY->text();
    f.BUNRUI = BUNRUI->currentText();
    f.NO_BU = NO_BU->text();
    f.NAME_D = NAME_D->currentText();
    f.FUNC_D = std::max(FUNC_D->currentIndex(), 0);
    f.B_COUNT = B_COUNT->text();
    f.B_MONY = B_MONY->text();
    f.TAX_K = entry_ui::taxOption(taxGroup_);
    f.TAX = TAX->text();
    f.KEEP = KEEP->currentText();
    f.SHOP = SHOP->currentText();
    f.MAKER = MAKER->currentText();
    f.MAKER_NO = MAKER_NO->text();
    f.MSG = MSG->text();
    f.SEL_KUBUN_IDX = cascade->SEL_KUBUN_IDX;
    return f;
}

bool A_ZEMLO_IN::registerNow(bool closing) {
    vars.IN_KYOUKA_MAKE = cascade->NEW_SUBJECT;
    bool stored = ZEMLO_IN_REGISTER(formValues(), vars);
    cascade->NEW_SUBJECT = vars.IN_KYOUKA_MAKE;
    if (!stored) return false;
    {
        ui::BusyPointer busy;
        ZEMLO_IN_CLEAR();
    }
    vars.IN_DIRTY = 0;
    registered_ = true;
    ZEMLO_IN_STATE = 2;
    if (!closing) Unload();
    return true;
}

void A_ZEMLO_IN::B_ADD_Click() { registerNow(false); }

void A_ZEMLO_IN::B_ESC_Click() {
    ZEMLO_IN_STATE = 0;
    Unload();
}

void A_ZEMLO_IN::B_CHKP_Click() {
    PIN_SEL = -1;
    PIN_SHOW(BOX_VALUE(BY_Y->text()));
    if (PIN_SEL < 0 || PIN_SEL >= P_ZEMLO_COUNT) return;
    const P_ZEMLO_REC& p = P_ZEMLO_DATA[PIN_SEL];
    ui::BusyPointer busy;
    showCategory(
        p.KH_KUBUN,
        [this] {
            ZEMLO_IN_ENABLE();
            setDirty();
        },
        p.KUBUN, p.KYOUKA, p.NO_KY, p.BUNRUI, p.NO_BU, p.FUNC_NO, p.NAME_D);
    KEEP->setEditText(p.KEEP);
    setTaxOption(p.TAX_K);
    TAX->setText(QString::number(p.TAX));
    B_COUNT->setText(QString::number(p.B_COUNT));
    B_MONY->setText(QString::number(p.B_MONY));
    SHOP->setEditText(p.SHOP);
    MAKER->setEditText(p.MAKER);
    MAKER_NO->setText(p.MAKER_NO);
    MSG->setText(p.MSG);
    ZEMLO_IN_ENABLE();
}

void A_ZEMLO_IN::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (vars.IN_DIRTY == 1) {
        if (ui::MsgBox(QStringLiteral("データが登録されていません、登録しますか？"), int(ui::vbYesNo) + ui::vbQuestion,
                       kEntryTitle) == ui::vbYes)
            registerNow(true);
    }
    // A close without a registration ends the add loop, whichever way it came.
    if (!registered_) ZEMLO_IN_STATE = 0;
    vars.IN_KYOUKA_MAKE = cascade->NEW_SUBJECT;
    ZEMLO_IN_CLOSE_SAVE(vars);
    cascade->NEW_SUBJECT = 0;
}

void A_ZEMLO_IN::Form_Unload(int& Cancel) { FORM_POS_SAVE(this); }

int ZEMLO_IN_SHOW() {
    A_ZEMLO_IN* w = platform::FormInstance<A_ZEMLO_IN>::get();
    w->ShowModal();
    return ZEMLO_IN_STATE;
}

void ENTRY_WINDOWS_INSTALL() {
    ZEMLO_LIST_WINDOWS.A_ZEMLO_IN = [] { ZEMLO_IN_SHOW(); };
    ZEMLO_LIST_WINDOWS.A_ZEMLO_CHG = [] { ZEMLO_CHG_SHOW(); };
}

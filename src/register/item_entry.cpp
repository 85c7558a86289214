#include "register/item_entry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
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
#include "shell/form_position.h"
#include "store/state.h"

using entry_ui::caption;
using entry_ui::place;

namespace {

QLineEdit* numberBox(QWidget* parent, const char* name, int left, int top, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(12);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(e, left, top, width, 300);
    return e;
}

QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width, int maxLen) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    place(e, left, top, width, 300);
    return e;
}

QComboBox* combo(QWidget* parent, const char* name, bool editable, int left, int top, int width) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(editable);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->lineEdit()->setMaxLength(50);
    }
    c->setMaxVisibleItems(20);
    place(c, left, top, width, 300);
    return c;
}

QString numText(qint64 v) { return v == 0 ? QString() : QString::number(v); }

}  // namespace

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

A_ZEMLO_IN::~A_ZEMLO_IN() = default;

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
    B_NOE = new QLabel(this);
    B_NOE->setObjectName(QStringLiteral("B_NOE"));
    B_NOE->setFrameShape(QFrame::Panel);
    B_NOE->setFrameShadow(QFrame::Sunken);
    B_NOE->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(B_NOE, 7130, 120, 700, 300);

    auto* moveFrame = new QGroupBox(QStringLiteral("購入・移設"), this);
    place(moveFrame, c1, 420, 2700, 630);
    OP_BYE = new QRadioButton(QStringLiteral("購入"), moveFrame);
    OP_BYE->setObjectName(QStringLiteral("OP_BYE"));
    place(OP_BYE, 240, 300, 1000, 270);
    OP_MOVE = new QRadioButton(QStringLiteral("移設"), moveFrame);
    OP_MOVE->setObjectName(QStringLiteral("OP_MOVE"));
    place(OP_MOVE, 1440, 300, 1000, 270);
    OP_BYE->setChecked(true);
    MOVE_N_L = caption(this, QStringLiteral("移設元"), 3000, 690, 700);
    MOVE_N = textBox(this, "MOVE_N", 3700, 660, 4130, 50);
    MOVE_N_L->setVisible(false);
    MOVE_N->setVisible(false);

    caption(this, QStringLiteral("購入移設  年月日"), c1, 1170, 1380);
    DP_WB = combo(this, "DP_WB", false, in + 120, 1140, 900);
    BIN_Y = numberBox(this, "BIN_Y", 2580, 1140, 500);
    caption(this, QStringLiteral("年"), 3110, 1170, 270);
    BIN_M = numberBox(this, "BIN_M", 3390, 1140, 420);
    caption(this, QStringLiteral("月"), 3840, 1170, 270);
    BIN_D = numberBox(this, "BIN_D", 4120, 1140, 420);
    caption(this, QStringLiteral("日"), 4570, 1170, 270);

    caption(this, QStringLiteral("経費区分"), c1, 1590, 1300);
    KH_KUBUN = combo(this, "KH_KUBUN", false, in, 1560, 2200);
    caption(this, QStringLiteral("備品区分"), c1, 2010, 1300);
    KUBUN = combo(this, "KUBUN", false, in, 1980, 2200);
    KYOUKA_L = caption(this, QString(), c1, 2430, 1300);
    KYOUKA = combo(this, "KYOUKA", true, in, 2400, 3300);
    NO_KY = numberBox(this, "NO_KY", 4900, 2400, 700);
    BUNRUI_L = caption(this, QString(), c1, 2850, 1300);
    BUNRUI = combo(this, "BUNRUI", true, in, 2820, 3300);
    NO_BU = textBox(this, "NO_BU", 4900, 2820, 700, 3);
    caption(this, QStringLiteral("品名"), c1, 3270, 1300);
    NAME_D = combo(this, "NAME_D", true, in, 3240, 3300);
    caption(this, QStringLiteral("機能"), 5760, 3270, 500);
    FUNC_D = combo(this, "FUNC_D", false, 6260, 3240, 1570);

    caption(this, QStringLiteral("数量"), c1, 3750, 1300);
    B_COUNT = numberBox(this, "B_COUNT", in, 3720, 800);
    caption(this, QStringLiteral("単価"), 2450, 3750, 500);
    B_MONY = numberBox(this, "B_MONY", 2950, 3720, 1300);
    auto* taxFrame = new QGroupBox(QStringLiteral("消費税"), this);
    place(taxFrame, 4400, 3480, 2550, 630);
    TAX_OUT = new QRadioButton(QStringLiteral("外税"), taxFrame);
    TAX_OUT->setObjectName(QStringLiteral("TAX_OUT"));
    place(TAX_OUT, 120, 300, 800, 270);
    TAX_IN = new QRadioButton(QStringLiteral("内税"), taxFrame);
    TAX_IN->setObjectName(QStringLiteral("TAX_IN"));
    place(TAX_IN, 930, 300, 800, 270);
    TAX_NO = new QRadioButton(QStringLiteral("無し"), taxFrame);
    TAX_NO->setObjectName(QStringLiteral("TAX_NO"));
    place(TAX_NO, 1740, 300, 780, 270);
    taxGroup_ = new QButtonGroup(this);
    taxGroup_->addButton(TAX_OUT, 1);
    taxGroup_->addButton(TAX_IN, 2);
    taxGroup_->addButton(TAX_NO, 3);
    TAX = numberBox(this, "TAX", 7050, 3720, 480);
    caption(this, QStringLiteral("％"), 7560, 3750, 270);
    caption(this, QStringLiteral("金額"), c1, 4200, 1300);
    MONY_T = new QLabel(this);
    MONY_T->setObjectName(QStringLiteral("MONY_T"));
    MONY_T->setFrameShape(QFrame::Panel);
    MONY_T->setFrameShadow(QFrame::Sunken);
    MONY_T->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(MONY_T, in, 4170, 1800, 300);

    caption(this, QStringLiteral("保管場所"), c1, 4650, 1300);
    KEEP = combo(this, "KEEP", true, in, 4620, 4000);
    caption(this, QStringLiteral("購入先"), c1, 5070, 1300);
    SHOP = combo(this, "SHOP", true, in, 5040, 4000);
    caption(this, QStringLiteral("メーカー名"), c1, 5490, 1300);
    MAKER = combo(this, "MAKER", true, in, 5460, 4000);
    caption(this, QStringLiteral("メーカー型番"), c1, 5910, 1300);
    MAKER_NO = textBox(this, "MAKER_NO", in, 5880, 4000, 50);
    caption(this, QStringLiteral("備考"), c1, 6330, 1300);
    MSG = textBox(this, "MSG", in, 6300, 6330, 100);

    B_CHKP = new QPushButton(QStringLiteral("計画参照"), this);
    B_CHKP->setObjectName(QStringLiteral("B_CHKP"));
    place(B_CHKP, in, 6840, 1200, 420);
    B_ADD = new QPushButton(QStringLiteral("登録"), this);
    B_ADD->setObjectName(QStringLiteral("B_ADD"));
    place(B_ADD, 5340, 6840, 1150, 420);
    B_ESC = new QPushButton(QStringLiteral("閉じる"), this);
    B_ESC->setObjectName(QStringLiteral("B_ESC"));
    place(B_ESC, 6680, 6840, 1150, 420);
    for (QPushButton* b : {B_CHKP, B_ADD, B_ESC}) b->setAutoDefault(false);

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
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
            // The Enter chain: the focus moves on and the key is consumed.
            const std::pair<QObject*, QWidget*> chain[] = {
                {BY_Y, B_NO},       {B_NO, B_NOS},   {B_NOS, BIN_Y},  {BIN_Y, BIN_M},   {BIN_M, BIN_D},
                {BIN_D, KH_KUBUN},  {KUBUN, KYOUKA}, {KYOUKA, BUNRUI}, {BUNRUI, NAME_D}, {NAME_D, B_COUNT},
                {B_COUNT, B_MONY},  {B_MONY, KEEP},  {KEEP, SHOP},    {SHOP, MAKER},    {MAKER, MAKER_NO},
                {MAKER_NO, MSG}};
            for (const auto& [from, to] : chain) {
                if (from != watched) continue;
                if (from == KYOUKA) cascade->KYOUKA_LostFocus();
                if (from == BUNRUI) cascade->BUNRUI_LostFocus();
                to->setFocus(Qt::TabFocusReason);
                return true;
            }
        } else if (watched == KEEP || watched == SHOP || watched == MAKER) {
            setDirty();
        }
    }
    return platform::Form::eventFilter(watched, event);
}

void A_ZEMLO_IN::Form_Load() {
    ui::BusyPointer busy;
    FORM_POS_READ(this);
    connectHandlers();
    ++filling_;
    ++cascade->mute;
    vars.IN_KUBUN_SAVE = vars.IN_ETC_SAVE = 0;
    for (QComboBox* c : {DP_W, DP_WB}) {
        for (const ERA_ROW& e : ERA_TABLE) c->addItem(e.ERA_NAME);
        c->setCurrentIndex(2);
    }
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) KH_KUBUN->addItem(k);
    for (const QString& k : KUBUN_NAMES)
        if (!k.isEmpty()) KUBUN->addItem(k);
    KH_KUBUN->setCurrentIndex(-1);
    KUBUN->setCurrentIndex(-1);
    for (const char* f : {"", "発表", "道具", "実験", "情報"}) FUNC_D->addItem(QString::fromUtf8(f));
    FUNC_D->setCurrentIndex(0);
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

void A_ZEMLO_IN::setTaxOption(int taxK) {
    taxGroup_->setExclusive(false);
    for (QRadioButton* b : {TAX_OUT, TAX_IN, TAX_NO}) b->setChecked(false);
    taxGroup_->setExclusive(true);
    if (taxK == 1) TAX_OUT->setChecked(true);
    else if (taxK == 2) TAX_IN->setChecked(true);
    else if (taxK == 3) TAX_NO->setChecked(true);
}

void A_ZEMLO_IN::fillNameLists() {
    auto fill = [](QComboBox* box, const std::array<QString, NAME_LIST_SLOTS>& list) {
        QSignalBlocker block(box);
        box->clear();
        for (int i = 0; i <= 200; ++i)
            if (!list[i].isEmpty()) box->addItem(list[i]);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    };
    fill(SHOP, SHOP_LIST);
    fill(MAKER, MAKER_LIST);
    fill(KEEP, KEEP_LIST);
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
    if (r.BIN_Y != 0) {
        int row = ERA_ROW_OF(QDate(r.BIN_Y, r.BIN_M, r.BIN_D));
        if (row >= 0) DP_WB->setCurrentIndex(row);
        BIN_Y->setText(QString::number(r.BIN_Y - ERA_TABLE[std::max(DP_WB->currentIndex(), 0)].ERA_BASE));
    } else {
        BIN_Y->clear();
    }
    BIN_M->setText(numText(r.BIN_M));
    BIN_D->setText(numText(r.BIN_D));

    entry_ui::chooseText(KH_KUBUN, r.KEIHI, [this] { ZEMLO_IN_ENABLE(); });
    entry_ui::chooseText(KUBUN, r.KUBUN, [this] { cascade->KUBUN_Click(); });
    KYOUKA->setEditText(r.KYOUKA);
    NO_KY->setText(QString::number(r.NO_KY));
    cascade->BUNRUI_COMBO_SET();
    BUNRUI->setEditText(r.BUNRUI);
    NO_BU->setText(r.NO_BU);
    FUNC_D->setCurrentIndex(r.FUNC_NO >= 0 && r.FUNC_NO <= 4 ? r.FUNC_NO : 0);
    cascade->NAME_COMBO_SET();
    NAME_D->setEditText(r.NAME_D);

    KEEP->setEditText(r.KEEP);
    setTaxOption(r.TAX_K);
    TAX->setText(QString::number(r.TAX));
    SHOP->setEditText(r.SHOP);
    MAKER->setEditText(r.MAKER);
    MAKER_NO->setText(r.MAKER_NO);
    MSG->setText(r.MSG);
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
    qint64 count = BOX_VALUE(B_COUNT->text()), price = BOX_VALUE(B_MONY->text());
    if (count == 0 || price == 0) {
        MONY_T->clear();
        return;
    }
    MONY_T->setText(AMOUNT_TEXT(ITEM_AMOUNT(price, count, TAX_OUT->isChecked(), BOX_VALUE(TAX->text()))));
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
    MOVE_N->clear();
    MOVE_N->setVisible(false);
    MOVE_N_L->setVisible(false);
    setDirty();
}

void A_ZEMLO_IN::OP_MOVE_Click() {
    setDirty();
    MOVE_N->setVisible(true);
    MOVE_N_L->setVisible(true);
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
    f.TAX_K = TAX_NO->isChecked() ? 3 : TAX_OUT->isChecked() ? 1 : TAX_IN->isChecked() ? 2 : 0;
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
    entry_ui::chooseText(KH_KUBUN, p.KH_KUBUN, [this] {
        ZEMLO_IN_ENABLE();
        setDirty();
    });
    entry_ui::chooseText(KUBUN, p.KUBUN, [this] { cascade->KUBUN_Click(); });
    KYOUKA->setEditText(p.KYOUKA);
    NO_KY->setText(QString::number(p.NO_KY));
    cascade->BUNRUI_COMBO_SET();
    BUNRUI->setEditText(p.BUNRUI);
    NO_BU->setText(p.NO_BU);
    FUNC_D->setCurrentIndex(p.FUNC_NO >= 0 && p.FUNC_NO <= 4 ? p.FUNC_NO : 0);
    cascade->NAME_COMBO_SET();
    NAME_D->setEditText(p.NAME_D);
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

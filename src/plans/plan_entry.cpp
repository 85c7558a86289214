#include "plans/plan_entry.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/ui.h"
#include "plans/plan_list.h"
#include "plans/plan_rules.h"
#include "register/entry_cascade.h"
#include "common/form_position.h"
#include "store/state.h"

using entry_ui::caption;
using entry_ui::place;

namespace {

QComboBox* comboAt(QWidget* parent, const char* name, bool editable, int l, int t, int w, int h) {
    QComboBox* c = entry_ui::combo(parent, name, editable, l, t, w);
    place(c, l, t, w, h);
    return c;
}

QLineEdit* boxAt(QWidget* parent, const char* name, int l, int t, int w, int h, int maxLen, bool number) {
    QLineEdit* e = number ? entry_ui::numberBox(parent, name, l, t, w) : entry_ui::box(parent, name, l, t, w, maxLen, false);
    if (number) e->setMaxLength(maxLen);
    place(e, l, t, w, h);
    return e;
}

// Empties a combo's list and its text without raising its handlers.
void emptyCombo(QComboBox* box) {
    QSignalBlocker block(box);
    box->clear();
    if (box->isEditable()) box->setEditText(QString());
}

}  // namespace

P_ZEMLO_IN::P_ZEMLO_IN() : platform::Form(QStringLiteral("P_ZEMLO_IN")) {
    setCaption(kPlanTitle);
    setFont(ctl::dialogFont());
    buildControls();
    EntryCascade::Controls cc{KUBUN, KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D, FUNC_D};
    cascade = new EntryCascade(cc, true);
    cascade->setParent(this);
    cascade->onEnable = [this] { P_IN_ADD_ENABLE(); };
}

P_ZEMLO_IN::~P_ZEMLO_IN() = default;

void P_ZEMLO_IN::buildControls() {
    caption(this, QStringLiteral("購入年度"), 480, 120, 900);
    DP_W = comboAt(this, "DP_W", false, 360, 480, 975, 345);
    BY_Y = boxAt(this, "BY_Y", 1320, 480, 495, 375, 6, true);
    caption(this, QStringLiteral("年度"), 1920, 600, 500);
    caption(this, QStringLiteral("経費区分"), 3000, 270, 1000);
    KH_KUBUN = comboAt(this, "KH_KUBUN", false, 4080, 240, 1095, 345);
    caption(this, QStringLiteral("備品区分"), 3000, 750, 1000);
    KUBUN = comboAt(this, "KUBUN", false, 4080, 720, 1095, 345);

    ZL08 = caption(this, QString(), 480, 1320, 1380);
    ZL08->setObjectName(QStringLiteral("ZL08"));
    NO_KY = boxAt(this, "NO_KY", 1920, 1320, 735, 300, 6, true);
    KYOUKA = comboAt(this, "KYOUKA", true, 2760, 1320, 2880, 345);
    ZL09 = caption(this, QString(), 600, 1800, 1260);
    ZL09->setObjectName(QStringLiteral("ZL09"));
    NO_BU = boxAt(this, "NO_BU", 1920, 1800, 735, 300, 3, false);
    BUNRUI = comboAt(this, "BUNRUI", true, 2760, 1800, 2880, 345);
    caption(this, QStringLiteral("品名"), 2040, 2310, 700);
    NAME_D = comboAt(this, "NAME_D", true, 2760, 2280, 2880, 345);
    caption(this, QStringLiteral("機能"), 2040, 2790, 700);
    FUNC_D = comboAt(this, "FUNC_D", false, 2760, 2760, 1095, 345);

    const auto tax = entry_ui::taxOptions(this, 120, 3120, true);
    TAX_OUT = tax.out;
    TAX_IN = tax.in;
    TAX_NO = tax.no;
    taxGroup_ = tax.group;
    TAX = boxAt(tax.frame, "TAX", 960, 360, 495, 375, 6, true);
    caption(tax.frame, QStringLiteral("％"), 1480, 420, 270);

    caption(this, QStringLiteral("数量"), 2280, 3300, 700);
    B_COUNT = boxAt(this, "B_COUNT", 2160, 3600, 735, 375, 12, true);
    caption(this, QStringLiteral("単価"), 3360, 3300, 700);
    B_MONY = boxAt(this, "B_MONY", 3000, 3600, 1215, 375, 12, true);
    caption(this, QStringLiteral("金額"), 4560, 3300, 700);
    MONY_T = entry_ui::display(this, "MONY_T", 4320, 3600, 1335);
    place(MONY_T, 4320, 3600, 1335, 375);
    caption(this, QStringLiteral("現有数"), 2160, 4200, 800);
    COUNT_NOW = entry_ui::display(this, "COUNT_NOW", 3000, 4200, 735);
    place(COUNT_NOW, 3000, 4200, 735, 255);

    caption(this, QStringLiteral("納入場所"), 6360, 750, 900);
    KEEP = comboAt(this, "KEEP", true, 7320, 720, 2175, 345);
    caption(this, QStringLiteral("メーカー名"), 6120, 1230, 1150);
    MAKER = comboAt(this, "MAKER", true, 7320, 1200, 2175, 345);
    caption(this, QStringLiteral("(規格)"), 6360, 1440, 900);
    caption(this, QStringLiteral("メーカー型番"), 6000, 1710, 1300);
    MAKER_NO = boxAt(this, "MAKER_NO", 7320, 1680, 2175, 330, 50, false);
    caption(this, QStringLiteral("(品質)"), 6360, 1920, 900);
    caption(this, QStringLiteral("カタログ"), 6240, 2220, 840);
    CATALOG = comboAt(this, "CATALOG", true, 7080, 2160, 2415, 345);
    caption(this, QStringLiteral("ページ"), 6240, 2550, 840);
    CATALOG_P = boxAt(this, "CATALOG_P", 7080, 2520, 735, 330, 10, false);
    caption(this, QStringLiteral("備考"), 6000, 2880, 900);
    MSG = boxAt(this, "MSG", 6000, 3120, 3615, 330, 100, false);

    B_ADD = entry_ui::button(this, "B_ADD", QStringLiteral("登録"), 6840, 120, 735);
    place(B_ADD, 6840, 120, 735, 375);
    B_ESC = entry_ui::button(this, "B_ESC", QStringLiteral("閉じる"), 7800, 120, 855);
    place(B_ESC, 7800, 120, 855, 375);
    setCancelButton(B_ESC);

    QWidget* order[] = {BY_Y,     KH_KUBUN, KUBUN,     KYOUKA, BUNRUI, NAME_D, B_COUNT, B_MONY,
                        KEEP,     MAKER,    MAKER_NO,  CATALOG, CATALOG_P, MSG, NO_KY,  NO_BU,
                        B_ESC,    B_ADD,    TAX_OUT,   TAX_IN, TAX_NO, TAX,    FUNC_D,  DP_W};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    setFixedSize(platform::twipsToPx(9705), platform::twipsToPx(4860));
}

void P_ZEMLO_IN::connectHandlers() {
    auto mony = [this] { P_ZEMLO_MONY_CALC(); };
    for (QLineEdit* e : {B_COUNT, B_MONY, TAX}) connect(e, &QLineEdit::textChanged, this, mony);
    connect(taxGroup_, &QButtonGroup::idToggled, this, [mony](int, bool on) {
        if (on) mony();
    });
    auto enable = [this] { P_IN_ADD_ENABLE(); };
    connect(KH_KUBUN, &QComboBox::currentIndexChanged, this, enable);
    connect(FUNC_D, &QComboBox::currentIndexChanged, this, enable);
    connect(B_ADD, &QPushButton::clicked, this, [this] { B_ADD_Click(); });
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
    cascade->connectControls();
    for (QWidget* w : std::initializer_list<QWidget*>{BY_Y, KUBUN, KYOUKA, BUNRUI, NAME_D, B_COUNT, B_MONY, MAKER,
                                                      MAKER_NO})
        w->installEventFilter(this);
}

bool P_ZEMLO_IN::eventFilter(QObject* watched, QEvent* event) {
    // The Enter chain: the focus moves on and the key is consumed.
    if (entry_ui::enterChain(watched, event,
                             {{BY_Y, KH_KUBUN}, {KUBUN, KYOUKA}, {KYOUKA, BUNRUI}, {BUNRUI, NAME_D}, {NAME_D, B_COUNT},
                              {B_COUNT, B_MONY}, {B_MONY, MAKER}, {MAKER, MAKER_NO}, {MAKER_NO, MSG}},
                             cascade))
        return true;
    return platform::Form::eventFilter(watched, event);
}

// ---------------------------------------------------------------- opening

void P_ZEMLO_IN::Form_Load() {
    ui::BusyPointer busy;
    FORM_POS_READ(this);
    connectHandlers();
    vars = ZEMLO_IN_VARS{};
    ++cascade->mute;
    {
        QSignalBlocker b1(KH_KUBUN), b2(FUNC_D);
        entry_ui::fillChoiceLists({DP_W}, KH_KUBUN, KUBUN, FUNC_D);
    }
    --cascade->mute;
    const P_ZEMLO_LIST* list = platform::FormInstance<P_ZEMLO_LIST>::peek();
    const bool change = list && list->C_CHG->Value() == 1;
    BT_LNO = change ? P_SEL_FIRST + 1 : P_ZEMLO_COUNT + 1;
    P_IN_CATALOG_SET();
    P_ZEMLO_REC_DISP();
    BT_COUNT = P_ZEMLO_COUNT;
    ZL08->setText(KUBUN_LEVEL_NAME[0]);
    ZL09->setText(KUBUN_LEVEL_NAME[1]);
    P_IN_ADD_ENABLE();
    BY_Y->setFocus();
}

void P_ZEMLO_IN::P_IN_DEFAULT_SET() {
    DP_W->setCurrentIndex(2);
    TAX_OUT->setChecked(true);
    TAX->setText(QString::number(TAX_RATE));
    entry_ui::setTaxOption(taxGroup_, TAX_MODE == 1 ? 2 : TAX_MODE == 2 ? 3 : 1);

    BY_Y->clear();
    if (P_ZEMLO_COUNT > 0 && P_ZEMLO_COUNT <= qint32(P_ZEMLO_DATA.size())) {
        // The plan registered last decides the fiscal year.
        const P_ZEMLO_REC& last = P_ZEMLO_DATA[P_ZEMLO_COUNT - 1];
        if (last.BY_Y != 0) {
            if (last.BY_W >= 3 && last.BY_W <= 5) DP_W->setCurrentIndex(last.BY_W - 3);
            BY_Y->setText(QString::number(last.BY_Y));
        } else {
            const QDate today = clk::today();
            BY_Y->setText(QString::number(today.year() - (today.month() <= 3 ? 2018 : 2017)));
        }
    }

    ++cascade->mute;
    for (QComboBox* c : {KYOUKA, BUNRUI, NAME_D}) emptyCombo(c);
    NO_KY->clear();
    NO_BU->clear();
    FUNC_D->setCurrentIndex(0);
    --cascade->mute;
    entry_ui::fillNameList(MAKER, MAKER_LIST);
    entry_ui::fillNameList(KEEP, KEEP_LIST);
    B_COUNT->clear();
    B_MONY->clear();
    MAKER_NO->clear();
    MSG->clear();
    COUNT_NOW->clear();
    emptyCombo(CATALOG);
    CATALOG_P->clear();
    P_IN_CATALOG_SET();
}

void P_ZEMLO_IN::P_ZEMLO_REC_DISP() {
    P_IN_DEFAULT_SET();
    const qint32 idx = BT_LNO - 1;
    if (P_ZEMLO_COUNT <= 0 || idx < 0 || idx >= P_ZEMLO_COUNT) return;
    ui::BusyPointer busy;
    const P_ZEMLO_REC& p = P_ZEMLO_DATA[idx];
    if (p.BY_W >= 3 && p.BY_W <= 5) DP_W->setCurrentIndex(p.BY_W - 3);
    BY_Y->setText(QString::number(p.BY_Y));
    // A name no longer among the expense types or categories shows as an
    // extra entry, so that registering again keeps it.
    entry_ui::chooseOrAdd(KH_KUBUN, p.KH_KUBUN, [this] { P_IN_ADD_ENABLE(); });
    cascade->showStored(p.KUBUN, p.KYOUKA, QString::number(p.NO_KY), p.BUNRUI, p.NO_BU, p.FUNC_NO, p.NAME_D, true);
    entry_ui::setTaxOption(taxGroup_, p.TAX_K);
    TAX->setText(QString::number(p.TAX));
    B_COUNT->setText(QString::number(p.B_COUNT));
    B_MONY->setText(QString::number(p.B_MONY));
    KEEP->setEditText(p.KEEP);
    MAKER->setEditText(p.MAKER);
    MAKER_NO->setText(p.MAKER_NO);
    MSG->setText(p.MSG);
    CATALOG->setEditText(p.CATALOG);
    CATALOG_P->setText(p.CATALOG_P);
    P_ZEMLO_MONY_CALC();
    P_IN_ADD_ENABLE();
}

void P_ZEMLO_IN::P_IN_CATALOG_SET() {
    QSignalBlocker block(CATALOG);
    const QString keep = CATALOG->currentText();
    for (const QString& c : P_IN_CATALOGS())
        if (CATALOG->findText(c, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) CATALOG->addItem(c);
    CATALOG->setEditText(keep);
}

// ---------------------------------------------------------------- live state

void P_ZEMLO_IN::P_ZEMLO_MONY_CALC() {
    MONY_T->setText(P_ZEMLO_MONY_TEXT(B_COUNT->text(), B_MONY->text(), TAX_OUT->isChecked(), TAX->text()));
}

void P_ZEMLO_IN::P_IN_ADD_ENABLE() {
    const bool on = !KUBUN->currentText().isEmpty() && !KYOUKA->currentText().isEmpty() &&
                    !BUNRUI->currentText().isEmpty() && !NAME_D->currentText().isEmpty() && !NO_KY->text().isEmpty() &&
                    NO_BU->text().trimmed().size() == 3;
    B_ADD->setEnabled(on);
    if (on) COUNT_NOW_SET();
}

void P_ZEMLO_IN::COUNT_NOW_SET() {
    const QString kyouka = KYOUKA->currentText(), bunrui = BUNRUI->currentText(), name = NAME_D->currentText();
    const qint32 masters = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    qint32 hit = -1;
    auto take = [&](qint32 from, qint32 to, bool sameCategory) {
        for (qint32 i = std::max(0, from); i <= to && i < masters; ++i) {
            const KUBUN_REC& k = KUBUN_DATA[i];
            if (k.KYOUKA == kyouka && k.BUNRUI == bunrui && k.NAME_D == name &&
                (!sameCategory || k.KUBUN_IDX == cascade->SEL_KUBUN_IDX))
                hit = i;
        }
    };
    take(cascade->SUB_FIRST, cascade->SUB_LAST, false);
    qint32 tf = 0, tl = -1;
    EntryCascade::tail(&tf, &tl);
    take(tf, tl, true);
    if (hit >= 0) COUNT_NOW->setText(QString::number(qint64(KUBUN_DATA[hit].IN_CNT) - KUBUN_DATA[hit].OUT_CNT));
}

// ---------------------------------------------------------------- registering and closing

P_ZEMLO_IN_FORM P_ZEMLO_IN::formValues() const {
    P_ZEMLO_IN_FORM f;
    f.DP_W = std::clamp(DP_W->currentIndex(), 0, 2);
    f.BY_Y = BY_Y->text();
    f.KH_KUBUN = KH_KUBUN->currentIndex() >= 0 ? KH_KUBUN->currentText() : QString();
    f.KUBUN = KUBUN->currentIndex() >= 0 ? KUBUN->currentText() : QString();
    f.KYOUKA = KYOUKA->currentText();
    f.NO_KY = NO_KY->text();
    f.BUNRUI = BUNRUI->currentText();
    f.NO_BU = NO_BU->text();
    f.NAME_D = NAME_D->currentText();
    f.FUNC_D = std::max(FUNC_D->currentIndex(), 0);
    f.FUNC_TEXT = FUNC_D->currentText();
    f.TAX_K = entry_ui::taxOption(taxGroup_);
    f.TAX = TAX->text();
    f.B_COUNT = B_COUNT->text();
    f.B_MONY = B_MONY->text();
    f.KEEP = KEEP->currentText();
    f.MAKER = MAKER->currentText();
    f.MAKER_NO = MAKER_NO->text();
    f.MSG = MSG->text();
    f.CATALOG = CATALOG->currentText();
    f.CATALOG_P = CATALOG_P->text();
    return f;
}

void P_ZEMLO_IN::B_ADD_Click() {
    switch (P_ZEMLO_IN_REGISTER(formValues(), BT_LNO, vars)) {
        case P_REGISTER::STAY: return;
        case P_REGISTER::REFUSED: P_ZEMLO_IN_STATE = 0; break;
        case P_REGISTER::STORED: P_ZEMLO_IN_STATE = 1; break;
    }
    Unload();
}

void P_ZEMLO_IN::B_ESC_Click() { Unload(); }

void P_ZEMLO_IN::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // Sorts and writes the master when an item name was added, writes the
    // name lists when a maker or place was.
    ZEMLO_IN_CLOSE_SAVE(vars);
}

void P_ZEMLO_IN::Form_Unload(int& Cancel) { FORM_POS_SAVE(this); }

void P_ZEMLO_IN_SHOW() { platform::FormInstance<P_ZEMLO_IN>::get()->ShowModal(); }

#include "category/category_change.h"

#include <QFont>
#include <QSignalBlocker>
#include <cmath>

#include "category/key_boxes.h"
#include "category/key_convert.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "common/form_position.h"
#include "common/form_kind.h"
#include "common/mouse_label.h"
#include "store/category_file.h"
#include "store/category_lists.h"
#include "store/data_files.h"
#include "store/items_file.h"
#include "store/link.h"
#include "store/plans_file.h"
#include "store/state.h"

using ctl::placeTwips;
using namespace kubun_boxes;
using platform::twipsToPx;

namespace {

// Column lefts and widths of the two key rows (twips).
constexpr int kKubunX = 900, kKubunW = 1200;
constexpr int kKyoukaX = 2160, kKyoukaW = 1780;
constexpr int kNoKyX = 3960, kNoKyW = 480;
constexpr int kBunruiX = 4500, kBunruiW = 1980;
constexpr int kNoBuX = 6500, kNoBuW = 580;
constexpr int kNameX = 7140, kNameW = 2160;
constexpr int kFuncX = 9330, kFuncW = 810;
constexpr int kOldTop = 960, kNewTop = 1500, kRowH = 300;

const QString kNumberBad = QStringLiteral("番号が不正です");

}  // namespace

KUBUN_CHGF::KUBUN_CHGF() : platform::Form(QStringLiteral("KUBUN_CHGF")) {
    setCaption(QStringLiteral("備品区分変更"));
    setFont(ctl::dialogFont());
    buildControls();
    connectHandlers();
}

void KUBUN_CHGF::buildControls() {
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("body"));
    QWidget* p = body_;
    auto label = [p](const char* name, const QString& text, int l, int t, int w, int h = 255) {
        auto* x = new ctl::Label(text, p, QString::fromLatin1(name));
        placeTwips(x, l, t, w, h);
        return x;
    };
    auto mouseLabel = [p](const char* name, const QString& text, int l, int t, int w, int h = 255) {
        auto* x = new MouseLabel(text, p);
        x->setObjectName(QString::fromLatin1(name));
        placeTwips(x, l, t, w, h);
        return x;
    };
    auto button = [p](const char* name, const QString& text, int l, int t, int w) {
        auto* b = new ctl::CommandButton(text, p, QString::fromLatin1(name));
        b->setAutoDefault(false);
        placeTwips(b, l, t, w, 375);
        return b;
    };
    auto combo = [p](const char* name, bool typed, int l, int t, int w) {
        auto* c = new ctl::ComboBox(p, QString::fromLatin1(name),
                                    typed ? ctl::ComboBox::DropDownCombo : ctl::ComboBox::DropDownList);
        c->setMaxVisibleItems(20);
        placeTwips(c, l, t, w, kRowH);
        return c;
    };
    auto box = [p](const char* name, bool readOnly, int l, int t, int w) {
        auto* b = new ctl::TextBox(p, QString::fromLatin1(name));
        b->setReadOnly(readOnly);
        if (readOnly) b->setFocusPolicy(Qt::NoFocus);
        b->setAlignment(Qt::AlignCenter);
        placeTwips(b, l, t, w, kRowH);
        return b;
    };
    auto sunken = [](ctl::Label* l) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };

    // The level options, the progress figures and the buttons.
    Label5 = label("Label5", QStringLiteral("変更項目"), 120, 195, 900);
    const int optX[3] = {1020, 2640, 4260}, optW[3] = {1560, 1560, 900};
    for (int i = 0; i < 3; ++i) {
        OPT_K[i] = new ctl::OptionButton(QString(), p, QStringLiteral("OPT_K_%1").arg(i));
        placeTwips(OPT_K[i], optX[i], 180, optW[i], 285);
    }
    OPT_K[2]->setText(QStringLiteral("品名"));
    CONT_COUNT = sunken(label("CONT_COUNT", QString(), 5280, 180, 1200, 285));
    CHG_COUNT = sunken(label("CHG_COUNT", QString(), 6540, 180, 1440, 285));
    B_START = button("B_START", QStringLiteral("開始"), 8100, 135, 975);
    B_CLOSE = button("B_CLOSE", QStringLiteral("閉じる"), 9165, 135, 975);

    // The column headings and the two key rows.
    Label3 = label("Label3", QStringLiteral("備品区分"), kKubunX, 690, kKubunW);
    Label4 = label("Label4", QString(), kKyoukaX, 690, kKyoukaW + kNoKyW + 20);
    Label7 = label("Label7", QString(), kBunruiX, 690, kBunruiW + kNoBuW + 20);
    Label9 = label("Label9", QStringLiteral("品名"), kNameX, 690, kNameW);
    for (ctl::Label* h : {Label3, Label4, Label7, Label9}) h->setAlignment(Qt::AlignCenter);

    Label1 = mouseLabel("Label1", QStringLiteral("旧区分"), 120, kOldTop + 30, 760);
    KUBUN = combo("KUBUN", false, kKubunX, kOldTop, kKubunW);
    KYOUKA = combo("KYOUKA", false, kKyoukaX, kOldTop, kKyoukaW);
    NO_KY = box("NO_KY", true, kNoKyX, kOldTop, kNoKyW);
    BUNRUI = combo("BUNRUI", false, kBunruiX, kOldTop, kBunruiW);
    NO_BU = box("NO_BU", true, kNoBuX, kOldTop, kNoBuW);
    NAME_D = combo("NAME_D", false, kNameX, kOldTop, kNameW);
    FUNC_D = combo("FUNC_D", false, kFuncX, kOldTop, kFuncW);

    // Between the rows, over the new item name: a double-click copies the
    // new classification into it.
    Label13 = mouseLabel("Label13", QString(), kNameX, kOldTop + kRowH + 15, kNameW, 210);

    Label2 = label("Label2", QStringLiteral("新区分"), 120, kNewTop + 30, 760);
    N_KUBUN = combo("N_KUBUN", false, kKubunX, kNewTop, kKubunW);
    N_KYOUKA = combo("N_KYOUKA", true, kKyoukaX, kNewTop, kKyoukaW);
    N_NO_KY = box("N_NO_KY", false, kNoKyX, kNewTop, kNoKyW);
    N_BUNRUI = combo("N_BUNRUI", true, kBunruiX, kNewTop, kBunruiW);
    N_NO_BU = box("N_NO_BU", false, kNoBuX, kNewTop, kNoBuW);
    N_NAME_D = combo("N_NAME_D", true, kNameX, kNewTop, kNameW);
    N_FUNC_D = combo("N_FUNC_D", false, kFuncX, kNewTop, kFuncW);

    // The change list: hidden until asked for.
    B_LOAD = button("B_LOAD", QStringLiteral("読込"), kKubunX, 2040, 975);
    B_START2 = button("B_START2", QStringLiteral("開始"), kKubunX + 1080, 2040, 975);
    B_LOAD->hide();
    B_START2->hide();

    Label6 = mouseLabel("Label6", QStringLiteral("区分データ・備品データ・購入計画の備品区分を置き換えます。"), 120, 2700,
                        9900);

    // The lower section: counts of the old key's parts.
    Label28 = label("Label28", QStringLiteral("データ数"), 120, 3390, 900);
    const int cx[4] = {1500, 3420, 5340, 7260}, cw = 1800;
    Label8 = label("Label8", QStringLiteral("備品区分"), cx[0], 3390, cw);
    Label10 = label("Label10", QString(), cx[1], 3390, cw);
    Label11 = label("Label11", QString(), cx[2], 3390, cw);
    Label12 = label("Label12", QStringLiteral("品名"), cx[3], 3390, cw);
    for (ctl::Label* h : {Label8, Label10, Label11, Label12}) h->setAlignment(Qt::AlignCenter);
    Label14 = label("Label14", QStringLiteral("備品"), 480, 3750, 900);
    Label15 = label("Label15", QStringLiteral("計画"), 480, 4110, 900);
    Label16 = label("Label16", QStringLiteral("区分"), 480, 4470, 900);
    for (int i = 0; i < 4; ++i) {
        B_COUNT[i] = sunken(label(QStringLiteral("B_COUNT_%1").arg(i).toLatin1().constData(), QString(), cx[i], 3720, cw, 300));
        P_COUNT[i] = sunken(label(QStringLiteral("P_COUNT_%1").arg(i).toLatin1().constData(), QString(), cx[i], 4080, cw, 300));
        K_COUNT[i] = sunken(label(QStringLiteral("K_COUNT_%1").arg(i).toLatin1().constData(), QString(), cx[i], 4440, cw, 300));
    }
    B_CALC = button("B_CALC", QStringLiteral("計算"), 9165, 3690, 975);

    QWidget* order[] = {KUBUN,  KYOUKA,  BUNRUI,  NAME_D,   FUNC_D, N_KUBUN, N_KYOUKA, N_NO_KY,
                        N_BUNRUI, N_NO_BU, N_NAME_D, N_FUNC_D, B_START, B_CLOSE, B_LOAD,  B_START2, B_CALC};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    setFixedWidth(twipsToPx(10260));
    body_->setGeometry(0, 0, twipsToPx(10260), twipsToPx(kFullHeight));
    setInnerHeight(kShortHeight);
}

void KUBUN_CHGF::connectHandlers() {
    for (int i = 0; i < 3; ++i) OPT_K[i]->Click = [this, i] { OPT_K_Click(i); };
    B_START->Click = [this] { B_START_Click(); };
    B_START2->Click = [this] { B_START2_Click(); };
    B_LOAD->Click = [this] { B_LOAD_Click(); };
    B_CALC->Click = [this] { B_CALC_Click(); };
    B_CLOSE->Click = [this] { B_CLOSE_Click(); };
    KUBUN->Click = [this] { KUBUN_Click(); };
    KYOUKA->Click = [this] { KYOUKA_Click(); };
    BUNRUI->Click = [this] { BUNRUI_Click(); };
    NAME_D->Click = [this] { NAME_D_Click(); };
    N_KUBUN->Click = [this] { N_KUBUN_Click(); };
    N_KYOUKA->Click = [this] { N_KYOUKA_Click(); };
    N_BUNRUI->Click = [this] { N_BUNRUI_Click(); };
    N_NAME_D->Click = [this] { N_NAME_D_Click(); };
    connect(Label1, &MouseLabel::mouseDown, this, [this](Qt::MouseButton, Qt::KeyboardModifiers) { Label1_Click(); });
    connect(Label6, &MouseLabel::doubleClicked, this, [this] { Label6_DblClick(); });
    connect(Label13, &MouseLabel::doubleClicked, this, [this] { Label13_DblClick(); });
}

void KUBUN_CHGF::setInnerHeight(int twips) { setFixedHeight(twipsToPx(twips)); }

void KUBUN_CHGF::setBusy(bool on) {
    BUSY = on;
    // The controls take no clicks while a conversion yields; the message
    // boxes of a batch stay usable.
    body_->setEnabled(!on);
}

// ---------------------------------------------------------------- opening

void KUBUN_CHGF::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    setInnerHeight(kShortHeight);
    CHG_FLAG = 0;
    BATCH_MODE = 0;
    KCHG_READ();
    if (P_ZEMLO_COUNT == 0) P_ZEMLO_READ();

    OPT_K[0]->setText(KUBUN_LEVEL_NAME[0]);
    Label4->setCaption(KUBUN_LEVEL_NAME[0]);
    Label10->setCaption(KUBUN_LEVEL_NAME[0]);
    OPT_K[1]->setText(KUBUN_LEVEL_NAME[1]);
    Label7->setCaption(KUBUN_LEVEL_NAME[1]);
    Label11->setCaption(KUBUN_LEVEL_NAME[1]);
    {
        QSignalBlocker block(OPT_K[2]);
        OPT_K[2]->setChecked(true);
    }

    KUBUN_SORT();

    const QStringList names = KUBUN_LIST_NAMES();
    fill(KUBUN, names);
    fill(N_KUBUN, names);
    for (ctl::ComboBox* b : {KYOUKA, BUNRUI, NAME_D, N_KYOUKA, N_BUNRUI, N_NAME_D}) emptyBox(b);
    for (ctl::TextBox* t : {NO_KY, NO_BU, N_NO_KY, N_NO_BU}) t->clear();
    fill(FUNC_D, kubun_keys::functionTexts());
    fill(N_FUNC_D, kubun_keys::functionTexts());
    CONT_COUNT->hide();
    CHG_COUNT->hide();
}

// ---------------------------------------------------------------- old key

void KUBUN_CHGF::KUBUN_Click() {
    OLD_KUBUN_NO = KUBUN_IDX_OF(KUBUN->Text());
    FUNC_D->setVisible(OLD_KUBUN_NO != 1);
    NO_KY->clear();
    OLD_KYOUKA_SET();
    emptyBox(BUNRUI);
    NO_BU->clear();
    emptyBox(NAME_D);
    OLD_RANGE = {};
    OLD_RUN_FIRST = -1;
    OLD_NAME_IDX = -1;
    pick(N_KUBUN, KUBUN->ListIndex());
}

void KUBUN_CHGF::OLD_KYOUKA_SET() { fill(KYOUKA, kubun_keys::subjectNames(KUBUN->Text())); }

void KUBUN_CHGF::KYOUKA_Click() {
    if (KYOUKA->ListIndex() < 0) return;
    NO_BU->clear();
    OLD_BUNRUI_SET();
    emptyBox(NAME_D);
    OLD_NAME_IDX = -1;
    if (N_KUBUN->Text() == KUBUN->Text()) pick(N_KYOUKA, KYOUKA->ListIndex());
}

void KUBUN_CHGF::OLD_BUNRUI_SET() {
    OLD_RANGE = kubun_keys::subjectRange(OLD_KUBUN_NO, KYOUKA->Text());
    emptyBox(N_BUNRUI);
    qint16 noKy = 0;
    const QStringList names = kubun_keys::classNames(OLD_RANGE, KUBUN->Text(), KYOUKA->Text(), &noKy);
    fill(BUNRUI, names);
    if (!names.isEmpty()) NO_KY->setText(QString::number(noKy));
}

void KUBUN_CHGF::BUNRUI_Click() {
    if (BUNRUI->count() == 0) return;
    OLD_NAME_SET();
    if (N_KUBUN->Text() == KUBUN->Text() && N_KYOUKA->currentText() == KYOUKA->Text())
        pick(N_BUNRUI, BUNRUI->ListIndex());
}

void KUBUN_CHGF::OLD_NAME_SET() {
    emptyBox(N_NAME_D);
    QString code;
    OLD_RUN_FIRST = -1;
    OLD_NAME_IDX = -1;
    const QStringList names =
        kubun_keys::itemNames(OLD_RANGE, KUBUN->Text(), KYOUKA->Text(), BUNRUI->Text(), &code, &OLD_RUN_FIRST);
    fill(NAME_D, names);
    if (!names.isEmpty()) NO_BU->setText(code);
}

void KUBUN_CHGF::NAME_D_Click() {
    OLD_FUNC_SET();
    if (N_KUBUN->Text() == KUBUN->Text() && N_KYOUKA->currentText() == KYOUKA->Text() &&
        N_BUNRUI->currentText() == BUNRUI->Text())
        pick(N_NAME_D, NAME_D->ListIndex());
}

void KUBUN_CHGF::OLD_FUNC_SET() {
    OLD_NAME_IDX = kubun_keys::itemEntry(OLD_RANGE, KUBUN->Text(), KYOUKA->Text(), BUNRUI->Text(), NAME_D->Text());
    showFunction(FUNC_D, OLD_NAME_IDX >= 0 ? KUBUN_DATA[OLD_NAME_IDX].FUNC_D : QString());
}

// ---------------------------------------------------------------- new key

void KUBUN_CHGF::N_KUBUN_Click() {
    NEW_KUBUN_NO = KUBUN_IDX_OF(N_KUBUN->Text());
    N_FUNC_D->setVisible(NEW_KUBUN_NO != 1);
    N_NO_KY->clear();
    NEW_KYOUKA_SET();
    emptyBox(N_BUNRUI);
    N_NO_BU->clear();
    emptyBox(N_NAME_D);
    NEW_RANGE = {};
}

void KUBUN_CHGF::NEW_KYOUKA_SET() { fill(N_KYOUKA, kubun_keys::subjectNames(N_KUBUN->Text())); }

void KUBUN_CHGF::N_KYOUKA_Click() {
    N_NO_BU->clear();
    NEW_BUNRUI_SET();
    emptyBox(N_NAME_D);
}

void KUBUN_CHGF::NEW_BUNRUI_SET() {
    NEW_RANGE = kubun_keys::subjectRange(NEW_KUBUN_NO, N_KYOUKA->currentText());
    qint16 noKy = 0;
    const QStringList names = kubun_keys::classNames(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->currentText(), &noKy);
    fill(N_BUNRUI, names);
    if (!names.isEmpty()) N_NO_KY->setText(QString::number(noKy));
}

void KUBUN_CHGF::N_BUNRUI_Click() {
    if (N_BUNRUI->count() == 0) return;
    NEW_NAME_SET();
}

void KUBUN_CHGF::NEW_NAME_SET() {
    QString code;
    const QStringList names = kubun_keys::itemNames(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->currentText(),
                                                    N_BUNRUI->currentText(), &code, nullptr);
    fill(N_NAME_D, names);
    if (!names.isEmpty()) N_NO_BU->setText(code);
}

void KUBUN_CHGF::N_NAME_D_Click() { NEW_FUNC_SET(); }

void KUBUN_CHGF::NEW_FUNC_SET() {
    const qint32 i = kubun_keys::itemEntry(NEW_RANGE, N_KUBUN->Text(), N_KYOUKA->currentText(),
                                           N_BUNRUI->currentText(), N_NAME_D->currentText());
    showFunction(N_FUNC_D, i >= 0 ? KUBUN_DATA[i].FUNC_D : QString());
}

// ---------------------------------------------------------------- level

void KUBUN_CHGF::OPT_K_Click(int index) {
    if (index == 1 || index == 2)
        for (QWidget* w : std::initializer_list<QWidget*>{NO_BU, BUNRUI, N_NO_BU, N_BUNRUI}) w->setEnabled(true);
    if (index == 2)
        for (QWidget* w : std::initializer_list<QWidget*>{FUNC_D, NAME_D, N_FUNC_D, N_NAME_D}) w->setEnabled(true);
    if (index == 0 || index == 1) {
        unselect(FUNC_D);
        unselect(NAME_D);
        OLD_NAME_IDX = -1;
        FUNC_D->setEnabled(false);
        NAME_D->setEnabled(false);
        unselect(N_FUNC_D);
        typeText(N_NAME_D, QString());
        N_FUNC_D->setEnabled(false);
        N_NAME_D->setEnabled(false);
    }
    if (index == 0) {
        NO_BU->clear();
        NO_BU->setEnabled(false);
        unselect(BUNRUI);
        BUNRUI->setEnabled(false);
        N_NO_BU->clear();
        emptyBox(N_BUNRUI);
        N_NO_BU->setEnabled(false);
        N_BUNRUI->setEnabled(false);
    }
}

// ---------------------------------------------------------------- counts

void KUBUN_CHGF::B_CALC_Click() {
    const QString k = KUBUN->Text(), ky = KYOUKA->Text(), bu = BUNRUI->Text(), nm = NAME_D->Text();
    auto pass = [&](auto& table, qint32 n, std::array<ctl::Label*, 4>& out) {
        qint32 c[4] = {0, 0, 0, 0};
        for (qint32 i = 0; i < n; ++i) {
            const auto& r = table[i];
            if (r.KUBUN != k) continue;
            ++c[0];
            if (r.KYOUKA != ky) continue;
            ++c[1];
            if (r.BUNRUI != bu) continue;
            ++c[2];
            if (r.NAME_D == nm) ++c[3];
        }
        for (int i = 0; i < 4; ++i) out[i]->setCaption(QString::number(c[i]));
    };
    pass(ZEMLO_DATA, std::clamp<qint32>(ZEMLO_COUNT, 0, qint32(ZEMLO_DATA.size())), B_COUNT);
    pass(P_ZEMLO_DATA, std::clamp<qint32>(P_ZEMLO_COUNT, 0, qint32(P_ZEMLO_DATA.size())), P_COUNT);
    pass(KUBUN_DATA, std::clamp<qint32>(KUBUN_COUNT, 0, qint32(KUBUN_DATA.size())), K_COUNT);
}

// ---------------------------------------------------------------- changes

void KUBUN_CHGF::B_START_Click() {
    if (BUSY) return;
    SINGLE_CHANGE();
}

qint32 KUBUN_CHGF::SINGLE_CHANGE() {
    const int level = OPT_K[0]->isChecked() ? 0 : OPT_K[1]->isChecked() ? 1 : 2;
    auto none = [](const QString& s) { return s.trimmed().isEmpty(); };

    // Required fields.
    int sum = 0;
    // The old item name must be the one chosen from the master.
    if (none(NAME_D->Text()) || none(N_NAME_D->currentText()) || OLD_NAME_IDX < 0) sum += 1;
    if (none(BUNRUI->Text()) || none(N_BUNRUI->currentText())) sum += 2;
    if (none(N_NO_BU->text())) sum += 4;
    if (none(KYOUKA->Text()) || none(N_KYOUKA->currentText())) sum += 8;
    if (none(N_NO_KY->text())) sum += 16;
    if (none(KUBUN->Text()) || none(N_KUBUN->Text())) sum += 32;
    // The parts below the level do not count.
    if (level == 1) sum &= ~1;
    if (level == 0) sum &= ~(1 | 2 | 4);
    if (sum > 0) {
        ui::MsgBox(QStringLiteral("必要項目が入力されてません"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }

    // The new subject number and code must be ones the files can hold.
    qint16 newNoKy = 0;
    if (!kubun_keys::subjectNo(N_NO_KY->text(), &newNoKy)) {
        ui::MsgBox(kNumberBad, ui::vbOKOnly, ui::kTitle);
        return -1;
    }
    N_NO_KY->setText(QString::number(newNoKy));
    QString newCode;
    if (level >= 1) {
        qint32 key = 0;
        if (!kubun_keys::codeNormal(N_NO_BU->text(), &newCode, &key)) {
            ui::MsgBox(kNumberBad, ui::vbOKOnly, ui::kTitle);
            return -1;
        }
        N_NO_BU->setText(newCode);
    }

    // Same key.
    const bool sameKubun = KUBUN->Text() == N_KUBUN->Text();
    const bool sameKyouka = KYOUKA->Text() == N_KYOUKA->currentText();
    const bool sameBunrui = BUNRUI->Text() == N_BUNRUI->currentText();
    const bool sameName = NAME_D->Text() == N_NAME_D->currentText();
    const bool sameNoKy = number16(NO_KY->text()) == newNoKy && !none(NO_KY->text());
    const bool sameCode = NO_BU->text() == newCode;
    bool unchanged = false;
    if (level == 0) unchanged = sameKubun && sameKyouka && sameNoKy;
    if (level == 1) unchanged = sameKubun && sameKyouka && sameBunrui && sameNoKy && sameCode;
    if (level == 2) unchanged = sameKubun && sameKyouka && sameBunrui && sameName;
    if (unchanged) {
        ui::MsgBox(QStringLiteral("変更前と変更後が同じです"), ui::vbOKOnly, ui::kTitle);
        return -1;
    }

    // The new key.
    KEY_CHANGE c;
    c.level = qint16(level);
    c.kubun = KUBUN->Text();
    c.kyouka = KYOUKA->Text();
    c.bunrui = BUNRUI->Text();
    c.name = NAME_D->Text();
    c.nKubun = N_KUBUN->Text();
    c.nKyouka = N_KYOUKA->currentText();
    c.nBunrui = N_BUNRUI->currentText();
    c.nName = N_NAME_D->currentText();
    c.nCode = newCode;
    c.nNoKy = newNoKy;
    if (level == 2) {
        c.oldEntry = OLD_NAME_IDX;
        const qint32 existing = KEY_CONVERT_FIND(c);
        if (existing >= 0) {
            const int a = ui::MsgBox(QStringLiteral("新区分の品名は、すでに登録されてますので") + QStringLiteral("\r\n") +
                                         QStringLiteral("備品区分以外のデータの変更を行います"),
                                     int(ui::vbYesNo) + int(ui::vbQuestion), ui::kTitle);
            if (a != ui::vbYes) return -1;
            c.merge = true;
            c.serial = KUBUN_DATA[existing].NAME_NO;
        } else {
            const qint64 serial = KEY_CONVERT_NEXT_SERIAL(c);
            // The items hold the serial in 16 bits.
            if (serial > 32767) {
                ui::MsgBox(kNumberBad, ui::vbOKOnly, ui::kTitle);
                return -1;
            }
            c.serial = qint32(serial);
        }
    }

    // The conversion, with its progress in CHG_COUNT.
    const bool ownBusy = !BUSY;
    if (ownBusy) setBusy(true);
    qint32 converted = 0;
    {
        ui::BusyPointer hourglass;
        CHG_FLAG = 1;
        CHG_COUNT->show();
        converted = KEY_CONVERT(c, [this](qint32 visited, qint32 total) {
            if (visited % 128 != 0 && visited != total) return;
            CHG_COUNT->setCaption(QString::number(visited) + QLatin1Char('/') + QString::number(total));
            CHG_COUNT->repaint();
            ui::DoEvents();
        });
    }
    KCHG_ADD();
    if (BATCH_MODE == 0) {
        ui::MsgBox(QString::number(converted) + QStringLiteral("件のデータを変換しました"), ui::vbOKOnly, ui::kTitle);
        CHG_COUNT->hide();
    } else {
        BATCH_TOTAL += converted;
    }
    LISTS_REFRESH();
    if (ownBusy) setBusy(false);
    return converted;
}

void KUBUN_CHGF::LISTS_REFRESH() {
    const int level = OPT_K[0]->isChecked() ? 0 : OPT_K[1]->isChecked() ? 1 : 2;
    const QString k = KUBUN->Text(), ky = KYOUKA->Text(), bu = BUNRUI->Text();
    // The master in key order with its subject index, as the lists read it.
    KUBUN_ORDER();
    unselect(KUBUN);
    unselect(N_KUBUN);
    for (ctl::ComboBox* b : {KYOUKA, BUNRUI, NAME_D, N_KYOUKA, N_BUNRUI, N_NAME_D}) emptyBox(b);
    for (ctl::TextBox* t : {NO_KY, NO_BU, N_NO_KY, N_NO_BU}) t->clear();
    unselect(FUNC_D);
    unselect(N_FUNC_D);
    OLD_RANGE = NEW_RANGE = {};
    OLD_RUN_FIRST = OLD_NAME_IDX = -1;
    if (BATCH_MODE != 0) return;  // every entry of a list chooses its key afresh
    // The old key's parts that still exist are chosen again.
    pick(KUBUN, rowOf(KUBUN, k));
    if (KUBUN->ListIndex() < 0) return;
    pick(KYOUKA, rowOf(KYOUKA, ky));
    if (KYOUKA->ListIndex() < 0 || level == 0) return;
    pick(BUNRUI, rowOf(BUNRUI, bu));
}

void KUBUN_CHGF::B_LOAD_Click() {
    if (BUSY) return;
    const QString path = dlg::OpenFile(QString(), FILE_DIALOG_FOLDER(QStringLiteral("CHANGE_LIST")),
                                       QStringLiteral("全ファイル(*.*)|*.*|テキストファイル(*.TXT)|*.TXT"));
    if (path.isEmpty()) return;
    FILE_DIALOG_KEEP(QStringLiteral("CHANGE_LIST"), path);
    std::vector<KCHG_REC> list;
    qint32 bad = 0;
    if (KCHG_READ_FILE(path, list, &bad) != 1) {
        // A list that cannot be read whole is not carried out in part.
        ui::MsgBox(QStringLiteral("変更リストファイルの読込に失敗しました(") + QString::number(bad) + QLatin1Char(')'),
                   ui::vbOKOnly, ui::kTitle);
        return;
    }
    KCHG_LIST = std::move(list);
    B_START2->show();
}

void KUBUN_CHGF::B_START2_Click() {
    if (BUSY) return;
    setBusy(true);
    CONT_COUNT->show();
    for (ctl::ComboBox* b : {KUBUN, N_KUBUN, FUNC_D, N_FUNC_D}) unselect(b);
    BATCH_MODE = 1;
    BATCH_TOTAL = 0;
    MISS_COUNT = 0;
    const qint32 n = qint32(KCHG_LIST.size());
    for (qint32 i = 0; i < n; ++i) {
        const KCHG_REC e = KCHG_LIST[size_t(i)];
        const int lv = std::clamp<int>(e.CHG_LEVEL, 0, 2);
        bool missing = true;
        do {
            const int kRow = rowOf(KUBUN, e.O_KUBUN);
            if (kRow < 0) break;
            pick(KUBUN, kRow);
            const int kyRow = rowOf(KYOUKA, e.O_KYOUKA);
            if (kyRow < 0) break;
            NO_KY->setText(QString::number(e.O_NO_KY));
            pick(KYOUKA, kyRow);
            if (lv >= 1) {
                const int buRow = rowOf(BUNRUI, e.O_BUNRUI);
                if (buRow < 0) break;
                NO_BU->setText(e.O_NO_BU);
                pick(BUNRUI, buRow);
            }
            if (lv == 2) {
                const int nmRow = rowOf(NAME_D, e.O_NAME_D);
                const int fRow = kubun_keys::functionTexts().indexOf(e.O_FUNC_D);
                if (nmRow < 0 || fRow < 0) break;
                pick(NAME_D, nmRow);
                showFunction(FUNC_D, e.O_FUNC_D);
            }
            const int nkRow = rowOf(N_KUBUN, e.N_KUBUN);
            const int nfRow = kubun_keys::functionTexts().indexOf(e.N_FUNC_D);
            if (nkRow < 0 || (lv == 2 && nfRow < 0)) break;
            pick(N_KUBUN, nkRow);
            N_NO_KY->setText(QString::number(e.N_NO_KY));
            typeText(N_KYOUKA, e.N_KYOUKA);
            if (lv >= 1) {
                N_NO_BU->setText(e.N_NO_BU);
                typeText(N_BUNRUI, e.N_BUNRUI);
            }
            if (lv == 2) {
                typeText(N_NAME_D, e.N_NAME_D);
                showFunction(N_FUNC_D, e.N_FUNC_D);
            }
            missing = false;
            {
                QSignalBlocker block(OPT_K[lv]);
                OPT_K[lv]->setChecked(true);
            }
            OPT_K_Click(lv);
            SINGLE_CHANGE();
        } while (false);
        if (missing) ++MISS_COUNT;
        CONT_COUNT->setCaption(QString::number(i + 1) + QLatin1Char('/') + QString::number(n));
        for (ctl::ComboBox* b : {KUBUN, N_KUBUN, FUNC_D, N_FUNC_D}) unselect(b);
        ui::DoEvents();
    }
    QString m = QString::number(BATCH_TOTAL) + QStringLiteral("件のデータを変換しました");
    if (MISS_COUNT > 0)
        m += QStringLiteral("\r\n") + QString::number(MISS_COUNT) + QStringLiteral("件の備品区分が有りませんでした");
    ui::MsgBox(m, ui::vbOKOnly, ui::kTitle);
    CHG_COUNT->hide();
    CONT_COUNT->hide();
    BATCH_MODE = 0;
    setBusy(false);
}

// ---------------------------------------------------------------- small handlers

void KUBUN_CHGF::Label1_Click() { setInnerHeight(kFullHeight); }
void KUBUN_CHGF::Label6_DblClick() { B_LOAD->show(); }
void KUBUN_CHGF::Label13_DblClick() { typeText(N_NAME_D, N_BUNRUI->currentText()); }
void KUBUN_CHGF::B_CLOSE_Click() {
    if (BUSY) return;
    Unload(platform::vbFormCode);
}

// ---------------------------------------------------------------- the log

void KUBUN_CHGF::KCHG_READ() {
    KCHG_LOG.clear();
    qint32 bad = 0;
    const qint16 r = KCHG_READ_FILE(store::dataPath(KCHG_FILE), KCHG_LOG, &bad);
    KCHG_LOADED = r != -1;
    if (!KCHG_LOADED)
        ui::MsgBox(QStringLiteral("備品区分変更ファイルの読込に失敗しました(") + QString::number(bad) + QLatin1Char(')'),
                   ui::vbOKOnly, ui::kTitle);
}

void KUBUN_CHGF::KCHG_ADD() {
    if (qint32(KCHG_LOG.size()) >= KCHG_MAX) KCHG_DUP_DEL(KCHG_LOG);
    if (qint32(KCHG_LOG.size()) >= KCHG_MAX) return;  // a full log keeps what it has
    KCHG_REC c;
    c.O_KUBUN = KUBUN->Text();
    c.O_NO_KY = number16(NO_KY->text());
    c.O_KYOUKA = KYOUKA->Text();
    c.O_NO_BU = text::toUpper(text::toHalfWidth(NO_BU->text()));
    c.O_BUNRUI = BUNRUI->Text();
    c.O_NAME_D = NAME_D->Text();
    c.O_FUNC_D = FUNC_D->currentText();
    c.N_KUBUN = N_KUBUN->Text();
    c.N_NO_KY = number16(N_NO_KY->text());
    c.N_KYOUKA = N_KYOUKA->currentText();
    c.N_NO_BU = text::toUpper(text::toHalfWidth(N_NO_BU->text()));
    c.N_BUNRUI = N_BUNRUI->currentText();
    c.N_NAME_D = N_NAME_D->currentText();
    c.N_FUNC_D = N_FUNC_D->currentText();
    c.CHG_LEVEL = OPT_K[0]->isChecked() ? 0 : OPT_K[1]->isChecked() ? 1 : 2;
    KCHG_LOG.push_back(c);
}

void KUBUN_CHGF::KCHG_SAVE() {
    // A log that could not be read whole is left as it is on disk.
    if (!KCHG_LOADED) return;
    if (!store::writeFile(DATA_DIR, KCHG_FILE, KCHG_BYTES(KCHG_LOG)))
        ui::MsgBox(QStringLiteral("備品区分変更ファイルの保存に失敗しました"), ui::vbOKOnly, ui::kTitle);
}

// ---------------------------------------------------------------- closing

void KUBUN_CHGF::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(UnloadMode);
    if (BUSY) Cancel = 1;  // a running conversion finishes first
}

void KUBUN_CHGF::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    if (CHG_FLAG == 1) {
        const int a = ui::MsgBox(QStringLiteral("データを保存しますか？"), int(ui::vbYesNo) + int(ui::vbQuestion), ui::kTitle);
        ui::BusyPointer hourglass;
        if (a == ui::vbYes) {
            // The master in key order, the items linked to it, then all
            // three written.
            KUBUN_ORDER();
            KUBUN_LINK(1);
            KUBUN_SAVE();
            ZEMLO_CHANGED = ZEMLO_SAVE() == 1 ? 0 : 1;
            P_ZEMLO_CHANGED = P_ZEMLO_SAVE() == 1 ? 0 : 1;
        } else {
            // The tables this run had loaded come back from their files.
            const bool items = LOADED.ZEMLO, plans = LOADED.P_ZEMLO;
            KUBUN_READ(0);
            if (items) ZEMLO_READ();
            if (plans) P_ZEMLO_READ();
            if (LOADED.KUBUN && LOADED.ZEMLO) KUBUN_LINK(2);
        }
    }
    KCHG_DUP_DEL(KCHG_LOG);
    KCHG_SAVE();
    FORM_KIND_CLEAR();
    FORM_POS_SAVE(this);
}

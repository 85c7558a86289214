#include "register/bulk_dialogs.h"

#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "platform/era.h"
#include "platform/ui.h"
#include "register/item_list.h"
#include "register/registration.h"
#include "common/form_position.h"
#include "store/name_lists.h"

namespace {

const QString kOutTitle = QStringLiteral("廃棄年月日");
const QString kAreaTitle = QStringLiteral("保管場所変更");
const QString kOutDateBad = QStringLiteral("廃棄移設年月日が正しくありません");
const QString kChgDateBad = QStringLiteral("変更年月日が正しくありません");

using ctl::place;

// The era row a date is shown in: S row 0, H row 1, R row 2; another era
// leaves row 2.
int eraRowOf(const QDate& d) {
    const int row = ERA_ROW_OF(d);
    return row < 0 ? 2 : row;
}

void fillEras(ctl::ComboBox* box) {
    box->Clear();
    for (const ERA_ROW& e : ERA_TABLE) box->AddItem(e.ERA_NAME);
    box->setCurrentIndex(2);
}

ctl::Label* unitLabel(const QString& caption, QWidget* parent, int left, int top) {
    auto* l = new ctl::Label(caption, parent);
    place(l, left, top, 240, 240);
    return l;
}

// Calls f(record) for every selected position of the view, in view order.
template <class F>
void forSelectedRows(F f) {
    const qint32 n = std::min<qint32>(INDEX_COUNT, qint32(ZEMLO_INDEX.size()));
    for (qint32 p = 0; p < n; ++p) {
        if (ZEMLO_INDEX[p].SEL != 1) continue;
        const qint32 rec = ZEMLO_INDEX[p].IDX;
        if (rec >= 0 && rec < ZEMLO_COUNT && rec < qint32(ZEMLO_DATA.size())) f(rec);
    }
}

}  // namespace

// ---------------------------------------------------------------- dates

BULK_DATE::Kind BULK_DATE::kind() const {
    if (eraRow < 0 || eraRow >= int(ERA_TABLE.size())) return Impossible;
    const qint64 maxYear = 9999 - ERA_TABLE[eraRow].ERA_BASE;
    if (year < 0 || month < 0 || day < 0 || year > maxYear || month > 12 || day > 31) return Impossible;
    if (year == 0 || month == 0 || day == 0) return Incomplete;
    return date().isValid() ? Whole : Impossible;
}

QDate BULK_DATE::date() const {
    if (eraRow < 0 || eraRow >= int(ERA_TABLE.size())) return {};
    QDate d;
    if (DATE_INPUT(eraRow, year, month, day, &d) != DateInput::Valid) return {};
    return d;
}

// ---------------------------------------------------------------- master stamps

QString KUBUN_STAMP::keyOf(const QString& kubun, qint16 noKy, const QString& noBu, const QString& name) {
    QString k;
    k.reserve(kubun.size() + noBu.size() + name.size() + 10);
    k += kubun;
    k += QChar(0x1F);
    k += QString::number(noKy);
    k += QChar(0x1F);
    k += noBu;
    k += QChar(0x1F);
    k += name;
    return k;
}

void KUBUN_STAMP::stamp(const ZEMLO_REC& item) {
    if (!built_) {
        built_ = true;
        const qint32 n = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
        for (qint32 i = 0; i < n; ++i) {
            const KUBUN_REC& k = KUBUN_DATA[i];
            entries_[keyOf(k.KUBUN, k.NO_KY, k.NO_BU, k.NAME_D)].append(i);
        }
    }
    const QString key = keyOf(item.KUBUN, item.NO_KY, item.NO_BU, item.NAME_D);
    if (done_.contains(key)) return;
    done_.insert(key);
    const auto it = entries_.constFind(key);
    if (it == entries_.constEnd()) return;
    for (qint32 i : *it) KUBUN_DATA[i].CHG_DATE = now_;
}

// ---------------------------------------------------------------- stores

void OUT_DAY_STORE(qint32 rec, bool relocate, const QString& reason, const QDate& out, KUBUN_STAMP& stamp) {
    ZEMLO_REC& z = ZEMLO_DATA[rec];
    if (relocate) z.MOVE_F = qint16(z.MOVE_F | 2);
    else z.MOVE_F = qint16(z.MOVE_F & ~2);
    z.MOVE_N2 = reason;
    if (out.isValid()) {
        z.BOUT_Y = qint16(out.year());
        z.BOUT_M = qint16(out.month());
        z.BOUT_D = qint16(out.day());
    } else {
        z.BOUT_Y = z.BOUT_M = z.BOUT_D = 0;
    }
    const QDate today = clk::today();
    z.CHG_Y = qint16(today.year());
    z.CHG_M = qint16(today.month());
    z.CHG_D = qint16(today.day());
    stamp.stamp(z);
}

void AREA_STORE(qint32 rec, const QString& place, qint16 chgY, qint16 chgM, qint16 chgD, KUBUN_STAMP& stamp) {
    ZEMLO_REC& z = ZEMLO_DATA[rec];
    z.KEEP = place;
    z.CHG_Y = chgY;
    z.CHG_M = chgM;
    z.CHG_D = chgD;
    stamp.stamp(z);
}

bool KEEP_LIST_APPEND(const QString& place) {
    if (place.isEmpty()) return false;
    const int used = std::clamp<int>(KEEP_COUNT, 0, NAME_LIST_SLOTS);
    for (int i = 0; i < used; ++i)
        if (KEEP_LIST[i] == place) return false;
    // The windows that add names keep each list at 200 at most.
    if (KEEP_COUNT >= NAME_LIST_MAX) return false;
    KEEP_LIST[KEEP_COUNT] = place;
    ++KEEP_COUNT;
    ETC_SAVE();
    return true;
}

// ---------------------------------------------------------------- A_OUT_DAY_F

A_OUT_DAY_F::A_OUT_DAY_F() : platform::Form(QStringLiteral("A_OUT_DAY_F")) {
    setCaption(kOutTitle);
    setFont(ctl::dialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Frame1 = new ctl::Frame(QString(), this, QStringLiteral("Frame1"));
    place(Frame1, 240, 60, 2640, 480);
    OP_OUT = new ctl::OptionButton(QStringLiteral("廃棄"), Frame1, QStringLiteral("OP_OUT"));
    place(OP_OUT, 180, 150, 1000, 270);
    OP_MOVE2 = new ctl::OptionButton(QStringLiteral("移設"), Frame1, QStringLiteral("OP_MOVE2"));
    place(OP_MOVE2, 1380, 150, 1000, 270);

    Label6 = new ctl::Label(QStringLiteral("廃棄理由"), this, QStringLiteral("Label6"));
    place(Label6, 240, 720, 1200, 240);
    MOVE_N2 = new ctl::TextBox(this, QStringLiteral("MOVE_N2"));
    place(MOVE_N2, 1680, 675, 3120, 315);

    // The inputs start 240 twips further right than the place dialog's, so
    // that the long date caption shows whole.
    ZL24 = new ctl::Label(QStringLiteral("廃棄移設   年月日"), this, QStringLiteral("ZL24"));
    place(ZL24, 240, 1200, 1440, 240);
    DP_W = new ctl::ComboBox(this, QStringLiteral("DP_W"), ctl::ComboBox::DropDownList);
    place(DP_W, 1680, 1155, 780, 315);
    BOUT_Y = new ctl::TextBox(this, QStringLiteral("BOUT_Y"));
    place(BOUT_Y, 2520, 1155, 480, 315);
    unitLabel(QStringLiteral("年"), this, 3030, 1200);
    BOUT_M = new ctl::TextBox(this, QStringLiteral("BOUT_M"));
    place(BOUT_M, 3300, 1155, 420, 315);
    unitLabel(QStringLiteral("月"), this, 3750, 1200);
    BOUT_D = new ctl::TextBox(this, QStringLiteral("BOUT_D"));
    place(BOUT_D, 4020, 1155, 420, 315);
    unitLabel(QStringLiteral("日"), this, 4470, 1200);
    for (ctl::TextBox* b : {BOUT_Y, BOUT_M, BOUT_D}) b->setAlignment(Qt::AlignRight);

    B_OK = new ctl::CommandButton(QStringLiteral("設定"), this, QStringLiteral("B_OK"));
    place(B_OK, 1320, 1740, 1320, 420);
    B_CANSEL = new ctl::CommandButton(QStringLiteral("ｷｬﾝｾﾙ"), this, QStringLiteral("B_CANSEL"));
    place(B_CANSEL, 3000, 1740, 1320, 420);
    for (QPushButton* b : {static_cast<QPushButton*>(B_OK), static_cast<QPushButton*>(B_CANSEL)}) b->setAutoDefault(false);
    setFixedSize(int(std::lround(5040 / 15.0)), int(std::lround(2400 / 15.0)));

    B_OK->Click = [this] { B_OK_Click(); };
    B_CANSEL->Click = [this] { B_CANSEL_Click(); };
    OP_OUT->Click = [this] { OP_OUT_Click(); };
    OP_MOVE2->Click = [this] { OP_MOVE2_Click(); };
    for (QWidget* w : {static_cast<QWidget*>(MOVE_N2), static_cast<QWidget*>(BOUT_Y), static_cast<QWidget*>(BOUT_M),
                       static_cast<QWidget*>(BOUT_D)})
        w->installEventFilter(this);
}

bool A_OUT_DAY_F::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            // The Enter chain: reason, year, month, day, then "設定".
            const std::pair<QObject*, QWidget*> chain[] = {
                {MOVE_N2, BOUT_Y}, {BOUT_Y, BOUT_M}, {BOUT_M, BOUT_D}, {BOUT_D, B_OK}};
            for (const auto& [from, to] : chain) {
                if (from != watched) continue;
                to->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return platform::Form::eventFilter(watched, e);
}

void A_OUT_DAY_F::Form_Load() {
    FORM_POS_READ(this);
    fillEras(DP_W);
    if (!OUT_DAY_LAST.isValid()) OUT_DAY_LAST = clk::now();
    const QDate last = OUT_DAY_LAST.date();
    const int row = eraRowOf(last);
    DP_W->setCurrentIndex(row);
    BOUT_Y->SetText(QString::number(last.year() - ERA_TABLE[row].ERA_BASE));
    BOUT_M->SetText(QString::number(last.month()));
    BOUT_D->SetText(QString::number(last.day()));
    OP_OUT->setChecked(true);
    Label6->setCaption(QStringLiteral("廃棄理由"));
    MOVE_N2->SetText(QString());
}

BULK_DATE A_OUT_DAY_F::boxDate() const {
    return {DP_W->ListIndex(), BOX_VALUE(BOUT_Y->Text()), BOX_VALUE(BOUT_M->Text()), BOX_VALUE(BOUT_D->Text())};
}

void A_OUT_DAY_F::OP_OUT_Click() { Label6->setCaption(QStringLiteral("廃棄理由")); }

void A_OUT_DAY_F::OP_MOVE2_Click() { Label6->setCaption(QStringLiteral("移設先")); }

void A_OUT_DAY_F::OUT_DAY_SET(qint32 rec) {
    const BULK_DATE d = boxDate();
    KUBUN_STAMP local(clk::now());
    OUT_DAY_STORE(rec, OP_MOVE2->Value(), MOVE_N2->Text(), d.kind() == BULK_DATE::Whole ? d.date() : QDate(),
                  stamp_ ? *stamp_ : local);
}

void A_OUT_DAY_F::B_OK_Click() {
    // A date that cannot exist is refused; an incomplete one clears the out
    // date of the items (how a disposal is undone).
    if (boxDate().kind() == BULK_DATE::Impossible) {
        ui::MsgBox(kOutDateBad, int(ui::vbOKOnly) | ui::vbExclamation, kOutTitle);
        BOUT_Y->setFocus();
        return;
    }
    {
        ui::BusyPointer busy;
        KUBUN_STAMP stamp(clk::now());
        stamp_ = &stamp;
        forSelectedRows([this](qint32 rec) { OUT_DAY_SET(rec); });
        stamp_ = nullptr;
    }
    Unload(platform::vbFormCode);
}

void A_OUT_DAY_F::B_CANSEL_Click() { Unload(platform::vbFormCode); }

void A_OUT_DAY_F::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    // Only a whole date is proposed at the next opening of this run.
    const BULK_DATE d = boxDate();
    if (d.kind() == BULK_DATE::Whole) OUT_DAY_LAST = QDateTime(d.date(), QTime(0, 0), Qt::UTC);
    FORM_POS_SAVE(this);
}

// ---------------------------------------------------------------- A_AREA_SET

A_AREA_SET::A_AREA_SET() : platform::Form(QStringLiteral("A_AREA_SET")) {
    setCaption(QStringLiteral("保管場所"));
    setFont(ctl::dialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label1 = new ctl::Label(QStringLiteral("保管場所"), this, QStringLiteral("Label1"));
    place(Label1, 240, 300, 1200, 240);
    KEEP = new ctl::ComboBox(this, QStringLiteral("KEEP"), ctl::ComboBox::DropDownCombo);
    place(KEEP, 1440, 255, 3120, 315);

    ZL24 = new ctl::Label(QStringLiteral("変更  年月日"), this, QStringLiteral("ZL24"));
    place(ZL24, 240, 840, 1200, 240);
    DP_W = new ctl::ComboBox(this, QStringLiteral("DP_W"), ctl::ComboBox::DropDownList);
    place(DP_W, 1440, 795, 780, 315);
    CHG_Y = new ctl::TextBox(this, QStringLiteral("CHG_Y"));
    place(CHG_Y, 2280, 795, 480, 315);
    unitLabel(QStringLiteral("年"), this, 2790, 840);
    CHG_M = new ctl::TextBox(this, QStringLiteral("CHG_M"));
    place(CHG_M, 3060, 795, 420, 315);
    unitLabel(QStringLiteral("月"), this, 3510, 840);
    CHG_D = new ctl::TextBox(this, QStringLiteral("CHG_D"));
    place(CHG_D, 3780, 795, 420, 315);
    unitLabel(QStringLiteral("日"), this, 4230, 840);
    for (ctl::TextBox* b : {CHG_Y, CHG_M, CHG_D}) b->setAlignment(Qt::AlignRight);

    B_CHG = new ctl::CommandButton(QStringLiteral("変更"), this, QStringLiteral("B_CHG"));
    place(B_CHG, 1200, 1440, 1320, 420);
    B_ESC = new ctl::CommandButton(QStringLiteral("ｷｬﾝｾﾙ"), this, QStringLiteral("B_ESC"));
    place(B_ESC, 2880, 1440, 1320, 420);
    for (QPushButton* b : {static_cast<QPushButton*>(B_CHG), static_cast<QPushButton*>(B_ESC)}) b->setAutoDefault(false);
    setFixedSize(int(std::lround(4800 / 15.0)), int(std::lround(2100 / 15.0)));

    B_CHG->Click = [this] { B_CHG_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
}

void A_AREA_SET::Form_Load() {
    FORM_POS_READ(this);
    fillEras(DP_W);
    KEEP->Clear();
    for (int i = 0; i <= NAME_LIST_MAX && i < NAME_LIST_SLOTS; ++i) {
        if (KEEP_LIST[i].isEmpty()) break;
        KEEP->AddItem(KEEP_LIST[i]);
    }
    KEEP->setCurrentIndex(-1);
    KEEP->setEditText(QString());
    const QDate today = clk::today();
    CHG_Y->SetText(QString::number(today.year() - ERA_TABLE[2].ERA_BASE));
    CHG_M->SetText(QString::number(today.month()));
    CHG_D->SetText(QString::number(today.day()));
}

BULK_DATE A_AREA_SET::boxDate() const {
    return {DP_W->ListIndex(), BOX_VALUE(CHG_Y->Text()), BOX_VALUE(CHG_M->Text()), BOX_VALUE(CHG_D->Text())};
}

void A_AREA_SET::B_CHG_Click() {
    const BULK_DATE d = boxDate();
    if (d.kind() == BULK_DATE::Impossible) {
        ui::MsgBox(kChgDateBad, int(ui::vbOKOnly) | ui::vbExclamation, kAreaTitle);
        CHG_Y->setFocus();
        return;
    }
    const QString place = KEEP->currentText().trimmed();
    if (place.isEmpty() &&
        ui::MsgBox(QStringLiteral("保管場所を削除します"), int(ui::vbYesNo) | ui::vbQuestion, kAreaTitle) == ui::vbNo)
        return;
    {
        ui::BusyPointer busy;
        // The date as typed: a whole date is stored as it is; an incomplete
        // one keeps its typed parts, the year counted from the chosen era.
        const qint16 y = qint16(d.year + ERA_TABLE[d.eraRow].ERA_BASE);
        const qint16 m = qint16(d.month), dd = qint16(d.day);
        KUBUN_STAMP stamp(clk::now());
        forSelectedRows([&](qint32 rec) { AREA_STORE(rec, place, y, m, dd, stamp); });
    }
    Unload(platform::vbFormCode);
}

void A_AREA_SET::B_ESC_Click() { Unload(platform::vbFormCode); }

void A_AREA_SET::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(Cancel);
    Q_UNUSED(UnloadMode);
    // A new place joins the name list, also after a cancel.
    KEEP_LIST_APPEND(KEEP->currentText().trimmed());
}

void A_AREA_SET::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FORM_POS_SAVE(this);
}

// ---------------------------------------------------------------- plugging in

void A_OUT_DAY_F_SHOW() { platform::FormInstance<A_OUT_DAY_F>::get()->ShowModal(); }

void A_AREA_SET_SHOW() { platform::FormInstance<A_AREA_SET>::get()->ShowModal(); }

void BULK_WINDOWS_INSTALL() {
    ZEMLO_LIST_WINDOWS.A_OUT_DAY_F = [] { A_OUT_DAY_F_SHOW(); };
    ZEMLO_LIST_WINDOWS.A_AREA_SET = [] { A_AREA_SET_SHOW(); };
}

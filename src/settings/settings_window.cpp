#include "settings/settings_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/drives.h"
#include "platform/text.h"
#include "platform/controls.h"
#include "platform/ui.h"
#include "settings/folder_lists.h"
#include "common/form_position.h"
#include "common/mouse_label.h"
#include "common/twips_place.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {

using platform::twipsToPx;
using shell_ui::at;

const QString kTitleSettings = QStringLiteral("環境設定");
const QString kTitleList = QStringLiteral("リスト設定");
const QString kMsgNoFolder = QStringLiteral("データ用フォルダー又はメディアの確認ができません");
const QString kMsgBadSchool = QStringLiteral("学校名又は、学校コードが不正です");
const QString kMsgAskCreate = QStringLiteral("データ用フォルダーを作成しますか？");
const QString kMsgCannotCreate = QStringLiteral("データ用フォルダーを作成できませんでした");
const QString kMsgDuplicate = QStringLiteral("備品区分が重複してます");
const QString kMsgNotReady = QStringLiteral("デバイスの準備が出来ていません");

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height = 240) {
    return at(new QLabel(text, parent), left, top, width, height);
}

QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width, int height = 330) {
    auto* e = at(new QLineEdit(parent), left, top, width, height);
    e->setObjectName(QString::fromLatin1(name));
    ctl::guardSjis(e);
    return e;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                    int height = 375) {
    auto* b = at(new QPushButton(caption, parent), left, top, width, height);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// "###0.0"
QString fmt1(double v) {
    QString s = QString::number(v, 'f', 1);
    if (s == QStringLiteral("-0.0")) s = QStringLiteral("0.0");
    return s;
}

// A correction as the spin bars can show it: -10.0 to +10.0 in steps of 0.1.
double correctionOf(const QString& textValue) {
    double v = text::val(textValue);
    if (v > 10.0) v = 10.0;
    if (v < -10.0) v = -10.0;
    return double(text::roundHalfEven(v * 10.0)) / 10.0;
}

QString trimRight(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return s.left(n);
}

// Moves the focus to `next` when Enter is pressed in `box` (the key is dropped).
void enterMovesTo(QLineEdit* box, QWidget* next) {
    QObject::connect(box, &QLineEdit::returnPressed, box, [next] {
        if (next) next->setFocus(Qt::TabFocusReason);
    });
}

}  // namespace

// ===================================================================== USER_SET
USER_SET::USER_SET() : Form(QStringLiteral("USER_SET")) {
    setCaption(kTitleSettings);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // ---- school, data folder
    Label1 = at(new MouseLabel(QStringLiteral("学校名"), this), 120, 200, 1000, 240);
    Label1->setObjectName(QStringLiteral("Label1"));
    SC_NAME = textBox(this, "SC_NAME", 1200, 150, 3400);
    label(this, QStringLiteral("学校コード"), 120, 600, 1000);
    SC_CODE = textBox(this, "SC_CODE", 1200, 550, 1500);
    label(this, QStringLiteral("ドライブ＆フォルダ"), 120, 990, 2000);
    DRV_DIR = textBox(this, "DRV_DIR", 120, 1250, 3600);
    Command1 = button(this, "Command1", QStringLiteral("参照"), 3780, 1230, 820);

    // ---- print corrections
    auto* prt = at(new QGroupBox(QStringLiteral("印刷位置補正"), this), 120, 1700, 4480, 1330);
    label(prt, QStringLiteral("右方向"), 1000, 280, 900);
    label(prt, QStringLiteral("下方向"), 2300, 280, 900);
    label(prt, QStringLiteral("横印刷"), 120, 600, 800);
    label(prt, QStringLiteral("縦印刷"), 120, 980, 800);
    H_X = textBox(prt, "H_X", 900, 550, 900);
    VS_HX = at(new QScrollBar(Qt::Vertical, prt), 1800, 550, 240, 330);
    H_Y = textBox(prt, "H_Y", 2200, 550, 900);
    VS_HY = at(new QScrollBar(Qt::Vertical, prt), 3100, 550, 240, 330);
    V_X = textBox(prt, "V_X", 900, 930, 900);
    VS_VX = at(new QScrollBar(Qt::Vertical, prt), 1800, 930, 240, 330);
    V_Y = textBox(prt, "V_Y", 2200, 930, 900);
    VS_VY = at(new QScrollBar(Qt::Vertical, prt), 3100, 930, 240, 330);
    label(prt, QStringLiteral("ﾐﾘﾒｰﾄﾙ"), 3450, 980, 950);
    const char* barNames[] = {"VS_HX", "VS_HY", "VS_VX", "VS_VY"};
    for (int i = 0; i < 4; ++i) {
        bar(i)->setObjectName(QString::fromLatin1(barNames[i]));
        bar(i)->setRange(-100, 100);
        bar(i)->setSingleStep(1);
        bar(i)->setPageStep(10);
        box(i)->setAlignment(Qt::AlignRight);
    }

    // ---- tax
    auto* tax = at(new QGroupBox(QStringLiteral("消費税"), this), 120, 3100, 4480, 700);
    TAX_OUT = at(new QRadioButton(QStringLiteral("外税"), tax), 150, 300, 850, 300);
    TAX_IN = at(new QRadioButton(QStringLiteral("内税"), tax), 1050, 300, 850, 300);
    TAX_NO = at(new QRadioButton(QStringLiteral("無し"), tax), 1950, 300, 850, 300);
    TAX_OUT->setObjectName(QStringLiteral("TAX_OUT"));
    TAX_IN->setObjectName(QStringLiteral("TAX_IN"));
    TAX_NO->setObjectName(QStringLiteral("TAX_NO"));
    TAX = textBox(tax, "TAX", 3000, 270, 800);
    TAX->setAlignment(Qt::AlignRight);
    label(tax, QStringLiteral("％"), 3850, 320, 300);

    // ---- option flags
    CHK_1 = at(new QCheckBox(QStringLiteral("備品登録時、年度自動設定無し"), this), 120, 3880, 4500, 270);
    CHK_2 = at(new QCheckBox(QStringLiteral("備品登録時、前回入力データ継続"), this), 4800, 3880, 4500, 270);
    CHK_3 = at(new QCheckBox(QStringLiteral("備品台帳・備品リスト、廃棄備品の備品番号等を２本線で抹消"), this), 120, 4200,
               9000, 270);
    // Below the window's visible area: loaded and written back unchanged.
    CHK_F = at(new QCheckBox(QStringLiteral("データ登録時未入力データ確認無し"), this), 120, 5300, 4500, 270);
    CHK_1->setObjectName(QStringLiteral("CHK_1"));
    CHK_2->setObjectName(QStringLiteral("CHK_2"));
    CHK_3->setObjectName(QStringLiteral("CHK_3"));
    CHK_F->setObjectName(QStringLiteral("CHK_F"));

    // ---- expense types and level names
    auto* keihi = at(new QGroupBox(QStringLiteral("経費区分"), this), 4800, 100, 2200, 3700);
    for (int i = 0; i < 7; ++i) {
        ADD_KH[i] = textBox(keihi, "ADD_KH", 150, 330 + i * 465, 1900);
        ADD_KH[i]->setObjectName(QStringLiteral("ADD_KH_%1").arg(i));
    }
    label(this, QStringLiteral("区分名１"), 7150, 150, 2000);
    NAMEK[0] = textBox(this, "NAMEK_0", 7150, 420, 2050);
    label(this, QStringLiteral("区分名２"), 7150, 900, 2000);
    NAMEK[1] = textBox(this, "NAMEK_1", 7150, 1170, 2050);
    OK = button(this, "OK", QStringLiteral("ＯＫ"), 7300, 2350, 1800, 450);
    ESC = button(this, "ESC", QStringLiteral("ｷｬﾝｾﾙ"), 7300, 2950, 1800, 450);

    // ---- category names (only the wider window of the municipality mode shows them)
    KUBUN_FRAME = at(new QGroupBox(QStringLiteral("備品区分"), this), 9450, 100, 2400, 4350);
    S_LIST = at(new QListWidget(KUBUN_FRAME), 120, 300, 1350, 2550);
    S_LIST->setObjectName(QStringLiteral("S_LIST"));
    B_UP = button(KUBUN_FRAME, "B_UP", QStringLiteral("上"), 1560, 300, 720);
    B_DOWN = button(KUBUN_FRAME, "B_DOWN", QStringLiteral("下"), 1560, 750, 720);
    B_DEL = button(KUBUN_FRAME, "B_DEL", QStringLiteral("削除"), 1560, 1450, 720);
    S_IN = textBox(KUBUN_FRAME, "S_IN", 120, 2950, 1350);
    B_ADD = button(KUBUN_FRAME, "B_ADD", QStringLiteral("追加"), 1560, 2930, 720);
    auto* note1 = label(KUBUN_FRAME, QStringLiteral("＊文字数４文字以下"), 120, 3400, 2200);
    auto* note2 = label(KUBUN_FRAME, QStringLiteral("＊管理は、削除と移動ができません"), 120, 3680, 2200, 560);
    note2->setWordWrap(true);
    QFont small = note1->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    note1->setFont(small);
    note2->setFont(small);

    // ---- events
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ESC, &QPushButton::clicked, this, [this] { ESC_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Label1, &MouseLabel::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { Label1_MouseDown(b, m); });
    for (int i = 0; i < 4; ++i) {
        connect(bar(i), &QScrollBar::valueChanged, this, [this, i](int) { VS_Change(i); });
        connect(box(i), &QLineEdit::editingFinished, this, [this, i] { H_LostFocus(i); });
    }
    enterMovesTo(SC_NAME, SC_CODE);
    enterMovesTo(SC_CODE, H_X);
    enterMovesTo(H_X, H_Y);
    enterMovesTo(H_Y, V_X);
    enterMovesTo(V_X, V_Y);
    enterMovesTo(V_Y, TAX);
    enterMovesTo(TAX, nullptr);
    connect(S_IN, &QLineEdit::textChanged, this, [this] { S_IN_Change(); });
    connect(S_IN, &QLineEdit::returnPressed, this, [this] { S_IN_Enter(); });
    connect(B_ADD, &QPushButton::clicked, this, [this] { B_ADD_Click(); });
    connect(B_DEL, &QPushButton::clicked, this, [this] { B_DEL_Click(); });
    connect(B_UP, &QPushButton::clicked, this, [this] { B_UP_Click(); });
    connect(B_DOWN, &QPushButton::clicked, this, [this] { B_DOWN_Click(); });
    connect(S_LIST, &QListWidget::itemClicked, this, [this] { S_LIST_Click(); });
    connect(S_LIST, &QListWidget::itemDoubleClicked, this, [this] { S_LIST_DblClick(); });
}

QLineEdit* USER_SET::box(int which) const {
    switch (which) {
        case 0: return H_X;
        case 1: return H_Y;
        case 2: return V_X;
        default: return V_Y;
    }
}

QScrollBar* USER_SET::bar(int which) const {
    switch (which) {
        case 0: return VS_HX;
        case 1: return VS_HY;
        case 2: return VS_VX;
        default: return VS_VY;
    }
}

void USER_SET::Form_Load() {
    FORM_POS_READ(this);
    setFixedSize(twipsToPx(CITY_MODE == 1 ? 12000 : 9400), twipsToPx(5000));

    SC_NAME->setText(SCHOOL_NAME);
    SC_CODE->setText(QString::number(SCHOOL_CODE));
    DRV_DIR->setText(DATA_DIR);
    TAX->setText(QString::number(TAX_RATE));
    TAX_OUT->setChecked(TAX_MODE != 1 && TAX_MODE != 2);
    TAX_IN->setChecked(TAX_MODE == 1);
    TAX_NO->setChecked(TAX_MODE == 2);
    // Corrections: landscape right and down, portrait right and down.
    const float adj[4] = {PRT_ADJ[2], PRT_ADJ[3], PRT_ADJ[0], PRT_ADJ[1]};
    for (int i = 0; i < 4; ++i) {
        box(i)->setText(fmt1(adj[i]));
        QSignalBlocker block(bar(i));
        bar(i)->setValue(int(text::roundHalfEven(double(adj[i]) * -10.0)));
    }
    CHK_F->setChecked(SET_FLAGS & 1);
    CHK_1->setChecked(SET_FLAGS & 2);
    CHK_2->setChecked(SET_FLAGS & 4);
    CHK_3->setChecked(SET_FLAGS & 8);
    NAMEK[0]->setText(KUBUN_LEVEL_NAME[0].isEmpty() ? QStringLiteral("分類･教科") : KUBUN_LEVEL_NAME[0]);
    NAMEK[1]->setText(KUBUN_LEVEL_NAME[1].isEmpty() ? QStringLiteral("区分･分類") : KUBUN_LEVEL_NAME[1]);
    for (int i = 0; i < 7; ++i) ADD_KH[i]->setText(KEIHI_NAMES[i]);

    if (DRIVE_MODE == 1) {
        // Portable: the data live in the program folder.
        DRV_DIR->setText(PRG_DIR);
        DRV_DIR->setReadOnly(true);
        Command1->setEnabled(false);
    }

    S_LIST->clear();
    for (const QString& n : KUBUN_NAMES)
        if (!n.isEmpty()) S_LIST->addItem(n);
    B_ADD->setEnabled(false);
    B_UP->setEnabled(false);
    B_DOWN->setEnabled(false);
    B_DEL->setEnabled(false);
    const bool full = S_LIST->count() >= 20;
    S_IN->setEnabled(!full);
    KUBUN_LIST_CHANGED = 0;
}

void USER_SET::Form_Unload(int&) { FORM_POS_SAVE(this); }

void USER_SET::Label1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers) {
    if (button == Qt::RightButton) setFixedHeight(twipsToPx(4500));
}

void USER_SET::Command1_Click() {
    // DF_SET reads and writes this window's data-folder box.
    auto* f = platform::FormInstance<DF_SET>::get();
    f->ShowModal();
}

// ---------------------------------------------------------------- corrections
void USER_SET::VS_Change(int which) { box(which)->setText(fmt1(bar(which)->value() / -10.0)); }

void USER_SET::H_LostFocus(int which) {
    const double v = correctionOf(box(which)->text());
    QSignalBlocker block(bar(which));
    bar(which)->setValue(int(text::roundHalfEven(v * -10.0)));
    box(which)->setText(fmt1(v));
}

// ---------------------------------------------------------------- category names
void USER_SET::S_IN_Change() { B_ADD->setEnabled(!S_IN->text().trimmed().isEmpty() && S_LIST->count() < 20); }

void USER_SET::S_IN_Enter() {
    if (!S_IN->text().trimmed().isEmpty() && B_ADD->isEnabled()) B_ADD_Click();
}

void USER_SET::B_ADD_Click() {
    const QString t = trimRight(S_IN->text());
    // A text of blanks only would make an empty category name.
    if (t.trimmed().isEmpty()) return;
    KUBUN_LIST_CHANGED = 1;
    for (int i = 0; i < S_LIST->count(); ++i) {
        if (trimRight(S_LIST->item(i)->text()) == t) {
            ui::MsgBox(kMsgDuplicate, ui::vbCritical, kTitleList);
            return;
        }
    }
    S_LIST->addItem(t);
    S_LIST->setCurrentRow(S_LIST->count() - 1);
    S_IN->clear();
    B_ADD->setEnabled(false);
    if (S_LIST->count() > 8) S_LIST->scrollToBottom();
    if (S_LIST->count() >= 20) {
        B_ADD->setEnabled(false);
        S_IN->setEnabled(false);
    }
}

void USER_SET::B_DEL_Click() {
    KUBUN_LIST_CHANGED = 1;
    const int row = S_LIST->currentRow();
    if (row > 0 && S_LIST->currentItem() && S_LIST->currentItem()->isSelected()) {
        delete S_LIST->takeItem(row);
        if (row < S_LIST->count()) {
            S_LIST->setCurrentRow(row);
            S_IN->clear();
            B_ADD->setEnabled(true);
        } else {
            S_LIST->setCurrentRow(-1);
            S_LIST->clearSelection();
            B_UP->setEnabled(false);
            B_DOWN->setEnabled(false);
            B_ADD->setEnabled(false);
            B_DEL->setEnabled(false);
        }
    }
    S_IN->setEnabled(true);
    S_IN_Change();
}

void USER_SET::B_UP_Click() {
    KUBUN_LIST_CHANGED = 1;
    const int row = S_LIST->currentRow();
    if (row >= 2) {
        QListWidgetItem* it = S_LIST->takeItem(row);
        S_LIST->insertItem(row - 1, it);
        S_LIST->setCurrentRow(row - 1);
    }
}

void USER_SET::B_DOWN_Click() {
    KUBUN_LIST_CHANGED = 1;
    const int row = S_LIST->currentRow();
    if (row >= 1 && row < S_LIST->count() - 1) {
        QListWidgetItem* it = S_LIST->takeItem(row);
        S_LIST->insertItem(row + 1, it);
        S_LIST->setCurrentRow(row + 1);
    }
}

void USER_SET::S_LIST_Click() {
    B_UP->setEnabled(true);
    B_DOWN->setEnabled(true);
    B_DEL->setEnabled(true);
}

void USER_SET::S_LIST_DblClick() {
    if (S_IN->text().isEmpty() && S_LIST->currentItem()) S_IN->setText(S_LIST->currentItem()->text());
}

// ---------------------------------------------------------------- OK / cancel
bool USER_SET::makeDataFolder(const QString& path) {
    // Walk the path from the root down: every folder on the way must exist or
    // be created; ask once before the first one that has to be made.
    const QString p = QDir::fromNativeSeparators(path);
    if (!p.startsWith(u'/')) {
        ui::MsgBox(kMsgNoFolder, ui::vbCritical, kTitleSettings);
        return false;
    }
    QStringList steps;
    for (qsizetype i = 1; i < p.size(); ++i)
        if (p.at(i) == u'/') steps << p.left(i);
    steps << p;
    if (steps.size() > 29) {
        ui::MsgBox(kMsgCannotCreate, ui::vbCritical, kTitleSettings);
        return false;
    }
    bool asked = false;
    for (const QString& s : steps) {
        const QFileInfo fi(s);
        if (fi.isDir()) continue;
        if (!asked) {
            if (ui::MsgBox(kMsgAskCreate, ui::vbYesNo + ui::vbQuestion, kTitleSettings) != ui::vbYes) return false;
            asked = true;
        }
        if (fi.exists() || !QDir().mkdir(s)) {
            ui::MsgBox(kMsgNoFolder, ui::vbCritical, kTitleSettings);
            return false;
        }
    }
    return true;
}

bool USER_SET::checkInput() {
    if (DRV_DIR->text().isEmpty()) {
        ui::MsgBox(kMsgNoFolder, ui::vbCritical, kTitleSettings);
        return false;
    }
    // The code must also be a whole number that fits the stored Long.
    const QString code = text::toHalfWidth(SC_CODE->text().trimmed());
    bool isNumber = false;
    const qint64 n = code.toLongLong(&isNumber);
    if (code.size() < 4 || SC_NAME->text().trimmed().size() < 3 || !isNumber || n < INT32_MIN || n > INT32_MAX) {
        ui::MsgBox(kMsgBadSchool, ui::vbCritical, kTitleSettings);
        return false;
    }
    return makeDataFolder(DRV_DIR->text().trimmed());
}

void USER_SET::OK_Click() {
    if (!checkInput()) return;

    PRT_ADJ[2] = float(correctionOf(H_X->text()));
    PRT_ADJ[3] = float(correctionOf(H_Y->text()));
    PRT_ADJ[0] = float(correctionOf(V_X->text()));
    PRT_ADJ[1] = float(correctionOf(V_Y->text()));
    SCHOOL_NAME = SC_NAME->text();
    SCHOOL_CODE = qint32(text::toHalfWidth(SC_CODE->text().trimmed()).toLongLong());
    const QString dir = DRV_DIR->text().trimmed();
    if (dir != DATA_DIR) DATA_DIR = dir;
    const qint64 rate = text::roundHalfEven(text::val(TAX->text()));
    TAX_RATE = qint16(qBound(qint64(-32768), rate, qint64(32767)));
    TAX_MODE = TAX_IN->isChecked() ? 1 : TAX_NO->isChecked() ? 2 : 0;
    SET_FLAGS = (CHK_F->isChecked() ? 1 : 0) | (CHK_1->isChecked() ? 2 : 0) | (CHK_2->isChecked() ? 4 : 0) |
                (CHK_3->isChecked() ? 8 : 0);
    KUBUN_LEVEL_NAME[0] = NAMEK[0]->text();
    KUBUN_LEVEL_NAME[1] = NAMEK[1]->text();
    for (int i = 0; i < 7; ++i) KEIHI_NAMES[i] = ADD_KH[i]->text();
    for (int i = 0; i < 21; ++i) KUBUN_NAMES[i] = i < S_LIST->count() ? S_LIST->item(i)->text() : QString();

    // A failed write has shown its message; the window stays for another try.
    if (ENV_SAVE() != 1) return;
    if (KUBUN_LIST_CHANGED == 1) KUBUN_SORTED = 0;
    Unload();
}

void USER_SET::ESC_Click() { Unload(); }

// ===================================================================== DF_SET
DF_SET::DF_SET() : Form(QStringLiteral("DF_SET")) {
    setCaption(QStringLiteral("ドライブ＆フォルダ"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    label(this, QStringLiteral("データ用ドライブ＆フォルダ"), 120, 120, 4200);
    Drive1 = at(new DriveListBox(this), 120, 420, 4200, 330);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = at(new FolderListBox(this), 120, 820, 4200, 2600);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Label1 = label(this, QString(), 120, 3500, 4200, 300);
    Label1->setObjectName(QStringLiteral("Label1"));
    Command1 = button(this, "Command1", QStringLiteral("OK"), 1200, 3950, 1400);
    Command2 = button(this, "Command2", QStringLiteral("ｷｬﾝｾﾙ"), 2900, 3950, 1400);
    setFixedSize(twipsToPx(4440), twipsToPx(4500));

    connect(Drive1, &DriveListBox::driveChanged, this, [this](const QString& m) { Drive1_Change(m); });
    connect(Dir1, &FolderListBox::pathChanged, this, [this](const QString& p) { Dir1_Change(p); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void DF_SET::Form_Load() {
    Label1->clear();
    LAST_DRIVE = drives::mountPoint(WORK_DIR);
    const USER_SET* owner = platform::FormInstance<USER_SET>::peek();
    const QString wanted = owner ? owner->DRV_DIR->text().trimmed() : QString();
    {
        QSignalBlocker block(Drive1);
        Drive1->setDriveOf(wanted.isEmpty() ? WORK_DIR : wanted);
    }
    if (!wanted.isEmpty() && Dir1->setPath(wanted)) return;
    // Drive not ready or folder missing: the work folder's drive instead.
    QSignalBlocker block(Drive1);
    Drive1->setDriveOf(WORK_DIR);
    Dir1->setPath(WORK_DIR);
}

void DF_SET::Drive1_Change(const QString& mountPoint) {
    if (Dir1->setPath(mountPoint)) {
        LAST_DRIVE = mountPoint;
        return;
    }
    ui::MsgBox(kMsgNotReady, ui::vbCritical, ui::kTitle);
    QSignalBlocker block(Drive1);
    Drive1->setDriveOf(LAST_DRIVE);
}

void DF_SET::Drive1_LostFocus() { LAST_DRIVE = Drive1->drive(); }

void DF_SET::Dir1_Change(const QString& path) { Label1->setText(path); }

void DF_SET::Command1_Click() {
    if (USER_SET* owner = platform::FormInstance<USER_SET>::peek()) owner->DRV_DIR->setText(Label1->text());
    Unload();
}

void DF_SET::Command2_Click() { Unload(); }

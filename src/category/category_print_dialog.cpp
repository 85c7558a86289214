#include "category/category_print_dialog.h"

#include <QSignalBlocker>
#include <utility>

#include "platform/ui.h"
#include "store/category_lists.h"
#include "store/state.h"

using ctl::placeTwips;

namespace {
std::function<void()> g_noteListPrt;

// Window kinds that open the dialog.
constexpr qint16 kEditorKind = 5;
constexpr qint16 kFuncListKind = 10;
}  // namespace

void NOTE_LIST_PRT_SET(std::function<void()> job) { g_noteListPrt = std::move(job); }
void NOTE_LIST_PRT() {
    if (g_noteListPrt) g_noteListPrt();
}

KUBUN_PRT::KUBUN_PRT() : platform::Form(QStringLiteral("KUBUN_PRT")) {
    setCaption(QStringLiteral("備品区分印刷"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(ctl::dialogFont());

    Label1 = new ctl::Label(QStringLiteral("備品区分"), this, QStringLiteral("Label1"));
    placeTwips(Label1, 360, 120, 1095, 255);
    CHK1 = new ctl::CheckBox(QStringLiteral("選択範囲"), this, QStringLiteral("CHK1"));
    placeTwips(CHK1, 1680, 120, 1575, 255);
    CHK2 = new ctl::CheckBox(QStringLiteral("購入数・廃棄数無しでも印刷"), this, QStringLiteral("CHK2"));
    placeTwips(CHK2, 1680, 120, 2775, 255);
    KUBUN = new ctl::ComboBox(this, QStringLiteral("KUBUN"));
    placeTwips(KUBUN, 240, 480, 1095, 300);
    KUBUN_L = new ctl::ListBox(this, QStringLiteral("KUBUN_L"));
    placeTwips(KUBUN_L, 240, 480, 1095, 2580);
    KUBUN_L->raise();  // lies over KUBUN
    Label2 = new ctl::Label(QString(), this, QStringLiteral("Label2"));
    placeTwips(Label2, 1440, 480, 1815, 255);
    KYOUKA = new ctl::ListBox(this, QStringLiteral("KYOUKA"), 1);
    placeTwips(KYOUKA, 1440, 720, 1815, 2400);
    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    placeTwips(B_PRT, 3480, 720, 855, 375);
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    placeTwips(B_ESC, 3480, 1320, 855, 375);
    B_STOP = new ctl::CommandButton(QStringLiteral("中止"), this, QStringLiteral("B_STOP"));
    placeTwips(B_STOP, 3480, 1920, 855, 375);
    B_ALL = new ctl::CommandButton(QStringLiteral("全"), this, QStringLiteral("B_ALL"));
    placeTwips(B_ALL, 3360, 2760, 495, 255);
    Label3 = new ctl::Label(QString(), this, QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    placeTwips(Label3, 120, 3240, 4335, 480);
    for (QPushButton* b : {static_cast<QPushButton*>(B_PRT), static_cast<QPushButton*>(B_ESC),
                           static_cast<QPushButton*>(B_STOP), static_cast<QPushButton*>(B_ALL)})
        b->setAutoDefault(false);
    setFixedSize(platform::twipsToPx(4575), platform::twipsToPx(3840));

    KUBUN->Click = [this] { KUBUN_Click(); };
    KUBUN_L->Click = [this] { KUBUN_L_Click(); };
    B_ALL->Click = [this] { B_ALL_Click(); };
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_STOP->Click = [this] { B_STOP_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
}

void KUBUN_PRT::Form_Load() {
    CHK1->hide();
    CHK2->hide();
    if (FORM_KIND == kEditorKind) {
        setCaption(QStringLiteral("備品区分印刷"));
        CHK1->show();
    } else if (FORM_KIND == kFuncListKind) {
        setCaption(QStringLiteral("備品機能別リスト印刷"));
    } else {
        setCaption(QStringLiteral("備品台帳内訳印刷"));
        CHK2->show();
    }
    PRT_STOP = 0;
    B_STOP->setEnabled(false);
    {
        QSignalBlocker block(KUBUN);
        KUBUN->Clear();
    }
    KUBUN_L->Clear();
    KYOUKA->Clear();
    KYOUKA_NO.clear();
    KUBUN_L->setVisible(CITY_MODE == 1);
    const QStringList names = KUBUN_LIST_NAMES();
    KUBUN->addItems(names);
    KUBUN_L->addItems(names);
    Label2->setCaption(KUBUN_LEVEL_NAME[0]);
    Label3->setCaption(KUBUN_LEVEL_NAME[0] + QStringLiteral("が未選択の時は、備品区分に該当する全データが連続印刷されます。"));
    KUBUN->setCurrentIndex(-1);
    KUBUN->setListIndex(0);
}

void KUBUN_PRT::Form_Unload(int& Cancel) {
    if (printing_) Cancel = 1;
}

void KUBUN_PRT::KUBUN_Click() {
    if (printing_) return;
    // The municipality list shows the same category.
    const int i = KUBUN->ListIndex();
    if (KUBUN_L->currentRow() != i) {
        QSignalBlocker block(KUBUN_L);
        KUBUN_L->setCurrentRow(i);
    }
    PRT_KYOUKA_SET();
}

void KUBUN_PRT::KUBUN_L_Click() {
    if (printing_) return;
    KUBUN->setListIndex(KUBUN_L->ListIndex());
}

void KUBUN_PRT::PRT_KYOUKA_SET() {
    KYOUKA->Clear();
    KYOUKA_NO.clear();
    const QString category = KUBUN->Text();
    QStringList names;
    const qint32 n = std::min<qint32>(KYOUKA_COUNT, qint32(KYOUKA_INDEX.size()));
    for (qint32 i = 0; i < n; ++i) {
        const KYOUKA_INDEX_REC& k = KYOUKA_INDEX[size_t(i)];
        if (k.KUBUN == category) SUBJECT_LINE_ADD(names, KYOUKA_NO, k.NO_KY, k.KYOUKA);
    }
    KYOUKA->addItems(names);
    KYOUKA->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void KUBUN_PRT::B_ALL_Click() {
    if (printing_ || KYOUKA->ListCount() == 0) return;
    const bool on = !KYOUKA->Selected(0);
    if (on) KYOUKA->selectAll();
    else KYOUKA->clearSelection();
}

KUBUN_PRT_CHOICE KUBUN_PRT::CHOICE() const {
    KUBUN_PRT_CHOICE c;
    c.category = KUBUN->Text();
    for (int i = 0; i < KYOUKA->ListCount() && i < KYOUKA_NO.size(); ++i)
        if (KYOUKA->Selected(i)) c.subjects.push_back({KYOUKA_NO[i], KYOUKA->List(i)});
    c.withUnused = !CHK2->isHidden() && CHK2->Value() == 1;
    return c;
}

void KUBUN_PRT::setPrinting(bool on) {
    printing_ = on;
    // Only "中止" stays live while a print runs: a second print, another
    // category or another choice of subjects would disturb the running one.
    for (QWidget* w : {static_cast<QWidget*>(B_ESC), static_cast<QWidget*>(B_PRT), static_cast<QWidget*>(KUBUN),
                       static_cast<QWidget*>(KUBUN_L), static_cast<QWidget*>(KYOUKA), static_cast<QWidget*>(B_ALL),
                       static_cast<QWidget*>(CHK1), static_cast<QWidget*>(CHK2)})
        w->setEnabled(!on);
    B_STOP->setEnabled(on);
}

void KUBUN_PRT::B_PRT_Click() {
    if (printing_) return;  // one print at a time
    PRT_STOP = 0;
    // The window's kinds of one category and of chosen subjects.
    const auto [ofCategory, ofSubjects] =
        FORM_KIND == kEditorKind ? std::pair(PrintKind::CATEGORY_LIST_CATEGORY, PrintKind::CATEGORY_LIST_SUBJECTS)
        : FORM_KIND == kFuncListKind
            ? std::pair(PrintKind::FUNCTION_LIST_CATEGORY, PrintKind::FUNCTION_LIST_SUBJECTS)
            : std::pair(PrintKind::LEDGER_BREAKDOWN_CATEGORY, PrintKind::LEDGER_BREAKDOWN_SUBJECTS);
    bool anySubject = false;
    for (int i = 0; i < KYOUKA->ListCount(); ++i) anySubject = anySubject || KYOUKA->Selected(i);
    if (FORM_KIND == kEditorKind && CHK1->Value() == 1) PRT_KIND = PrintKind::CATEGORY_LIST_SELECTED;
    else if (!anySubject) PRT_KIND = ofCategory;
    else PRT_KIND = ofSubjects;
    setPrinting(true);
    ui::DoEvents();
    if (FORM_KIND == kEditorKind) KUBUN_LIST_PRT();
    else if (FORM_KIND == kFuncListKind) FUNC_LIST_PRT();
    else NOTE_LIST_PRT();
    setPrinting(false);
}

void KUBUN_PRT::B_STOP_Click() { PRT_STOP = 1; }

void KUBUN_PRT::B_ESC_Click() { Unload(platform::vbFormCode); }

void KUBUN_PRT_SHOW() { platform::FormInstance<KUBUN_PRT>::get()->ShowModal(); }

KUBUN_PRT_CHOICE KUBUN_PRT_CHOSEN() {
    const KUBUN_PRT* d = platform::FormInstance<KUBUN_PRT>::peek();
    return d ? d->CHOICE() : KUBUN_PRT_CHOICE{};
}

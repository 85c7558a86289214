#include "printing/label_print_dialog.h"

#include <algorithm>

#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/label_sheet.h"
#include "printing/label_text.h"
#include "register/item_list.h"
#include "common/form_position.h"
#include "store/state.h"

namespace {

const QString kLabelTitle = QStringLiteral("ラベル印刷");
const QString kCopyTitle = QStringLiteral("コピー");

// The item list's "削除" button is enabled exactly while rows are selected.
bool listHasSelection() {
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::peek();
    return list && list->B_DEL->isEnabled();
}

}  // namespace

QString LABEL_COPY_TEXT(bool selected) {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    qint32 first = 0, last = INDEX_COUNT - 1;
    if (selected) {
        first = std::max<qint32>(INDEX_SEL.SEL_FIRST, 0);
        last = std::min<qint32>(INDEX_SEL.SEL_LAST, INDEX_COUNT - 1);
    }
    const int lines = std::clamp<int>(l.L_D_COUNT, 0, int(l.L_P_DATA.size()));
    QString out;
    for (qint32 row = first; row <= last; ++row) {
        const ZEMLO_REC& r = ZEMLO_DATA[ZEMLO_INDEX[row].IDX];
        if (r.BOUT_Y > 0) continue;  // disposed or relocated
        for (int j = 0; j < lines; ++j) {
            out += LABEL_LINE_OF(l.L_P_DATA[j], l.L_P_TXT[j], r, LabelUse::Copy).text;
            out += j < lines - 1 ? QStringLiteral("\t") : QStringLiteral("\r\n");
        }
    }
    return out;
}

LABEL_PRT::LABEL_PRT() : platform::Form(QStringLiteral("LABEL_PRT")) {
    setCaption(kLabelTitle);
    setFont(ctl::dialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Frame1 = new ctl::Frame(QStringLiteral("印刷範囲"), this, QStringLiteral("Frame1"));
    ctl::placeTwips(Frame1, 240, 120, 2640, 1020);
    OPT1 = new ctl::OptionButton(QStringLiteral("表示データ"), Frame1, QStringLiteral("OPT1"));
    ctl::placeTwips(OPT1, 240, 300, 2200, 300);
    OPT2 = new ctl::OptionButton(QStringLiteral("選択範囲"), Frame1, QStringLiteral("OPT2"));
    ctl::placeTwips(OPT2, 240, 630, 2200, 300);

    Label1 = new ctl::Label(QStringLiteral("印刷開始位置"), this, QStringLiteral("Label1"));
    ctl::placeTwips(Label1, 240, 1425, 1200, 240);
    L_COUNT = new ctl::TextBox(this, QStringLiteral("L_COUNT"));
    ctl::placeTwips(L_COUNT, 1440, 1380, 720, 315);
    L_COUNT->setAlignment(Qt::AlignRight);
    Label2 = new ctl::Label(QStringLiteral("枚目"), this, QStringLiteral("Label2"));
    ctl::placeTwips(Label2, 2220, 1425, 600, 240);
    Label3 = new ctl::Label(QString(), this, QStringLiteral("Label3"));
    ctl::placeTwips(Label3, 1440, 1770, 1440, 240);

    auto button = [this](const QString& caption, const char* name, int top) {
        auto* b = new ctl::CommandButton(caption, this, QString::fromLatin1(name));
        ctl::placeTwips(b, 3240, top, 1215, 375);
        b->setAutoDefault(false);
        return b;
    };
    B_PRT = button(QStringLiteral("印刷"), "B_PRT", 180);
    B_STOP = button(QStringLiteral("中止"), "B_STOP", 630);
    B_COPY = button(QStringLiteral("コピー"), "B_COPY", 1080);
    B_ESC = button(QStringLiteral("閉じる"), "B_ESC", 1620);
    // "ファイル作成" has never had a file behind it: it stays out of sight.
    B_FILE = button(QStringLiteral("ファイル作成"), "B_FILE", 1620);
    B_FILE->hide();
    setFixedSize(platform::twipsToPx(4680), platform::twipsToPx(2220));

    B_PRT->Click = [this] { B_PRT_Click(); };
    B_STOP->Click = [this] { B_STOP_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    B_COPY->Click = [this] { B_COPY_Click(); };
}

void LABEL_PRT::Form_Load() {
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    PRT_STOP = 0;
    B_STOP->setEnabled(false);
    L_COUNT->SetText(QStringLiteral("1"));
    OPT1->setValue(true);
    OPT2->setEnabled(listHasSelection());
    Label3->setCaption(QStringLiteral("1 ～ ") + QString::number(LABEL_SLOTS()));
}

void LABEL_PRT::Form_Unload(int& Cancel) {
    FORM_POS_SAVE(this);
    // No closing while a print runs.
    if (!B_ESC->isEnabled()) Cancel = 1;
}

void LABEL_PRT::running(bool on) {
    B_ESC->setEnabled(!on);
    B_STOP->setEnabled(on);
    for (QWidget* w : std::initializer_list<QWidget*>{B_PRT, B_COPY, L_COUNT, Frame1}) w->setEnabled(!on);
}

void LABEL_PRT::B_PRT_Click() {
    const double start = text::val(L_COUNT->Text());
    if (start < 1 || start > LABEL_SLOTS()) {
        ui::MsgBox(QStringLiteral("印刷開始位置が不正です"), int(ui::vbOKOnly) | ui::vbExclamation, kLabelTitle);
        return;
    }
    running(true);
    const bool selected = OPT2->Value();
    PRT_KIND = selected ? PrintKind::LABELS_SELECTED : PrintKind::LABELS;
    LABEL_START = qint32(text::roundHalfEven(start - 1));
    LABEL_SHEET_PRT();
    if (selected) PRT_KIND = PRT_KIND - PrintChoice::SELECTED_ROWS;
    running(false);
    Unload(platform::vbFormCode);
}

void LABEL_PRT::B_STOP_Click() { PRT_STOP = 1; }

void LABEL_PRT::B_ESC_Click() { Unload(platform::vbFormCode); }

void LABEL_PRT::B_COPY_Click() {
    if (ui::MsgBox(QStringLiteral("ラベルデータをクリックボードにコピーしますか？"),
                   int(ui::vbYesNo) | ui::vbQuestion, kCopyTitle) == ui::vbNo)
        return;
    bool ok = false;
    {
        ui::BusyPointer busy;
        ok = clip::setText(LABEL_COPY_TEXT(OPT2->Value()));
    }
    if (!ok)
        ui::MsgBox(QStringLiteral("クリップボードにコピーできませんでした"), int(ui::vbOKOnly) | ui::vbExclamation,
                   kCopyTitle);
}

void LABEL_PRT_SHOW() { platform::FormInstance<LABEL_PRT>::get()->ShowModal(); }

void LABEL_WINDOWS_INSTALL() { ZEMLO_LIST_WINDOWS.LABEL_PRT = [] { LABEL_PRT_SHOW(); }; }

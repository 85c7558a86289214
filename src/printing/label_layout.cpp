#include "printing/label_layout.h"

#include <QEvent>
#include <QFocusEvent>
#include <QRegularExpression>
#include <cfloat>
#include <cmath>

#include "platform/text.h"
#include "platform/ui.h"
#include "printing/label_text.h"
#include "common/form_position.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {

const QString kSetTitle = QStringLiteral("ラベル設定");
constexpr int kClientWidth = 6960;

// A caption ending just before the control it names.
ctl::Label* caption(QWidget* parent, const QString& text, int right, int top, int width = 1300) {
    auto* l = new ctl::Label(text, parent);
    ctl::placeTwips(l, right - width, top, width, 240);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

ctl::TextBox* numberBox(QWidget* parent, const char* name, int left, int top, int width = 720) {
    auto* b = new ctl::TextBox(parent, QString::fromLatin1(name));
    ctl::placeTwips(b, left, top, width, 300);
    b->setAlignment(Qt::AlignRight);
    return b;
}

// An option button on the row of its frame.
ctl::OptionButton* option(const QString& text, ctl::Frame* frame, const char* name, int left, int width) {
    auto* o = new ctl::OptionButton(text, frame, QString::fromLatin1(name));
    ctl::placeTwips(o, left, 270, width, 270);
    return o;
}

QString twoDecimals(double v) { return QString::number(v == 0 ? 0.0 : v, 'f', 2); }

}  // namespace

bool LABEL_NUMERIC(const QString& s) {
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    return number.match(s).hasMatch();
}

LABEL_SET::LABEL_SET() : platform::Form(QStringLiteral("LABEL_SET")) {
    setCaption(kSetTitle);
    setFont(ctl::dialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    B_OK = new ctl::CommandButton(QStringLiteral("保存"), this, QStringLiteral("B_OK"));
    ctl::placeTwips(B_OK, 2160, 120, 1215, 375);
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    ctl::placeTwips(B_ESC, 3600, 120, 1215, 375);
    for (QPushButton* b : {static_cast<QPushButton*>(B_OK), static_cast<QPushButton*>(B_ESC)}) b->setAutoDefault(false);
    ctl::placeTwips(new ctl::Label(QStringLiteral("単位　ミリメートル"), this), 120, 240, 1900, 240);

    Frame1 = new ctl::Frame(QStringLiteral("印刷方向"), this, QStringLiteral("Frame1"));
    ctl::placeTwips(Frame1, 5040, 120, 1800, 600);
    OP_V = option(QStringLiteral("縦"), Frame1, "OP_V", 240, 600);
    OP_H = option(QStringLiteral("横"), Frame1, "OP_H", 960, 600);

    L_HEIGHT = numberBox(this, "L_HEIGHT", 1500, 840);
    caption(this, QStringLiteral("ラベル高さ"), 1440, 870);
    L_WIDTH = numberBox(this, "L_WIDTH", 3660, 840);
    caption(this, QStringLiteral("ラベル幅"), 3600, 870);
    L_TOP = numberBox(this, "L_TOP", 1500, 1200);
    caption(this, QStringLiteral("上位置"), 1440, 1230);
    L_LEFT = numberBox(this, "L_LEFT", 3660, 1200);
    caption(this, QStringLiteral("左位置"), 3600, 1230);
    L_V_COUNT = numberBox(this, "L_V_COUNT", 5940, 1200, 720);
    caption(this, QStringLiteral("ラベル枚数(縦)"), 5880, 1230, 1400);
    L_V_SPAN = numberBox(this, "L_V_SPAN", 1500, 1560);
    caption(this, QStringLiteral("ラベル間隔（縦）"), 1440, 1590, 1400);
    L_H_SPAN = numberBox(this, "L_H_SPAN", 3660, 1560);
    caption(this, QStringLiteral("ラベル間隔（横）"), 3600, 1590, 1380);
    L_H_COUNT = numberBox(this, "L_H_COUNT", 5940, 1560, 720);
    caption(this, QStringLiteral("ラベル枚数(横)"), 5880, 1590, 1400);

    Frame2 = new ctl::Frame(QStringLiteral("補助線"), this, QStringLiteral("Frame2"));
    ctl::placeTwips(Frame2, 240, 1920, 3480, 600);
    OPT_L1 = option(QStringLiteral("枠"), Frame2, "OPT_L1", 240, 660);
    OPT_L2 = option(QStringLiteral("角"), Frame2, "OPT_L2", 960, 660);
    OPT_LN = option(QStringLiteral("枠・角無し"), Frame2, "OPT_LN", 1680, 1500);

    ctl::placeTwips(new ctl::Label(QStringLiteral("印刷項目"), this), 120, 2760, 1200, 240);
    ctl::placeTwips(new ctl::Label(QStringLiteral("項目名"), this), 2520, 2760, 1200, 240);
    ctl::placeTwips(new ctl::Label(QStringLiteral("指定文字"), this), 4920, 2760, 1200, 240);
    ctl::placeTwips(new ctl::Label(QStringLiteral("項目数"), this), 240, 3240, 900, 240);
    L_D_COUNT = new ctl::ComboBox(this, QStringLiteral("L_D_COUNT"), ctl::ComboBox::DropDownList);
    ctl::placeTwips(L_D_COUNT, 240, 3480, 780, 300);
    static const char* const kLineNames[] = {"項目１", "項目２", "項目３", "項目４", "項目５", "項目６"};
    for (int i = 0; i < 6; ++i) {
        const int top = 3000 + 360 * i;
        caption(this, QString::fromUtf8(kLineNames[i]), 1740, top + 30, 600);
        L_P_DATA[i] = new ctl::ComboBox(this, QStringLiteral("L_P_DATA%1").arg(i), ctl::ComboBox::DropDownList);
        ctl::placeTwips(L_P_DATA[i], 1800, top, 2760, 300);
        L_P_TXT[i] = new ctl::TextBox(this, QStringLiteral("L_P_TXT%1").arg(i));
        ctl::placeTwips(L_P_TXT[i], 4680, top, 2160, 300);
    }

    PRT_IMG = new Pane(this);
    PRT_IMG->setObjectName(QStringLiteral("PRT_IMG"));
    PRT_IMG->setBackColor(palette().color(QPalette::Window));
    PRT_IMG->setFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    PRT_IMG->setRecordTexts(true);
    ctl::placeTwips(PRT_IMG, 0, kPictureTop, 1000, 1000);

    fixSize(kClientWidth, kPictureTop + 1500);

    // ---- events
    B_OK->Click = [this] { B_OK_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    L_D_COUNT->Click = [this] { L_D_COUNT_Click(); };
    for (int i = 0; i < 6; ++i) {
        L_P_DATA[i]->Click = [this, i] { L_P_DATA_Click(i); };
        L_P_TXT[i]->Change = [this, i] { L_P_TXT_Change(i); };
    }
    for (ctl::TextBox* b : sizeBoxes()) b->installEventFilter(this);
    // Enter moves on to the next entry.
    const std::array<QLineEdit*, 8> order = {L_HEIGHT, L_WIDTH, L_TOP, L_LEFT, L_V_SPAN, L_H_SPAN, L_V_COUNT, L_H_COUNT};
    for (size_t i = 0; i < order.size(); ++i) {
        QWidget* next = i + 1 < order.size() ? static_cast<QWidget*>(order[i + 1]) : L_D_COUNT;
        connect(order[i], &QLineEdit::returnPressed, this, [next] { next->setFocus(Qt::TabFocusReason); });
    }
}

bool LABEL_SET::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
        if (why != Qt::PopupFocusReason && why != Qt::ActiveWindowFocusReason) {
            const auto boxes = sizeBoxes();
            for (int i = 0; i < int(boxes.size()); ++i)
                if (watched == boxes[i]) L_SIZE_LostFocus(i);
        }
    }
    return platform::Form::eventFilter(watched, event);
}

void LABEL_SET::fixSize(int widthTwips, int heightTwips) {
    setFixedSize(platform::twipsToPx(widthTwips), platform::twipsToPx(heightTwips));
}

void LABEL_SET::Form_Load() {
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    setWindowIcon(platform::programIcon());
    FORM_POS_READ(this);
    FORM_WIDTH = ScaleWidth();

    for (int n = 1; n <= LABEL_LINES_MAX; ++n) L_D_COUNT->AddItem(QStringLiteral("  %1").arg(n));
    L_D_COUNT->setListIndex(-1);  // a list starts with no entry chosen
    // A count outside 1 to 6 (none chosen, or a hand-edited file) selects nothing.
    if (l.L_D_COUNT >= 1 && l.L_D_COUNT <= LABEL_LINES_MAX) L_D_COUNT->setListIndex(l.L_D_COUNT - 1);

    L_HEIGHT->SetText(twoDecimals(l.L_HEIGHT));
    L_WIDTH->SetText(twoDecimals(l.L_WIDTH));
    L_TOP->SetText(twoDecimals(l.L_TOP));
    L_LEFT->SetText(twoDecimals(l.L_LEFT));
    L_V_SPAN->SetText(twoDecimals(l.L_V_SPAN));
    L_H_SPAN->SetText(twoDecimals(l.L_H_SPAN));
    L_V_COUNT->SetText(QString::number(l.L_V_COUNT));
    L_H_COUNT->SetText(QString::number(l.L_H_COUNT));

    LABEL_IMG_DRAW();

    OP_H->setValue(true);
    if (l.L_FLAGS & 1) OP_V->setValue(true);
    OPT_LN->setValue(true);
    if (l.L_FLAGS & 16) OPT_L1->setValue(true);
    if (l.L_FLAGS & 32) OPT_L2->setValue(true);

    const QStringList kinds = LABEL_KIND_CHOICES();
    for (ctl::ComboBox* box : L_P_DATA) {
        for (const QString& k : kinds) box->AddItem(k);
        box->setListIndex(-1);
    }

    for (int i = 0; i < 6; ++i) {
        L_P_TXT[i]->setEnabled(false);
        if (i + 1 > l.L_D_COUNT || l.L_D_COUNT > LABEL_LINES_MAX) {
            L_P_DATA[i]->setEnabled(false);
            continue;
        }
        const QString& kind = l.L_P_DATA[i];
        const int at = kind.isEmpty() ? -1 : int(kinds.indexOf(kind));
        if (at >= 0) L_P_DATA[i]->setListIndex(at);
        if (L_P_DATA[i]->ListIndex() == 1) {
            L_P_TXT[i]->setEnabled(true);
            L_P_TXT[i]->SetText(l.L_P_TXT[i]);
        }
    }
    LABEL_IMG_DRAW();
}

void LABEL_SET::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    FORM_POS_SAVE(this);
}

void LABEL_SET::L_D_COUNT_Click() {
    const int n = int(text::val(L_D_COUNT->ListIndex() >= 0 ? L_D_COUNT->Text() : QString()));
    for (int k = 1; k <= 6; ++k) {
        if (k <= n) {
            L_P_DATA[k - 1]->setEnabled(true);
        } else {
            L_P_DATA[k - 1]->setListIndex(-1);
            L_P_DATA[k - 1]->setEnabled(false);
            L_P_TXT[k - 1]->SetText(QString());
            L_P_TXT[k - 1]->setEnabled(false);
        }
    }
    LABEL_IMG_DRAW();
}

void LABEL_SET::L_P_DATA_Click(int i) {
    if (L_P_DATA[i]->ListIndex() == 1) {
        L_P_TXT[i]->setEnabled(true);
    } else {
        L_P_TXT[i]->SetText(QString());
        L_P_TXT[i]->setEnabled(false);
    }
    LABEL_IMG_DRAW();
}

void LABEL_SET::L_P_TXT_Change(int i) {
    Q_UNUSED(i);
    LABEL_IMG_DRAW();
}

void LABEL_SET::L_SIZE_LostFocus(int box) {
    ctl::TextBox* b = sizeBoxes()[box];
    if (LABEL_NUMERIC(b->Text())) b->SetText(twoDecimals(text::val(b->Text())));
    if (b == L_HEIGHT || b == L_WIDTH) LABEL_IMG_DRAW();
}

void LABEL_SET::B_OK_Click() {
    LABEL_LAYOUT_REC l = LABEL_LAYOUT;
    // Values the settings file cannot hold are refused before anything is stored.
    auto refuse = [this](QWidget* box) {
        ui::MsgBox(QStringLiteral("入力値が範囲外です"), int(ui::vbOKOnly) | ui::vbExclamation, kSetTitle);
        box->setFocus(Qt::OtherFocusReason);
    };
    const auto boxes = sizeBoxes();
    std::array<float*, 6> lengths = {&l.L_HEIGHT, &l.L_WIDTH, &l.L_TOP, &l.L_LEFT, &l.L_V_SPAN, &l.L_H_SPAN};
    for (int i = 0; i < 6; ++i) {
        const double v = text::val(boxes[i]->Text());
        if (std::fabs(v) > double(FLT_MAX)) return refuse(boxes[i]);
        *lengths[i] = float(v);
    }
    for (auto [box, count] : {std::pair{L_V_COUNT, &l.L_V_COUNT}, std::pair{L_H_COUNT, &l.L_H_COUNT}}) {
        const qint64 v = text::roundHalfEven(text::val(box->Text()));
        if (v < -32768 || v > 32767) return refuse(box);
        *count = qint16(v);
    }
    l.L_FLAGS = qint16((OP_V->Value() ? 1 : 0) + (OPT_L1->Value() ? 16 : 0) + (OPT_L2->Value() ? 32 : 0));
    l.L_D_COUNT = qint16(L_D_COUNT->ListIndex() >= 0 ? text::val(L_D_COUNT->Text()) : 0);
    for (int i = 0; i < 6; ++i) {
        l.L_P_DATA[i] = L_P_DATA[i]->ListIndex() >= 0 ? L_P_DATA[i]->Text() : QString();
        l.L_P_TXT[i] = L_P_TXT[i]->Text();
    }
    LABEL_LAYOUT = l;
    ENV_SAVE();  // a failure gives its own message; the layout stays in memory
    Unload(platform::vbFormCode);
}

void LABEL_SET::B_ESC_Click() { Unload(platform::vbFormCode); }

void LABEL_SET_SHOW() { platform::FormInstance<LABEL_SET>::get()->ShowModal(); }

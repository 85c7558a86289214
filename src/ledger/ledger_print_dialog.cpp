#include "ledger/ledger_print_dialog.h"

#include "ledger/ledger_print.h"
#include "platform/ui.h"
#include "store/state.h"

using platform::FormInstance;

namespace {

std::function<void()> g_totalsPrint;

bool ticked(PrintKind kind) { return kind == PrintKind::LEDGER_TICKED || kind == PrintKind::ITEM_TOTALS_TICKED; }
bool all(PrintKind kind) { return kind == PrintKind::LEDGER_ALL || kind == PrintKind::ITEM_TOTALS_ALL; }

QString startCaption(PrintKind kind) {
    if (ticked(kind)) return QStringLiteral("選択されている備品を印刷します");
    if (all(kind)) return QStringLiteral("全備品を印刷します");
    return QString();
}

QString runningCaption(PrintKind kind) {
    if (ticked(kind)) return QStringLiteral("選択されている備品を印刷してます");
    if (all(kind)) return QStringLiteral("全備品を印刷してます");
    return QString();
}

}  // namespace

void NOTE_TOTALS_PRT_SET(std::function<void()> print) { g_totalsPrint = std::move(print); }

void NOTE_PRT_PROGRESS(const QString& names, const QString& item) {
    NOTE_PRT* d = FormInstance<NOTE_PRT>::peek();
    if (!d) return;
    d->Label3->setCaption(names);
    d->Label2->setCaption(item);
}

NOTE_PRT::NOTE_PRT() : platform::Form(QStringLiteral("NOTE_PRT")) {
    setCaption(QStringLiteral("備品台帳印刷"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont f(QStringLiteral("ＭＳ Ｐ明朝"));
    f.setPointSizeF(9);
    setFont(f);
    Label1 = new ctl::Label(QString(), this, QStringLiteral("Label1"));
    Label3 = new ctl::Label(QString(), this, QStringLiteral("Label3"));
    Label2 = new ctl::Label(QString(), this, QStringLiteral("Label2"));
    B_PRT = new ctl::CommandButton(QStringLiteral("印刷"), this, QStringLiteral("B_PRT"));
    B_ESC = new ctl::CommandButton(QStringLiteral("閉じる"), this, QStringLiteral("B_ESC"));
    B_STOP = new ctl::CommandButton(QStringLiteral("中止"), this, QStringLiteral("B_STOP"));
    ctl::placeTwips(Label1, 360, 240, 3495, 255);
    ctl::placeTwips(Label3, 360, 600, 3495, 255);
    ctl::placeTwips(Label2, 360, 960, 3615, 255);
    ctl::placeTwips(B_PRT, 360, 1440, 855, 375);
    ctl::placeTwips(B_ESC, 1440, 1440, 855, 375);
    ctl::placeTwips(B_STOP, 2520, 1440, 855, 375);
    setFixedSize(platform::twipsToPx(4140), platform::twipsToPx(1995));
    B_PRT->Click = [this] { B_PRT_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    B_STOP->Click = [this] { B_STOP_Click(); };
    setCancelButton(B_ESC);
}

void NOTE_PRT::Form_Load() {
    setWindowIcon(platform::programIcon());
    PRT_STOP = 0;
    B_STOP->setEnabled(false);
    Label1->setCaption(startCaption(PRT_KIND));
}

void NOTE_PRT::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(UnloadMode);
    if (printing_ || !B_ESC->isEnabled()) Cancel = 1;
}

void NOTE_PRT::B_PRT_Click() {
    if (printing_) return;  // a second press while the print yields
    printing_ = true;
    B_ESC->setEnabled(false);
    B_PRT->setEnabled(false);
    B_STOP->setEnabled(true);
    // A stop left over from an earlier print must not end this one.
    PRT_STOP = 0;
    if (const QString c = runningCaption(PRT_KIND); !c.isEmpty()) Label1->setCaption(c);
    ui::DoEvents();
    // The ledger window's kinds and every kind below the function-class
    // list's band but the editor's range; the per-item totals' lie above.
    if (PRT_KIND >= PrintKind::CATEGORY_LIST_CATEGORY && PRT_KIND < PrintKind::FUNCTION_LIST_BAND)
        ZEMLO_NOTE_PRT(NOTE_PRT_PROGRESS);
    else if (g_totalsPrint)
        g_totalsPrint();
    B_ESC->setEnabled(true);
    B_STOP->setEnabled(false);
    printing_ = false;
    Unload(platform::vbFormCode);
}

void NOTE_PRT::B_STOP_Click() { PRT_STOP = 1; }

void NOTE_PRT::B_ESC_Click() {
    if (printing_) return;
    Unload(platform::vbFormCode);
}

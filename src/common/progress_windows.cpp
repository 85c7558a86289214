#include "common/progress_windows.h"

#include <QFont>

#include "platform/qt_backend.h"
#include "store/state.h"

namespace {
QFont labelFont(int pt) {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(pt);
    return f;
}
}  // namespace

WORK_DISP::WORK_DISP() : Form(QStringLiteral("WORK_DISP")) {
    setWindowTitle(QStringLiteral("データ処理"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    Label1 = new QLabel(QStringLiteral("データ処理中"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(labelFont(11));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3->setFont(labelFont(14));
    Label2 = new QLabel(QStringLiteral("％"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(labelFont(14));
    // 3600 x 1500 twips
    resize(240, 100);
    Label1->setGeometry(10, 12, 220, 24);
    Label3->setGeometry(60, 50, 70, 30);
    Label2->setGeometry(134, 50, 40, 30);
}

void WORK_DISP::setPercent(int percent) {
    Label3->setText(QString::number(percent));
    ++redraws;
    Label3->repaint();
}

WORK_DISP2::WORK_DISP2() : Form(QStringLiteral("WORK_DISP2")) {
    setWindowTitle(QStringLiteral("データ処理"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    Label1 = new QLabel(QStringLiteral("データ処理中"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(labelFont(11));
    B_STOP = new QPushButton(QStringLiteral("中止"), this);
    B_STOP->setObjectName(QStringLiteral("B_STOP"));
    resize(240, 100);
    Label1->setGeometry(10, 12, 220, 24);
    B_STOP->setGeometry(80, 56, 80, 28);
    connect(B_STOP, &QPushButton::clicked, this, [this] { B_STOP_Click(); });
}

void WORK_DISP2::B_STOP_Click() { WORK_STOP = 1; }

namespace {
class WorkDispView : public platform::ProgressView {
public:
    void show(const QString& title) override {
        WORK_DISP* w = platform::FormInstance<WORK_DISP>::get();
        w->Label1->setText(title);
        w->Label3->setText(QStringLiteral("0"));
        w->Show();
    }
    void set(int percent) override {
        if (WORK_DISP* w = platform::FormInstance<WORK_DISP>::peek()) w->setPercent(percent);
    }
    void close() override { platform::FormInstance<WORK_DISP>::unload(); }
};
WorkDispView g_view;

struct AutoInstall {
    AutoInstall() { platform::setProgressView(&g_view); }
} g_autoInstall;
}  // namespace

void installWorkDispProgress() { platform::setProgressView(&g_view); }

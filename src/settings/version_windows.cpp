#include "settings/version_windows.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "platform/pane.h"
#include "platform/program_info.h"
#include "common/mouse_label.h"
#include "common/suite_keys.h"
#include "store/state.h"

using platform::twipsToPx;

QString VERSION_TEXT(int major, int minor, int revision) {
    return QStringLiteral("Version ") + QString::number(major / 100.0, 'f', 2) + QStringLiteral("   ") +
           QString::number(major) + QLatin1Char('.') + QString::number(minor) + QLatin1Char('.') + QString::number(revision);
}
QString VERSION_TEXT() { return VERSION_TEXT(program::kMajor, program::kMinor, program::kRevision); }

const QStringList& NOTICE_LINES() {
    static const QStringList lines = {
        QStringLiteral("使用許諾"),
        QStringLiteral("  本ソフトウェアは、ヌミカ学校事務ソフトを導入した学校の事務室で"),
        QStringLiteral("使用できます。他の学校・団体への複製・配布・貸与はできません。"),
        QStringLiteral("  著作権は、ヌミカ学校事務ソフト開発室に帰属します。"),
        QString(),
        QStringLiteral("免責"),
        QStringLiteral("  本ソフトウェアの使用またはデータの消失により生じた損害について、"),
        QStringLiteral("開発室は一切の責任を負いません。データは定期的にバックアップを"),
        QStringLiteral("取ってください。"),
        QStringLiteral("  印刷物の内容は、提出前に必ず確認してください。"),
        QStringLiteral("サポート"),
        QStringLiteral("  ご質問・ご要望は、ヌミカメニューのサポート窓口までお寄せくだ"),
        QStringLiteral("さい。電話でのお問い合わせには、お答えできない場合が有ります。"),
        QStringLiteral("  不具合の連絡には、バージョン情報の番号を添えてください。"),
        QStringLiteral("  サポートの期間は、各年度の末日までです。"),
        QString(),
        QStringLiteral("注意事項"),
        QStringLiteral("  本ソフトウェアは、各地域の提出先機関からの情報提供は受けていま"),
        QStringLiteral("せん、皆さんからの情報を元にソフトを作成しています。その為、情報"),
        QStringLiteral("が間違っていたり・古かったり・不足の場合でもそれを信じてソフトを"),
        QStringLiteral("作成してしまいます。"),
        QStringLiteral("　特に記入内容で慣例的で行っている事については､私は知りません。"),
        QStringLiteral("　ソフト使用に当たって上記内容を理解して各自の責任で使用してくだ"),
        QStringLiteral("さい。"),
        QStringLiteral("  地域によって､パソコンで作成した提出物を認めている内容が異なり"),
        QStringLiteral("ますので､確認してから提出してください。"),
        QStringLiteral("　印刷物の様式は、行為に変更して有る物もありますので確認してから"),
        QStringLiteral("使用してください。"),
        QString(),
        QStringLiteral("  各印刷物の記入内容・記入方法・様式等は、同一書類でも県内・同一"),
        QStringLiteral("地域内でも統一されていない部分が多くあり、各地域の提出先からの指"),
        QStringLiteral("示・提出先の担当者が異なる場合・各学校の担当者等により異なる場合"),
        QStringLiteral("が有りますので、本ソフトによって作成された印刷物が、そのまま提出"),
        QStringLiteral("できる地域と、できない地域があります。"),
        QStringLiteral("　又、内容が同じで合っても作成された印刷物を提出物として使用を認"),
        QStringLiteral("めている地域と、認めていない地域があります。"),
        QString(),
        QStringLiteral("　提出物として使用できない時は、参考資料として使用してください。"),
        QString(),
        QStringLiteral("  本ソフトウェアは、予告無く仕様等を変更する場合が有ります、予め"),
        QStringLiteral("ご了承ください。"),
        QString(),
        QStringLiteral("  本ソフトウェアを変更後、ヘルプ及びマニュアルが変更されていない"),
        QStringLiteral("場合が有りますのでご了承ください。"),
    };
    return lines;
}

// ---------------------------------------------------------------- VER_FORM
VER_FORM::VER_FORM() : Form(QStringLiteral("VER_FORM")) {
    setCaption(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    IMG = new QLabel(this);
    IMG->setObjectName(QStringLiteral("IMG"));
    IMG->setGeometry(twipsToPx(240), twipsToPx(240), twipsToPx(540), twipsToPx(540));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsToPx(1080), twipsToPx(240), twipsToPx(3600), twipsToPx(360));
    QFont f1(QStringLiteral("ＭＳ Ｐゴシック"));
    f1.setPointSize(14);
    f1.setBold(true);
    Label1->setFont(f1);
    Label2 = new MouseLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twipsToPx(1080), twipsToPx(720), twipsToPx(3600), twipsToPx(300));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(twipsToPx(1080), twipsToPx(1080), twipsToPx(3600), twipsToPx(300));
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setGeometry(twipsToPx(3720), twipsToPx(1200), twipsToPx(975), twipsToPx(375));
    // Below the window's lower edge while it is short.
    Label4 = new MouseLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(twipsToPx(240), twipsToPx(1800), twipsToPx(4500), twipsToPx(300));
    setFixedWidth(twipsToPx(4950));

    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    // Enter and Escape both press "OK", the window's only button.
    setDefaultButton(OK);
    setCancelButton(OK);
    connect(Label2, &MouseLabel::doubleClicked, this, [this] { Label2_DblClick(); });
    connect(Label4, &MouseLabel::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { Label4_MouseDown(b, m); });
}

void VER_FORM::Form_Load() {
    IMG->setPixmap(platform::programIcon().pixmap(twipsToPx(480), twipsToPx(480)));
    setHeightTwips(kShortHeight);
    Label1->setText(program::kTitle);
    Label2->setText(VERSION_TEXT());
    Label4->setText(QStringLiteral("Copyright (C) ヌミカ学校事務ソフト開発室"));
}

void VER_FORM::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    setHeightTwips(targetHeight_);  // the frame is known once the window shows
}

void VER_FORM::setHeightTwips(int twips) {
    targetHeight_ = twips;
    setHeight(twips);
    // The last line stands just below the lower edge of the short window.
    const int frame = isWindow() ? platform::pxToTwips(frameGeometry().height() - height()) : 0;
    Label4->move(Label4->x(), twipsToPx(kShortHeight - frame + 30));
}

void VER_FORM::Label2_DblClick() {
    // Compared at screen resolution: 2150 twips is what a pixel grid makes of it.
    const bool isShort = twipsToPx(Height()) == twipsToPx(kShortHeight) || Height() == kShortHeight;
    setHeightTwips(isShort ? kTallHeight : kShortHeight);
}

void VER_FORM::Label4_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (button == Qt::RightButton && shiftState(shift) == Qt::ControlModifier) REG_DATA_DEL();
}

void VER_FORM::OK_Click() { Unload(); }

// ---------------------------------------------------------------- START_F
START_F::START_F() : Form(QStringLiteral("START_F")) {
    setCaption(QStringLiteral("注意"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label2 = new QLabel(QStringLiteral("お読み下さい"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twipsToPx(120), twipsToPx(90), twipsToPx(3000), twipsToPx(270));
    IMG = new Pane(this);
    IMG->setObjectName(QStringLiteral("IMG"));
    IMG->setGeometry(twipsToPx(120), twipsToPx(390), twipsToPx(7065), twipsToPx(3855));
    IMG->setFontName(QStringLiteral("ＭＳ 明朝"));
    VS = new QScrollBar(Qt::Vertical, this);
    VS->setObjectName(QStringLiteral("VS"));
    VS->setGeometry(twipsToPx(7185), twipsToPx(390), twipsToPx(255), twipsToPx(3855));
    VS->setSingleStep(1);
    VS->setPageStep(5);
    Label1 = new QLabel(QStringLiteral("  上記文章を最終行までお読み下さい、最終行まで読んだときに閉じる事ができます。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(twipsToPx(120), twipsToPx(4320), twipsToPx(7320), twipsToPx(480));
    CHK_ST = new QCheckBox(QStringLiteral("起動時この画面を表示しない"), this);
    CHK_ST->setObjectName(QStringLiteral("CHK_ST"));
    CHK_ST->setGeometry(twipsToPx(120), twipsToPx(4920), twipsToPx(3600), twipsToPx(300));
    B_ESC = new QPushButton(QStringLiteral("閉じる"), this);
    B_ESC->setObjectName(QStringLiteral("B_ESC"));
    B_ESC->setGeometry(twipsToPx(6240), twipsToPx(4860), twipsToPx(1200), twipsToPx(375));
    setFixedSize(twipsToPx(7560), twipsToPx(5400));

    connect(VS, &QScrollBar::valueChanged, this, [this] { VS_Change(); });
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
}

void START_F::Form_Load() {
    B_ESC->setEnabled(false);
    CHK_ST->setChecked(false);
    VS->setValue(0);
    drawNotice();
}

void START_F::drawNotice() {
    IMG->setFontSize(10);
    IMG->setScaleTop(VS->value() * 200.0);
    IMG->cls();
    const QStringList& lines = NOTICE_LINES();
    for (int i = 0; i < lines.size(); ++i) {
        IMG->setForeColor(i >= 29 && i <= 37 ? QColor(255, 0, 0) : QColor(0, 0, 0));
        IMG->text(100, i == 0 ? 100 : 150 + 200 * i, lines[i]);
    }
    const double last = 150.0 + 200.0 * (lines.size() - 1);
    const qint64 span = qint64(std::nearbyint(last - IMG->twipsHeight()));
    VS->setMaximum(int(span / 200 + 3));
}

void START_F::VS_Change() {
    drawNotice();
    if (VS->value() == VS->maximum()) B_ESC->setEnabled(true);
}

void START_F::B_ESC_Click() { Unload(); }

void START_F::Form_Unload(int& Cancel) {
    if (!B_ESC->isEnabled()) Cancel = 1;
    NOTICE_OFF = CHK_ST->isChecked() ? 1 : 0;
    NOTICE_FLAG_SAVE();
}

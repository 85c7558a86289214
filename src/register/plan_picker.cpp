#include "register/plan_picker.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>

#include "register/entry_cascade.h"
#include "store/state.h"

using entry_ui::caption;
using entry_ui::place;

namespace {
// The fiscal year the next picker lists, handed over by PIN_SHOW.
qint64 g_nextFy = 0;
}  // namespace

A_ZEMLO_PIN::A_ZEMLO_PIN() : platform::Form(QStringLiteral("A_ZEMLO_PIN")) {
    setCaption(QStringLiteral("備品登録選択"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    caption(this, QStringLiteral("備品区分"), 120, 150, 1000);
    KUBUN = new QComboBox(this);
    KUBUN->setObjectName(QStringLiteral("KUBUN"));
    place(KUBUN, 1080, 120, 1600, 300);
    KYOUKA_L = caption(this, QString(), 2880, 150, 1100);
    KYOUKA = new QComboBox(this);
    KYOUKA->setObjectName(QStringLiteral("KYOUKA"));
    place(KYOUKA, 3960, 120, 2800, 300);
    caption(this, QStringLiteral("品名"), 120, 570, 1000);
    P_NAME = new QListWidget(this);
    P_NAME->setObjectName(QStringLiteral("P_NAME"));
    place(P_NAME, 120, 840, 6640, 3600);
    P_NO = new QListWidget(this);
    P_NO->setObjectName(QStringLiteral("P_NO"));
    P_NO->setVisible(false);
    B_OK = new QPushButton(QStringLiteral("ＯＫ"), this);
    B_OK->setObjectName(QStringLiteral("B_OK"));
    place(B_OK, 4200, 4620, 1200, 420);
    B_ESC = new QPushButton(QStringLiteral("閉じる"), this);
    B_ESC->setObjectName(QStringLiteral("B_ESC"));
    place(B_ESC, 5560, 4620, 1200, 420);
    setFixedSize(platform::twipsToPx(6900), platform::twipsToPx(5220));

    connect(KUBUN, &QComboBox::currentIndexChanged, this, [this](int) { KUBUN_Click(); });
    connect(KYOUKA, &QComboBox::currentIndexChanged, this, [this](int) { KYOUKA_Click(); });
    connect(P_NAME, &QListWidget::currentRowChanged, this, [this](int) { P_NAME_Click(); });
    connect(B_OK, &QPushButton::clicked, this, [this] { B_OK_Click(); });
    connect(B_ESC, &QPushButton::clicked, this, [this] { B_ESC_Click(); });
}

void A_ZEMLO_PIN::Form_Load() {
    PIN_FY = g_nextFy;
    {
        QSignalBlocker block(KUBUN);
        KUBUN->clear();
        KUBUN->addItem(QString());
        for (const QString& k : KUBUN_NAMES)
            if (!k.isEmpty()) KUBUN->addItem(k);
        KUBUN->setCurrentIndex(0);
    }
    B_OK->setEnabled(false);
    P_NAME->clear();
    P_NO->clear();
    PIN_KYOUKA_SET();
    PIN_PLAN_LIST();
    KYOUKA_L->setText(KUBUN_LEVEL_NAME[0]);
}

void A_ZEMLO_PIN::PIN_KYOUKA_SET() {
    QSignalBlocker block(KYOUKA);
    KYOUKA->clear();
    KYOUKA->addItem(QString());
    const QString kubun = KUBUN->currentText();
    // The subjects that plans of the year carry.
    QSet<QString> planned;
    for (qint32 i = 0; i < P_ZEMLO_COUNT; ++i)
        if (P_ZEMLO_DATA[i].BY_Y == PIN_FY) planned.insert(P_ZEMLO_DATA[i].KYOUKA);
    QSet<QString> listed;
    for (qint32 i = 0; i < KYOUKA_COUNT; ++i) {
        const KYOUKA_INDEX_REC& k = KYOUKA_INDEX[i];
        if (!kubun.isEmpty() && k.KUBUN != kubun) continue;
        if (!planned.contains(k.KYOUKA) || listed.contains(k.KYOUKA)) continue;
        listed.insert(k.KYOUKA);
        KYOUKA->addItem(k.KYOUKA);
    }
    KYOUKA->setCurrentIndex(0);
}

void A_ZEMLO_PIN::PIN_PLAN_LIST() {
    const QString kubun = KUBUN->currentText(), kyouka = KYOUKA->currentText();
    QSignalBlocker block(P_NAME);
    for (qint32 i = 0; i < P_ZEMLO_COUNT; ++i) {
        const P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
        if (p.BY_Y != PIN_FY) continue;
        if (!kubun.isEmpty() && p.KUBUN != kubun) continue;
        if (!kyouka.isEmpty() && p.KYOUKA != kyouka) continue;
        P_NAME->addItem(p.NAME_D);
        P_NO->addItem(QString::number(i));
    }
    P_NAME->setCurrentRow(-1);
}

void A_ZEMLO_PIN::KUBUN_Click() {
    {
        QSignalBlocker block(P_NAME);
        P_NAME->clear();
    }
    P_NO->clear();
    PIN_KYOUKA_SET();
    PIN_PLAN_LIST();
    B_OK->setEnabled(false);
}

void A_ZEMLO_PIN::KYOUKA_Click() {
    {
        QSignalBlocker block(P_NAME);
        P_NAME->clear();
    }
    P_NO->clear();
    PIN_PLAN_LIST();
    B_OK->setEnabled(false);
}

void A_ZEMLO_PIN::P_NAME_Click() {
    int row = P_NAME->currentRow();
    if (row < 0) return;
    P_NO->setCurrentRow(row);
    B_OK->setEnabled(true);
}

void A_ZEMLO_PIN::B_OK_Click() {
    if (P_NO->currentRow() >= 0) PIN_SEL = P_NO->currentItem()->text().toInt();
    Unload();
}

void A_ZEMLO_PIN::B_ESC_Click() { Unload(); }

void PIN_SHOW(qint64 fy) {
    g_nextFy = fy;
    platform::FormInstance<A_ZEMLO_PIN>::get()->ShowModal();
}

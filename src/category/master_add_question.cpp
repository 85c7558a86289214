#include "category/master_add_question.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "store/link.h"
#include "store/state.h"

using platform::twipsToPx;

namespace {
QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}
}  // namespace

KUBUN_ADD_F::KUBUN_ADD_F() : platform::Form(QStringLiteral("KUBUN_ADD_F")) {
    setCaption(QStringLiteral("備品区分追加"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐ明朝"), 9));
    setFixedSize(twipsToPx(4530), twipsToPx(2895));

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(twipsRect(240, 120, 4215, 615));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Rows from top to bottom: the button of answer 1, 0, 2, 3 with its text.
    struct Row {
        int index;
        int top;
        const char* label;
        const char* text;
    };
    static const Row rows[] = {
        {1, 840, "Label2", "備品区分を追加"},
        {0, 1320, "Label3", "備品区分を追加しない"},
        {2, 1800, "Label4", "備品区分に無い区分を全て追加"},
        {3, 2280, "Label5", "備品区分に無い区分を全て追加しない"},
    };
    for (const Row& r : rows) {
        auto* b = new QPushButton(QStringLiteral("継続"), this);
        b->setObjectName(QStringLiteral("B_START_%1").arg(r.index));
        b->setGeometry(twipsRect(240, r.top, 855, 255));
        b->setAutoDefault(true);
        const int index = r.index;
        connect(b, &QPushButton::clicked, this, [this, index] { B_START_Click(index); });
        b_start_[r.index] = b;

        auto* l = new QLabel(QString::fromUtf8(r.text), this);
        l->setObjectName(QString::fromLatin1(r.label));
        l->setGeometry(twipsRect(1320, r.top, 3100, 255));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    // Tab order B_START(0), (1), (2), (3): answer 0 has the focus at first,
    // so Enter answers "do not add".
    setTabOrder(b_start_[0], b_start_[1]);
    setTabOrder(b_start_[1], b_start_[2]);
    setTabOrder(b_start_[2], b_start_[3]);
    b_start_[0]->setDefault(true);
    b_start_[0]->setFocus();
}

void KUBUN_ADD_F::Form_Load() {
    setWindowIcon(platform::programIcon());
    label1_->setText(QString::number(KUBUN_ASK.ASK_NO) + QLatin1Char(' ') + KUBUN_ASK.ASK_NAME +
                     QStringLiteral(" が備品区分に有りません") + QLatin1Char('\n') +
                     QStringLiteral("備品区分に追加しますか？"));
    KUBUN_ASK.ASK_ANSWER = 0;
}

void KUBUN_ADD_F::B_START_Click(int Index) {
    KUBUN_ASK.ASK_ANSWER = qint16(Index);
    Unload();
}

void KUBUN_ADD_F_SHOW() {
    // A fresh window for every question; it deletes itself when it unloads.
    platform::FormInstance<KUBUN_ADD_F>::get()->ShowModal();
}

void KUBUN_ADD_F_INSTALL() { KUBUN_ASK_HOOK_SET(&KUBUN_ADD_F_SHOW); }

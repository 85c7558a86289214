#include "settings/password.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/ui.h"
#include "common/mouse_label.h"
#include "common/start_guard.h"
#include "store/settings_file.h"
#include "store/state.h"

QString PASS_STORE_FORM(const QString& pw) {
    if (pw.size() != 8) return pw;
    QString s;
    for (int i = 0; i < 8; i += 2) s += pw[i];
    for (int i = 1; i < 8; i += 2) s += pw[i];
    return s;
}

QString PASS_READ_BACK(const QString& st) {
    if (st.size() != 8) return st;
    QString p;
    for (int i = 0; i < 4; ++i) {
        p += st[i];
        p += st[i + 4];
    }
    return p;
}

QString DAILY_CODE(const QDate& day) {
    // A date-only mix: the day number through an odd multiplier, then its
    // digits folded so that neighbouring days differ everywhere.
    const quint64 n = quint64(day.year()) * 10000u + quint64(day.month()) * 100u + quint64(day.day());
    quint64 x = (n * 2654435761u + 97531u) % 100000000u;
    x = (x * 48271u + n) % 100000000u;
    return QStringLiteral("%1").arg(x, 8, 10, QLatin1Char('0'));
}

bool PASS_ACCEPTS(const QString& entry) {
    if (entry.size() != 8) return false;
    const QString user = PASS_READ_BACK(PASS_CODE);
    return entry == DAILY_CODE(clk::today()) || (PASS_CODE.size() == 8 && entry == user) || entry == MASTER_PASS;
}

// ---------------------------------------------------------------- PASS_IN
PASS_IN::PASS_IN() : Form(QStringLiteral("PASS_IN")) {
    setCaption(QStringLiteral("パスワード入力"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1 = new MouseLabel(QStringLiteral("パスワード"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ctl::placeTwips(Label1, 240, 300, 1000, 300);
    PASS = new QLineEdit(this);
    PASS->setObjectName(QStringLiteral("PASS"));
    PASS->setEchoMode(QLineEdit::Password);
    ctl::placeTwips(PASS, 1320, 240, 2280, 360);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    ctl::placeTwips(OK, 1080, 900, 1095, 375);
    ESC = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ESC->setObjectName(QStringLiteral("ESC"));
    ctl::placeTwips(ESC, 2400, 900, 1095, 375);
    OK->setAutoDefault(false);
    ESC->setAutoDefault(false);
    setFixedSize(platform::twipsToPx(3900), platform::twipsToPx(1500));

    connect(PASS, &QLineEdit::returnPressed, this, [this] { OK_Click(); });
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ESC, &QPushButton::clicked, this, [this] { ESC_Click(); });
    connect(Label1, &MouseLabel::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { Label1_MouseDown(b, m); });
}

void PASS_IN::Form_Load() {
    PASS_STATE = 0;
    REVEAL_COUNT = 0;
}

void PASS_IN::OK_Click() {
    if (PASS_ACCEPTS(PASS->text())) {
        PASS_STATE = 2;
        Unload();
        return;
    }
    ui::MsgBox(QStringLiteral("パスワードが不正です。"), ui::vbOKOnly, QStringLiteral("パスワード"));
}

void PASS_IN::ESC_Click() {
    PASS_STATE = 1;
    Unload();
}

void PASS_IN::Form_Unload(int& Cancel) {
    if (PASS_STATE == 2) return;
    const int a = ui::MsgBox(ui::kTitle + QStringLiteral("を終了します。"), ui::vbYesNo + int(ui::vbQuestion), ui::kTitle);
    if (a != ui::vbYes) {
        Cancel = 1;
        return;
    }
    // The short way out: the running mark is cleared and the export written,
    // nothing else is saved.
    SIN_FILE_SAVE();
    END_PROGRAM(0);
}

void PASS_IN::Label1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift) {
    if (button != Qt::RightButton || shiftState(shift) != Qt::ShiftModifier) {
        REVEAL_COUNT = 0;
        return;
    }
    if (REVEAL_COUNT < 3) {
        ++REVEAL_COUNT;
        return;
    }
    PASS->setText(PASS_READ_BACK(PASS_CODE));
    REVEAL_COUNT = 0;
}

// ---------------------------------------------------------------- PASS_SET
PASS_SET::PASS_SET() : Form(QStringLiteral("PASS_SET")) {
    setCaption(QStringLiteral("パスワード設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* Label2 = new QLabel(QStringLiteral("新パスワード"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    ctl::placeTwips(Label2, 240, 300, 1200, 300);
    NEW_PASS = new QLineEdit(this);
    NEW_PASS->setObjectName(QStringLiteral("NEW_PASS"));
    NEW_PASS->setMaxLength(8);
    ctl::placeTwips(NEW_PASS, 1440, 240, 1800, 360);
    auto* Label3 = new QLabel(QStringLiteral("半角８文字"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    ctl::placeTwips(Label3, 3360, 300, 1200, 300);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    ctl::placeTwips(OK, 1320, 900, 1095, 375);
    ESC = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    ESC->setObjectName(QStringLiteral("ESC"));
    ctl::placeTwips(ESC, 2640, 900, 1095, 375);
    OK->setAutoDefault(false);
    ESC->setAutoDefault(false);
    setFixedSize(platform::twipsToPx(4800), platform::twipsToPx(1500));

    connect(NEW_PASS, &QLineEdit::returnPressed, this, [this] { OK_Click(); });
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ESC, &QPushButton::clicked, this, [this] { ESC_Click(); });
}

void PASS_SET::Form_Load() { NEW_PASS->clear(); }

void PASS_SET::OK_Click() {
    const QString entry = NEW_PASS->text();
    const QString before = PASS_CODE;
    const QString title = QStringLiteral("パスワード設定");
    if (entry.trimmed().isEmpty()) {
        if (ui::MsgBox(QStringLiteral("パスワードを設定しません、いいですか？"), ui::vbYesNo + int(ui::vbQuestion), title) != ui::vbYes)
            return;
        PASS_CODE.clear();
    } else if (entry.size() == 8) {
        if (ui::MsgBox(QStringLiteral("パスワードは「 ") + entry + QStringLiteral(" 」でいいですか？"), ui::vbYesNo + int(ui::vbQuestion),
                       title) != ui::vbYes)
            return;
        PASS_CODE = PASS_STORE_FORM(entry);
    } else {
        return;
    }
    // Memory and file change together: a settings file that could not be
    // written (the saver has said so) keeps the old password in both.
    if (ENV_SAVE() != 1) {
        PASS_CODE = before;
        return;
    }
    Unload();
}

void PASS_SET::ESC_Click() { Unload(); }

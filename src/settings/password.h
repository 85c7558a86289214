// The password: its stored form in the settings file, the check at start-up
// (the user's password, the master password or the code of the day), the
// prompt PASS_IN and the setting window PASS_SET.
#pragma once
#include <QDate>
#include <QString>

#include <QMdiSubWindow>

#include "platform/forms.h"

class QLineEdit;
class QPushButton;
class MouseLabel;

inline const QString MASTER_PASS = QStringLiteral("40286317");

// c1..c8 -> c1 c3 c5 c7 c2 c4 c6 c8.
QString PASS_STORE_FORM(const QString& password);
// The password read back from its stored form (s1 s5 s2 s6 s3 s7 s4 s8); a
// form of any other length than eight reads back as itself.
QString PASS_READ_BACK(const QString& stored);
// The override code of a day: eight digits that depend on the date only.
QString DAILY_CODE(const QDate& day);
// True when `entry` is accepted today against PASS_CODE.
bool PASS_ACCEPTS(const QString& entry);

// "パスワード入力": shown modally at start-up when a password is set.
class PASS_IN : public platform::Form {
    Q_OBJECT
public:
    PASS_IN();
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void OK_Click();
    void ESC_Click();
    void Label1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);

    qint16 PASS_STATE = 0;    // 0 open, 1 cancelled, 2 accepted
    qint16 REVEAL_COUNT = 0;  // Shift + right presses in a row on the label

    MouseLabel* Label1;
    QLineEdit* PASS;
    QPushButton* OK;
    QPushButton* ESC;
};

// "パスワード設定": sets or clears the password from the settings menu.
class PASS_SET : public platform::Form {
    Q_OBJECT
public:
    PASS_SET();
    void Form_Load() override;
    void OK_Click();
    void ESC_Click();

    QLineEdit* NEW_PASS;
    QPushButton* OK;
    QPushButton* ESC;
};

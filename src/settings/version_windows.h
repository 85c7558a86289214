// The help menu's version window VER_FORM and notice window START_F.
#pragma once
#include <QString>
#include <QStringList>

#include <QMdiSubWindow>

#include "platform/forms.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class MouseLabel;
class Pane;

// "Version 2.30   230.19.1030" for this release.
QString VERSION_TEXT(int major, int minor, int revision);
QString VERSION_TEXT();

// The notice's 44 lines, drawn one a row; lines 29 to 37 in red.
const QStringList& NOTICE_LINES();

class VER_FORM : public platform::Form {
    Q_OBJECT
public:
    static constexpr int kShortHeight = 2150;
    static constexpr int kTallHeight = 2800;

    VER_FORM();
    void Form_Load() override;
    void Label2_DblClick();
    void Label4_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void OK_Click();
    // Outer height in twips; keeps the last line just out of the short window.
    void setHeightTwips(int twips);

    QLabel* IMG;
    QLabel* Label1;
    MouseLabel* Label2;
    QLabel* Label3;
    MouseLabel* Label4;
    QPushButton* OK;

protected:
    void showEvent(QShowEvent* e) override;

private:
    int targetHeight_ = kShortHeight;
};

class START_F : public platform::Form {
    Q_OBJECT
public:
    START_F();
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void VS_Change();
    void B_ESC_Click();
    // Draws the notice at the scroll bar's position.
    void drawNotice();

    Pane* IMG;
    QScrollBar* VS;
    QLabel* Label1;
    QLabel* Label2;
    QCheckBox* CHK_ST;
    QPushButton* B_ESC;
};

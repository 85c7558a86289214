// The progress windows of long work.
//  WORK_DISP  "データ処理": Label1 the title of the work, Label3 the
//             percentage, Label2 "％". Driven through ui::Progress (the Qt
//             backend's progress calls show, update and close it).
//  WORK_DISP2 "データ処理": Label1 the title, B_STOP "中止" which sets
//             WORK_STOP to 1; shown by the copy loops, which poll WORK_STOP.
// Both are modeless, without owner, and take the program icon.
#pragma once
#include <QLabel>
#include <QPushButton>

#include "platform/forms.h"

class WORK_DISP : public platform::Form {
    Q_OBJECT
public:
    WORK_DISP();
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    // How many times the percentage was written (each write is one redraw).
    int redraws = 0;
    // Writes the percentage into Label3 and repaints it.
    void setPercent(int percent);
};

class WORK_DISP2 : public platform::Form {
    Q_OBJECT
public:
    WORK_DISP2();
    QLabel* Label1;
    QPushButton* B_STOP;
    void B_STOP_Click();
};

// Makes the Qt backend's progress calls drive WORK_DISP (done once at
// program start; also done when this file is linked in).
void installWorkDispProgress();

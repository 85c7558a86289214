// The main window MAIN_F: the program's frame (a multiple-document area) with
// its menus, the button bar with the title line, and the one-second timer of
// portable mode. It starts the program (load and first activation), switches
// the function windows through the form switch and ends the program in order.
#pragma once
#include <QMainWindow>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;

class MAIN_F : public QMainWindow {
    Q_OBJECT
public:
    MAIN_F();
    ~MAIN_F() override;
    // The main window while one exists.
    static MAIN_F* instance();

    // ---- lifecycle
    // The load handler: false when the start guard refused (the caller ends
    // the program; nothing was saved or exported).
    bool MDIForm_Load();
    // The first activation (later calls do nothing). Runs on its own once the
    // window has shown.
    void MDIForm_Activate();
    // Orderly end: closes the function window and every other window (they
    // save what they own), offers to retry a table that could not be saved,
    // stores the suite keys and the open kind, writes the export. False when
    // a window refused to close.
    bool endProgram();
    bool activated() const { return activated_ != 0; }
    bool ended() const { return ended_; }

    // ---- handlers
    void MENU_SET_Click();
    void B_END_Click();
    void BAK_UP_Click();
    void M_ST_F_Click();
    void MENU_HELP_Click();
    void MENU_PRT_SET_Click();
    void B_ALL_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void MAIN_F_Timer1_Timer();

    // ---- what the settings apply step changes
    void setTotalByLevelCaption(const QString& caption);
    void showPurchaseRecordEntry();
    // Shows or hides the button bar and the data-list menu, and enables the
    // name-list settings entry with them.
    void setDataShown(bool shown);
    bool dataShown() const;

    // ---- controls (named as the window's own)
    QMdiArea* frame() const { return frame_; }
    QWidget* B_LIST;
    QLabel* Label1;
    QPushButton *B_ALL, *B_NOTE, *B_IN_LIST, *B_P_LIST, *B_KUBUN, *B_END;
    QMenu *MENU1, *MENU2, *MENU3, *MENU_TOTAL, *MENU_H;
    QAction *BAK_UP, *MENU_PRT_SET, *MENU_END;
    QAction *MENU_SET, *MENU_L_SET, *MENU_L_CHG, *MENU_K_SET, *MENU_LABEL_SET, *MENU_PASS;
    QAction *MENU_ALL, *MENU_NOTE, *MENU_NOTEL, *MENU_NOTES, *MENU_F_LIST, *MENU_IN_LIST, *MENU_IN_P_LIST, *MENU_KUBUN,
        *MENU_OUT, *MENU_KEEP;
    QAction *MENU_TOTAL_S, *MENU_TOTAL_A, *MENU_TOTAL_P, *MENU_TOTAL_N, *MENU_TOTAL_H;
    QAction *MENU_HELP, *MENU_VER, *M_ST_F;
    QTimer* Timer1;

    // A table that the end of the program checks: when `unsaved` says its
    // changes were not written, the user is told and may try `save` again.
    struct UnsavedTable {
        QString name;
        std::function<bool()> unsaved;
        std::function<bool()> save;  // true when written
    };
    static void addUnsavedTable(const UnsavedTable& t);

signals:
    // The program has ended in order (the application quits on it).
    void programEnded();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QAction* kindAction(QMenu* menu, const char* name, const QString& caption, qint16 kind);
    QPushButton* barButton(const char* name, const QString& caption, int left, int width);
    void buildMenus();
    void buildBar();
    bool closeWindows();
    void retryUnsavedTables();

    QMdiArea* frame_;
    qint16 activated_ = 0;
    bool ended_ = false;
    bool ending_ = false;
};

// What main() sets up before the main window loads: the application's name,
// the fonts the windows and prints ask for, the Qt side of the message boxes
// and the hourglass, Qt's own texts in Japanese and the progress window.
void MAIN_SETUP();

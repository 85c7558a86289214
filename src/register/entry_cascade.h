#pragma once
// The category cascade of the entry windows: category, subject with its
// number, classification with its code, item name with its function class.
// Each level's list is filled from the subject index and the category master
// for the choice one level up. The entry window and the change window each
// own one cascade over their own controls.
#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;

class EntryCascade : public QObject {
public:
    struct Controls {
        QComboBox* KUBUN = nullptr;   // drop-down list of the category names
        QComboBox* KYOUKA = nullptr;  // subject: editable (entry) or a drop-down list (change)
        QLineEdit* NO_KY = nullptr;
        QComboBox* BUNRUI = nullptr;
        QLineEdit* NO_BU = nullptr;
        QComboBox* NAME_D = nullptr;
        QComboBox* FUNC_D = nullptr;  // rows: "", 発表, 道具, 実験, 情報
    };
    // `takeLastCode`: choosing a classification takes the code of the last
    // matching master entry of the subject (change window) instead of the first.
    EntryCascade(const Controls& c, bool takeLastCode);

    // The window's button rule and its unsaved-input flag.
    std::function<void()> onEnable;
    std::function<void()> onDirty;

    // Connects the controls' signals to the handlers below (once).
    void connectControls();

    // Handlers and routines.
    void KUBUN_Click();
    void KYOUKA_COMBO_SET();
    void KYOUKA_Click();
    void KYOUKA_Change();
    void KYOUKA_LostFocus();
    void BUNRUI_COMBO_SET();
    void BUNRUI_Click();
    void BUNRUI_Change();
    void BUNRUI_LostFocus();
    void NAME_COMBO_SET();
    void NAME_D_Click();
    void NAME_D_Change();

    // The cascade's variables.
    qint16 SEL_KUBUN_IDX = 0;
    qint32 SUB_FIRST = 0, SUB_LAST = 0;
    qint32 NO_KY_MAX = 0;
    qint32 NO_BU_MAX = 0;
    // A subject number was assigned automatically (IN_KYOUKA_MAKE / EDIT_KYOUKA_MAKE).
    qint16 NEW_SUBJECT = 0;

    // While set, the handlers do nothing (the window fills its boxes).
    int mute = 0;

    // The 1-based position of a category name among the 21 category names;
    // 0 for none.
    static qint16 kubunIndexOf(const QString& name);

protected:
    // Leaving the subject or the classification box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enable();
    void dirty();
    // The master entries appended since the last sort: [first, last], empty
    // when first > last.
    static void tail(qint32* first, qint32* last);
    Controls c_;
    bool takeLastCode_;
    bool connected_ = false;
};

// Small helpers the entry windows share for their layout and their boxes.
class QWidget;
class QLabel;
namespace entry_ui {
// Places a control at a position and size in twips.
void place(QWidget* w, int left, int top, int width, int height);
// A caption at a position in twips.
QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width, int height = 255);
// Selects the entry of a combo with exactly this text, raising its click
// handler even when the entry was selected already; false (and no entry
// selected) when the text is not in the list.
bool chooseText(QComboBox* box, const QString& text, const std::function<void()>& click);
// Selects a row by code, raising the click handler even when unchanged.
void chooseRow(QComboBox* box, int row, const std::function<void()>& click);
}  // namespace entry_ui

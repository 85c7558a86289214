// The category cascade of the entry windows: category, subject with its
// number, classification with its code, item name with its function class.
// Each level's list is filled from the subject index and the category master
// for the choice one level up. The entry window and the change window each
// own one cascade over their own controls.
#pragma once
#include <QList>
#include <QObject>
#include <QSet>
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
    // Raised when a level was chosen from its list (1 category, 2 subject,
    // 3 classification, 4 item name), after the lists below it were filled
    // and before the button rule.
    std::function<void(int level)> onLevel;

    // How the subject level behaves. The entry windows list an empty first
    // line and show the number of the last index entry of the chosen name in
    // plain digits; the category editor lists no empty line and shows the
    // number of the chosen line right-aligned in `numberWidth` characters.
    bool subjectBlankLine = true;
    bool numberOfLine = false;
    int numberWidth = 0;

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

    // Shows a stored choice as the user's choices would make it: the
    // category chosen (its click fills the subject list), the subject and its
    // number, the classification list filled, the classification and its
    // code, the function class, the item-name list filled and the item name.
    // With `keepUnlisted` a category that is no longer among the category
    // names is shown as an extra entry of the list, so that storing the
    // record again keeps it.
    void showStored(const QString& kubun, const QString& kyouka, const QString& noKy, const QString& bunrui,
                    const QString& noBu, int funcNo, const QString& nameD, bool keepUnlisted = false);

    // Leaving `box` by Enter: the subject and classification boxes run
    // their leave handlers, as when the focus leaves them.
    void leaving(QObject* box);

    // The cascade's variables.
    qint16 SEL_KUBUN_IDX = 0;
    qint32 SUB_FIRST = 0, SUB_LAST = 0;
    qint32 NO_KY_MAX = 0;
    qint32 NO_BU_MAX = 0;
    // A subject number was assigned automatically (IN_KYOUKA_MAKE / EDIT_KYOUKA_MAKE).
    qint16 NEW_SUBJECT = 0;
    // The subject number of each line of the subject list, in its order
    // (K_NO_LIST; the empty first line has none).
    QList<qint16> K_NO_LIST;

    // The code proposed for a new classification of the chosen subject: the
    // highest numeric code + 1, or, once 999 is taken, the lowest numeric
    // code from 001 that the subject does not use; empty when none is free.
    QString NEXT_CODE() const;

    // While set, the handlers do nothing (the window fills its boxes).
    int mute = 0;

    // The master entries appended since the last sort: [first, last], empty
    // when first > last.
    static void tail(qint32* first, qint32* last);

protected:
    // Leaving the subject or the classification box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enable();
    void dirty();
    void level(int n);
    Controls c_;
    bool takeLastCode_;
    bool connected_ = false;
    // The numeric codes (keys below 1000) the chosen subject uses.
    QSet<qint32> usedCodes_;
};

// Small helpers the entry windows share for their layout and their boxes.
#include <initializer_list>

#include "platform/controls.h"
#include "store/state.h"

class QWidget;
class QLabel;
class QRadioButton;
class QButtonGroup;
class QPushButton;
namespace entry_ui {
// Places a control at a position and size in twips.
using ctl::place;
// A caption at a position in twips.
QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width, int height = 255);
// Selects the entry of a combo with exactly this text, raising its click
// handler even when the entry was selected already; false (and no entry
// selected) when the text is not in the list.
bool chooseText(QComboBox* box, const QString& text, const std::function<void()>& click);
// As chooseText, but a text the list lacks (a name no longer listed) is
// added at the end first; an empty text selects nothing.
bool chooseOrAdd(QComboBox* box, const QString& text, const std::function<void()>& click);
// The Enter chain of an entry window: Enter in a box of `chain` moves the
// focus to the box paired with it and is consumed (leaving the cascade's
// subject or classification box runs its leave handler first). True when
// the event was a key that the chain took.
bool enterChain(QObject* watched, QEvent* event, std::initializer_list<std::pair<QObject*, QWidget*>> chain,
                EntryCascade* cascade);
// Selects a row by code, raising the click handler even when unchanged.
void chooseRow(QComboBox* box, int row, const std::function<void()>& click);

// A one-line box of at most `maxLen` characters; a number box is right-aligned.
QLineEdit* box(QWidget* parent, const char* name, int left, int top, int width, int maxLen, bool number);
// A right-aligned box of at most 12 characters whose font is lowered while
// a figure would not fit.
QLineEdit* numberBox(QWidget* parent, const char* name, int left, int top, int width);
// A combo (editable ones take no new entries and at most 50 characters and
// keep exactly what is typed; the drop-down list shows the box's font).
QComboBox* combo(QWidget* parent, const char* name, bool editable, int left, int top, int width);
// A sunken, right-aligned label that shows a figure, always whole (its font
// is lowered when the figure is wider than the label).
QLabel* display(QWidget* parent, const char* name, int left, int top, int width);
// A push button that is never the default button.
QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width);
// A number as a box shows it: empty for 0.
QString numText(qint64 v);

// A date row: the era list and the year, month and day boxes with their
// captions, from the era list's left edge.
struct DateBoxes {
    QComboBox* era;
    QLineEdit *y, *m, *d;
};
DateBoxes dateBoxes(QWidget* parent, const char* era, const char* y, const char* m, const char* d, int top);
// Shows a stored date (western year) in a date row: the era of the date and
// the year within it; a year of 0 empties the year box.
void showDate(const DateBoxes& b, int year, int month, int day);

// A framed pair of options, the first at the left.
struct OptionPair {
    QRadioButton *first, *second;
};
OptionPair optionPair(QWidget* parent, const QString& title, int left, int top, const char* firstName,
                      const QString& firstText, const char* secondName, const QString& secondText);
// Shows or hides the place box of a move with its caption; hiding empties it.
void showMoveName(QLineEdit* name, QLabel* label, bool on);

// The tax options 外税 (1), 内税 (2) and 無し (3) in their frame "消費税",
// side by side, or `stacked` one under the other in a frame 1815 × 1095
// twips (with room for the rate box at their right).
struct TaxOptions {
    QRadioButton *out, *in, *no;
    QButtonGroup* group;
    QWidget* frame;
};
TaxOptions taxOptions(QWidget* parent, int left, int top, bool stacked = false);
// Checks the option of a tax kind; any other kind leaves none checked.
void setTaxOption(QButtonGroup* group, int taxK);
// The tax kind of the checked option; 0 for none.
int taxOption(const QButtonGroup* group);

// Fills the era lists (the third era chosen), the expense and category lists
// (nothing chosen) and the function list (the empty row chosen).
void fillChoiceLists(std::initializer_list<QComboBox*> eras, QComboBox* keihi, QComboBox* kubun, QComboBox* func);
// Fills a name-list combo from its list, nothing chosen, without raising handlers.
void fillNameList(QComboBox* box, const std::array<QString, NAME_LIST_SLOTS>& list);
// Shows the amount of `count` items at `price`; false (and the label
// emptied) when either is 0.
bool showAmount(QLabel* total, qint64 count, qint64 price, bool taxOut, qint64 rate);
}  // namespace entry_ui

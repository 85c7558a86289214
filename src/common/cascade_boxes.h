// The category-cascade boxes of the list windows' filter bars (subject,
// classification, item name), filled from the store's cascade lists
// (store/category_lists.h): each box gets its names in order with no entry
// chosen; and the cascade that a list window's filter bar runs over them.
#pragma once
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

#include "store/category_lists.h"

class QComboBox;
class QLabel;

// Puts `items` into `box` in order, with no entry chosen.
void BOX_ITEMS_SET(QComboBox* box, const QStringList& items);
// The subjects of category index `kubun`; their numbers go into `numbers`.
void KYOUKA_BOX_SET(QComboBox* box, qint16 kubun, QList<qint16>& numbers);
// The classifications of the cascade's subject (the cascade keeps their
// master range).
void BUNRUI_BOX_SET(QComboBox* box, CASCADE_STATE& s);
// The item names of classification `bunrui` of the cascade's subject.
void NAME_BOX_SET(QComboBox* box, const CASCADE_STATE& s, const QString& bunrui);

// The category cascade of a list window's filter bar: category (KUBUN),
// subject (KYOUKA, with the subject number of each entry in K_NO_LIST),
// classification (BUNRUI) and item name (NAME_D). Choosing a level fills the
// list of the level below it and empties the levels further down; the
// cascade keeps the chosen category index, subject number and the subject's
// master range, which the window's search reads. Each list window owns one
// over its own boxes, as the entry windows own an EntryCascade; the levels a
// window lacks are left out.
class ListCascade : public QObject, public CASCADE_STATE {
public:
    struct Boxes {
        QComboBox* KUBUN = nullptr;
        QComboBox* KYOUKA = nullptr;
        QList<qint16>* K_NO_LIST = nullptr;
        QComboBox* BUNRUI = nullptr;
        QComboBox* NAME_D = nullptr;
        // The item list's sub-subjects: a subject whose index entries carry
        // several names narrows KYOUKA to 800 twips, and KYOUKA2 beside it
        // lists the parts after the blank (their index entries in K_NO2).
        QComboBox* KYOUKA2 = nullptr;
        QList<qint32>* K_NO2 = nullptr;
    };
    // Takes the boxes and connects their choices to the handlers below (once).
    void setBoxes(const Boxes& b);

    // The item list takes the chosen category by its name (the first
    // category of that name); the other lists by the chosen entry's place in
    // the category list.
    bool kubunByName = false;
    // Emptying the item-name box took a text away (in the item list that
    // counts as a change of the filter).
    std::function<void()> onNameEmptied;
    // A level was chosen (1 category, 2 subject, 3 sub-subject, 4
    // classification), after the lists below it were filled.
    std::function<void(int level)> onLevel;

    // The lists as the window opens: the category list an empty entry and
    // then the category names, nothing chosen; the levels below it empty.
    // The captions of the subject and the classification box take the
    // names of the two category levels.
    void fill(QLabel* kyoukaCaption, QLabel* bunruiCaption = nullptr);

    // Handlers of the choices.
    void KUBUN_Click();
    void KYOUKA_Click();
    void KYOUKA2_Click();
    void BUNRUI_Click();
    // The lists of the levels below a choice.
    void KYOUKA_LIST_SET();
    void BUNRUI_LIST_SET();
    void NAME_LIST_SET();

private:
    // Empties the item-name box, its list and its text.
    void emptyName();
    // KYOUKA at its full width over KYOUKA2 (`wide`), or narrowed beside it.
    void subjectWide(bool wide);
    void level(int n);
    Boxes b_;
};

#include "common/cascade_boxes.h"

#include <QComboBox>
#include <QLabel>
#include <cmath>

#include "platform/twips.h"

void BOX_ITEMS_SET(QComboBox* box, const QStringList& items) {
    box->clear();
    for (const QString& n : items) box->addItem(n);
    box->setCurrentIndex(-1);
}

void KYOUKA_BOX_SET(QComboBox* box, qint16 kubun, QList<qint16>& numbers) {
    QStringList names;
    KYOUKA_LIST_SET(kubun, names, numbers);
    BOX_ITEMS_SET(box, names);
}

void BUNRUI_BOX_SET(QComboBox* box, CASCADE_STATE& s) {
    QStringList list;
    BUNRUI_LIST_SET(s, list);
    BOX_ITEMS_SET(box, list);
}

void NAME_BOX_SET(QComboBox* box, const CASCADE_STATE& s, const QString& bunrui) {
    QStringList list;
    NAME_LIST_SET(s, bunrui, list);
    BOX_ITEMS_SET(box, list);
}

// ---------------------------------------------------------------- ListCascade

void ListCascade::setBoxes(const Boxes& b) {
    b_ = b;
    auto on = [this](QComboBox* box, void (ListCascade::*handler)()) {
        if (box) connect(box, &QComboBox::activated, this, [this, handler](int) { (this->*handler)(); });
    };
    on(b_.KUBUN, &ListCascade::KUBUN_Click);
    on(b_.KYOUKA, &ListCascade::KYOUKA_Click);
    on(b_.KYOUKA2, &ListCascade::KYOUKA2_Click);
    on(b_.BUNRUI, &ListCascade::BUNRUI_Click);
}

void ListCascade::level(int n) {
    if (onLevel) onLevel(n);
}

void ListCascade::fill(QLabel* kyoukaCaption, QLabel* bunruiCaption) {
    QStringList names{QString()};
    names += KUBUN_LIST_NAMES();
    BOX_ITEMS_SET(b_.KUBUN, names);
    b_.KYOUKA->clear();
    b_.K_NO_LIST->clear();
    if (b_.KYOUKA2) {
        b_.KYOUKA2->clear();
        b_.K_NO2->clear();
    }
    if (b_.BUNRUI) b_.BUNRUI->clear();
    static_cast<CASCADE_STATE&>(*this) = {};
    kyoukaCaption->setText(KUBUN_LEVEL_NAME[0]);
    if (bunruiCaption) bunruiCaption->setText(KUBUN_LEVEL_NAME[1]);
}

void ListCascade::emptyName() {
    if (!b_.NAME_D) return;
    const bool had = !b_.NAME_D->currentText().isEmpty();
    b_.NAME_D->clear();
    b_.NAME_D->setEditText(QString());
    if (had && onNameEmptied) onNameEmptied();
}

void ListCascade::subjectWide(bool wide) {
    QComboBox* k = b_.KYOUKA;
    k->resize(int(std::lround((wide ? 2000 : 800) / double(platform::kTwipsPerPixel))), k->height());
}

void ListCascade::KYOUKA_LIST_SET() { KYOUKA_BOX_SET(b_.KYOUKA, CUR_KUBUN, *b_.K_NO_LIST); }

void ListCascade::BUNRUI_LIST_SET() {
    if (b_.BUNRUI) BUNRUI_BOX_SET(b_.BUNRUI, *this);
}

void ListCascade::NAME_LIST_SET() {
    if (!b_.NAME_D) return;
    NAME_BOX_SET(b_.NAME_D, *this, b_.BUNRUI->currentText());
    b_.NAME_D->setEditText(QString());
}

void ListCascade::KUBUN_Click() {
    const QString name = b_.KUBUN->currentText();
    CUR_KUBUN = 0;
    if (!kubunByName) {
        CUR_KUBUN = KUBUN_LIST_IDX(b_.KUBUN->currentIndex() - 1);
    } else if (!name.isEmpty()) {
        for (int i = 0; i < int(KUBUN_NAMES.size()); ++i) {
            if (KUBUN_NAMES[i] == name) {
                CUR_KUBUN = qint16(i + 1);
                break;
            }
        }
    }
    CUR_KYOUKA = 0;
    KYOUKA_LIST_SET();
    // A sub-subject chosen under another category would go on filtering
    // unseen: choosing a category empties it and uncovers nothing.
    if (b_.KYOUKA2) {
        b_.KYOUKA2->clear();
        b_.K_NO2->clear();
        subjectWide(true);
    }
    if (b_.BUNRUI) b_.BUNRUI->clear();
    emptyName();
    level(1);
}

void ListCascade::KYOUKA_Click() {
    const int k = b_.KYOUKA->currentIndex();
    if (k < 0 || k >= b_.K_NO_LIST->size()) return;
    CUR_KYOUKA = (*b_.K_NO_LIST)[k];
    if (b_.KYOUKA2 && KYOUKA_RUNS(CUR_KUBUN, CUR_KYOUKA) >= 2) {
        // Several names share the number: the classifications wait for a
        // sub-subject.
        subjectWide(false);
        b_.BUNRUI->clear();
        emptyName();
        QStringList names;
        KYOUKA2_LIST_SET(CUR_KUBUN, CUR_KYOUKA, names, *b_.K_NO2);
        BOX_ITEMS_SET(b_.KYOUKA2, names);
    } else {
        if (b_.KYOUKA2) {
            subjectWide(true);
            b_.KYOUKA2->clear();
            b_.K_NO2->clear();
        }
        emptyName();
        BUNRUI_LIST_SET();
    }
    level(2);
}

void ListCascade::KYOUKA2_Click() {
    const int k = b_.KYOUKA2->currentIndex();
    if (k < 0 || k >= b_.K_NO2->size()) return;
    QStringList list;
    BUNRUI_LIST_SET2(*this, (*b_.K_NO2)[k], list);
    BOX_ITEMS_SET(b_.BUNRUI, list);
    level(3);
}

void ListCascade::BUNRUI_Click() {
    emptyName();
    NAME_LIST_SET();
    level(4);
}

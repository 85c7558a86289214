#include "common/cascade_boxes.h"

#include <QComboBox>

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

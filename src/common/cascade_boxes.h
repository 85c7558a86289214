// The category-cascade boxes of the list windows' filter bars (subject,
// classification, item name), filled from the store's cascade lists
// (store/category_lists.h): each box gets its names in order with no entry
// chosen.
#pragma once
#include <QList>
#include <QStringList>

#include "store/category_lists.h"

class QComboBox;

// Puts `items` into `box` in order, with no entry chosen.
void BOX_ITEMS_SET(QComboBox* box, const QStringList& items);
// The subjects of category index `kubun`; their numbers go into `numbers`.
void KYOUKA_BOX_SET(QComboBox* box, qint16 kubun, QList<qint16>& numbers);
// The classifications of the cascade's subject (the cascade keeps their
// master range).
void BUNRUI_BOX_SET(QComboBox* box, CASCADE_STATE& s);
// The item names of classification `bunrui` of the cascade's subject.
void NAME_BOX_SET(QComboBox* box, const CASCADE_STATE& s, const QString& bunrui);

#include "category/key_boxes.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/text.h"
#include "store/category_file.h"

namespace kubun_boxes {

void pick(ctl::ComboBox* box, int row) {
    if (row < 0) return;
    if (box->currentIndex() == row) {
        if (box->Click) box->Click();
    } else {
        box->setListIndex(row);
    }
}

void unselect(ctl::ComboBox* box) {
    QSignalBlocker block(box);
    box->setCurrentIndex(-1);
    if (box->isEditable()) box->setEditText(QString());
}

void emptyBox(ctl::ComboBox* box) {
    QSignalBlocker block(box);
    box->clear();
    if (box->isEditable()) box->setEditText(QString());
}

void fill(ctl::ComboBox* box, const QStringList& items) {
    QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (box->isEditable()) box->setEditText(QString());
}

void typeText(ctl::ComboBox* box, const QString& t) {
    QSignalBlocker block(box);
    box->setEditText(t);
}

void showFunction(ctl::ComboBox* box, const QString& func) {
    QSignalBlocker block(box);
    box->setCurrentIndex(FUNC_NO_OF(func));
}

qint16 number16(const QString& s) {
    const double v = text::val(s);
    if (!std::isfinite(v)) return 0;
    return qint16(std::clamp<qint64>(text::roundHalfEven(v), -32768, 32767));
}

int rowOf(const ctl::ComboBox* box, const QString& t) { return box->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive); }

}  // namespace kubun_boxes

// What a label line shows. Each of the (up to six) lines of a label has a
// kind, stored in the layout as the text of its choice ("品名", "備品番号",
// the first level name, ...); the label print, the label preview and the
// label text copy turn a kind and an item record into the line's text here.
#pragma once
#include <QString>
#include <QStringList>

#include "store/state.h"

// The fixed kind texts.
namespace label_kind {
inline const QString NONE = QStringLiteral("無し");
inline const QString FIXED = QStringLiteral("文字指定");
inline const QString SCHOOL = QStringLiteral("学校名");
inline const QString CATEGORY = QStringLiteral("備品区分");
inline const QString CATEGORY_NO = QStringLiteral("備品区分 備品番号");
inline const QString ITEM_NAME = QStringLiteral("品名");
inline const QString NUMBER = QStringLiteral("備品番号");
inline const QString DATE = QStringLiteral("購入年月日");
inline const QString REMARKS = QStringLiteral("備考");
}  // namespace label_kind

// The thirteen choices of a line kind, in the order the layout window offers
// them, built from the current level names (KUBUN_LEVEL_NAME).
QStringList LABEL_KIND_CHOICES();

// The item number of a label: " S", " H" or " R" by the era code (nothing
// for another code), then year, "-", number, "-", branch (" H12-5-1").
QString LABEL_NO_TEXT(const ZEMLO_REC& r);
// The purchase date by the Japanese calendar, era letter, era year, month and
// day without leading zeros ("H12/4/1"); empty when the item has no purchase
// date (a year up to 1900) or the stored date does not exist.
QString LABEL_DATE_TEXT(const ZEMLO_REC& r);

// Who asks: the three differ in small, long-standing ways.
//  Print:   the first kind that matches decides;
//  Preview: as Print, with the date as the lists show it (" H12/ 4/ 1");
//  Copy:    every kind that matches adds its text, and the last kind
//           ("備品区分 <level 1> 備品番号") puts a blank before the number.
enum class LabelUse { Print, Preview, Copy };

struct LabelLine {
    QString text;
    bool shrinks = false;  // fitted to the label's width by a smaller font
};

// The text of one label line of kind `kind` (with `fixedText` for
// "文字指定") for the item `r`. A kind that matches nothing gives an empty line.
LabelLine LABEL_LINE_OF(const QString& kind, const QString& fixedText, const ZEMLO_REC& r, LabelUse use);

#include "printing/label_text.h"

#include <QDate>
#include <functional>

#include "platform/era.h"
#include "store/helpers.h"

namespace {

QString num(qint64 n) { return QString::number(n); }

// The purchase date when the item has one.
QDate purchaseDate(const ZEMLO_REC& r) {
    if (r.BIN_Y <= 1900) return QDate();
    return QDate(r.BIN_Y, r.BIN_M, r.BIN_D);  // invalid when the stored date does not exist
}

QString subject(const ZEMLO_REC& r) { return num(r.NO_KY) + r.KYOUKA; }

}  // namespace

QStringList LABEL_KIND_CHOICES() {
    const QString& l1 = KUBUN_LEVEL_NAME[0];
    const QString& l2 = KUBUN_LEVEL_NAME[1];
    using namespace label_kind;
    return {NONE,
            FIXED,
            SCHOOL,
            CATEGORY,
            CATEGORY + QLatin1Char(' ') + l1,
            CATEGORY + QLatin1Char(' ') + l1 + QLatin1Char(' ') + NUMBER,
            CATEGORY_NO,
            l1,
            l2,
            ITEM_NAME,
            NUMBER,
            DATE,
            REMARKS};
}

QString LABEL_NO_TEXT(const ZEMLO_REC& r) {
    QString s;
    switch (r.BY_W) {
        case 3: s = QStringLiteral(" S"); break;
        case 4: s = QStringLiteral(" H"); break;
        case 5: s = QStringLiteral(" R"); break;
        default: break;
    }
    s += num(r.BY_Y) + QLatin1Char('-') + num(r.B_NO) + QLatin1Char('-') + num(r.B_NOS);
    return s;
}

QString LABEL_DATE_TEXT(const ZEMLO_REC& r) {
    const QDate d = purchaseDate(r);
    if (!d.isValid()) return QString();
    return era::letter(d) + num(era::year(d)) + QLatin1Char('/') + num(d.month()) + QLatin1Char('/') + num(d.day());
}

LabelLine LABEL_LINE_OF(const QString& kind, const QString& fixedText, const ZEMLO_REC& r, LabelUse use) {
    using namespace label_kind;
    if (kind.isEmpty()) return {};  // a line without a kind prints nothing
    const QString& l1 = KUBUN_LEVEL_NAME[0];
    const QString& l2 = KUBUN_LEVEL_NAME[1];
    const QString catL1 = CATEGORY + QLatin1Char(' ') + l1;
    const QString catL1No = catL1 + QLatin1Char(' ') + NUMBER;

    auto dateText = [&] {
        if (use != LabelUse::Preview) return LABEL_DATE_TEXT(r);
        const QDate d = purchaseDate(r);
        return d.isValid() ? ERA_DATE_STR(d, 2) : QString();
    };

    // The kinds in the order they are compared; each with its text and
    // whether it is fitted to the width.
    struct Entry {
        const QString& kind;
        std::function<QString()> text;
        bool shrinks;
    };
    const Entry entries[] = {
        {NONE, [] { return QString(); }, false},
        {FIXED, [&] { return fixedText; }, true},
        {SCHOOL, [] { return SCHOOL_NAME; }, true},
        {CATEGORY_NO, [&] { return r.KUBUN + LABEL_NO_TEXT(r); }, true},
        {NUMBER, [&] { return LABEL_NO_TEXT(r); }, true},
        {DATE, dateText, false},
        {CATEGORY, [&] { return r.KUBUN; }, false},
        {l1, [&] { return subject(r); }, true},
        {l2, [&] { return r.NO_BU + QLatin1Char(' ') + r.BUNRUI; }, true},
        {ITEM_NAME, [&] { return r.NAME_D; }, true},
        {REMARKS, [&] { return r.MSG; }, true},
        {catL1, [&] { return r.KUBUN + QLatin1Char(' ') + subject(r); }, true},
        {catL1No,
         [&] {
             const QString sep = use == LabelUse::Copy ? QStringLiteral(" ") : QString();
             return r.KUBUN + QLatin1Char(' ') + subject(r) + sep + LABEL_NO_TEXT(r);
         },
         true},
    };

    LabelLine out;
    for (const Entry& e : entries) {
        if (e.kind != kind) continue;
        if (use != LabelUse::Copy) return {e.text(), e.shrinks};
        out.text += e.text();
        out.shrinks = out.shrinks || e.shrinks;
    }
    return out;
}

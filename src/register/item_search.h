// The item searches of the item list, without widgets: the item-name pattern
// test NAME_MATCH, the criteria of "検索" taken from the filter bar's texts
// and choices, and the test of "区分不明検索" (items whose names are missing
// from the category master). The amount test counts by the amount rule of
// store/amounts.h.
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "store/category_lists.h"
#include "store/state.h"

// 1 when `name` matches `pattern`, else 0. Both are upper-cased and widened
// to full width first (so "*" is "＊"); a leading "＊" matches any start, a
// trailing one any end, both any text around the middle, one inside any
// text between a prefix and a suffix (which may overlap); without "＊" the
// whole name must equal the pattern.
int NAME_MATCH(const QString& name, const QString& pattern);

// A pattern prepared once for many names (what a search over the whole table
// uses); matches() gives the same answer as NAME_MATCH without allocating.
class NamePattern {
public:
    NamePattern() = default;
    explicit NamePattern(const QString& pattern);
    bool matches(QStringView name) const;

private:
    enum class Kind { All, Contains, EndsWith, StartsWith, Around, Equals };
    Kind kind_ = Kind::Equals;
    QString a_, b_;         // the parts compared (normalised)
    mutable QString name_;  // scratch for the normalised name
};

// Upper case and full width, as the pattern test compares; `out` is reused.
void NAME_NORMALISE(QStringView in, QString& out);

// What the filter bar holds when "検索" is pressed.
struct ZEMLO_FILTER {
    double YEAR = 0;         // CH_Y read as a number; 0 switches the filter off
    int ERA_POS = -1;        // chosen entry of DP_W (0 昭和, 1 平成, 2 令和); -1 typed text
    QStringList KEIHI;       // selected entries of KEIHI_L
    QString KUBUN;           // text of the category list
    qint16 CUR_KUBUN = 0;
    QString KYOUKA;          // text of the subject list
    qint16 CUR_KYOUKA = 0;
    QString KYOUKA2;         // text of the sub-subject list
    QString BUNRUI;          // text of the classification list
    QString NAME_D;          // text of the item-name box
    QString KEEP;            // text of the storage-place box
    double M_MAX = 0;        // amount; 0 switches the filter off
    bool M_UP = true;        // "以上" (else "以下")
    double N_SET = 0;        // item number; 0 switches the filter off
    bool N_UP = true;
};

// The criteria of "検索", prepared from a filter: a record passes when it
// passes every active test.
class ZEMLO_CRITERIA {
public:
    explicit ZEMLO_CRITERIA(const ZEMLO_FILTER& f);
    bool passes(const ZEMLO_REC& r) const;
    // The amount test alone (also used by "区分不明検索").
    bool passesAmount(const ZEMLO_REC& r) const;

private:
    // A name or place test: off, "NOT" (the field must be empty) or a pattern.
    struct TextTest {
        enum class Mode { Off, Empty, Pattern } mode = Mode::Off;
        NamePattern pattern;
        void set(const QString& boxText);
        bool passes(const QString& field) const;
    };
    ZEMLO_FILTER f_;
    bool year_ = false;
    qint16 eraCode_ = 0;
    TextTest name_, keep_;
    bool amount_ = false;
    qint64 limit_ = 0;
    bool number_ = false;
};

// The category-master names (category, subject, classification, item name)
// of entries 0 to KUBUN_COUNT - 1, for "区分不明検索".
class KUBUN_NAME_SET {
public:
    KUBUN_NAME_SET();
    // True when a master entry has all four names of the record.
    bool contains(const ZEMLO_REC& r) const;

private:
    struct Key {
        QString KUBUN, KYOUKA, BUNRUI, NAME_D;
        bool operator==(const Key& o) const {
            return NAME_D == o.NAME_D && BUNRUI == o.BUNRUI && KYOUKA == o.KYOUKA && KUBUN == o.KUBUN;
        }
    };
    friend size_t qHash(const Key& k, size_t seed) {
        return qHashMulti(seed, k.KUBUN, k.KYOUKA, k.BUNRUI, k.NAME_D);
    }
    QSet<Key> keys_;
};

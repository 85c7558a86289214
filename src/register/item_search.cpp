#include "register/item_search.h"

#include <algorithm>

#include "platform/text.h"
#include "store/amounts.h"

namespace {
constexpr char16_t kStar = 0xFF0A;  // ＊

// Trims half-width blanks at both ends.
QStringView trimBlanks(QStringView s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ') ++a;
    while (b > a && s[b - 1] == u' ') --b;
    return s.mid(a, b - a);
}
}  // namespace

void NAME_NORMALISE(QStringView in, QString& out) {
    // Half-width katakana may join with a following voicing mark: those names
    // go through the full conversion; every other character maps alone.
    for (QChar c : in) {
        if (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) {
            out = text::toUpper(text::toFullWidth(in.toString()));
            return;
        }
    }
    out.resize(in.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < in.size(); ++i) {
        char16_t c = in[i].unicode();
        if (c == u' ') {
            c = 0x3000;
        } else if (c >= 0x21 && c <= 0x7E) {
            c = char16_t(c - 0x21 + 0xFF01);
        }
        if (c >= 0xFF41 && c <= 0xFF5A) c = char16_t(c - 0x20);  // ａ-ｚ to Ａ-Ｚ
        d[i] = QChar(c);
    }
}

NamePattern::NamePattern(const QString& pattern) {
    QString p;
    NAME_NORMALISE(pattern, p);
    const qsizetype n = p.size();
    if (n > 0 && p[0] == QChar(kStar)) {
        if (n == 1) {
            kind_ = Kind::All;
        } else if (p[n - 1] == QChar(kStar)) {
            kind_ = Kind::Contains;
            a_ = p.mid(1, n - 2);
        } else {
            kind_ = Kind::EndsWith;
            a_ = p.mid(1);
        }
    } else if (n > 0 && p[n - 1] == QChar(kStar)) {
        kind_ = Kind::StartsWith;
        a_ = p.left(n - 1);
    } else if (const qsizetype k = p.indexOf(QChar(kStar)); k > 0) {
        kind_ = Kind::Around;
        a_ = p.left(k);
        b_ = p.mid(k + 1);
    } else {
        kind_ = Kind::Equals;
        a_ = p;
    }
}

bool NamePattern::matches(QStringView name) const {
    if (kind_ == Kind::All) return true;
    NAME_NORMALISE(name, name_);
    switch (kind_) {
        case Kind::All: return true;
        case Kind::Contains: return name_.contains(a_);
        case Kind::EndsWith: return name_.endsWith(a_);
        case Kind::StartsWith: return name_.startsWith(a_);
        case Kind::Around: return name_.startsWith(a_) && name_.endsWith(b_);
        case Kind::Equals: return name_ == a_;
    }
    return false;
}

int NAME_MATCH(const QString& name, const QString& pattern) { return NamePattern(pattern).matches(name) ? 1 : 0; }

// ---------------------------------------------------------------- criteria

void ZEMLO_CRITERIA::TextTest::set(const QString& boxText) {
    const QString up = text::toUpper(boxText);
    if (up == QStringLiteral("NOT") || up == QStringLiteral("ＮＯＴ")) {
        mode = Mode::Empty;
    } else if (!boxText.isEmpty()) {
        mode = Mode::Pattern;
        pattern = NamePattern(trimBlanks(boxText).toString());
    } else {
        mode = Mode::Off;
    }
}

bool ZEMLO_CRITERIA::TextTest::passes(const QString& field) const {
    switch (mode) {
        case Mode::Off: return true;
        case Mode::Empty: return field.isEmpty();
        case Mode::Pattern: return !field.isEmpty() && pattern.matches(trimBlanks(field));
    }
    return true;
}

ZEMLO_CRITERIA::ZEMLO_CRITERIA(const ZEMLO_FILTER& f) : f_(f) {
    year_ = f.YEAR > 0;
    eraCode_ = qint16(f.ERA_POS + 3);
    name_.set(f.NAME_D);
    keep_.set(f.KEEP);
    amount_ = f.M_MAX > 0;
    limit_ = text::roundHalfEven(f.M_MAX);
    number_ = f.N_SET > 0;
}

bool ZEMLO_CRITERIA::passesAmount(const ZEMLO_REC& r) const {
    if (!amount_) return true;
    const qint64 a = ZEMLO_AMOUNT(r, false);
    return f_.M_UP ? a >= limit_ : a <= limit_;
}

bool ZEMLO_CRITERIA::passes(const ZEMLO_REC& r) const {
    if (year_ && (r.BY_W != eraCode_ || double(r.BY_Y) != f_.YEAR)) return false;
    if (!f_.KEIHI.isEmpty() && !f_.KEIHI.contains(r.KEIHI)) return false;
    if (!f_.KUBUN.isEmpty() && r.KUBUN_IDX != f_.CUR_KUBUN) return false;
    if (!f_.KYOUKA.isEmpty() && r.NO_KY != f_.CUR_KYOUKA) return false;
    if (!f_.KYOUKA2.isEmpty() && !r.KYOUKA.contains(f_.KYOUKA2)) return false;
    if (!f_.BUNRUI.isEmpty() && r.BUNRUI != f_.BUNRUI) return false;
    if (!name_.passes(r.NAME_D)) return false;
    if (!keep_.passes(r.KEEP)) return false;
    if (!passesAmount(r)) return false;
    if (number_ && (f_.N_UP ? double(r.B_NO) < f_.N_SET : double(r.B_NO) > f_.N_SET)) return false;
    return true;
}

// ---------------------------------------------------------------- master names

KUBUN_NAME_SET::KUBUN_NAME_SET() {
    const qint32 n = std::min<qint32>(KUBUN_COUNT, qint32(KUBUN_DATA.size()));
    keys_.reserve(n);
    for (qint32 i = 0; i < n; ++i) {
        const KUBUN_REC& k = KUBUN_DATA[i];
        keys_.insert({k.KUBUN, k.KYOUKA, k.BUNRUI, k.NAME_D});
    }
}

bool KUBUN_NAME_SET::contains(const ZEMLO_REC& r) const {
    return keys_.contains({r.KUBUN, r.KYOUKA, r.BUNRUI, r.NAME_D});
}

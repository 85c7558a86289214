#include "platform/text.h"

#include <array>
#include <QByteArray>
#include <cmath>
#include <limits>

namespace text {
namespace {

// Half-width katakana U+FF61..U+FF9F and the full-width character each one
// stands for.
constexpr char16_t kKanaWide[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2,                  // ｡ ｢ ｣ ､ ･ ｦ
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,                          // ｧ ｨ ｩ ｪ ｫ
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC,                          // ｬ ｭ ｮ ｯ ｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA,                          // ｱ ｲ ｳ ｴ ｵ
    0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,                          // ｶ ｷ ｸ ｹ ｺ
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,                          // ｻ ｼ ｽ ｾ ｿ
    0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,                          // ﾀ ﾁ ﾂ ﾃ ﾄ
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,                          // ﾅ ﾆ ﾇ ﾈ ﾉ
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,                          // ﾊ ﾋ ﾌ ﾍ ﾎ
    0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2,                          // ﾏ ﾐ ﾑ ﾒ ﾓ
    0x30E4, 0x30E6, 0x30E8,                                          // ﾔ ﾕ ﾖ
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED,                          // ﾗ ﾘ ﾙ ﾚ ﾛ
    0x30EF, 0x30F3, 0x309B, 0x309C,                                  // ﾜ ﾝ ﾞ ﾟ
};
static_assert(sizeof(kKanaWide) / sizeof(kKanaWide[0]) == 0xFF9F - 0xFF61 + 1);

constexpr char16_t kVoiced = 0xFF9E;      // ﾞ
constexpr char16_t kSemiVoiced = 0xFF9F;  // ﾟ

struct Narrow {
    char16_t base = 0;  // the half-width character, 0 when there is none
    char16_t mark = 0;  // ﾞ or ﾟ after it, or 0
};

// Full-width (U+3000..U+30FF) to half-width, built once.
struct Tables {
    std::array<Narrow, 0x100> narrow{};      // index: code - 0x3000
    std::array<char16_t, 0x3F> voicedOf{};   // index: half-width kana - 0xFF61 -> voiced full-width
    std::array<char16_t, 0x3F> semiOf{};     // -> semi-voiced full-width

    Tables() {
        for (char16_t h = 0xFF61; h <= 0xFF9F; ++h) {
            char16_t w = kKanaWide[h - 0xFF61];
            narrow[w - 0x3000].base = h;
        }
        // The voiced rows: カ..コ, サ..ソ, タ..ト (each voiced form is the next code).
        const char16_t voicedRows[] = {0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9,
                                       0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8};
        for (char16_t w : voicedRows) {
            const char16_t b = narrow[w - 0x3000].base;
            narrow[w + 1 - 0x3000] = {b, kVoiced};
            voicedOf[b - 0xFF61] = char16_t(w + 1);
        }
        for (char16_t w = 0x30CF; w <= 0x30DB; w += 3) {  // ハ ヒ フ ヘ ホ
            Narrow plain = narrow[w - 0x3000];
            narrow[w + 1 - 0x3000] = {plain.base, kVoiced};
            narrow[w + 2 - 0x3000] = {plain.base, kSemiVoiced};
            voicedOf[plain.base - 0xFF61] = char16_t(w + 1);
            semiOf[plain.base - 0xFF61] = char16_t(w + 2);
        }
        // ヴ, ヷ, ヺ
        const struct { char16_t wide, plain; } extra[] = {{0x30F4, 0x30A6}, {0x30F7, 0x30EF}, {0x30FA, 0x30F2}};
        for (auto e : extra) {
            char16_t b = narrow[e.plain - 0x3000].base;
            narrow[e.wide - 0x3000] = {b, kVoiced};
            voicedOf[b - 0xFF61] = e.wide;
        }
        // The ideographic blank.
        narrow[0] = {u' ', 0};
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

QString toHalfWidth(const QString& s) {
    const Tables& t = tables();
    QString out;
    out.reserve(s.size() + 4);
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E && c != 0xFF02) {
            out += QChar(char16_t(c - 0xFF01 + 0x21));
        } else if (c >= 0x3000 && c <= 0x30FF && t.narrow[c - 0x3000].base != 0) {
            const Narrow& n = t.narrow[c - 0x3000];
            out += QChar(n.base);
            if (n.mark) out += QChar(n.mark);
        } else {
            out += qc;
        }
    }
    return out;
}

QString toFullWidth(const QString& s) {
    const Tables& t = tables();
    QString out;
    out.reserve(s.size());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c == u' ') {
            out += QChar(char16_t(0x3000));
        } else if (c >= 0x21 && c <= 0x7E) {
            out += QChar(char16_t(c - 0x21 + 0xFF01));
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            const int k = c - 0xFF61;
            const char16_t next = i + 1 < n ? s[i + 1].unicode() : 0;
            if (next == kVoiced && t.voicedOf[k]) {
                out += QChar(t.voicedOf[k]);
                ++i;
            } else if (next == kSemiVoiced && t.semiOf[k]) {
                out += QChar(t.semiOf[k]);
                ++i;
            } else {
                out += QChar(kKanaWide[k]);
            }
        } else {
            out += s[i];
        }
    }
    return out;
}

QString toUpper(const QString& s) {
    QString out = s;
    for (QChar& qc : out) {
        const char16_t c = qc.unicode();
        if ((c >= u'a' && c <= u'z') || (c >= 0xFF41 && c <= 0xFF5A)) qc = QChar(char16_t(c - 0x20));
    }
    return out;
}

double val(const QString& s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\r' || s[i] == u'\n')) ++i;
    QByteArray num;
    num.reserve(24);
    if (i < n && (s[i] == u'-' || s[i] == u'+')) num += char(s[i++].unicode());
    bool point = false, digit = false;
    for (; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c >= u'0' && c <= u'9') {
            num += char(c);
            digit = true;
        } else if (c == u'.' && !point) {
            num += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digit) return 0;
    if (num.endsWith('.')) num.chop(1);
    bool ok = false;
    const double v = num.toDouble(&ok);  // independent of the C locale
    return ok && std::isfinite(v) ? v : 0;
}

std::optional<qint64> figure(const QString& s) {
    const QString t = toHalfWidth(s).trimmed();
    if (t.isEmpty()) return 0;
    qsizetype i = 0;
    const bool negative = t[0] == u'-';
    if (negative || t[0] == u'+') ++i;
    // The whole part: digits, with commas that group them in threes.
    QString whole;
    int group = -1;  // digits since the last comma; -1 before any comma
    for (; i < t.size() && t[i] != u'.'; ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            whole += c;
            if (group >= 0 && ++group > 3) return std::nullopt;
        } else if (c == u',') {
            if (whole.isEmpty() || (group >= 0 && group != 3) || (group < 0 && whole.size() > 3)) return std::nullopt;
            group = 0;
        } else {
            return std::nullopt;
        }
    }
    if (group >= 0 && group != 3) return std::nullopt;
    QString fraction;
    if (i < t.size()) {  // the point
        for (++i; i < t.size(); ++i) {
            if (t[i] < u'0' || t[i] > u'9') return std::nullopt;
            fraction += t[i];
        }
    }
    if (whole.isEmpty() && fraction.isEmpty()) return std::nullopt;
    while (whole.size() > 1 && whole[0] == u'0') whole.remove(0, 1);
    if (whole.size() > 18) return std::nullopt;
    qint64 v = whole.isEmpty() ? 0 : whole.toLongLong();
    // Half to even on the first fraction digit and whether any follows.
    if (!fraction.isEmpty()) {
        const int first = fraction[0].unicode() - u'0';
        bool rest = false;
        for (qsizetype k = 1; k < fraction.size(); ++k) rest = rest || fraction[k] != u'0';
        if (first > 5 || (first == 5 && (rest || v % 2 == 1))) ++v;
    }
    return negative ? -v : v;
}

qint64 roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);  // round-to-nearest, ties to even
    if (r >= 9.2233720368547758e18) return std::numeric_limits<qint64>::max();
    if (r <= -9.2233720368547758e18) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(r);
}

QString rset(const QString& s, int width) { return s.rightJustified(width, QLatin1Char(' ')); }

QString countText(qint64 v) { return v == 0 ? QString() : QString::number(v); }

}  // namespace text

#include "platform/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

namespace sjis {
namespace {
constexpr const char* kCodec = "windows-31j";

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Characters that input methods outside Windows type in their JIS forms,
// stored under the codes Windows gives their code-page forms (which is what
// they read back as): 〜 ～, − －, ‖ ∥, — ―, ¢ ￠, £ ￡, ¬ ￢.
constexpr struct {
    char16_t ch;
    quint16 code;
} kJisForms[] = {{0x301C, 0x8160}, {0x2212, 0x817C}, {0x2016, 0x8161}, {0x2014, 0x815C},
                 {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA}};

// One code point (one or two UTF-16 units) through the platform codec;
// empty when the code page has no code for it. ICU substitutes 0xFCFC for
// unmappable characters, which is no valid code of the page.
QByteArray codecEncodeOne(QStringView cp) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray b = enc.encode(cp);
    if (enc.hasError() || b.isEmpty() || b == QByteArray("\xFC\xFC", 2)) return {};
    return b;
}

// The code page as tables, filled once from the platform codec, so every
// entry is what the codec gives, with two corrections:
// - bytes below 0x80 are the characters of the same value both ways (the
//   codec swaps the control codes 0x1A, 0x1C and 0x7F);
// - the JIS forms above encode as their code-page forms.
struct Tables {
    char16_t kana[64];        // 0xA1..0xDF, the half-width katakana
    char16_t pair[256][256];  // [lead][trail]; 0 = no character
    quint16 code[65536];      // per UTF-16 unit from 0x80: one byte 0x00nn or lead << 8 | trail; 0 = none

    Tables() {
        std::memset(pair, 0, sizeof pair);
        std::memset(code, 0, sizeof code);
        for (int c = 0xA1; c <= 0xDF; ++c) kana[c - 0xA1] = char16_t(0xFF61 + (c - 0xA1));
        auto usable = [](QChar ch) { return ch != u'?' && ch != QChar(0xFFFD) && ch != QChar(0x1A) && !ch.isSurrogate(); };
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            // A whole row at once; a row that does not come out clean is done pair by pair.
            QByteArray row;
            for (int t = 0x40; t <= 0xFC; ++t)
                if (t != 0x7F) row.append(char(lead)).append(char(t));
            QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
            const QString s = dec.decode(row);
            const bool clean = !dec.hasError() && s.size() == row.size() / 2 && std::all_of(s.begin(), s.end(), usable);
            int k = 0;
            for (int t = 0x40; t <= 0xFC; ++t) {
                if (t == 0x7F) continue;
                if (clean) {
                    pair[lead][t] = s[k].unicode();
                } else {
                    QStringDecoder one(kCodec, QStringConverter::Flag::Stateless);
                    const QString c = one.decode(row.mid(2 * k, 2));
                    if (!one.hasError() && c.size() == 1 && usable(c[0])) pair[lead][t] = c[0].unicode();
                }
                ++k;
            }
        }
        // Every character of the basic plane in one call, each on a line of
        // its own (the codec skips some characters it has no code for, and
        // substitutes 0xFCFC, which is no code of the page, for the rest).
        QString all;
        all.reserve(2 * 0x10000);
        for (char32_t c = 0x80; c <= 0xFFFF; ++c)
            if (!QChar::isSurrogate(c)) all.append(QChar(char16_t(c))).append(u'\n');
        QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
        const QByteArray bytes = enc.encode(all);
        qsizetype at = 0;
        for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
            if (QChar::isSurrogate(c)) continue;
            const qsizetype end = bytes.indexOf('\n', at);
            if (end < 0) break;
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
            const qsizetype len = end - at;
            at = end + 1;
            const quint16 v = len == 1 ? b[0] : len == 2 ? quint16(b[0] << 8 | b[1]) : 0;
            if (v >= 0x80 && v != 0xFCFC && (len == 1 || isLead(b[0]))) code[c] = v;
        }
        for (const auto& f : kJisForms) code[f.ch] = f.code;
    }
};

const Tables& tables() {
    static const Tables* t = new Tables;
    return *t;
}

// The length of the code point at `i` (a surrogate pair counts as one).
qsizetype codePointLength(QStringView text, qsizetype i) {
    return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
}

// Encodes a character outside the basic plane (or a lone surrogate):
// the codec's code, "?" when it has none. At most 2 bytes.
char* encodeRare(char* o, QStringView cp) {
    const QByteArray b = codecEncodeOne(cp);
    if (b.isEmpty() || b.size() > 2) {
        *o++ = '?';
        return o;
    }
    std::memcpy(o, b.constData(), size_t(b.size()));
    return o + b.size();
}

}  // namespace

char* encodeInto(char* out, QStringView text) {
    const Tables& t = tables();
    const qsizetype n = text.size();
    const char16_t* s = text.utf16();
    char* o = out;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            *o++ = char(c);
            continue;
        }
        if (const quint16 v = t.code[c]) {
            if (v > 0xFF) *o++ = char(v >> 8);
            *o++ = char(v & 0xFF);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            const qsizetype len = codePointLength(text, i);
            o = encodeRare(o, text.mid(i, len));
            i += len - 1;
        } else {
            *o++ = '?';
        }
    }
    return o;
}

void appendEncoded(QByteArray& out, QStringView text) {
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char* end = encodeInto(out.data() + start, text);
    out.resize(end - out.constData());
}

QByteArray encode(const QString& text) {
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

QString decode(const QByteArray& bytes) {
    const Tables& t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            // Plain ASCII, eight bytes at a time where it runs on.
            quint64 w;
            if (n - i >= 8 && (std::memcpy(&w, b + i, 8), (w & 0x8080808080808080ull) == 0)) {
                for (int k = 0; k < 8; ++k) o[k] = b[i + k];
                o += 8;
                i += 8;
            } else {
                *o++ = c;
                ++i;
            }
            continue;
        }
        if (i + 1 < n) {
            if (const char16_t p = t.pair[c][b[i + 1]]) {
                *o++ = p;
                i += 2;
                continue;
            }
        }
        if (c >= 0xA1 && c <= 0xDF) {
            *o++ = t.kana[c - 0xA1];
            ++i;
            continue;
        }
        // A pair the code page leaves empty reads as one "?", as does any
        // other byte that is no character.
        *o++ = u'?';
        i += (isLead(c) && i + 1 < n && isTrail(b[i + 1])) ? 2 : 1;
    }
    out.resize(o - reinterpret_cast<char16_t*>(out.data()));
    return out;
}

QString firstUnencodable(const QString& text) {
    const Tables& t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || t.code[c]) continue;
        const qsizetype len = codePointLength(text, i);
        if (!QChar::isSurrogate(c) || codecEncodeOne(QStringView(text).mid(i, len)).isEmpty()) return text.mid(i, len);
        i += len - 1;
    }
    return {};
}

bool canEncode(const QString& text) { return firstUnencodable(text).isEmpty(); }

}  // namespace sjis

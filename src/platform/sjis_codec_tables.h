#pragma once
// The tables of code page 932 that sjis.cpp converts with, and how they are
// made from the platform codec. The build makes them once (tools/
// sjis_tables.cpp writes them out as source compiled into the program), so
// the program never builds them at its start; the tests compare the
// compiled tables with the codec's, entry by entry.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

namespace sjis {

struct CodeTables {
    char16_t kana[64];        // 0xA1..0xDF, the half-width katakana
    char16_t pair[256][256];  // [lead][trail]; 0 = no character
    quint16 code[65536];      // per UTF-16 unit from 0x80: one byte 0x00nn or lead << 8 | trail; 0 = none
};

// The tables compiled into the program.
const CodeTables& compiledTables();

inline constexpr const char* kCodecName = "windows-31j";

inline bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Characters that input methods outside Windows type in their JIS forms,
// stored under the codes Windows gives their code-page forms (which is what
// they read back as): 〜 ～, − －, ‖ ∥, — ―, ¢ ￠, £ ￡, ¬ ￢.
inline constexpr struct {
    char16_t ch;
    quint16 code;
} kJisForms[] = {{0x301C, 0x8160}, {0x2212, 0x817C}, {0x2016, 0x8161}, {0x2014, 0x815C},
                 {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA}};

// Fills `t` from the platform codec, so every entry is what the codec
// gives, with two corrections:
// - bytes below 0x80 are the characters of the same value both ways (the
//   codec swaps the control codes 0x1A, 0x1C and 0x7F);
// - the JIS forms above encode as their code-page forms.
inline void fillFromCodec(CodeTables& t) {
    std::memset(t.pair, 0, sizeof t.pair);
    std::memset(t.code, 0, sizeof t.code);
    for (int c = 0xA1; c <= 0xDF; ++c) t.kana[c - 0xA1] = char16_t(0xFF61 + (c - 0xA1));
    auto usable = [](QChar ch) { return ch != u'?' && ch != QChar(0xFFFD) && ch != QChar(0x1A) && !ch.isSurrogate(); };
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        // A whole row at once; a row that does not come out clean is done pair by pair.
        QByteArray row;
        for (int tr = 0x40; tr <= 0xFC; ++tr)
            if (tr != 0x7F) row.append(char(lead)).append(char(tr));
        QStringDecoder dec(kCodecName, QStringConverter::Flag::Stateless);
        const QString s = dec.decode(row);
        const bool clean = !dec.hasError() && s.size() == row.size() / 2 && std::all_of(s.begin(), s.end(), usable);
        int k = 0;
        for (int tr = 0x40; tr <= 0xFC; ++tr) {
            if (tr == 0x7F) continue;
            if (clean) {
                t.pair[lead][tr] = s[k].unicode();
            } else {
                QStringDecoder one(kCodecName, QStringConverter::Flag::Stateless);
                const QString c = one.decode(row.mid(2 * k, 2));
                if (!one.hasError() && c.size() == 1 && usable(c[0])) t.pair[lead][tr] = c[0].unicode();
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
    QStringEncoder enc(kCodecName, QStringConverter::Flag::Stateless);
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
        if (v >= 0x80 && v != 0xFCFC && (len == 1 || isLeadByte(b[0]))) t.code[c] = v;
    }
    for (const auto& f : kJisForms) t.code[f.ch] = f.code;
}

}  // namespace sjis

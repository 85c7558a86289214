#include "platform/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstring>

namespace sjis {
namespace {
constexpr const char* kCodec = "windows-31j";

// One code point (one or two UTF-16 units) encoded on its own; empty when the
// code page has no code for it. ICU substitutes 0xFCFC for unmappable
// characters, which is no valid code of the page.
QByteArray encodeOne(QStringView cp) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray b = enc.encode(cp);
    if (enc.hasError() || b.isEmpty() || b == QByteArray("\xFC\xFC", 2)) return {};
    return b;
}

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

QString codecDecodeByChar(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const int n = int(bytes.size());
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += QChar(c);
        } else if (c >= 0xA1 && c <= 0xDF) {
            out += QChar(0xFF61 + (c - 0xA1));
        } else if (isLead(c) && i + 1 < n && isTrail(static_cast<unsigned char>(bytes[i + 1]))) {
            QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
            QString s = dec.decode(bytes.mid(i, 2));
            if (dec.hasError() || s.size() != 1 || s[0] == QChar(0xFFFD) || s[0] == QChar(0x1A))
                out += QLatin1Char('?');
            else
                out += s;
            ++i;
        } else {
            out += QLatin1Char('?');
        }
    }
    return out;
}

// Encoding and decoding through the platform codec. The tables below are
// filled from these, and text the tables cannot take goes back to them, so
// every result is what the codec gives.
QByteArray codecEncode(QStringView text) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray fast = enc.encode(text);
    if (!enc.hasError() && !fast.contains(QByteArray("\xFC\xFC", 2))) return fast;
    // Some character has no code; replace it by "?".
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QByteArray b = encodeOne(text.mid(i, len));
        out += b.isEmpty() ? QByteArray("?") : b;
        i += len - 1;
    }
    return out;
}

QString codecDecode(const QByteArray& bytes) {
    QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
    QString s = dec.decode(bytes);
    if (!dec.hasError() && !s.contains(QChar(0xFFFD)) && !s.contains(QChar(0x1A))) return s;
    return codecDecodeByChar(bytes);
}

// Decoding tables, filled once from the codec one character (or one clean
// row) at a time, so each entry is what the codec gives. A byte sequence
// without a clean entry sends the whole text back to the codec, so odd files
// decode exactly as the codec reads them.
struct DecodeTables {
    char16_t single[256];     // 0 = not a clean one-byte character
    char16_t pair[256][256];  // [lead][trail], 0 = not a clean pair
    DecodeTables() {
        for (int c = 0; c < 256; ++c) {
            single[c] = 0;
            if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
                const QString s = codecDecode(QByteArray(1, char(c)));
                if (s.size() == 1 && s[0] != QChar(0x1A) && s[0] != QChar(0xFFFD) && (c == '?' || s[0] != u'?'))
                    single[c] = s[0].unicode();
            }
        }
        single[0] = 0;  // NUL is left to the codec
        std::memset(pair, 0, sizeof pair);
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0) continue;
            // A whole row at once; a row that does not come out clean is done pair by pair.
            QByteArray row;
            for (int t = 0x40; t <= 0xFC; ++t)
                if (t != 0x7F) row.append(char(lead)).append(char(t));
            const QString s = codecDecode(row);
            bool clean = s.size() == row.size() / 2;
            for (QChar ch : s)
                if (ch == u'?' || ch == QChar(0xFFFD) || ch == QChar(0x1A) || ch.isSurrogate()) clean = false;
            int k = 0;
            for (int t = 0x40; t <= 0xFC; ++t) {
                if (t == 0x7F) continue;
                if (clean) {
                    pair[lead][t] = s[k].unicode();
                } else {
                    const QString one = codecDecode(QByteArray(1, char(lead)) + char(t));
                    if (one.size() == 1 && one[0] != u'?' && one[0] != QChar(0xFFFD) && one[0] != QChar(0x1A) &&
                        !one[0].isSurrogate())
                        pair[lead][t] = one[0].unicode();
                }
                ++k;
            }
        }
    }
};

const DecodeTables& decodeTables() {
    static const DecodeTables* t = new DecodeTables;
    return *t;
}

// Encoding by table: every character that a clean byte sequence decodes to,
// with the bytes the codec gives for it (0 = ask the codec).
struct EncodeTable {
    quint16 code[65536];  // one byte as 0x00nn, two bytes as lead << 8 | trail
    EncodeTable() {
        std::memset(code, 0, sizeof code);
        const DecodeTables& d = decodeTables();
        QString all;
        for (int c = 1; c < 256; ++c)
            if (d.single[c]) all += QChar(d.single[c]);
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            for (int t = 0x40; t <= 0xFC; ++t)
                if (d.pair[lead][t]) all += QChar(d.pair[lead][t]);
        const QByteArray bytes = codecEncode(all);
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
        qsizetype i = 0;
        for (QChar ch : all) {
            if (i >= bytes.size()) return;
            const unsigned char c = b[i];
            const bool lead = isLead(c);
            quint16 v;
            if (lead) {
                if (i + 1 >= bytes.size()) return;
                v = quint16(c << 8 | b[i + 1]);
                i += 2;
            } else {
                v = c;
                ++i;
            }
            // Only sequences that decode back to the character are trusted.
            const bool back = lead ? d.pair[v >> 8][v & 0xFF] == ch.unicode() : d.single[v] == ch.unicode();
            if (back && !(v == '?' && ch != u'?')) code[ch.unicode()] = v;
        }
    }
};

const EncodeTable& encodeTable() {
    static const EncodeTable* t = new EncodeTable;
    return *t;
}
}  // namespace

void appendEncoded(QByteArray& out, QStringView text) {
    const EncodeTable& t = encodeTable();
    const qsizetype start = out.size();
    const qsizetype n = text.size();
    out.resize(start + n * 2);
    char* o = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        const quint16 v = t.code[c];
        if (v != 0) {
            if (v > 0xFF) *o++ = char(v >> 8);
            *o++ = char(v & 0xFF);
            continue;
        }
        // A character without a table entry: what the codec gives for it
        // alone ("?" when it has no code), a surrogate pair taken whole.
        const qsizetype len = (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QByteArray b = codecEncode(text.mid(i, len));
        i += len - 1;
        const qsizetype at = o - out.data();
        out.resize(out.size() + b.size());
        o = out.data() + at;
        std::memcpy(o, b.constData(), size_t(b.size()));
        o += b.size();
    }
    out.resize(o - out.data());
}

QByteArray encode(const QString& text) {
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

QString decode(const QByteArray& bytes) {
    const DecodeTables& t = decodeTables();
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = b[i];
        if (const char16_t s = t.single[c]) {
            *o++ = s;
        } else if (i + 1 < n && t.pair[c][b[i + 1]]) {
            *o++ = t.pair[c][b[i + 1]];
            ++i;
        } else {
            return codecDecode(bytes);
        }
    }
    out.resize(o - reinterpret_cast<char16_t*>(out.data()));
    return out;
}

QString firstUnencodable(const QString& text) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray fast = enc.encode(text);
    if (!enc.hasError() && !fast.contains(QByteArray("\xFC\xFC", 2))) return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        if (encodeOne(QStringView(text).mid(i, len)).isEmpty()) return text.mid(i, len);
        i += len - 1;
    }
    return {};
}

bool canEncode(const QString& text) { return firstUnencodable(text).isEmpty(); }

}  // namespace sjis

#include "platform/sjis.h"

#include "platform/sjis_codec_tables.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

namespace sjis {
namespace {
constexpr const char* kCodec = kCodecName;

bool isLead(unsigned char c) { return isLeadByte(c); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// One code point (one or two UTF-16 units) through the platform codec;
// empty when the code page has no code for it. ICU substitutes 0xFCFC for
// unmappable characters, which is no valid code of the page.
QByteArray codecEncodeOne(QStringView cp) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray b = enc.encode(cp);
    if (enc.hasError() || b.isEmpty() || b == QByteArray("\xFC\xFC", 2)) return {};
    return b;
}

// The tables, made by the build from the platform codec.
const CodeTables kTables =
#include "sjis_tables.inc"
    ;

const CodeTables& tables() { return kTables; }

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

const CodeTables& compiledTables() { return kTables; }

char* encodeInto(char* out, QStringView text) {
    const CodeTables& t = tables();
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
    const CodeTables& t = tables();
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
    const CodeTables& t = tables();
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

#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/files.h"

namespace reg {
namespace {

QString g_root;
bool g_failWrites = false;

struct Section {
    QString name;
    KeyValues keys;
};
using Sections = std::vector<Section>;

// Backslash escapes keep line breaks, the key separator and brackets out of
// the file's structure.
QString escape(const QString& s, const QString& specials) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == u'\\') out += QStringLiteral("\\\\");
        else if (c == u'\n') out += QStringLiteral("\\n");
        else if (c == u'\r') out += QStringLiteral("\\r");
        else if (specials.contains(c)) { out += u'\\'; out += c; }
        else out += c;
    }
    return out;
}

QString unescape(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size()) {
            QChar n = s[++i];
            if (n == u'n') out += u'\n';
            else if (n == u'r') out += u'\r';
            else out += n;
        } else {
            out += c;
        }
    }
    return out;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

Sections readFile(const QString& path) {
    Sections secs;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return secs;
    const QString text = QString::fromUtf8(f.readAll());
    Section* cur = nullptr;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[') && line.endsWith(u']') && !line.endsWith(u"\\]")) {
            secs.push_back({unescape(line.mid(1, line.size() - 2)), {}});
            cur = &secs.back();
            continue;
        }
        if (!cur) continue;
        qsizetype eq = -1;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == u'\\') { ++i; continue; }
            if (line[i] == u'=') { eq = i; break; }
        }
        if (eq < 0) continue;
        cur->keys.emplace_back(unescape(line.left(eq)), unescape(line.mid(eq + 1)));
    }
    return secs;
}

bool writeFile(const QString& path, const Sections& secs) {
    if (g_failWrites) return false;
    if (!QDir().mkpath(root())) return false;
    QString text;
    for (const Section& s : secs) {
        text += u'[' + escape(s.name, QStringLiteral("[]")) + QStringLiteral("]\n");
        for (const auto& [k, v] : s.keys) text += escape(k, QStringLiteral("=[")) + u'=' + escape(v, QString()) + u'\n';
        text += u'\n';
    }
    return files::writeAtomic(path, text.toUtf8());
}

Section* findSection(Sections& secs, const QString& name) {
    for (Section& s : secs)
        if (sameName(s.name, name)) return &s;
    return nullptr;
}

}  // namespace

void setRootForTests(const QString& path) { g_root = path; }
void failWritesForTests(bool fail) { g_failWrites = fail; }

QString root() {
    if (!g_root.isEmpty()) return g_root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zemlo2-registry");
}

QString fileOf(const QString& app) {
    // Upper case keeps one file per application whatever case the callers
    // use; characters that a file name cannot carry are written as %XX.
    QString name;
    for (QChar c : app.toUpper()) {
        const char16_t u = c.unicode();
        const bool plain = u >= 0x80 ? !c.isSpace() && u != 0xFF0F && u != 0xFF3C
                                     : (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == '-' || u == '_' || u == '.';
        if (plain) name += c;
        else name += QStringLiteral("%%1").arg(int(u), 2, 16, QChar(u'0')).toUpper();
    }
    if (name.isEmpty() || name.startsWith(u'.')) name.prepend(u'%');
    return root() + u'/' + name + QStringLiteral(".ini");
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def) {
    Sections secs = readFile(fileOf(app));
    if (Section* s = findSection(secs, section))
        for (const auto& [k, v] : s->keys)
            if (sameName(k, key)) return v;
    return def;
}

bool SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) {
    if (app.isEmpty() || section.isEmpty() || key.isEmpty()) return false;
    const QString path = fileOf(app);
    Sections secs = readFile(path);
    Section* s = findSection(secs, section);
    if (!s) {
        secs.push_back({section, {}});
        s = &secs.back();
    }
    bool found = false;
    for (auto& [k, v] : s->keys) {
        if (sameName(k, key)) {
            if (v == value) return !g_failWrites;
            v = value;
            found = true;
            break;
        }
    }
    if (!found) s->keys.emplace_back(key, value);
    return writeFile(path, secs);
}

bool DeleteSetting(const QString& app, const QString& section, const QString& key) {
    const QString path = fileOf(app);
    if (!QFile::exists(path)) return !g_failWrites;
    if (section.isEmpty()) {
        if (g_failWrites) return false;
        return QFile::remove(path);
    }
    Sections secs = readFile(path);
    bool changed = false;
    for (auto it = secs.begin(); it != secs.end(); ++it) {
        if (!sameName(it->name, section)) continue;
        if (key.isEmpty()) {
            secs.erase(it);
            changed = true;
        } else {
            for (auto k = it->keys.begin(); k != it->keys.end(); ++k) {
                if (sameName(k->first, key)) {
                    it->keys.erase(k);
                    changed = true;
                    break;
                }
            }
        }
        break;
    }
    if (!changed) return !g_failWrites;
    return writeFile(path, secs);
}

KeyValues GetAllSettings(const QString& app, const QString& section) {
    Sections secs = readFile(fileOf(app));
    if (Section* s = findSection(secs, section)) return s->keys;
    return {};
}

std::vector<QString> GetAllSections(const QString& app) {
    std::vector<QString> out;
    for (const Section& s : readFile(fileOf(app))) out.push_back(s.name);
    return out;
}

bool SectionExists(const QString& app, const QString& section) {
    Sections secs = readFile(fileOf(app));
    return findSection(secs, section) != nullptr;
}

}  // namespace reg

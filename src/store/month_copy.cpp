#include "store/month_copy.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/clock.h"
#include "platform/file_util.h"
#include "platform/text.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/plans_file.h"
#include "store/state.h"

namespace {

NAME_NARROW_SAVE_FN g_saveHook = nullptr;

QString monthFolder(int year, int month) {
    return QDir(DATA_DIR).filePath(QString::number(year) + QLatin1Char('_') + QString::number(month));
}

// Deletes the files of a month folder and removes it; a folder that still
// holds anything (a subfolder) stays.
void removeMonthFolder(const QString& path) {
    QDir dir(path);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& f : files) dir.remove(f);
    QDir().rmdir(path);
}

void copyInto(const QString& folder, const QString& name, const QString& target) {
    if (folder.isEmpty() || !fileutil::fileExists(folder, name)) return;
    const QString from = fileutil::locate(folder, name);
    fileutil::copyKeepTime(from, QDir(target).filePath(QFileInfo(from).fileName()));
}

// The category name narrowed only when the narrowed text is a category name.
bool narrowCategory(QString& kubun) {
    const QString n = text::toHalfWidth(kubun);
    if (n == kubun) return false;
    if (std::find(KUBUN_NAMES.begin(), KUBUN_NAMES.end(), n) == KUBUN_NAMES.end()) return false;
    kubun = n;
    return true;
}

template <class Rec>
bool narrowNames(Rec& r) {
    r.KYOUKA = text::toHalfWidth(r.KYOUKA);
    r.BUNRUI = text::toHalfWidth(r.BUNRUI);
    r.NAME_D = text::toHalfWidth(r.NAME_D);
    return narrowCategory(r.KUBUN);
}

}  // namespace

void NAME_NARROW_SAVE_HOOK_SET(NAME_NARROW_SAVE_FN fn) { g_saveHook = fn; }

void DATA_BACKUP_MONTH() {
    const QDate today = clk::today();
    int y = today.year();
    int m = today.month();
    int found = 0;
    for (int step = 0; step < 21; ++step) {
        if (--m == 0) {
            m = 12;
            --y;
        }
        const QString path = monthFolder(y, m);
        if (QFileInfo(path).isDir()) {
            ++found;
            if (found > 5) removeMonthFolder(path);
        }
    }

    const QString current = monthFolder(today.year(), today.month());
    if (QFileInfo(current).exists()) return;  // this month's copy was made already
    if (!QDir().mkdir(current)) return;
    static const char* const dataFiles[] = {"KUBUN.ZMD", "SKUBUN.ZMD", "ZEMLO.ZMD", "L_ZEMLO.ZMD",
                                            "P_ZEMLO.ZMD", "ETC.ZMD", "BASE.ZMD"};
    for (const char* f : dataFiles) copyInto(DATA_DIR, QString::fromLatin1(f), current);
    copyInto(PRG_DIR, QStringLiteral("ZEMLO2.SEW"), current);
    copyInto(PRG_DIR, QStringLiteral("ZEMLO2.SIN"), current);
}

void NAME_NARROW_ALL() {
    if (g_saveHook) g_saveHook();

    if (KUBUN_READ(0) == 1) {
        int firstMoved = -1;
        for (int k = 0; k < KUBUN_COUNT && k < int(KUBUN_DATA.size()); ++k) {
            KUBUN_REC& e = KUBUN_DATA[k];
            if (narrowNames(e)) {
                const qint16 idx = KUBUN_IDX_OF(e.KUBUN);
                if (idx != e.KUBUN_IDX && firstMoved < 0) firstMoved = k;
                e.KUBUN_IDX = idx;
            }
        }
        if (firstMoved >= 0) {
            // An entry changed its category: put it in its place again.
            KUBUN_SORTED = std::min(KUBUN_SORTED, qint32(firstMoved));
            KUBUN_FLAGS &= ~1;
            KUBUN_SORT();  // also rebuilds the subject index and writes the file
        } else {
            KYOUKA_INDEX_MAKE();
            KUBUN_SAVE();
        }
    }

    if (ZEMLO_READ() == 1) {
        for (int k = 0; k < ZEMLO_COUNT && k < int(ZEMLO_DATA.size()); ++k) {
            ZEMLO_REC& r = ZEMLO_DATA[k];
            if (narrowNames(r)) r.KUBUN_IDX = KUBUN_IDX_OF(r.KUBUN);
        }
        ZEMLO_SAVE();
    }

    if (P_ZEMLO_READ() == 1) {
        for (int k = 0; k < P_ZEMLO_COUNT && k < int(P_ZEMLO_DATA.size()); ++k) {
            P_ZEMLO_REC& p = P_ZEMLO_DATA[k];
            if (narrowNames(p)) p.KUBUN_IDX = KUBUN_IDX_OF(p.KUBUN);
        }
        P_ZEMLO_SAVE();
    }
}

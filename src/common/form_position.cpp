#include "common/form_position.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "platform/forms.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "store/state.h"

namespace {
const QString kSection = QStringLiteral("Position");
const QString kFolders = QStringLiteral("Folders");
}

std::optional<int> positionValue(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    double v = 0;
    static const QRegularExpression hex(QStringLiteral("^&[Hh]([0-9A-Fa-f]{1,4})$"));
    static const QRegularExpression oct(QStringLiteral("^&[Oo]([0-7]{1,6})$"));
    static const QRegularExpression dec(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (auto m = hex.match(t); m.hasMatch()) {
        v = qint16(m.captured(1).toUShort(nullptr, 16));  // &HFFFF is -1, as a 16-bit literal
    } else if (auto m2 = oct.match(t); m2.hasMatch()) {
        const uint u = m2.captured(1).toUInt(nullptr, 8);
        if (u > 0xFFFF) return std::nullopt;
        v = qint16(quint16(u));
    } else if (dec.match(t).hasMatch()) {
        bool ok = false;
        v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v)) return std::nullopt;
    } else {
        return std::nullopt;
    }
    const qint64 r = text::roundHalfEven(v);
    if (std::fabs(v) > 1e12 || r < -32768 || r > 32767) return std::nullopt;
    return int(r);
}

bool FORM_POS_SAVE(platform::Form* w) {
    if (!w) return false;
    const bool a = reg::SaveSetting(REG_APP, kSection, w->Name() + QStringLiteral(" Left"), QString::number(w->Left()));
    const bool b = reg::SaveSetting(REG_APP, kSection, w->Name() + QStringLiteral(" Top"), QString::number(w->Top()));
    return a && b;
}

void FORM_POS_READ(platform::Form* w) {
    if (!w) return;
    const auto l = positionValue(reg::GetSetting(REG_APP, kSection, w->Name() + QStringLiteral(" Left"), QStringLiteral("0")));
    const auto t = positionValue(reg::GetSetting(REG_APP, kSection, w->Name() + QStringLiteral(" Top"), QStringLiteral("0")));
    if (!l || !t) {
        w->setLeft(0);
        w->setTop(0);
        return;
    }
    int L = *l, T = *t;
    if (L > platform::screenWidthTwips() - 1000) L = 0;
    if (T > platform::screenHeightTwips() - 1000) T = 0;
    if (L < 0) w->setLeft(0);
    if (T < 0) w->setTop(0);
    if (L > 0) w->setLeft(L);
    if (T > 0) w->setTop(T);
}

QString FILE_DIALOG_FOLDER(const QString& purpose) {
    const QString kept = reg::GetSetting(REG_APP, kFolders, purpose);
    if (!kept.isEmpty() && QFileInfo(kept).isDir()) return QDir::cleanPath(kept);
    if (!DATA_DIR.isEmpty() && QFileInfo(DATA_DIR).isDir()) return QDir::cleanPath(DATA_DIR);
    return QDir::cleanPath(PRG_DIR);
}

void FILE_DIALOG_KEEP(const QString& purpose, const QString& chosen, bool isFolder) {
    if (chosen.isEmpty()) return;
    const QString folder = isFolder ? chosen : QFileInfo(chosen).absolutePath();
    reg::SaveSetting(REG_APP, kFolders, purpose, QDir::cleanPath(folder));
}

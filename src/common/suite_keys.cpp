#include "common/suite_keys.h"

#include <QStringList>
#include <cmath>
#include <limits>

#include "platform/clock.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "store/state.h"

const std::array<QString, SUITE_APP_COUNT> SUITE_APPS = {
    QStringLiteral("SEIKA2"), QStringLiteral("KYUSHOKU"), QStringLiteral("SHUSSEKI"), QStringLiteral("NENKEI"),
    QStringLiteral("TOSHO2"), ZEMLO2_APP,                 QStringLiteral("ZEMLO"),    QStringLiteral("KENKO2"),
    QStringLiteral("SHIKEN"), QStringLiteral("JIDOU2"),   QStringLiteral("KOTEI2"),   QStringLiteral("HOKEN2"),
    VELMOR_APP,               QStringLiteral("NUMIKA"),
};

QString SUITE_APP(int i) {
    const QString& name = SUITE_APPS.at(i);
    return (DRIVE_MODE == 1 && i < 12) ? PORTABLE_PREFIX + name : name;
}

QString REG_DATE_TEXT(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM/dd")); }

QDate REG_DATE_PARSE(const QString& s) {
    const QStringList parts = s.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3) return {};
    bool ok1 = false, ok2 = false, ok3 = false;
    const int y = parts[0].toInt(&ok1), m = parts[1].toInt(&ok2), d = parts[2].toInt(&ok3);
    if (!ok1 || !ok2 || !ok3) return {};
    return QDate(y, m, d);  // invalid when out of range
}

std::optional<qint64> REG_NUMBER(const QString& s) {
    const QString t = s.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > 9.0e15) return std::nullopt;
    return text::roundHalfEven(v);
}

namespace {
// A stored number that fits the range; nullopt when missing, not a number or
// out of range.
std::optional<qint64> numberIn(const QString& s, qint64 lo, qint64 hi) {
    auto n = REG_NUMBER(s);
    if (!n || *n < lo || *n > hi) return std::nullopt;
    return n;
}
QString get(const QString& app, const QString& sec, const QString& key) { return reg::GetSetting(app, sec, key, QString()); }
}  // namespace

void SCHOOL_SET_READ() {
    if (REG_APP.isEmpty()) return;
    SCHOOL_NAME = get(REG_APP, QStringLiteral("SCHOOL"), QStringLiteral("SC_NAME"));
    {
        const QString code = get(REG_APP, QStringLiteral("SCHOOL"), QStringLiteral("SC_CODE"));
        if (code.trimmed().isEmpty())
            SCHOOL_CODE = 0;
        else if (auto n = numberIn(code, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
            SCHOOL_CODE = qint32(*n);
    }
    if (!SCHOOL_NAME.isEmpty()) return;

    for (int i = 0; i < SUITE_APP_COUNT; ++i) {
        const QString app = SUITE_APP(i);
        if (app == REG_APP) continue;
        SCHOOL_NAME = get(app, QStringLiteral("SCHOOL"), QStringLiteral("SC_NAME"));
        const QString code = get(app, QStringLiteral("SCHOOL"), QStringLiteral("SC_CODE"));
        if (code.trimmed().isEmpty())
            SCHOOL_CODE = 0;
        else if (auto n = numberIn(code, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
            SCHOOL_CODE = qint32(*n);
        if (!SCHOOL_NAME.isEmpty()) break;
    }

    const QString major = get(REG_APP, QStringLiteral("Version"), QStringLiteral("Major"));
    const auto m = major.trimmed().isEmpty() ? std::optional<qint64>(0) : REG_NUMBER(major);
    if (!m || *m != program::kMajor) reg::SaveSetting(REG_APP, QStringLiteral("TIME"), QStringLiteral("ST_F"), QStringLiteral("0"));
}

void SCHOOL_SET_SAVE() {
    const QString sc = QStringLiteral("SCHOOL");
    reg::SaveSetting(REG_APP, sc, QStringLiteral("DIR_ME"), PRG_DIR);
    reg::SaveSetting(REG_APP, sc, QStringLiteral("SC_NAME"), SCHOOL_NAME);
    reg::SaveSetting(REG_APP, sc, QStringLiteral("SC_CODE"), QString::number(SCHOOL_CODE));
    const QString today = REG_DATE_TEXT(clk::today());
    if (get(REG_APP, sc, QStringLiteral("INST_DAY")).isEmpty()) reg::SaveSetting(REG_APP, sc, QStringLiteral("INST_DAY"), today);
    {
        const QString major = get(REG_APP, QStringLiteral("Version"), QStringLiteral("Major"));
        const auto m = major.trimmed().isEmpty() ? std::optional<qint64>(0) : REG_NUMBER(major);
        if (m && *m < program::kMajor) reg::SaveSetting(REG_APP, sc, QStringLiteral("INST_DAY"), today);
    }
    reg::SaveSetting(REG_APP, QStringLiteral("Version"), QStringLiteral("Major"), QString::number(program::kMajor));
    reg::SaveSetting(REG_APP, QStringLiteral("Version"), QStringLiteral("Minor"), QString::number(program::kMinor));
    reg::SaveSetting(REG_APP, QStringLiteral("Version"), QStringLiteral("Revision"), QString::number(program::kRevision));
    reg::SaveSetting(REG_APP, sc, QStringLiteral("SET_S_DIR"), SET_S_DIR);
    reg::SaveSetting(REG_APP, sc, QStringLiteral("SET_D_DIR"), SET_D_DIR);
}

void LAST_DAY_SAVE() {
    const QDate today = clk::today();
    const QString stored = get(REG_APP, QStringLiteral("TIME"), QStringLiteral("LAST"));
    if (!stored.isEmpty()) {
        const QDate last = REG_DATE_PARSE(stored);
        if (last.isValid() && last >= today) return;  // today, or a later date (clock set back): it stays
    }
    reg::SaveSetting(REG_APP, QStringLiteral("TIME"), QStringLiteral("LAST"), REG_DATE_TEXT(today));
}

void NOTICE_FLAG_SAVE() {
    reg::SaveSetting(REG_APP, QStringLiteral("TIME"), QStringLiteral("ST_F"), QString::number(NOTICE_OFF));
}

void NOTICE_FLAG_CHECK() {
    // Values this program did not write (a damaged store, a foreign import)
    // read as missing.
    NOTICE_OFF = qint16(numberIn(get(REG_APP, QStringLiteral("TIME"), QStringLiteral("ST_F")), -32768, 32767).value_or(0));
    if (NOTICE_OFF == 1) {
        const qint64 major = REG_NUMBER(get(REG_APP, QStringLiteral("Version"), QStringLiteral("Major"))).value_or(0);
        if (major <= program::kMajor) return;
        const QDate last = REG_DATE_PARSE(get(REG_APP, QStringLiteral("TIME"), QStringLiteral("LAST")));
        if (last.isValid()) {
            const QDate today = clk::today();
            const bool lastInAprDec = last.month() >= 4;
            if (today.month() >= 4) {
                if (lastInAprDec && last.year() == today.year()) return;
            } else {
                if (lastInAprDec && last.year() == today.year() - 1) return;
            }
        }
    }
    NOTICE_OFF = 0;
    NOTICE_FLAG_SAVE();
}

void REG_DATA_DEL() {
    if (ui::MsgBox(QStringLiteral("レジストリデータを削除します。"), ui::vbYesNo, ui::kTitle) != ui::vbYes) return;
    reg::DeleteSetting(REG_APP, QStringLiteral("SCHOOL"));
    reg::DeleteSetting(REG_APP, QStringLiteral("Version"));
    reg::DeleteSetting(REG_APP, QStringLiteral("TIME"));
}

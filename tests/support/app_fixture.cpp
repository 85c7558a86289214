#include "support/app_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/settings_store.h"
#include "platform/sjis.h"
#include "store/state.h"
#include "support/gui.h"

namespace {
// Where the settings store points between fixtures, so that no test ever
// writes the user's real settings.
QString quietRegistryRoot() {
    static QTemporaryDir dir;
    return dir.path();
}
}  // namespace

QDateTime AppFixture::fixedNow() { return QDateTime(QDate(2024, 6, 15), QTime(10, 0, 0)); }

AppFixture::AppFixture() {}

void AppFixture::SetUp() {
    ASSERT_TRUE(prgDir_.isValid());
    ASSERT_TRUE(dataDir_.isValid());
    ASSERT_TRUE(regDir_.isValid());
    STATE_RESET();
    PRG_DIR = prgDir_.path();
    WORK_DIR = PRG_DIR;
    DATA_DIR = dataDir_.path();
    reg::setRootForTests(regDir_.path());
    reg::failWritesForTests(false);
    files::failWritesForTests(QString());
    files::failStepForTests(files::Step::None);
    clk::setFixed(fixedNow());
    ui::g_lastPercent = 0;
    platform::setScreenSizeForTests(0, 0);
    prn::useQtPrinter();
    prn::setTarget({});
    prn::setPdfQuestion({});
    prn::setSystemPrintersForTests(std::nullopt);
}

void AppFixture::TearDown() {
    if (int n = gui::cancelPending()) ADD_FAILURE() << n << " awaited window(s) never showed";
    platform::Form::destroyAllForTests();
    platform::Form::setMainFrame(nullptr, nullptr);
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    prn::useQtPrinter();
    prn::setTarget({});
    prn::setPdfQuestion({});
    prn::setSystemPrintersForTests(std::nullopt);
    clk::setFixed(QDateTime());
    reg::setRootForTests(quietRegistryRoot());
    reg::failWritesForTests(false);
    files::failWritesForTests(QString());
    files::failStepForTests(files::Step::None);
    platform::setScreenSizeForTests(0, 0);
}

QString AppFixture::prgPath(const QString& name) const { return prgDir_.filePath(name); }
QString AppFixture::dataPath(const QString& name) const { return dataDir_.filePath(name); }

void AppFixture::writeSjisLines(const QString& path, const QStringList& lines) {
    QString text;
    for (const QString& l : lines) text += l + QStringLiteral("\r\n");
    writeBytes(path, sjis::encode(text));
}

QStringList AppFixture::readSjisLines(const QString& path) {
    QString text = sjis::decode(readBytes(path));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray AppFixture::readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return f.readAll();
}

void AppFixture::writeBytes(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return;
    }
    f.write(data);
}

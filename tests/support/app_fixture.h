#pragma once
// The fixture of every test that touches files, settings or windows: a fresh
// program folder, data folder and settings-store folder, the program state
// reset, the clock fixed, and the message script installed.
#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/msg_script.h"

class AppFixture : public ::testing::Test {
public:
    // The fixed "now" of every test: 15 June 2024, 10:00.
    static QDateTime fixedNow();

protected:
    AppFixture();
    void SetUp() override;
    void TearDown() override;

    // Paths in the program folder (PRG_DIR = WORK_DIR) and the data folder (DATA_DIR).
    QString prgPath(const QString& name) const;
    QString dataPath(const QString& name) const;
    // The settings-store folder of this test.
    QString regRoot() const { return regDir_.path(); }

    // Writes lines as Shift-JIS text with CRLF after every line (the
    // register's file form); creates missing folders.
    static void writeSjisLines(const QString& path, const QStringList& lines);
    // Reads a Shift-JIS file back as lines (CRLF or LF; a final line end
    // gives no empty last line).
    static QStringList readSjisLines(const QString& path);
    static QByteArray readBytes(const QString& path);
    static void writeBytes(const QString& path, const QByteArray& data);

    QTemporaryDir prgDir_, dataDir_, regDir_;
    MsgScript msg;
};

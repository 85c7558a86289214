#pragma once
// The fixture of the shell's tests: AppFixture plus the platform answers the
// start-up asks for (program folder, drive type, command line, lock folder,
// suite folders, network), each reset after the test.
#include <QDir>
#include <QTemporaryDir>

#include "platform/drives.h"
#include "platform/help.h"
#include "platform/program_info.h"
#include "platform/shortcut.h"
#include "platform/single_instance.h"
#include "shell/form_switch.h"
#include "common/start_guard.h"
#include "support/app_fixture.h"

class ShellFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(lockDir_.isValid());
        ASSERT_TRUE(homeDir_.isValid());
        program::setFolderForTests(prgDir_.path());
        program::setCommandLineForTests(&noArgs_);
        drives::setRemovableForTests(false);
        drives::setMountPointForTests(QString());
        instance::setLockFolderForTests(lockDir_.path());
        shortcut::setSuiteParentsForTests(QStringList{homeDir_.filePath(QStringLiteral("Desktop")),
                                                      homeDir_.filePath(QStringLiteral("applications"))});
        shortcut::setOnlineForTests(false);
        static const QStringList none;
        help::setSharedFoldersForTests(&none);
        RESET_PROGRAM_ENDED_FOR_TESTS();
        ended_ = 0;
        SET_END_HOOK_FOR_TESTS([this](int) { ++ended_; });
    }
    void TearDown() override {
        AppFixture::TearDown();
        instance::release();
        program::setFolderForTests(QString());
        program::setCommandLineForTests(nullptr);
        drives::setRemovableForTests(std::nullopt);
        drives::setMountPointForTests(QString());
        instance::setLockFolderForTests(QString());
        shortcut::setSuiteParentsForTests(std::nullopt);
        shortcut::setOnlineForTests(std::nullopt);
        help::setSharedFoldersForTests(nullptr);
        help::setOpenerForTests({});
        SET_END_HOOK_FOR_TESTS({});
        RESET_PROGRAM_ENDED_FOR_TESTS();
        for (qint16 k : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 21, 22, 23, 24, 25}) FORM_WINDOW_SET_FOR_TESTS(k, {});
        for (MENU_DIALOG d : {MENU_DIALOG::USER_SET, MENU_DIALOG::ETC_SET, MENU_DIALOG::LABEL_SET, MENU_DIALOG::PASS_SET,
                              MENU_DIALOG::VER_FORM, MENU_DIALOG::START_F, MENU_DIALOG::BACKUP_DATA, MENU_DIALOG::F1_2})
            MENU_DIALOG_SET_FOR_TESTS(d, {});
        MAIN_TITLE_SET(QString());
    }
    void setCommandLine(const QString& c) {
        cmd_ = c;
        program::setCommandLineForTests(&cmd_);
    }
    QString home(const QString& rel) const { return homeDir_.filePath(rel); }

    QTemporaryDir lockDir_, homeDir_;
    QString noArgs_, cmd_;
    int ended_ = 0;
};

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/forms.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own settings (the file dialogs keep their columns and folders
    // there) go to a folder of this run: no run reads what another left.
    QTemporaryDir config;
    if (config.isValid()) qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    // The windows ask for the fonts the program maps at its start.
    platform::setupFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

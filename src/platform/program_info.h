// What the program knows about itself: title, version numbers, its folder,
// its command line and the screen it runs on. Tests set the folder and the
// command line.
#pragma once
#include <QSize>
#include <QString>

namespace program {

// The product title that captions and messages carry.
inline const QString kTitle = QStringLiteral("ゼムロ２");

// This release's version numbers.
inline constexpr int kMajor = 230;
inline constexpr int kMinor = 19;
inline constexpr int kRevision = 1030;

// The program folder (the folder of the executable), without a trailing slash.
QString folder();
// The command line after the program name, arguments joined by one blank.
QString commandLine();
// The primary screen's size in twips (15 twips a pixel); 0 x 0 without a screen.
QSize screenTwips();

// Test seams (empty / null restores the real answer).
void setFolderForTests(const QString& folder);
void setCommandLineForTests(const QString* commandLine);

}  // namespace program

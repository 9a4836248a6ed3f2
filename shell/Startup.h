#pragma once

class QApplication;

namespace shell {

// Makes every window known by its name.
void registerWindows();
// Installs Qt's own Chinese texts; false when the translation is not on this system.
bool installChineseQtTexts(QApplication& app);
// Sets up the application object the editor runs in (style, fonts, names).
void prepareApplication(QApplication& app);
// Starts the editor with its splash window and runs it to its end.
int runEditor(QApplication& app);

} // namespace shell

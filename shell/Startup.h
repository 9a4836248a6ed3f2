#pragma once

class QApplication;

namespace shell {

// Makes every window known by its name.
void registerWindows();
// Sets up the application object the editor runs in (style, fonts, names).
void prepareApplication(QApplication& app);
// Starts the editor with its splash window and runs it to its end.
int runEditor(QApplication& app);

} // namespace shell

#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace bench {

// Runs then once the window has been painted for the first time, after the event that painted
// it, so the window is on the screen as a user would see it.
void whenShown(QWidget& window, std::function<void()> then);

// Ends a start-up probe at once: prints the line for the benchmark that started it and exits
// without tearing anything down, which is no part of starting up.
[[noreturn]] void report(const char* line);

// The peak resident memory of this process so far, in kilobytes.
long peakResidentKb();

} // namespace bench

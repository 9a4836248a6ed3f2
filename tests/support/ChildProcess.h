#pragma once

#include <QByteArray>
#include <functional>
#include <sys/resource.h>

namespace testsupport {

// How a child process ended and what it handed back.
struct ChildEnd {
    bool exited = false; // ended by itself, not by a signal
    int signal = 0;      // the signal that ended it otherwise
    QByteArray output;
};

// Runs work in a forked child, so that what it changes in its process (a limit, a filter of
// system calls, the process's end) stays there. Work returns what the test looks at; it must
// not use the test's assertions, which the child could not report.
ChildEnd runInChild(const std::function<QByteArray()>& work);

// Lowers the size a file of this process may grow to, with the limit's signal at its default
// action, which ends a program that does not see to it itself.
void limitFileSize(rlim_t bytes);

} // namespace testsupport

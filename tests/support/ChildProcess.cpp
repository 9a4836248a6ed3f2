#include "tests/support/ChildProcess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

ChildEnd runInChild(const std::function<QByteArray()>& work) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        const QByteArray output = work();
        qsizetype done = 0;
        while (done < output.size()) {
            const ssize_t written = ::write(pipeEnds[1], output.constData() + done,
                                            static_cast<size_t>(output.size() - done));
            if (written <= 0) {
                break;
            }
            done += written;
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    ChildEnd end;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        end.output.append(buffer, got);
    }
    ::close(pipeEnds[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child) {
        end.exited = WIFEXITED(status);
        end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return end;
}

void limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace testsupport

// End requests through a self-pipe: the signal handler only writes one byte, and a socket notifier
// on the pipe's other end runs the keepers on the user-interface thread, where any work is safe.
#include "platform/ui/EndRequests.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <utility>

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int kEndedAsAsked = 0;

int g_pipe[2] = {-1, -1}; // read end, write end; the signal handler sees only the write end

std::list<EndRequestKeeper>& Keepers() {
    static std::list<EndRequestKeeper> keepers;
    return keepers;
}

extern "C" void OnEndSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request that has not been served: this one may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void KeepAndEnd() {
    for (auto keeper = Keepers().rbegin(); keeper != Keepers().rend(); ++keeper) {
        (*keeper)();
    }
    // Every modal screen would otherwise go on after its loop ends and could still ask something.
    std::fflush(nullptr);
    std::_Exit(kEndedAsAsked);
}

} // namespace

void CatchEndRequests() {
    if (g_pipe[0] >= 0) {
        return;
    }
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("corvina: end requests cannot be caught");
        return;
    }
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { KeepAndEnd(); });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

ScopedEndRequestKeeper::ScopedEndRequestKeeper(EndRequestKeeper keeper)
    : m_keeper(&Keepers().emplace_back(std::move(keeper))) {}

ScopedEndRequestKeeper::~ScopedEndRequestKeeper() {
    Keepers().remove_if([this](const EndRequestKeeper& keeper) { return &keeper == m_keeper; });
}

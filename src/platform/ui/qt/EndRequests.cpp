// End requests through a self-pipe: the signal handler only writes one byte, and a socket notifier
// on the pipe's other end runs the keepers on the user-interface thread, where any work is safe. The
// desktop session's end comes as Qt's own requests, already on that thread.
#include "platform/ui/EndRequests.h"

#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
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
    KeepUnsavedNow();
    // Every modal screen would otherwise go on after its loop ends and could still ask something.
    std::fflush(nullptr);
    std::_Exit(kEndedAsAsked);
}

/// The session manager ends the program with a quit request. Left to Qt, it would close the window,
/// a cancel request that asks about unsaved changes, and end the modal screens' loops under them; with
/// a screen open that keeps something, it is an end request like the signals.
class SessionQuitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && !Keepers().empty()) {
            KeepAndEnd();
        }
        return QObject::eventFilter(watched, event);
    }
};

void CatchSessionEnd() {
    QCoreApplication* application = QCoreApplication::instance();
    // The session is about to end and asks for what must be kept, which may yet be called off: the
    // copies are written, nothing is asked, and the program goes on until it is told to end.
    if (auto* gui = qobject_cast<QGuiApplication*>(application)) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest,
                         [](QSessionManager&) { KeepUnsavedNow(); });
    }
    QObject::connect(application, &QCoreApplication::aboutToQuit, [] {
        if (!Keepers().empty()) {
            KeepAndEnd();
        }
    });
    application->installEventFilter(new SessionQuitFilter(application));
}

void CatchEndSignals() {
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

} // namespace

void KeepUnsavedNow() {
    for (auto keeper = Keepers().rbegin(); keeper != Keepers().rend(); ++keeper) {
        (*keeper)();
    }
}

void CatchEndRequests() {
    static bool caught = false;
    if (caught) {
        return;
    }
    caught = true;
    CatchSessionEnd();
    CatchEndSignals();
}

ScopedEndRequestKeeper::ScopedEndRequestKeeper(EndRequestKeeper keeper)
    : m_keeper(&Keepers().emplace_back(std::move(keeper))) {}

ScopedEndRequestKeeper::~ScopedEndRequestKeeper() {
    Keepers().remove_if([this](const EndRequestKeeper& keeper) { return &keeper == m_keeper; });
}

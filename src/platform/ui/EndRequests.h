// The system asks the program to end (SIGTERM, SIGHUP, SIGINT: a shutdown, a closed terminal, a
// Ctrl+C; or the desktop session ends): what must not be lost is kept first, then the program ends
// with status 0, asking nothing.
#pragma once

#include <functional>

/// Keeps what must survive the end; runs on the user-interface thread, never in a signal handler.
using EndRequestKeeper = std::function<void()>;

/// Catches the end requests from now on: the three signals, and the desktop session's requests to
/// keep the data (the keepers run, the program goes on) and to quit (the keepers run, the program
/// ends). Needs the application object; calling it again does nothing.
void CatchEndRequests();

/// Runs the keepers now, newest first, and goes on: what the session's request to keep the data does.
void KeepUnsavedNow();

/// Runs `keeper` at an end request while this object lives. Keepers run newest first.
class ScopedEndRequestKeeper {
public:
    explicit ScopedEndRequestKeeper(EndRequestKeeper keeper);
    ~ScopedEndRequestKeeper();
    ScopedEndRequestKeeper(const ScopedEndRequestKeeper&) = delete;
    ScopedEndRequestKeeper& operator=(const ScopedEndRequestKeeper&) = delete;

private:
    EndRequestKeeper* m_keeper;
};

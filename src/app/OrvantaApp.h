#pragma once
// The application object: starts the sockets, runs the host until Exit.

namespace orv {

class COrvantaApp {
public:
    // Runs the whole program; the result is the process exit code.
    int InitInstance();
};

// Whether the system lets the program open a datagram socket (the platform's
// "sockets started"). Tests can force a failure.
bool SocketsAvailable();
void ForceSocketsUnavailable(bool on);

} // namespace orv

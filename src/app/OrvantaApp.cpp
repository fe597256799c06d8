#include "app/OrvantaApp.h"

#include <sys/socket.h>
#include <unistd.h>

#include <memory>

#include "app/OrvantaDlg.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

namespace {
bool g_forceNoSockets = false;
}

void ForceSocketsUnavailable(bool on)
{
    g_forceNoSockets = on;
}

bool SocketsAvailable()
{
    if (g_forceNoSockets)
        return false;
    const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0)
        return false;
    ::close(s);
    return true;
}

int COrvantaApp::InitInstance()
{
    if (!SocketsAvailable()) {
        AfxMessageBox(res::LoadString(res::kIdsSocketsFailed), MB_OK);
        return 1;
    }
    // The host is large (the engine's buffers): it lives on the heap for the
    // whole run and dies, with the engine and settings, when the run ends.
    auto host = std::make_unique<COrvantaDlg>();
    host->DoModal();
    return 0;
}

} // namespace orv

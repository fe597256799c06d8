#pragma once
// Services the pages take from the system: clipboard, opening a web address,
// sleeping on the user-interface thread, the wait cursor, the program folder,
// the program version and the screen size. Tests replace the side effects
// with a ShellHook.
#include <QRect>
#include <QSize>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace orv {

void SetClipboardText(const std::u16string& text);
std::u16string ClipboardText();

// Opens `url` with the default browser; false when nothing could open it.
bool OpenUrl(const std::u16string& url);

// Blocks the calling thread (a camera step's worker waiting as the camera
// asks).
void SleepMs(int ms);
// SleepMs that ends early once `stop` holds (looked at every 50 ms).
void SleepMsUntil(int ms, const std::function<bool()>& stop);
// Waits `ms` on the user-interface thread while it keeps running: windows
// repaint and answer the desktop; what may run meanwhile is the caller's
// business (see PausePage).
void WaitMs(int ms);

// Wait cursor over the whole program. Showing it twice needs one hide; the
// RAII form restores what was shown before.
void ShowWaitCursor(bool on);
bool WaitCursorShown();
class CWaitCursor {
public:
    CWaitCursor() : m_previous(WaitCursorShown()) { ShowWaitCursor(true); }
    ~CWaitCursor() { ShowWaitCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool m_previous;
};

// The program's data folder, in the file system's encoding, with a trailing
// '/': beside the executable, else the installed ../share/orvanta
// (platform/core/DataFolder.h).
std::string ProgramFolder();
// Replaces the program folder (tests and the skin renderer point it at a
// skin elsewhere); an empty text restores the real one.
void OverrideProgramFolder(const std::string& folder);
// The program folder without its trailing '/' into `buf` (capacity `cap`
// bytes incl. terminator). A folder that does not fit gives "" and false,
// never a cut path.
bool GetModuleDirA(char* buf, std::size_t cap);

struct ProgramVersionInfo {
    int major = 0, minor = 0, patch = 0, build = 0;
};
ProgramVersionInfo ProgramVersion();

// Size of the primary screen, or the size tests set.
QSize ScreenSize();
void OverrideScreenSize(QSize size); // an invalid size restores the real one
// Where a first window is centred: the available area (without panels) of
// the screen that holds the mouse pointer, else of the primary screen. With
// a size set by OverrideScreenSize: that size at (0, 0); with an area set by
// OverrideScreenArea: that area.
QRect ScreenArea();
void OverrideScreenArea(QRect area); // an invalid area restores the real one

// Records what would leave the program and skips the real effect while in
// scope.
class ShellHook {
public:
    ShellHook();
    ~ShellHook();
    ShellHook(const ShellHook&) = delete;
    ShellHook& operator=(const ShellHook&) = delete;

    std::vector<std::u16string> urls;
    std::vector<int> sleeps;

private:
    ShellHook* m_previous;
};

} // namespace orv

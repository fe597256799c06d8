#pragma once
// A camera conversation the page waits for, run so the program stays alive:
// the step runs on a worker thread while the user-interface thread keeps
// painting and answering the desktop. The page is busy meanwhile (its input
// held back, its timers skipped, its navigation left for later), so when
// RunCameraStep returns the page carries on exactly where a blocking call
// would have returned.
//
// After kOverlayDelayMs of waiting a small overlay on the page says that the
// program waits for the camera and offers Cancel (also Escape). Cancel calls
// the step's cancel function once; the step is expected to end soon after as
// if the camera had not answered.
#include <QString>

#include <functional>

namespace orv {

class CPageWindow;

struct CameraStepTexts {
    QString waiting; // "waiting for the camera"
    QString cancel;  // the Cancel button's caption
};

inline constexpr int kOverlayDelayMs = 2000;

// Runs `step` and returns its result. `page` may be null (no overlay, no
// busy state); `cancel` may be empty (no Cancel button).
int RunCameraStep(CPageWindow* page, const std::function<int()>& step, const std::function<void()>& cancel,
    const CameraStepTexts& texts);

// A pause the user sits through (no camera is asked): `page` stays busy for
// `ms` milliseconds while the program keeps running. Tests' ShellHook
// records it as a sleep and returns at once.
void PausePage(CPageWindow* page, int ms);

} // namespace orv

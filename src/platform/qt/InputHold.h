#pragma once
// Holds back user input from pages that cannot take it: a busy page (a
// handler, box or camera step of its own runs) gets no mouse button, wheel or
// key, and a page with the capture gets no mouse button. The input is
// dropped, not queued, so nothing runs later on the strength of a click made
// while the page was not listening. One application-wide filter serves all
// pages; it never grabs the pointer or keyboard from the desktop.
class QObject;
class QEvent;

namespace orv {

// Installs the filter once (a no-op after the first call, or without an
// application object).
void InstallInputHold();
// Whether the filter drops `e` on its way to `receiver`.
bool InputHeldBack(QObject* receiver, QEvent* e);

} // namespace orv

#pragma once
// Makes the page object for a page code (see PageFlow.h for the codes).
#include <cstdint>

class QWidget;

namespace orv {

class CWizardPage;

// A new page for `code` with `host` as its parent, or nullptr for a code no
// page has. The page's window is not created yet (Create()).
CWizardPage* NewPage(int32_t code, QWidget* host);

} // namespace orv

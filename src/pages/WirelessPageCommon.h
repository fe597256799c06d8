#pragma once
// Widget steps the wireless setting pages (older form, newer form and the
// WEP key page) take alike. A page may lack any control its skin leaves
// out, so each step accepts a missing one.
#include <string>

#include "engine/WizardSettings.h"

class QWidget;

namespace orv {

class CEdit;
class CRadioButton;

void SetEnabled(QWidget* w, bool on);
void SetCheck(CRadioButton* r, bool on);

// The network name from the settings block into its edit.
void ShowSsid(CEdit* edit, const WizardSettings& s);

// Next may empty a name it cannot send (wireless off, non-ASCII name); the
// edit then shows what is stored.
void ClearEmptiedSsid(CEdit* edit, const std::u16string& checkedSsid);

} // namespace orv

#pragma once
// Widget steps the wireless setting pages (older form, newer form and the
// WEP key page) take alike. A page may lack any control its skin leaves
// out, so each step accepts a missing one.
#include <string>

#include "engine/WizardSettings.h"
#include "pages/WirelessChecks.h"

class QWidget;

namespace orv {

class CEdit;
class CPicDialog;
class CRadioButton;

void SetEnabled(QWidget* w, bool on);
void SetCheck(CRadioButton* r, bool on);

// The network name from the settings block into its edit.
void ShowSsid(CEdit* edit, const WizardSettings& s);

// Next after the page's check: a refusal shows its message and the page
// stays; otherwise the page moves on. The check may have emptied a name it
// cannot send (wireless off, non-ASCII name); the edit then shows what is
// stored.
void FinishNext(CPicDialog& page, const PageCheck& check, CEdit* ssidEdit, const std::u16string& checkedSsid);

} // namespace orv

#include "pages/WirelessPageCommon.h"

#include "platform/core/WideText.h"
#include "platform/qt/StdControls.h"

namespace orv {

void SetEnabled(QWidget* w, bool on)
{
    if (w)
        w->setEnabled(on);
}

void SetCheck(CRadioButton* r, bool on)
{
    if (r)
        r->SetCheck(on ? 1 : 0);
}

void ShowSsid(CEdit* edit, const WizardSettings& s)
{
    if (edit)
        edit->setText(QString::fromStdU16String(std::u16string(s.ESSID, WLen(s.ESSID, 64))));
}

void ClearEmptiedSsid(CEdit* edit, const std::u16string& checkedSsid)
{
    if (edit && checkedSsid.empty() && !edit->text().isEmpty())
        edit->clear();
}

} // namespace orv

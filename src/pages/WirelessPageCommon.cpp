#include "pages/WirelessPageCommon.h"

#include "app/PageFlow.h"
#include "platform/core/WideText.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicDialog.h"

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

void FinishNext(CPicDialog& page, const PageCheck& check, CEdit* ssidEdit, const std::u16string& checkedSsid)
{
    if (!check.proceed) {
        if (QWidget* w = check.focusId ? page.FindCtrl(check.focusId) : nullptr)
            w->setFocus();
        if (check.message)
            page.ShowMessage(check.message, MB_ICONEXCLAMATION);
        return;
    }
    if (ssidEdit && checkedSsid.empty() && !ssidEdit->text().isEmpty())
        ssidEdit->clear();
    page.PostNavigation(kNavNext);
}

} // namespace orv

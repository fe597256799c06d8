#pragma once
// Page: WPS or standard wireless set-up. The choice lands in WpsChosen; the
// host reads it on Next to pick the following page.
#include "pages/WizardPage.h"

namespace orv {

class CRadioButton;

class CDlgWirelessSelect : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int IDC_WPS = 1219;
    static constexpr int IDC_STANDARD = 1220;

    explicit CDlgWirelessSelect(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void ShowChoice(bool wps);

    CRadioButton* m_pWps = nullptr;
    CRadioButton* m_pStandard = nullptr;
};

} // namespace orv

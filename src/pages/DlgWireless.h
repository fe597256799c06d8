#pragma once
// Page: wireless settings (older form): on or off, network name, mode,
// channel, security and the WEP authentication. The keys follow on the
// WEP key page.
#include "pages/WizardPage.h"

namespace orv {

class CComboBox;
class CEdit;
class CRadioButton;

class CDlgWireless : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int IDC_SSID = 1113;
    static constexpr int IDC_CHANNEL = 1114;
    static constexpr int IDC_WLANON = 1207;
    static constexpr int IDC_WLANOFF = 1208;
    static constexpr int IDC_INFRA = 1209;
    static constexpr int IDC_ADHOC = 1210;
    static constexpr int IDC_OPEN = 1211;
    static constexpr int IDC_SHARED = 1212;
    static constexpr int IDC_BOTH = 1213;
    static constexpr int IDC_SECURITY = 1215;

    explicit CDlgWireless(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void FillSecurity(bool adhoc);
    void ApplyAuthRadios();
    void OnWlan(bool on);
    void OnMode(bool adhoc);
    void OnAuthRadio(int auth);
    void OnSecurityChanged();
    void OnNext();
    void EnableSettings(bool on);

    int m_nWepAuth = 0; // the authentication last chosen for WEP

    CEdit* m_pSsid = nullptr;
    CComboBox* m_pChannel = nullptr;
    CComboBox* m_pSecurity = nullptr;
    CRadioButton* m_pWlanOn = nullptr;
    CRadioButton* m_pWlanOff = nullptr;
    CRadioButton* m_pInfra = nullptr;
    CRadioButton* m_pAdhoc = nullptr;
    CRadioButton* m_pAuth[3] = {}; // Open, Shared, Both
};

} // namespace orv

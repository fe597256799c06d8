#pragma once
// Page: wireless settings (newer form), everything on one page: the
// authentication and encryption offered follow what the camera reported, one
// key edit stands for the WEP key or the pass phrase, and each wireless mode
// remembers the choices made for it while the page lives.
#include <string>

#include "pages/WizardPage.h"

namespace orv {

class CComboBox;
class CEdit;
class CRadioButton;

class CDlgWirelessNew : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int IDC_SSID = 1113;
    static constexpr int IDC_CHANNEL = 1114;
    static constexpr int IDC_KEY = 1115;
    static constexpr int IDC_WLANON = 1207;
    static constexpr int IDC_WLANOFF = 1208;
    static constexpr int IDC_INFRA = 1209;
    static constexpr int IDC_ADHOC = 1210;
    static constexpr int IDC_AUTH = 1219;
    static constexpr int IDC_ENC = 1220;

    explicit CDlgWirelessNew(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    bool WlanOn() const;
    void ShowWlan();
    void EnableKeyByChoice();
    void ShowMode();
    void SelectAuth(int32_t auth);
    void ApplySelectEnc(int32_t enc);
    void ShowKey(const std::u16string& text);
    void OnWlan(bool on);
    void OnMode(bool adhoc);
    void OnAuthChanged();
    void OnEncChanged();
    void OnKeyChanged();
    void OnNext();

    int32_t m_nOtherAuth = 0; // authentication remembered for the other mode
    int32_t m_nOtherEnc = 0;  // encryption remembered for the other mode
    std::u16string m_strKey;  // what the user typed into the key edit
    wchar* m_pWepSlot = nullptr; // WEPKey1..WEPKey4 by DefaultKeyIndex
    int m_bKeyArmed = 1;      // 0: the next key edit change is the page's own

    CEdit* m_pSsid = nullptr;
    CEdit* m_pKey = nullptr;
    CComboBox* m_pChannel = nullptr;
    CComboBox* m_pAuth = nullptr;
    CComboBox* m_pEnc = nullptr;
    CRadioButton* m_pWlanOn = nullptr;
    CRadioButton* m_pWlanOff = nullptr;
    CRadioButton* m_pInfra = nullptr;
    CRadioButton* m_pAdhoc = nullptr;
};

} // namespace orv

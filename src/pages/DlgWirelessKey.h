#pragma once
// Page: WEP keys or the WPA pass phrase (older form, follows the wireless
// settings page).
#include "pages/WizardPage.h"

namespace orv {

class CComboBox;
class CEdit;

class CDlgWirelessKey : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int IDC_KEY1 = 1115; // KEY1..KEY4 are 1115..1118
    static constexpr int IDC_PKEY = 1119;
    static constexpr int IDC_KEYLEN = 1216;
    static constexpr int IDC_KEYFORMAT = 1217;
    static constexpr int IDC_DEFKEY = 1218;

    explicit CDlgWirelessKey(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void EnableByState();
    void OnDefaultKeyChanged();
    void OnNext();
    void FocusAndSelect(int id);

    CComboBox* m_pKeyLen = nullptr;
    CComboBox* m_pKeyFormat = nullptr;
    CComboBox* m_pDefKey = nullptr;
    CEdit* m_pKey[4] = {};
    CEdit* m_pPassKey = nullptr;
};

} // namespace orv

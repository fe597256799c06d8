#pragma once
// Page: DHCP or a fixed address with mask, gateway and two DNS servers.
// Every field is checked on Next; the accepted values go into the settings
// block in normalised dotted form.
#include "pages/WizardPage.h"
#include "platform/qt/WinDefs.h"

namespace orv {

class CEdit;
class CRadioButton;
class CPicText;

class CDlgNetWork : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kIdIpAddr = 1106;
    static constexpr int kIdSubMask = 1107;
    static constexpr int kIdGateway = 1108;
    static constexpr int kIdPriDns = 1109;
    static constexpr int kIdSecDns = 1110;
    static constexpr int kIdDhcpOn = 1203;
    static constexpr int kIdDhcpOff = 1204;

    explicit CDlgNetWork(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnMessage(unsigned msg, intptr_t wParam, intptr_t lParam) override;

private:
    // Posted to the page right after its Next: the host handles Next first,
    // so the page only sees this when the host kept it (no next page).
    static constexpr unsigned kMsgNextKept = WM_USER_MSG + 101;
    void SetFooterDisabled(bool disabled);
    // Enables the five edits and fills them from the settings block, or
    // disables and empties them.
    void ShowFixedAddress(bool fixed);
    void OnNext();

    CEdit* m_pEdit[5] = {};
    CPicText* m_pLabel[5] = {};
    CRadioButton* m_pDhcpOn = nullptr;
    CRadioButton* m_pDhcpOff = nullptr;
};

} // namespace orv

#pragma once
// Page: administrator ID and password. Proves the typed credentials with the
// camera, keeps them for every later page, reads the camera's capability
// list and, for a wireless camera, its current wireless settings; the user
// may also choose a new password here, which the summary pages apply.
#include <string>

#include "pages/WizardPage.h"

namespace orv {

class CDlgIdPwd : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kIdAdmId = 1101;
    static constexpr int kIdAdmPwd = 1102;
    static constexpr int kIdNewId = 1103;
    static constexpr int kIdNewPwd = 1104;
    static constexpr int kIdChkPwd = 1105;
    static constexpr int kIdChkId = 1106;
    static constexpr int kIdCkbxId = 1201;
    static constexpr int kIdCkbxPwd = 1202;

    explicit CDlgIdPwd(QWidget* host = nullptr);

    void InitFromSettings(WizardSettings* settings) override;

    // The page result of the last Next (-1 accepted) and its message code.
    int LastResult() const { return m_nLastResult; }
    int MsgCode() const { return m_nMsgCode; }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    void OnNext();
    void OnTogglePassword();
    int CheckLogin();
    // The id of the first edit whose text a camera cannot store, or 0.
    int FirstNonCameraEntry() const;
    std::u16string EditText(int id, const std::u16string& previous) const;
    void SetEditText(int id, const wchar* text);
    void EnableCtrl(int id, bool on);
    void SetCheck(int id, bool on);

    std::u16string m_strAdmId;
    std::u16string m_strAdmPwd;
    std::u16string m_strNewId;
    std::u16string m_strNewPwd;
    std::u16string m_strChkPwd;
    int m_nMsgCode = 0;
    int m_nLastResult = 0;
};

} // namespace orv

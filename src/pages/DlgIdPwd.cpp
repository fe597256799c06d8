#include "pages/DlgIdPwd.h"

#include "app/PageFlow.h"
#include "pages/CameraTextCheck.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CDlgIdPwd::CDlgIdPwd(QWidget* host) : CWizardPage(res::kDlgIdPwd, host) {}

bool CDlgIdPwd::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgIdPwd"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgIdPwd.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgIdPwd.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgIdPwd.Next"));
    AddEdit(QStringLiteral("DlgIdPwd.ADMID"), kIdAdmId);
    AddEdit(QStringLiteral("DlgIdPwd.ADMPWD"), kIdAdmPwd);
    AddEdit(QStringLiteral("DlgIdPwd.NEWID"), kIdNewId);
    AddEdit(QStringLiteral("DlgIdPwd.CHKID"), kIdChkId);
    AddEdit(QStringLiteral("DlgIdPwd.NEWPWD"), kIdNewPwd);
    AddEdit(QStringLiteral("DlgIdPwd.CHKPWD"), kIdChkPwd);
    AddCheckBox(QStringLiteral("DlgIdPwd.CKBXID"), kIdCkbxId);
    AddCheckBox(QStringLiteral("DlgIdPwd.CKBXPWD"), kIdCkbxPwd);
    // The wizard never changes the administrator ID.
    EnableCtrl(kIdCkbxId, false);
    return true;
}

void CDlgIdPwd::InitFromSettings(WizardSettings* settings)
{
    m_pSettings = settings;
    if (!m_pSettings)
        return;
    const WizardSettings& s = *m_pSettings;
    SetEditText(kIdAdmId, s.AdminID);
    SetEditText(kIdAdmPwd, s.AdminPwd);
    SetEditText(kIdNewId, s.NewID);
    SetEditText(kIdNewPwd, s.NewPwd);
    SetEditText(kIdChkPwd, s.ConfirmPwd);
    for (int id : {kIdAdmId, kIdAdmPwd, kIdNewId, kIdNewPwd, kIdChkPwd})
        ApplyUiFont(id);
    const bool changeId = s.ChangeID != 0;
    SetCheck(kIdCkbxId, changeId);
    EnableCtrl(kIdNewId, changeId);
    EnableCtrl(kIdChkId, changeId);
    const bool changePwd = s.ChangePwd != 0;
    SetCheck(kIdCkbxPwd, changePwd);
    EnableCtrl(kIdNewPwd, changePwd);
    EnableCtrl(kIdChkPwd, changePwd);
}

void CDlgIdPwd::OnCommand(int id, int code)
{
    if (id == IDC_NEXT)
        OnNext();
    else if (id == kIdCkbxPwd)
        OnTogglePassword();
    else
        CWizardPage::OnCommand(id, code);
}

void CDlgIdPwd::OnTogglePassword()
{
    if (!m_pSettings)
        return;
    const bool on = m_pSettings->ChangePwd == 0;
    EnableCtrl(kIdNewPwd, on);
    EnableCtrl(kIdChkPwd, on);
    m_pSettings->ChangePwd = on ? 1 : 0;
}

void CDlgIdPwd::OnNext()
{
    if (!m_pSettings)
        return;
    CWaitCursor wait;
    m_strAdmId = EditText(kIdAdmId, m_strAdmId);
    m_strAdmPwd = EditText(kIdAdmPwd, m_strAdmPwd);
    m_strNewId = EditText(kIdNewId, m_strNewId);
    m_strNewPwd = EditText(kIdNewPwd, m_strNewPwd);
    m_strChkPwd = EditText(kIdChkPwd, m_strChkPwd);

    if (const int id = FirstNonCameraEntry()) {
        if (QWidget* w = FindCtrl(id))
            w->setFocus();
        ShowMessage(kMsgNotCameraText, MB_ICONEXCLAMATION);
        return;
    }
    if (m_pSettings->ChangePwd == 1) {
        if (m_strNewPwd != m_strChkPwd) {
            if (QWidget* w = FindCtrl(kIdChkPwd))
                w->setFocus();
            ShowMessage(18, MB_ICONEXCLAMATION);
            return;
        }
        if (m_strNewPwd == m_strAdmPwd) {
            if (QWidget* w = FindCtrl(kIdNewPwd))
                w->setFocus();
            ShowMessage(16, MB_ICONEXCLAMATION);
            return;
        }
    }
    WCopy(m_pSettings->NewID, m_strNewId);
    WCopy(m_pSettings->NewPwd, m_strNewPwd);

    m_nLastResult = RunCameraStep([this] { return CheckLogin(); });
    if (m_nLastResult == -1)
        PostNavigation(kNavNext);
    else
        ShowResultMessage(m_nLastResult, m_nMsgCode);
}

int CDlgIdPwd::FirstNonCameraEntry() const
{
    // The new password goes to the camera only when it is to be changed.
    const bool changePwd = m_pSettings && m_pSettings->ChangePwd == 1;
    const std::pair<int, const std::u16string*> entries[] = {{kIdAdmId, &m_strAdmId}, {kIdAdmPwd, &m_strAdmPwd},
        {kIdNewPwd, changePwd ? &m_strNewPwd : nullptr}, {kIdChkPwd, changePwd ? &m_strChkPwd : nullptr}};
    for (const auto& [id, text] : entries)
        if (text && !IsCameraText(*text))
            return id;
    return 0;
}

int CDlgIdPwd::CheckLogin()
{
    if (!m_pEngine)
        return 12; // no engine, no socket: reported like a socket that would not open
    CameraSession::NewCredentials texts;
    texts.NewId = m_strNewId.c_str();
    texts.NewPwd = m_strNewPwd.c_str();
    texts.ConfirmPwd = m_strChkPwd.c_str();
    CameraSession& session = Session();
    const int result = session.CheckLogin(m_strAdmId.c_str(), m_strAdmPwd.c_str(), texts);
    m_nMsgCode = session.m_nMsgCode;
    return result;
}

std::u16string CDlgIdPwd::EditText(int id, const std::u16string& previous) const
{
    const auto* edit = FindCtrlAs<CEdit>(id);
    return edit ? edit->text().toStdU16String() : previous;
}

void CDlgIdPwd::SetEditText(int id, const wchar* text)
{
    if (auto* edit = FindCtrlAs<CEdit>(id))
        edit->setText(QString::fromStdU16String(std::u16string(text, WLen(text, 64))));
}

void CDlgIdPwd::EnableCtrl(int id, bool on)
{
    if (QWidget* w = FindCtrl(id))
        w->setEnabled(on);
}

void CDlgIdPwd::SetCheck(int id, bool on)
{
    if (auto* box = FindCtrlAs<CCheckBox>(id))
        box->SetCheck(on ? 1 : 0);
}

} // namespace orv

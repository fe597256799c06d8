// The WPS page's pairing: the start (Wi-Fi on, QueryWPS, InitWPS), the
// one-second timer through the remaining operations and the end.
#include "pages/DlgWPSSetting.h"

#include "app/PageFlow.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicText.h"

namespace orv {

namespace {

constexpr int kFailurePauseMs = 2000;

std::u16string Text(const QString& s)
{
    return s.toStdU16String();
}

} // namespace

void CDlgWPSSetting::SwitchWirelessOn()
{
    CWaitCursor wait;
    // The wait note covers the push-button instructions; in PIN mode those
    // are hidden and must stay so afterwards.
    const QWidget* first = FindCtrl(kIdLabPbcNote1);
    const bool notesShown = first && !first->isHidden();
    for (int i = 0; i < 5; ++i)
        ShowCtrl(kIdLabPbcNote1 + i, false);
    ShowCtrl(kIdLabPbcNote6, true);
    if (auto* note = FindCtrlAs<CPicText>(kIdLabPbcNote6))
        note->Redraw();
    // Whether the camera took it shows in the pairing itself.
    RunCameraStep([this] { return EnableWireless(); });
    if (m_pSettings && std::u16string_view(m_pSettings->Model, WLen(m_pSettings->Model, 64)).find(u"Q47")
            != std::u16string_view::npos)
        RunCameraStep([this] { return ResetCamera(); });
    ShowCtrl(kIdLabPbcNote6, false);
    for (int i = 0; i < 5; ++i)
        ShowCtrl(kIdLabPbcNote1 + i, notesShown);
}

void CDlgWPSSetting::StartPairing()
{
    // Opened from the list page, no login has aimed the engine at the camera
    // yet: without this the requests would leave from no particular adapter
    // towards whatever address an earlier run left. The listed address, as
    // the network page may already hold a new one that is not applied yet.
    if (m_pEngine && m_pSettings) {
        m_pEngine->SetCameraAddress(m_pSettings->ListedIP);
        m_pEngine->m_nAdapterChoice = m_pSettings->AdapterIndex;
    }
    if (m_pSettings && WpsNeedsWirelessOn(m_pSettings->WirelessEnableText))
        SwitchWirelessOn();
    if (const auto* id = FindCtrlAs<CEdit>(kIdAdmId))
        m_strAdmId = id->text();
    if (const auto* pwd = FindCtrlAs<CEdit>(kIdAdmPwd))
        m_strAdmPwd = pwd->text();

    int result = 0;
    {
        CWaitCursor wait;
        result = RunCameraStep([this] { return RunQueryWps(); });
    }
    if (result != -1) {
        ShowResultMessage(result, m_nMsgCode);
        SetUiState(m_nMsgCode == 2 ? UiState::Idle : UiState::IdleByRadios);
        return;
    }
    SetUiState(UiState::Running);
    {
        CWaitCursor wait;
        result = RunCameraStep([this] { return RunInitWps(); });
    }
    if (result != -1) {
        SetUiState(UiState::IdleByRadios);
        return;
    }
    if (auto* bar = FindCtrlAs<CProgressCtrl>(kIdProgress)) {
        bar->SetRange(0, static_cast<int>(kWpsWindowSeconds));
        bar->SetPos(0);
    }
    m_pairing.Start();
    SetTimer(kWpsTimerId, kWpsTimerPeriodMs);
    m_nWpsResult = 0;
}

void CDlgWPSSetting::OnTimer(int id)
{
    if (id != kWpsTimerId || !Running() || m_nAsking > 0)
        return;
    PairingTick();
}

void CDlgWPSSetting::PairingTick()
{
    WpsTickOutcome outcome;
    {
        CWaitCursor wait;
        RunCameraStep([this, &outcome] {
            outcome = m_pairing.Tick([this](int32_t step) {
                switch (step) {
                case kWpsStepPollInfo: return PollWpsInfo();
                case kWpsStepSend: return RunSendWps();
                case kWpsStepPollStatus: return PollWpsStatus();
                default: return -2;
                }
            });
            return 0;
        });
    }
    if (auto* bar = FindCtrlAs<CProgressCtrl>(kIdProgress))
        bar->SetPos(m_pairing.Progress());
    if (outcome != WpsTickOutcome::Continue && outcome != WpsTickOutcome::NotRunning)
        EndPairing(outcome);
}

void CDlgWPSSetting::EndPairing(WpsTickOutcome outcome)
{
    KillTimer(kWpsTimerId);
    if (auto* bar = FindCtrlAs<CProgressCtrl>(kIdProgress))
        bar->SetPos(static_cast<int>(kWpsWindowSeconds));
    repaint();
    if (outcome == WpsTickOutcome::Succeeded) {
        ShowMessage(2003, MB_ICONINFORMATION);
        if (!m_bDirect) {
            CWaitCursor wait;
            RunCameraStep([this] { return ReadBackWireless(); });
        }
        m_nWpsResult = 1;
        PostNavigation(kNavNext);
        return;
    }
    ShowMessage(2002, MB_ICONEXCLAMATION);
    // The page sits still for the pause; clicks made meanwhile are dropped.
    PausePage(this, kFailurePauseMs);
    SetUiState(UiState::IdleByRadios);
}

// ---- camera operations ----

int CDlgWPSSetting::RunQueryWps()
{
    const int r = Session().RunQueryWps(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str());
    m_nMsgCode = Session().m_nMsgCode;
    return r;
}

int CDlgWPSSetting::RunInitWps()
{
    const int r = Session().RunInitWps(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str(), m_szPin);
    m_nMsgCode = Session().m_nMsgCode;
    return r;
}

int CDlgWPSSetting::PollWpsInfo()
{
    const int r = Session().PollWpsInfo(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str());
    m_nMsgCode = Session().m_nMsgCode;
    return r;
}

int CDlgWPSSetting::RunSendWps()
{
    const int r = Session().RunSendWps(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str());
    m_nMsgCode = Session().m_nMsgCode;
    return r;
}

int CDlgWPSSetting::PollWpsStatus()
{
    const int r = Session().PollWpsStatus(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str());
    m_nMsgCode = Session().m_nMsgCode;
    return r;
}

int CDlgWPSSetting::EnableWireless()
{
    Session().m_Sleep = [this](int ms) { SleepForCamera(ms); };
    return Session().EnableWireless();
}

int CDlgWPSSetting::ResetCamera()
{
    Session().m_Sleep = [this](int ms) { SleepForCamera(ms); };
    return Session().ResetCamera();
}

int CDlgWPSSetting::ReadBackWireless()
{
    return Session().ReadBackWireless(Text(m_strAdmId).c_str(), Text(m_strAdmPwd).c_str());
}

} // namespace orv

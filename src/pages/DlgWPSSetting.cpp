#include "pages/DlgWPSSetting.h"

#include <chrono>
#include <cstring>
#include <ctime>

#include "app/PageFlow.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"
#include "skin/PicText.h"

namespace orv {

namespace {

uint32_t SteadyTickCount()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count()); // wraps like a tick count
}

QString WideToQString(const wchar* text, std::size_t cap)
{
    return QString::fromStdU16String(std::u16string(text, WLen(text, cap)));
}

} // namespace

CDlgWPSSetting::CDlgWPSSetting(QWidget* host)
    : CWizardPage(res::kDlgWpsSetting, host), m_tickClock(SteadyTickCount),
      m_pinClock([] { return static_cast<int64_t>(std::time(nullptr)); }),
      m_pairing([this] { return m_tickClock(); })
{
}

CDlgWPSSetting::~CDlgWPSSetting()
{
    m_pairing.Stop();
    KillTimer(kWpsTimerId);
}

bool CDlgWPSSetting::OnInitDialog()
{
    SetupSkinPaths(QStringLiteral("DlgWPSSET"));
    CPicDialog::OnInitDialog();
    AddPicButton(IDC_EXIT, QStringLiteral("DlgWPSSET.Exit"));
    AddPicButton(IDC_BACK, QStringLiteral("DlgWPSSET.Back"));
    AddPicButton(IDC_NEXT, QStringLiteral("DlgWPSSET.Next"));
    AddProgress(QStringLiteral("DlgWPSSET.ProgressCtrl"));
    AddEdit(QStringLiteral("DlgWPSSET.EDITPIN"), kIdEditPin);
    if (auto* pin = FindCtrlAs<CEdit>(kIdEditPin))
        pin->setReadOnly(true);
    AddPicText(QStringLiteral("DlgWPSSET.LABSelect"), kIdLabSelect, 1, 0);
    AddRadio(QStringLiteral("DlgWPSSET.OPTPBC"), kIdOptPbc, QStringLiteral("Enable"));
    AddRadio(QStringLiteral("DlgWPSSET.OPTPIN"), kIdOptPin, QStringLiteral("Disable"));
    AddPicButton(kIdButPbcPush, QStringLiteral("DlgWPSSET.BUTPBCPUSH"));
    AddPicButton(kIdButPinStart, QStringLiteral("DlgWPSSET.BUTPINSTART"));
    AddButton(kIdButPinRefresh, QStringLiteral("DlgWPSSET.BUTPINREFALSH"));
    AddButton(kIdButPinCopy, QStringLiteral("DlgWPSSET.BUTPINCOPY"));
    AddEdit(QStringLiteral("DlgWPSSET.ADMID"), kIdAdmId);
    AddEdit(QStringLiteral("DlgWPSSET.ADMPWD"), kIdAdmPwd);
    AddPicText(QStringLiteral("DlgWPSSET.LABADMID"), kIdLabAdmId, 1, 0);
    AddPicText(QStringLiteral("DlgWPSSET.LABADMPWD"), kIdLabAdmPwd, 1, 0);
    for (int i = 0; i < 5; ++i)
        AddPicText(QStringLiteral("DlgWPSSET.LABPBCNOTE%1").arg(i + 1), kIdLabPbcNote1 + i, 1, 0);
    AddPicText(QStringLiteral("DlgWPSSET.LABPBCNOTE6"), kIdLabPbcNote6, 0, 0);
    for (int i = 0; i < 5; ++i)
        AddPicText(QStringLiteral("DlgWPSSET.LABPINNOTE%1").arg(i + 1), kIdLabPinNote1 + i, 1, 0);
    return true;
}

void CDlgWPSSetting::SetDirectMode(int mode)
{
    m_bDirect = mode;
    const bool direct = mode != 0;
    for (int id : {kIdLabAdmId, kIdLabAdmPwd, kIdAdmId, kIdAdmPwd})
        ShowCtrl(id, direct);
    ShowCtrl(IDC_NEXT, !direct);
}

void CDlgWPSSetting::InitFromSettings(WizardSettings* settings)
{
    m_pSettings = settings;
    if (!settings)
        return;
    if (auto* id = FindCtrlAs<CEdit>(kIdAdmId))
        id->setText(WideToQString(settings->AdminID, 64));
    if (auto* pwd = FindCtrlAs<CEdit>(kIdAdmPwd))
        pwd->setText(WideToQString(settings->AdminPwd, 64));
    SetChecked(kIdOptPbc, true);
    SetUiState(UiState::IdlePushButton);

    for (int id : {kIdOptPbc, kIdOptPin, kIdEditPin, kIdAdmId, kIdAdmPwd, kIdButPinRefresh, kIdButPinCopy})
        ApplyUiFont(id);
    if (settings->UiFont.Created) {
        // The caption of the mode choice keeps the skin's own font.
        const QFont font = MakeUiFont(settings->UiFont);
        std::vector<int> labels{kIdLabAdmId, kIdLabAdmPwd, kIdLabPbcNote6};
        for (int i = 0; i < 5; ++i) {
            labels.push_back(kIdLabPbcNote1 + i);
            labels.push_back(kIdLabPinNote1 + i);
        }
        for (int id : labels) {
            if (auto* text = FindCtrlAs<CPicText>(id)) {
                text->SelectFont(font);
                text->Redraw();
            }
        }
    }

    SetPbcMode(1);
    NewPin(false);
    settings->WpsMode = 1;
}

void CDlgWPSSetting::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_EXIT:
        LeaveWith(kNavExit);
        return;
    case IDC_BACK:
        LeaveWith(kNavBack);
        return;
    case IDC_NEXT:
        switch (DecideWpsNext(Running(), m_nWpsResult)) {
        case WpsNextAction::AskLeave:
            LeaveWith(kNavNext);
            return;
        case WpsNextAction::PostNext:
            PostNavigation(kNavNext);
            return;
        case WpsNextAction::StartPairing:
            StartPairing();
            return;
        case WpsNextAction::AskRetry:
            if (Ask(2004, MB_RETRYCANCEL) == IDRETRY)
                StartPairing();
            else
                PostNavigation(kNavNext);
            return;
        }
        return;
    case kIdOptPbc:
        SetPbcMode(1);
        NewPin(false);
        if (m_pSettings)
            m_pSettings->WpsMode = 1;
        return;
    case kIdOptPin:
        NewPin(true);
        SetPbcMode(0);
        if (m_pSettings)
            m_pSettings->WpsMode = 2;
        return;
    case kIdButPbcPush:
    case kIdButPinStart:
        StartPairing();
        return;
    case kIdButPinRefresh:
        NewPin(true);
        return;
    case kIdButPinCopy:
        CopyPinToClipboard();
        return;
    default:
        CWizardPage::OnCommand(id, code);
        return;
    }
}

void CDlgWPSSetting::LeaveWith(int navCode)
{
    if (Running()) {
        if (Ask(2005, MB_YESNO) != IDYES)
            return;
        // Leaving ends the pairing now, not when the host gets round to
        // destroying the page.
        m_pairing.Stop();
        KillTimer(kWpsTimerId);
    }
    PostNavigation(navCode);
}

int CDlgWPSSetting::Ask(int number, unsigned type)
{
    // A box runs its own message loop: pairing ticks wait until it is answered.
    ++m_nAsking;
    const int answer = ShowMessage(number, type);
    --m_nAsking;
    return answer;
}

void CDlgWPSSetting::SetPbcMode(int pbc)
{
    const bool push = pbc != 0;
    for (int i = 0; i < 5; ++i) {
        ShowCtrl(kIdLabPbcNote1 + i, push);
        ShowCtrl(kIdLabPinNote1 + i, !push);
    }
    ShowCtrl(kIdButPbcPush, push);
    for (int id : {kIdEditPin, kIdButPinStart, kIdButPinRefresh, kIdButPinCopy})
        ShowCtrl(id, !push);
    SetChecked(kIdOptPbc, push);
    SetChecked(kIdOptPin, !push);
}

void CDlgWPSSetting::SetUiState(UiState state)
{
    if (state == UiState::IdlePushButton) {
        SetChecked(kIdOptPbc, true);
        SetPbcMode(1);
    } else if (state == UiState::IdleByRadios) {
        if (IsChecked(kIdOptPbc))
            SetPbcMode(1);
        else if (IsChecked(kIdOptPin))
            SetPbcMode(0);
    }
    const bool idle = state != UiState::Running;
    EnableCtrl(kIdOptPbc, idle);
    if (IsChecked(kIdOptPbc))
        ShowCtrl(kIdButPbcPush, idle);
    EnableCtrl(kIdOptPin, idle);
    if (IsChecked(kIdOptPin)) {
        ShowCtrl(kIdButPinStart, idle);
        EnableCtrl(kIdButPinRefresh, idle);
    }
    ShowCtrl(kIdProgress, !idle);
    if (m_bDirect) {
        for (int id : {kIdLabAdmId, kIdLabAdmPwd, kIdAdmId, kIdAdmPwd})
            EnableCtrl(id, idle);
    }
}

void CDlgWPSSetting::NewPin(bool show)
{
    const std::string pin = MakeWpsPin(m_pinClock());
    std::memset(m_szPin, 0, sizeof m_szPin);
    std::memcpy(m_szPin, pin.data(), pin.size() < sizeof m_szPin ? pin.size() : sizeof m_szPin - 1);
    if (show) {
        if (auto* edit = FindCtrlAs<CEdit>(kIdEditPin))
            edit->setText(QString::fromLatin1(m_szPin));
    }
}

void CDlgWPSSetting::CopyPinToClipboard()
{
    SetClipboardText(U16(m_szPin));
}

void CDlgWPSSetting::ShowCtrl(int id, bool show)
{
    if (QWidget* w = FindCtrl(id))
        w->setVisible(show);
}

void CDlgWPSSetting::EnableCtrl(int id, bool enable)
{
    if (QWidget* w = FindCtrl(id))
        w->setEnabled(enable);
}

bool CDlgWPSSetting::IsChecked(int id) const
{
    const auto* radio = FindCtrlAs<CRadioButton>(id);
    return radio && radio->GetCheck() != 0;
}

void CDlgWPSSetting::SetChecked(int id, bool checked)
{
    if (auto* radio = FindCtrlAs<CRadioButton>(id))
        radio->SetCheck(checked ? 1 : 0);
}

} // namespace orv

// The summary pages' apply sequence and the WPS page's operations.
#include <chrono>
#include <thread>

#include "template/Bits.h"
#include "template/CameraSession.h"
#include "template/Operations.h"

namespace orv {

namespace {

bool ModelContains(const wchar* model, const char16_t* part)
{
    return std::u16string_view(model, WLen(model, 64)).find(part) != std::u16string_view::npos;
}

// Two IntToBits4 groups: the first value's four bits, then the second's.
void TwoGroups(int32_t first, int32_t second, wchar (&out)[9])
{
    IntToBits4(first, out);
    IntToBits4(second, out + 4);
}

} // namespace

int CameraSession::SettingsStep(uint16_t opcode, bool encode)
{
    if (encode)
        m_Engine.EncodeRequest();
    StatusBlockView block{m_Block};
    const int r = ConfigStep(opcode, m_Settings.AdminID, m_Settings.AdminPwd, false, m_bKeepTransportResult, &block);
    if (r == -1) {
        const int ms = SettingsWaitMilliseconds(block);
        if (ms > 0 && m_Sleep)
            m_Sleep(ms);
    }
    return r;
}

int CameraSession::StepChangeIdPwd()
{
    if (Load("ChangeIDPWD_temp") != 0)
        return kPageTemplateMissing;
    m_Engine.SetVar(u"EncryptedID", m_Settings.AdminID);
    m_Engine.SetVar(u"EncryptedPassword", m_Settings.NewPwd);
    return SettingsStep(kOpChangeIDPWD, true);
}

int CameraSession::StepSetBasic()
{
    if (Load("SetBasic_temp") != 0)
        return kPageTemplateMissing;
    const WizardSettings& s = m_Settings;
    m_Engine.SetVar(u"CameraName", s.CameraName);
    m_Engine.SetVar(u"CameraIP", s.CameraIP);
    m_Engine.SetVarInt(u"Webport", s.WebPort);
    m_Engine.SetVar(u"SubNetMask", s.SubnetMask);
    m_Engine.SetVar(u"Gateway", s.Gateway);
    m_Engine.SetVarInt(u"Reserved", s.Reserved);
    m_Engine.SetVarInt(u"DNSSpec", s.DNSSpec);
    m_Engine.SetVar(u"PriDNS", s.PrimaryDNS);
    m_Engine.SetVar(u"SecDNS", s.SecondaryDNS);
    m_Engine.SetVarInt(u"DHCP", s.DhcpEnabled);
    return SettingsStep(kOpSetBasic, true);
}

int CameraSession::StepSetWLan()
{
    if (Load("SetWLan_temp") != 0)
        return kPageTemplateMissing;
    const WizardSettings& s = m_Settings;
    m_Engine.SetVar(u"ESSID", s.ESSID);
    m_Engine.SetVar(u"WEPKey1", s.WEPKey1);
    m_Engine.SetVar(u"WEPKey2", s.WEPKey2);
    m_Engine.SetVar(u"WEPKey3", s.WEPKey3);
    m_Engine.SetVar(u"WEPKey4", s.WEPKey4);
    m_Engine.SetVar(u"WEPKey", s.PassKey);
    m_Engine.SetVar(u"WirelessEnable", s.WirelessEnableText);
    m_Engine.SetVarInt(u"WirlessCh", s.Channel);
    wchar bits[9] = {};
    TwoGroups(s.EncryptionType, s.WirelessMode, bits);
    m_Engine.SetVar(u"Encryption_Mode_bit0", bits);
    TwoGroups(s.KeyLength, s.AuthType, bits);
    m_Engine.SetVar(u"KeyLen_Auth_bit0", bits);
    TwoGroups(s.DefaultKeyIndex, s.KeyFormat, bits);
    m_Engine.SetVar(u"DKey_&_Format_bit0", bits);
    m_Engine.SetVar(u"TXRate_bit0", s.TxRateBits);
    return SettingsStep(kOpSetWLan, true);
}

int CameraSession::StepReset()
{
    if (Load("Reset_temp") != 0)
        return kPageTemplateMissing;
    return SettingsStep(kOpReset, false);
}

int CameraSession::ApplySettings(bool wireless)
{
    m_Engine.SetCameraAddress(m_Settings.ListedIP);
    m_Engine.m_nRequestOption = 0;
    m_Engine.m_nAdapterChoice = m_Settings.AdapterIndex;
    if (m_Settings.ChangeID == 1 || m_Settings.ChangePwd == 1) {
        const int r = StepChangeIdPwd();
        if (r != -1)
            return r;
        WCopy(m_Settings.AdminPwd, m_Settings.NewPwd);
    }
    int r = StepSetBasic();
    if (r != -1)
        return r;
    if (wireless && (r = StepSetWLan()) != -1)
        return r;
    const wchar* model = m_Settings.Model;
    if (ModelContains(model, u"K81") || ModelContains(model, u"Q47") || ModelContains(model, u"M36")) {
        if ((r = StepReset()) != -1)
            return r;
    }
    return -1;
}

// ---- WPS page ----

int CameraSession::RunWpsOp(WpsStep step, uint16_t opcode, const wchar* adminId, const wchar* adminPwd)
{
    m_nMsgCode = 0;
    const int r = m_Engine.RunTemplateOperation(opcode, m_Settings.MacText, adminId, m_Engine.m_szCameraIP, adminPwd);
    StatusBlockView block{m_Block};
    if (r == -1)
        block = TakeStatusBlock();
    const PageOutcome o = WpsOutcome(step, r, m_Engine.m_nStatus, block);
    m_nMsgCode = o.MsgCode;
    return o.Result;
}

int CameraSession::RunQueryWps(const wchar* adminId, const wchar* adminPwd)
{
    if (Load("QueryWPS_temp") != 0)
        return kPageTemplateMissing;
    const int r = RunWpsOp(WpsStep::Query, kOpQueryWPS, adminId, adminPwd);
    if (r != -1 || StatusBlockView{m_Block}.PayloadLength() == 0)
        return r;
    m_Engine.DecodeReply(kOpVerification); // the support flags decode like the login reply
    const PageOutcome o = WpsPushButtonOutcome(ReadVarInt("WPS_PBC"));
    m_nMsgCode = o.MsgCode;
    return o.Result;
}

int CameraSession::RunInitWps(const wchar* adminId, const wchar* adminPwd, const char* pin)
{
    if (Load("InitWPS_temp") != 0)
        return kPageTemplateMissing;
    m_Engine.SetVarInt(u"Mode", m_Settings.WpsMode);
    m_Engine.SetVar(u"PINCODE", U16(pin ? pin : "").c_str());
    m_Engine.EncodeRequest();
    return RunWpsOp(WpsStep::Init, kOpInitWPS, adminId, adminPwd);
}

int CameraSession::PollWpsInfo(const wchar* adminId, const wchar* adminPwd)
{
    Load("PollWPSInf_temp"); // a timer step goes on with the table it has
    const int r = RunWpsOp(WpsStep::PollInfo, kOpPollWPSInf, adminId, adminPwd);
    if (r == -1 && StatusBlockView{m_Block}.PayloadLength() != 0)
        m_Engine.DecodeReply(kOpPollWPSInf);
    return r;
}

int CameraSession::RunSendWps(const wchar* adminId, const wchar* adminPwd)
{
    Load("SendWPS_temp");
    m_Engine.EncodeRequest();
    return RunWpsOp(WpsStep::Send, kOpSendWPS, adminId, adminPwd);
}

int CameraSession::PollWpsStatus(const wchar* adminId, const wchar* adminPwd)
{
    Load("PollWPSStatus_temp");
    m_Engine.EncodeRequest();
    return RunWpsOp(WpsStep::PollStatus, kOpPollWPSStatus, adminId, adminPwd);
}

int CameraSession::EnableWireless()
{
    // Only the request says "on". The settings keep what the camera reported,
    // so a switch-on that failed is not taken for the camera's state, now or
    // by the next camera's run.
    constexpr std::size_t kCap = sizeof(WizardSettings::WirelessEnableText) / sizeof(wchar);
    wchar reported[kCap] = {};
    WCopy(reported, kCap, std::u16string_view(m_Settings.WirelessEnableText, WLen(m_Settings.WirelessEnableText, kCap)));
    WCopy(m_Settings.WirelessEnableText, u"1");
    const int result = StepSetWLan();
    WCopy(m_Settings.WirelessEnableText, kCap, std::u16string_view(reported, WLen(reported, kCap)));
    return result;
}

int CameraSession::ResetCamera()
{
    return StepReset();
}

int CameraSession::RunWpsPairing(const wchar* adminId, const wchar* adminPwd, const char* pin, int tickMs,
    int windowSeconds)
{
    using Clock = std::chrono::steady_clock;
    if (!WEqual(m_Settings.WirelessEnableText, u"1")) {
        EnableWireless();
        if (ModelContains(m_Settings.Model, u"Q47"))
            ResetCamera();
    }
    int r = RunQueryWps(adminId, adminPwd);
    if (r != -1)
        return r;
    if ((r = RunInitWps(adminId, adminPwd, pin)) != -1)
        return r;
    int step = kOpQueryWPS + 1; // 179: PollWPSInf next
    Clock::time_point start = Clock::now();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
        if (Clock::now() - start >= std::chrono::seconds(windowSeconds)) {
            m_nMsgCode = 0;
            return kPageFailed;
        }
        if (step == 179) {
            r = PollWpsInfo(adminId, adminPwd);
            if (r == -1)
                step = 180;
        } else if (step == 180) {
            r = RunSendWps(adminId, adminPwd);
            if (r == -1) {
                step = 181;
                start = Clock::now();
            }
        } else {
            r = PollWpsStatus(adminId, adminPwd);
            if (r == -1)
                return -1;
        }
        if (r != -1 && r != kPagePollAgain)
            return r;
    }
}

} // namespace orv

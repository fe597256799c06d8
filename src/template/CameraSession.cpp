#include "template/CameraSession.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "template/Bits.h"
#include "template/Operations.h"

namespace orv {

namespace {

// Digits `from`..`from+count-1` of a bit string; characters past its end
// count as zeros (the buffer may hold an older, longer value behind it).
int32_t DigitsToInt(const wchar* text, std::size_t cap, std::size_t from, int count)
{
    wchar digits[9] = {};
    const std::size_t len = WLen(text, cap);
    for (int i = 0; i < count && i < 8; ++i)
        digits[i] = from + i < len ? text[from + i] : u'0';
    return BitsToInt(count, digits);
}

} // namespace

CameraSession::CameraSession(CCamEngine& engine, WizardSettings& settings, std::string templateFolder)
    : m_Sleep([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }),
      m_Engine(engine), m_Settings(settings), m_TemplateFolder(std::move(templateFolder))
{
}

int CameraSession::Load(const char* fileName)
{
    return LoadTemplateInto(m_Engine, m_TemplateFolder, fileName, m_tplText);
}

StatusBlockView CameraSession::TakeStatusBlock()
{
    m_Engine.m_nKind = m_Settings.Kind;
    m_Engine.m_nSelIndex = -1;
    m_Engine.GetStatusBlock(m_Block);
    return StatusBlockView{m_Block};
}

void CameraSession::ReadVar(const char* name, wchar* out, std::size_t cap)
{
    wchar value[300] = {};
    m_Engine.GetVar(U16(name).c_str(), value);
    WCopy(out, cap, value);
}

int32_t CameraSession::ReadVarInt(const char* name)
{
    wchar value[300] = {};
    m_Engine.GetVar(U16(name).c_str(), value);
    return WToInt(value);
}

int CameraSession::PrepareSelected(int index)
{
    // A pick that no longer names a listed camera (a new search emptied the
    // list) stops the caller before anything is changed.
    if (index < 0 || index >= m_Engine.CountRecords())
        return 0;
    m_Engine.SelectRecord(index);
    m_Settings.Kind = 2;
    m_Settings.WebPort = m_Engine.GetSelWebPort();
    WCopy(m_Settings.CameraIP, m_Engine.GetSelIpText());
    WCopy(m_Settings.ListedIP, m_Engine.GetSelIpText());
    WCopy(m_Settings.Model, m_Engine.GetSelModel());
    m_Settings.AdapterIndex = m_Engine.GetSelAdapterIndex();
    m_Settings.ChangeID = 0;
    m_Settings.ChangePwd = 0;
    m_Settings.Family = 7;
    return ReadBackDiscovery(index);
}

int CameraSession::ReadBackDiscovery(int index)
{
    // The record is copied and its index checked in one step, so a search
    // emptying the list meanwhile cannot make it read past the list.
    uint8_t area[kStatusBlockSize] = {};
    {
        std::lock_guard<std::mutex> lock(m_Engine.m_csDone);
        if (index < 0 || static_cast<std::size_t>(index) >= m_Engine.m_Found.size())
            return 0;
        const CamRecord& rec = m_Engine.m_Found[static_cast<std::size_t>(index)];
        std::memcpy(area, rec.Payload, sizeof rec.Payload);
    }
    m_Engine.SelectRecord(index);
    WCopy(m_Settings.MacText, m_Engine.GetSelMacText());
    Load("Discovery_temp"); // a missing template leaves the table as it was
    for (int i = 0; i < kStatusBlockSize; ++i) {
        m_Engine.m_WireBytes[i] = area[i];
        m_Engine.m_WorkText[i] = area[i];
    }
    m_Engine.DecodeReply(0xA1);
    ReadVar("CameraName", m_Settings.CameraName, 64);
    ReadVar("CameraIP", m_Settings.CameraIP, 64);
    ReadVar("Gateway", m_Settings.Gateway, 64);
    ReadVar("SubNetMask", m_Settings.SubnetMask, 64);
    ReadVar("PriDNS", m_Settings.PrimaryDNS, 64);
    ReadVar("SecDNS", m_Settings.SecondaryDNS, 64);
    m_Settings.DhcpEnabled = ReadVarInt("DHCP");
    m_Settings.WebPort = ReadVarInt("Webport");
    m_Settings.Reserved = ReadVarInt("Reserved");
    m_Settings.DNSSpec = ReadVarInt("DNSSpec");
    ReadVar("ProdHWSpec", m_Settings.ProdHWSpec, 33);
    m_Settings.WlanEnabled = WLen(m_Settings.ProdHWSpec, 33) >= 32 && m_Settings.ProdHWSpec[31] == u'1' ? 1 : 0;
    return -1;
}

int CameraSession::ConfigStep(uint16_t opcode, const wchar* adminId, const wchar* adminPwd, bool verification,
    bool keepTransport, StatusBlockView* blockOut)
{
    m_nMsgCode = 0;
    const int r = m_Engine.RunTemplateOperation(opcode, m_Settings.MacText, adminId, m_Engine.m_szCameraIP, adminPwd);
    if (r != -1 && keepTransport)
        return r;
    StatusBlockView block{m_Block};
    if (r == -1)
        block = TakeStatusBlock();
    const PageOutcome o = ConfigOutcome(r, block, verification);
    m_nMsgCode = o.MsgCode;
    if (blockOut)
        *blockOut = block;
    return o.Result;
}

int CameraSession::RunVerification(const wchar* adminId, const wchar* adminPwd)
{
    if (Load("Verification_temp") != 0)
        return kPageTemplateMissing;
    const int r = ConfigStep(kOpVerification, adminId, adminPwd, true);
    if (r != -1)
        return r;
    if (StatusBlockView{m_Block}.PayloadLength() != 0) {
        m_Engine.DecodeReply(kOpVerification);
        wchar power[300] = {};
        m_Engine.GetVar(u"Power", power);
        if (!WEqual(power, u"1"))
            return kPageRefused;
    }
    return -1;
}

int CameraSession::QueryCapabilities(const wchar* adminId, const wchar* adminPwd)
{
    const int r = ConfigStep(kOpGetCapabilities, adminId, adminPwd, false);
    if (r != -1)
        return r;
    // A shorter (or empty) list than the last one leaves no old codes behind.
    std::memset(m_Settings.Capabilities, 0, sizeof m_Settings.Capabilities);
    if (StatusBlockView{m_Block}.PayloadLength() != 0) {
        m_Engine.DecodeReply(kOpGetCapabilities);
        for (int i = 0; i < m_Engine.m_nFieldCount && i < 64; ++i) {
            wchar value[300] = {};
            m_Engine.GetVar(m_Engine.m_Fields[i].Name, value);
            m_Settings.Capabilities[i] = WToInt(value);
        }
    }
    return -1;
}

int CameraSession::ReadBackWireless(const wchar* adminId, const wchar* adminPwd)
{
    if (Load("GetWLan_temp") != 0)
        return kPageTemplateMissing;
    const int r = ConfigStep(kOpGetWLan, adminId, adminPwd, false);
    if (r != -1 || StatusBlockView{m_Block}.PayloadLength() == 0)
        return r;
    m_Engine.DecodeReply(kOpGetWLan);
    WizardSettings& s = m_Settings;
    ReadVar("ESSID", s.ESSID, 64);
    ReadVar("WEPKey1", s.WEPKey1, 64);
    ReadVar("WEPKey2", s.WEPKey2, 64);
    ReadVar("WEPKey3", s.WEPKey3, 64);
    ReadVar("WEPKey4", s.WEPKey4, 64);
    ReadVar("WEPKey", s.PassKey, std::size(s.PassKey));
    ReadVar("WirelessEnable", s.WirelessEnableText, 64);
    ReadVar("WirlessCh", s.ChannelText, 64);
    s.Channel = WToInt(s.ChannelText);
    ReadVar("Encryption_Mode_bit0", s.EncModeBits, 64);
    s.EncryptionType = DigitsToInt(s.EncModeBits, 64, 0, 4);
    s.WirelessMode = DigitsToInt(s.EncModeBits, 64, 4, 4);
    ReadVar("KeyLen_Auth_bit0", s.KeyLenAuthBits, 64);
    s.KeyLength = DigitsToInt(s.KeyLenAuthBits, 64, 0, 4);
    s.AuthType = DigitsToInt(s.KeyLenAuthBits, 64, 4, 4);
    ReadVar("DKey_&_Format_bit0", s.DKeyFormatBits, 64);
    s.DefaultKeyIndex = DigitsToInt(s.DKeyFormatBits, 64, 0, 4);
    s.KeyFormat = DigitsToInt(s.DKeyFormatBits, 64, 4, 4);
    ReadVar("TXRate_bit0", s.TxRateBits, 64);
    s.TxRate = DigitsToInt(s.TxRateBits, 64, 0, 8);
    ReadVar("ChannelRange", s.ChannelRange, 64);
    ReadVar("WireMode", s.WireModeText, 64);
    ReadVar("Encryption", s.EncryptionText, 64);
    ReadVar("Authentication", s.AuthenticationText, 64);
    ReadVar("WEPKeyLen", s.WEPKeyLenText, 64);
    ReadVar("WEPKeyFormat", s.WEPKeyFormatText, 64);
    ReadVar("WEPdefaultKey", s.WEPdefaultKeyText, 64);
    ReadVar("TXRate", s.TXRateText, 64);
    return -1;
}

int CameraSession::CheckLogin(const wchar* adminId, const wchar* adminPwd)
{
    return CheckLogin(adminId, adminPwd, NewCredentials{});
}

int CameraSession::CheckLogin(const wchar* adminId, const wchar* adminPwd, const NewCredentials& texts)
{
    m_Engine.SetCameraAddress(m_Settings.CameraIP);
    m_Engine.m_nAdapterChoice = m_Settings.AdapterIndex;
    int r = RunVerification(adminId, adminPwd);
    if (r != -1)
        return r;
    WCopy(m_Settings.AdminID, 64, adminId);
    WCopy(m_Settings.AdminPwd, 64, adminPwd);
    if (texts.NewId)
        WCopy(m_Settings.NewID, 64, texts.NewId);
    if (texts.NewPwd)
        WCopy(m_Settings.NewPwd, 64, texts.NewPwd);
    if (texts.ConfirmPwd)
        WCopy(m_Settings.ConfirmPwd, 64, texts.ConfirmPwd);
    m_Engine.m_nRequestOption = 0;
    r = QueryCapabilities(adminId, adminPwd);
    bool wireless = false;
    for (int32_t code : m_Settings.Capabilities)
        wireless = wireless || code == kOpGetWLan;
    if (wireless && m_Settings.WlanEnabled == 1 && r == -1)
        r = ReadBackWireless(adminId, adminPwd);
    return r;
}

} // namespace orv

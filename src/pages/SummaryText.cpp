#include "pages/SummaryText.h"

#include <cstdio>

#include "pages/WirelessLogic.h"

namespace orv {

namespace {

template <std::size_t N>
std::u16string Text(const wchar (&field)[N])
{
    return std::u16string(field, WLen(field, std::size(field)));
}

} // namespace

std::array<std::u16string, 5> SummaryAddressTexts(const WizardSettings& s, SummaryPage page)
{
    if (s.DhcpEnabled == 1) {
        std::u16string shown = page == SummaryPage::Wireless ? u"" : u"Auto";
        return {shown, shown, shown, shown, shown};
    }
    return {Text(s.CameraIP), Text(s.SubnetMask), Text(s.Gateway), Text(s.PrimaryDNS),
            Text(s.SecondaryDNS)};
}

std::u16string SummaryPasswordText(const WizardSettings& s)
{
    return s.ChangePwd == 1 ? Text(s.ConfirmPwd) : Text(s.AdminPwd);
}

std::u16string SummaryWirelessText(const WizardSettings& s)
{
    return WlanOnByNumber(s.WirelessEnableText) ? u"Enable" : u"Disable";
}

std::u16string SummaryChannelText(const WizardSettings& s, SummaryPage page)
{
    if (page == SummaryPage::WirelessNew && s.WirelessMode == 0)
        return u"Auto";
    return WFromInt(s.Channel);
}

std::u16string SummaryAuthText(int32_t authType)
{
    static const char16_t* const kNames[] = {u"Open",    u"Shared", u"Open & Shared",
                                             u"WPA-PSK", u"WPA2",   u"WPA/WPA2"};
    return authType >= 0 && authType < 6 ? kNames[authType] : u"";
}

std::u16string SummaryEncryptText(int32_t encryptionType)
{
    static const char16_t* const kNames[] = {u"Disable", u"WEP", u"TKIP", u"AES", u"TKIP&AES"};
    return encryptionType >= 0 && encryptionType < 5 ? kNames[encryptionType] : u"";
}

std::u16string SummaryKeyText(const WizardSettings& s)
{
    switch (s.EncryptionType) {
    case 1:
        switch (s.DefaultKeyIndex) {
        case 1: return Text(s.WEPKey2);
        case 2: return Text(s.WEPKey3);
        case 3: return Text(s.WEPKey4);
        default: return Text(s.WEPKey1);
        }
    case 2:
    case 3:
    case 4:
        return Text(s.PassKey);
    default:
        return u"";
    }
}

int32_t SummaryResultMessage(SummaryPage page, int32_t result, int32_t msgCode)
{
    bool wireless = page != SummaryPage::NetWork;
    switch (result) {
    case 1: return 62;
    case 18: return 4;
    case 29: return 22;
    case 30: return 500 + msgCode;
    case 11:
    case 14:
    case 15: return wireless ? 2007 : 0;
    case 12:
    case 13: return wireless ? 2008 : 0;
    default: return 0;
    }
}

std::u16string SummaryGenericText(uint32_t result)
{
    char text[128];
    std::snprintf(text, sizeof text,
                  "Some error occured, error number is %u\r\nPlease try it again or contact your vendor.",
                  result);
    return U16(text);
}

} // namespace orv

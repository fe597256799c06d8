#include "SampleData.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace orv::skinshot {

namespace {

// A discovery reply with the fields the list page shows; the rest stays zero.
CamRecord SampleRecord(uint8_t n, const std::string& model, const std::string& name)
{
    CamRecord r{};
    r.Magic[0] = 0xEE;
    r.Magic[1] = 0xFE;
    r.Opcode[0] = 0xA1;
    const uint8_t mac[6] = {0x02, 0x00, 0x5E, 0x10, 0x00, n};
    std::memcpy(r.Mac, mac, sizeof mac);
    std::memcpy(r.Bytes() + CamRecord::kModelOffset, model.data(), std::min(model.size(), CamRecord::kModelSize - 1));
    std::memcpy(r.Bytes() + CamRecord::kNameOffset, name.data(), std::min(name.size(), CamRecord::kNameSize - 1));
    const uint8_t ip[4] = {198, 18, 0, n};
    std::memcpy(r.Bytes() + CamRecord::kIpOffset, ip, sizeof ip);
    r.Bytes()[CamRecord::kWebPortOffset] = 80;
    return r;
}

} // namespace

void FillSampleSettings(WizardSettings& s)
{
    WCopy(s.Model, u"NC-210W");
    WCopy(s.CameraName, u"Front door");
    WCopy(s.ListedIP, u"198.18.0.21");
    WCopy(s.MacText, u"02.00.5e.10.00.15");
    s.WebPort = 80;
    s.Capabilities[0] = kCapWireless;
    s.Capabilities[1] = kCapWps;

    WCopy(s.AdminID, u"admin");
    WCopy(s.AdminPwd, u"secret");
    WCopy(s.NewPwd, u"n3w-secret");
    WCopy(s.ConfirmPwd, u"n3w-secret");
    s.ChangePwd = 1;

    s.DhcpEnabled = 0;
    WCopy(s.CameraIP, u"198.18.0.21");
    WCopy(s.SubnetMask, u"255.254.0.0");
    WCopy(s.Gateway, u"198.18.0.1");
    WCopy(s.PrimaryDNS, u"198.18.0.53");
    WCopy(s.SecondaryDNS, u"198.18.0.54");

    s.WlanEnabled = 1;
    WCopy(s.WirelessEnableText, u"1");
    s.WirelessMode = 0;
    WCopy(s.ESSID, u"office");
    s.Channel = 6;
    // One character per channel, channel 1 last: channels 1 to 11.
    WCopy(s.ChannelRange, u"00000000000000000000011111111111");
    WCopy(s.EncryptionText, u"00001111");
    WCopy(s.AuthenticationText, u"00111111");
    WCopy(s.WEPKeyLenText, u"00000011");
    WCopy(s.WEPKeyFormatText, u"00000011");
    WCopy(s.WEPdefaultKeyText, u"00001111");
    WCopy(s.WEPKey1, u"0123456789");
    WCopy(s.WEPKey2, u"1234567890");
    UseSampleWep(s);
}

void UseSampleWep(WizardSettings& s)
{
    s.AuthType = 0;
    s.EncryptionType = 1;
    s.KeyLength = 0;
    s.KeyFormat = 1; // the sample keys are ten hex digits
    s.DefaultKeyIndex = 0;
    s.PassKey[0] = 0;
}

void UseSampleWpa2(WizardSettings& s)
{
    s.AuthType = 4;
    s.EncryptionType = 3;
    WCopy(s.PassKey, u"long passphrase");
}

void FeedSampleCameras(CCamEngine& engine)
{
    const std::vector<CamRecord> found = {SampleRecord(21, "NC-210W", "Front door"),
                                          SampleRecord(47, "NC-330", "Garage"),
                                          SampleRecord(32, "NC-210W", "Warehouse")};
    engine.m_AdapterSource = [&engine, found] {
        {
            std::lock_guard lock(engine.m_csDone);
            engine.m_Found.insert(engine.m_Found.end(), found.begin(), found.end());
            engine.m_nFound = static_cast<int32_t>(engine.m_Found.size());
        }
        return std::vector<AdapterAddresses>{};
    };
}

} // namespace orv::skinshot

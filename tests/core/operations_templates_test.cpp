// The installed template set against the operations' payload areas and
// against the layouts the simulated firmware keeps on its own.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "engine/CamEngine.h"
#include "sim/DiscoveryLayout.h"
#include "sim/SimLayouts.h"
#include "template/Operations.h"
#include "template/TemplateFile.h"

using namespace orv;
namespace tpl = orvsim::tpl;

namespace {

const std::string kFolder = std::string(ORVANTA_SOURCE_DIR) + "/data/tOrvanta/";

// Offset and length of each field, in template order.
std::map<std::string, tpl::Field> Layout(CCamEngine& e, const char* file, std::size_t* total = nullptr)
{
    static char text[kTemplateTextBytes];
    EXPECT_EQ(LoadTemplateInto(e, kFolder, file, text), 0) << file;
    std::map<std::string, tpl::Field> out;
    std::size_t at = 0;
    for (int i = 0; i < e.m_nFieldCount; ++i) {
        const auto len = static_cast<std::size_t>(e.m_Fields[i].Length);
        out[Utf8(e.m_Fields[i].Name)] = {at, len};
        at += len;
    }
    if (total)
        *total = at;
    return out;
}

TEST(Templates, EveryFileUsesCrLfAndParses)
{
    CCamEngine e;
    for (const TemplateOperation& op : kTemplateOperations) {
        if (!op.TemplateFile)
            continue;
        std::ifstream in(kFolder + op.TemplateFile, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        ASSERT_FALSE(text.empty()) << op.TemplateFile;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << op.TemplateFile;
            }
    }
}

TEST(Templates, PayloadsFitTheirOperationsAreas)
{
    CCamEngine e;
    for (const TemplateOperation& op : kTemplateOperations) {
        if (!op.TemplateFile || op.Opcode == kOpPollWPSStatus)
            continue;
        SCOPED_TRACE(op.Name);
        std::size_t total = 0;
        Layout(e, op.TemplateFile, &total);
        const int room = op.HasPayload ? op.RequestSize - kRequestHeaderSize : op.ReplySize - kReplyHeaderSize;
        EXPECT_LE(static_cast<int>(total), room);
        if (op.Opcode == kOpInitWPS || op.Opcode == kOpSetBasic || op.Opcode == kOpChangeIDPWD) {
            EXPECT_EQ(static_cast<int>(total), room); // these use all of it
        }
    }
    std::size_t total = 0;
    Layout(e, "Discovery_temp", &total);
    EXPECT_EQ(total, orvsim::layout::kPayloadSize);
}

struct Expect {
    const char* File;
    const char* Name;
    tpl::Field Where;
};

TEST(Templates, AgreeWithTheFirmwareLayouts)
{
    namespace d = orvsim::layout;
    auto payload = [](d::Field f) { return tpl::Field{f.Offset - d::kHeaderSize, f.Size}; };
    const Expect cases[] = {
        {"Discovery_temp", "CameraName", payload(d::kCameraName)},
        {"Discovery_temp", "CameraIP", payload(d::kCameraIP)},
        {"Discovery_temp", "SubNetMask", payload(d::kSubNetMask)},
        {"Discovery_temp", "Gateway", payload(d::kGateway)},
        {"Discovery_temp", "PriDNS", payload(d::kPriDNS)},
        {"Discovery_temp", "SecDNS", payload(d::kSecDNS)},
        {"Discovery_temp", "DHCP", payload(d::kDHCP)},
        {"Discovery_temp", "Webport", payload(d::kWebport)},
        {"Discovery_temp", "Reserved", payload(d::kReserved)},
        {"Discovery_temp", "DNSSpec", payload(d::kDNSSpec)},
        {"Discovery_temp", "Model", payload(d::kModel)},
        {"Discovery_temp", "Name", payload(d::kName)},
        {"Discovery_temp", "IP", payload(d::kIp)},
        {"Discovery_temp", "WebPort", payload(d::kWebPort)},
        {"Discovery_temp", "ProdHWSpec", payload(d::kProdHWSpec)},
        {"Verification_temp", "Power", tpl::kPower},
        {"SetBasic_temp", "CameraName", tpl::kBasicName},
        {"SetBasic_temp", "CameraIP", tpl::kBasicIp},
        {"SetBasic_temp", "SubNetMask", tpl::kBasicMask},
        {"SetBasic_temp", "Gateway", tpl::kBasicGateway},
        {"SetBasic_temp", "PriDNS", tpl::kBasicDns1},
        {"SetBasic_temp", "SecDNS", tpl::kBasicDns2},
        {"SetBasic_temp", "DHCP", tpl::kBasicDhcp},
        {"SetBasic_temp", "Webport", tpl::kBasicWebport},
        {"SetBasic_temp", "Reserved", tpl::kBasicReserved},
        {"SetBasic_temp", "DNSSpec", tpl::kBasicDnsSpec},
        {"ChangeIDPWD_temp", "EncryptedID", tpl::kEncryptedId},
        {"ChangeIDPWD_temp", "EncryptedPassword", tpl::kEncryptedPassword},
        {"SetWLan_temp", "ESSID", tpl::kEssid},
        {"SetWLan_temp", "WEPKey1", tpl::kWepKey[0]},
        {"SetWLan_temp", "WEPKey4", tpl::kWepKey[3]},
        {"SetWLan_temp", "WEPKey", tpl::kPassKey},
        {"SetWLan_temp", "WirelessEnable", tpl::kWlanEnable},
        {"SetWLan_temp", "WirlessCh", tpl::kChannel},
        {"SetWLan_temp", "Encryption_Mode_bit0", tpl::kEncMode},
        {"SetWLan_temp", "KeyLen_Auth_bit0", tpl::kKeyLenAuth},
        {"SetWLan_temp", "DKey_&_Format_bit0", tpl::kDKeyFormat},
        {"SetWLan_temp", "TXRate_bit0", tpl::kTxRateBits},
        {"GetWLan_temp", "ESSID", tpl::kEssid},
        {"GetWLan_temp", "WEPKey", tpl::kPassKey},
        {"GetWLan_temp", "TXRate_bit0", tpl::kTxRateBits},
        {"GetWLan_temp", "ChannelRange", tpl::kChannelRange},
        {"GetWLan_temp", "WireMode", {tpl::kWireMode, 1}},
        {"GetWLan_temp", "Encryption", {tpl::kEncryption, 1}},
        {"GetWLan_temp", "Authentication", {tpl::kAuthentication, 1}},
        {"GetWLan_temp", "WEPKeyLen", {tpl::kWepKeyLen, 1}},
        {"GetWLan_temp", "WEPKeyFormat", {tpl::kWepKeyFormat, 1}},
        {"GetWLan_temp", "WEPdefaultKey", {tpl::kWepDefaultKey, 1}},
        {"GetWLan_temp", "TXRate", {tpl::kTxRate, 1}},
        {"QueryWPS_temp", "WPS_PBC", tpl::kWpsPbc},
        {"QueryWPS_temp", "WPS_PIN", tpl::kWpsPin},
        {"InitWPS_temp", "Mode", tpl::kWpsMode},
        {"InitWPS_temp", "PINCODE", tpl::kWpsPinCode},
        {"InitWPS_temp", "DHPublicKey", tpl::kClientKey},
        {"PollWPSInf_temp", "CameraPublicKey", tpl::kCameraKey},
        {"SendWPS_temp", "SharedSecret", tpl::kSecret},
    };
    CCamEngine e;
    for (const Expect& c : cases) {
        SCOPED_TRACE(std::string(c.File) + " " + c.Name);
        auto layout = Layout(e, c.File);
        ASSERT_TRUE(layout.count(c.Name));
        EXPECT_EQ(layout[c.Name].Offset, c.Where.Offset);
        EXPECT_EQ(layout[c.Name].Size, c.Where.Size);
    }
}

// The wireless pages read what the camera offers as "0"/"1" texts, one
// character per choice, so every offer field must decode as bits.
TEST(Templates, WirelessOffersArriveAsBitTexts)
{
    CCamEngine e;
    std::size_t total = 0;
    Layout(e, "GetWLan_temp", &total);
    EXPECT_EQ(total, tpl::kGetWLanPayload);
    for (const char* name : {"ChannelRange", "WireMode", "Encryption", "Authentication", "WEPKeyLen", "WEPKeyFormat",
                             "WEPdefaultKey", "TXRate"}) {
        SCOPED_TRACE(name);
        int i = 0;
        while (i < e.m_nFieldCount && Utf8(e.m_Fields[i].Name) != name)
            ++i;
        ASSERT_LT(i, e.m_nFieldCount);
        EXPECT_EQ(Utf8(e.m_Fields[i].Transform), "Tb2S0");
        EXPECT_EQ(Utf8(e.m_Fields[i].DefaultValue), std::string(8 * static_cast<std::size_t>(e.m_Fields[i].Length), '0'));
    }
}

TEST(Templates, KeyAgreementIsWiredThroughTheWpsTemplates)
{
    CCamEngine e;
    auto transformOf = [&](const char* file, const char* name) {
        Layout(e, file);
        for (int i = 0; i < e.m_nFieldCount; ++i)
            if (Utf8(e.m_Fields[i].Name) == name)
                return Utf8(e.m_Fields[i].Transform);
        return std::string();
    };
    EXPECT_EQ(transformOf("InitWPS_temp", "DHPublicKey"), "TGDHPKey");
    EXPECT_EQ(transformOf("PollWPSInf_temp", "CameraPublicKey"), "TGDHSKey");
    EXPECT_EQ(transformOf("SendWPS_temp", "SharedSecret"), "TSDHSKey");
    EXPECT_EQ(transformOf("ChangeIDPWD_temp", "EncryptedPassword"), "TS2ZTEncode");
}

} // namespace

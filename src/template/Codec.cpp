// EncodeRequest and DecodeReply: walk the field table in order, each field
// taking exactly its Length bytes on the wire whatever its conversion.
#include <cstdio>
#include <cstring>

#include "engine/CamEngine.h"
#include "template/Conversions.h"

namespace orv {
namespace {

bool Is(const wchar* transform, const char16_t* name)
{
    return WEqual(transform, name);
}

void EncodeField(const TemplateField& f, int len, uint8_t* out, uint8_t (&dhSecret)[kDhSecretBytes])
{
    switch (ConversionOf(f.Transform)) {
    case Conversion::Number: EncodeNumber(f, len, out); break;
    case Conversion::Chars: EncodeChars(f, len, out); break;
    case Conversion::IpAddress: EncodeIpAddress(f, len, out); break;
    case Conversion::BitString: EncodeBitString(f, len, out); break;
    case Conversion::Base64: EncodeBase64(f, len, out); break;
    case Conversion::ZtEncode: EncodeZt(f, len, out); break;
    case Conversion::DhPublicKey: EncodeDhPublicKey(len, out); break;
    case Conversion::DhSendSecret: EncodeDhSecret(len, out, dhSecret); break;
    default: break; // sent as zeros
    }
}

void DecodeField(TemplateField& f, int len, const uint8_t* in, uint8_t (&dhSecret)[kDhSecretBytes])
{
    switch (ConversionOf(f.Transform)) {
    case Conversion::Number: DecodeNumber(f, in); break;
    case Conversion::Chars: DecodeChars(f, len, in); break;
    case Conversion::IpAddress: DecodeIpAddress(f, len, in); break;
    case Conversion::BitString: DecodeBitString(f, len, in); break;
    case Conversion::Base64: DecodeBase64(f, in); break;
    case Conversion::ZtDecode: DecodeZt(f, len, in); break;
    case Conversion::DhPeerKey: DecodeDhPeerKey(len, in, dhSecret); break;
    default: break; // Value kept
    }
}

bool IsTemplateReply(int32_t type)
{
    switch (type) {
    case 161: case 163: case 166: case 168: case 172: case 174: case 175: case 178: case 180:
        return true;
    default:
        return false;
    }
}

} // namespace

Conversion ConversionOf(const wchar* t)
{
    if (Is(t, u"TW2S") || Is(t, u"TB2S"))
        return Conversion::Number;
    if (Is(t, u"TC2S"))
        return Conversion::Chars;
    if (Is(t, u"TIP2S"))
        return Conversion::IpAddress;
    if (Is(t, u"Tb2S0"))
        return Conversion::BitString;
    if (Is(t, u"TS2BASE64"))
        return Conversion::Base64;
    if (Is(t, u"TS2ZTEncode"))
        return Conversion::ZtEncode;
    if (Is(t, u"TS2ZTDecode"))
        return Conversion::ZtDecode;
    if (Is(t, u"TGDHPKey"))
        return Conversion::DhPublicKey;
    if (Is(t, u"TSDHSKey"))
        return Conversion::DhSendSecret;
    if (Is(t, u"TGDHSKey"))
        return Conversion::DhPeerKey;
    return Conversion::None;
}

int CCamEngine::EncodeRequest()
{
    std::memset(m_WorkText, 0, sizeof m_WorkText);
    std::memset(m_WireBytes, 0, sizeof m_WireBytes);
    int p = kHeaderUnits;
    const int count = FieldCountInUse(m_nFieldCount);
    for (int i = 0; i < count; ++i) {
        const int len = FieldUnits(m_Fields[i].Length);
        uint8_t field[kScratchUnits] = {};
        EncodeField(m_Fields[i], len, field, m_DhSecret);
        // A payload never runs past the work buffer: the field is cut there.
        const int room = kWorkUnits - p;
        const int kept = len < room ? len : room;
        for (int k = 0; k < kept; ++k)
            m_WorkText[p + k] = field[k];
        p += kept;
    }
    m_nPayloadLength = p - kHeaderUnits;
    for (int k = 0; k < p; ++k)
        m_WireBytes[k] = static_cast<uint8_t>(m_WorkText[k] & 0xFF);
    return 0;
}

int CCamEngine::DecodeReply(int32_t type)
{
    if (type == 165) {
        // Capability list: the reply builds the table, no template involved.
        ResetFieldTable();
        int n = ((m_WorkText[4] & 0xFF) | ((m_WorkText[5] & 0xFF) << 8)) / 2;
        if (n > kMaxFields)
            n = kMaxFields;
        for (int i = 0; i < n; ++i) {
            const wchar* code = m_WorkText + kHeaderUnits + static_cast<std::ptrdiff_t>(2) * i;
            char name[16];
            std::snprintf(name, sizeof name, "OPCode%02d", i + 1);
            TemplateField& f = m_Fields[i];
            WCopy(f.Name, U16(name));
            WCopy(f.Value, WFromInt((code[0] & 0xFF) | ((code[1] & 0xFF) << 8)));
            f.Kind = kParsed;
        }
        m_nFieldCount = n;
        return 0;
    }
    if (!IsTemplateReply(type))
        return 0;
    int p = type == 161 ? 0 : kHeaderUnits;
    const int count = FieldCountInUse(m_nFieldCount);
    for (int i = 0; i < count; ++i) {
        const int len = FieldUnits(m_Fields[i].Length);
        // Zeroed scratch: a short reply decodes from zeros, and the field is
        // always followed by a zero byte.
        uint8_t field[kScratchUnits] = {};
        for (int k = 0; k < len && p + k < kWorkUnits; ++k)
            field[k] = static_cast<uint8_t>(m_WorkText[p + k] & 0xFF);
        p = p + len < kWorkUnits ? p + len : kWorkUnits;
        DecodeField(m_Fields[i], len, field, m_DhSecret);
    }
    return 0;
}

} // namespace orv

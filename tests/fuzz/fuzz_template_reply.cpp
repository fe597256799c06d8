// Camera replies to every template operation, through the same transaction,
// status-block handling and template decoding the pages use: the login with
// its capability list and wireless read-back, the apply sequence with the
// camera's waits, and every WPS step. The network is replaced by the
// engine's exchange script, so each input runs in microseconds.
//
// Input: one scenario byte, then datagrams, each as a flags byte (bit 0: take
// the sequence number, opcode and MAC address from the request, so the
// fuzzer reaches past the header; bit 1: last datagram of this request) and
// a 16-bit little-endian length, then its bytes. Requests find no more
// datagrams once the input is used up, as with a camera gone silent.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"
#include "template/CameraSession.h"
#include "template/KeyAgreement.h"
#include "template/TemplateFile.h"

using namespace orv;

namespace {

class Replies {
public:
    Replies(const uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}

    std::vector<std::vector<uint8_t>> Answer(const uint8_t* request, int requestSize)
    {
        std::vector<std::vector<uint8_t>> out;
        while (m_At + 3 <= m_Size) {
            const uint8_t flags = m_Data[m_At];
            std::size_t length = m_Data[m_At + 1] | (m_Data[m_At + 2] << 8);
            m_At += 3;
            if (length > m_Size - m_At)
                length = m_Size - m_At;
            std::vector<uint8_t> d(m_Data + m_At, m_Data + m_At + length);
            m_At += length;
            if ((flags & 1) && d.size() >= 12 && requestSize >= 12)
                std::memcpy(d.data() + 2, request + 2, 10);
            out.push_back(std::move(d));
            if (flags & 2)
                break;
        }
        return out;
    }

private:
    const uint8_t* m_Data;
    std::size_t m_Size;
    std::size_t m_At = 0;
};

template <std::size_t N>
void CheckTerminated(const wchar (&text)[N])
{
    if (WLen(text, N) >= N)
        std::abort();
}

void CheckSettings(const WizardSettings& s)
{
    // Every text the replies filled stays terminated inside its field.
    CheckTerminated(s.ESSID);
    CheckTerminated(s.WEPKey1);
    CheckTerminated(s.WEPKey2);
    CheckTerminated(s.WEPKey3);
    CheckTerminated(s.WEPKey4);
    CheckTerminated(s.PassKey);
    CheckTerminated(s.ChannelRange);
    CheckTerminated(s.WireModeText);
    CheckTerminated(s.EncryptionText);
    CheckTerminated(s.AuthenticationText);
    CheckTerminated(s.TXRateText);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::QuietCheapKeyAgreement();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int scenario = data[0] % 4;
    Replies replies(data + 1, size - 1);

    // One engine for the whole run, put back to a fresh engine's state for
    // every input: a new one per input would cost more than the input.
    static CCamEngine* const shared = new CCamEngine;
    CCamEngine* const engine = shared;
    engine->m_nSeq = 0;
    engine->m_nSelIndex = -1;
    engine->m_nAdapterChoice = -1;
    engine->m_nPayloadLength = 0;
    engine->ClearCancel();
    WCopy(engine->m_szCameraIP, u"192.168.0.20");
    std::memset(engine->m_DhSecret, 0, sizeof engine->m_DhSecret);
    std::memset(engine->m_WorkText, 0, sizeof engine->m_WorkText);
    std::memset(engine->m_WireBytes, 0, sizeof engine->m_WireBytes);
    engine->ClearFields();
    engine->m_ExchangeScript = [&](const uint8_t* request, int requestSize) {
        return replies.Answer(request, requestSize);
    };
    auto settings = std::make_unique<WizardSettings>();
    WCopy(settings->MacText, u"02.00.00.00.00.01");
    WCopy(settings->AdminID, u"admin");
    WCopy(settings->AdminPwd, u"secret");
    WCopy(settings->Model, u"Q47-FUZZ");
    settings->Kind = 2;
    settings->WlanEnabled = 1;
    settings->ChangeID = settings->ChangePwd = 1;
    CameraSession session(*engine, *settings, TemplateFolderOf(ORVANTA_SOURCE_DIR "/data"));
    session.m_Sleep = [](int) {}; // the waits a camera asks for are not slept here

    switch (scenario) {
    case 0:
        session.CheckLogin(u"admin", u"secret");
        break;
    case 1:
        session.ApplySettings(true);
        break;
    case 2:
        session.RunQueryWps(u"admin", u"secret");
        session.RunInitWps(u"admin", u"secret", "12345670");
        session.PollWpsInfo(u"admin", u"secret");
        session.RunSendWps(u"admin", u"secret");
        session.PollWpsStatus(u"admin", u"secret");
        session.EnableWireless();
        session.ResetCamera();
        break;
    default: {
        // The login of a camera without wireless settings, keeping the
        // page's other texts (the pairing loop is left out: its window is
        // wall-clock time, a second per input).
        settings->WlanEnabled = 0;
        CameraSession::NewCredentials texts;
        texts.NewId = u"root";
        texts.NewPwd = texts.ConfirmPwd = u"n3w";
        session.CheckLogin(u"admin", u"secret", texts);
        break;
    }
    }
    CheckSettings(*settings);
    for (int32_t code : settings->Capabilities)
        if (code < 0 || code > 0xFFFF)
            std::abort();
    engine->m_ExchangeScript = nullptr;
    ReleaseKeyAgreement();
    return 0;
}

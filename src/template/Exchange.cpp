// The template transaction: broadcast one request and wait for the reply
// whose sequence number, MAC address and opcode match it, resending the same
// request when a try passes without one.
#include <cstring>
#include <string>
#include <vector>

#include "engine/CamEngine.h"
#include "engine/DatagramWait.h"
#include "engine/WSClient.h"
#include "template/Operations.h"

namespace orv {

namespace {

unsigned Get16(const uint8_t* at)
{
    return static_cast<unsigned>(at[0] | (at[1] << 8));
}

// Status of a try that ended without an answer: the same for a silent
// camera, a cancelled wait and a wait the system could not do.
constexpr int kNoReplyStatus = 3;

enum class Next { Datagram, TimedOut, Cancelled, Failed };

// One try's way to the camera: a socket through the socket client, or the
// engine's exchange script (fuzzing and tests without a network).
class Channel {
public:
    Channel(CCamEngine& engine, std::vector<uint8_t>& datagram) : m_Engine(engine), m_Datagram(datagram) {}
    ~Channel() { m_Client.CloseSockets(); }

    // Opens and sends: 0, or the engine status 12, 13 or 14.
    int Send(const std::string& localAddress, const uint8_t* request, int requestSize)
    {
        if (m_Engine.m_ExchangeScript) {
            m_Script = m_Engine.m_ExchangeScript(request, requestSize);
            m_Taken = 0;
            return 0;
        }
        if (m_Client.OpenDatagram(m_Engine.m_szRequestHost, m_Engine.m_nRequestPort,
                localAddress.empty() ? nullptr : localAddress.c_str()) != 0)
            return 12;
        if (m_Client.EnableBroadcast() != 0)
            return 13;
        int length = requestSize;
        if (m_Client.SendDatagram(request, length) != 0)
            return 14;
        return 0;
    }

    // The next datagram, whole, into the buffer (`length` its size).
    Next Receive(WaitClock::time_point deadline, int& length)
    {
        if (m_Engine.CancelRequested())
            return Next::Cancelled;
        if (m_Engine.m_ExchangeScript) {
            if (m_Taken >= m_Script.size())
                return Next::TimedOut;
            const std::vector<uint8_t>& d = m_Script[m_Taken++];
            length = static_cast<int>(d.size() < m_Datagram.size() ? d.size() : m_Datagram.size());
            if (length > 0)
                std::memcpy(m_Datagram.data(), d.data(), static_cast<std::size_t>(length));
            return Next::Datagram;
        }
        for (;;) {
            pollfd socket{m_Client.m_hSocket, POLLIN, 0};
            const WaitResult wait = WaitForDatagrams({&socket, 1}, deadline, &m_Engine.m_bCancel);
            if (wait == WaitResult::Cancelled)
                return Next::Cancelled;
            if (wait != WaitResult::Ready)
                return Next::TimedOut; // a wait that failed counts as one that ran out
            length = static_cast<int>(m_Datagram.size());
            const int rc = m_Client.ReceiveDatagram(m_Datagram.data(), length, 0);
            if (rc == 0)
                return Next::Datagram;
            if (rc != kWsTimedOut)
                return Next::Failed;
        }
    }

private:
    CCamEngine& m_Engine;
    std::vector<uint8_t>& m_Datagram;
    CUT_WSClient m_Client;
    std::vector<std::vector<uint8_t>> m_Script;
    std::size_t m_Taken = 0;
};

} // namespace

ReplyKind JudgeReply(const uint8_t* datagram, int length, const uint8_t* request)
{
    if (length < 2 || Get16(datagram) != kReplyMagic)
        return ReplyKind::NotAReply;
    if (length >= 12 && Get16(datagram + 2) == Get16(request + 2) && Get16(datagram + 4) == Get16(request + 4) &&
        std::memcmp(datagram + 6, request + 6, 6) == 0)
        return ReplyKind::Answer;
    return ReplyKind::OtherReply;
}

void CCamEngine::RequestCancel()
{
    m_bCancel = true;
}

void CCamEngine::ClearCancel()
{
    m_bCancel = false;
}

bool CCamEngine::CancelRequested() const
{
    return m_bCancel.load();
}

int CCamEngine::ExchangeTemplatePacket(const uint8_t* request, int requestSize, uint8_t* reply,
    int replySize, int tries)
{
    // Without a try nothing can have answered: that is "no matching reply",
    // never success.
    int result = tries > 0 ? -1 : 0;
    if (tries <= 0)
        m_nStatus = 0;

    std::string localAddress;
    if (m_nAdapterChoice >= kMaxAddresses) {
        m_nStatus = 12;
        return 12;
    }
    if (m_nAdapterChoice >= 0)
        localAddress = Utf8(std::u16string_view(m_AddrText[m_nAdapterChoice],
            WLen(m_AddrText[m_nAdapterChoice], 16)));

    // Every datagram is received whole into a buffer of its own and judged on
    // its own bytes: a stray of any size never cuts, shifts or mixes into the
    // reply the caller gets.
    std::vector<uint8_t> datagram(kMaxDatagramBytes);
    while (tries > 0) {
        // A cancelled step sends nothing more and ends like a silent camera.
        if (CancelRequested()) {
            result = m_nStatus = kNoReplyStatus;
            break;
        }
        Channel channel(*this, datagram);
        if (const int failed = channel.Send(localAddress, request, requestSize); failed != 0) {
            result = m_nStatus = failed;
            break;
        }

        // The try ends at this wall-clock time whatever arrives meanwhile:
        // empty datagrams, strays or a flood never restart the wait.
        const WaitClock::time_point deadline = WaitClock::now() + std::chrono::seconds(m_nReplyWaitSeconds);
        int received = 0;
        bool ended = false; // the try ended by a time-out, an error or an answer
        while (received < replySize) {
            int length = 0;
            const Next next = channel.Receive(deadline, length);
            if (next == Next::Cancelled)
                tries = 0;
            if (next != Next::Datagram) {
                --tries;
                result = m_nStatus = next == Next::Failed ? 15 : kNoReplyStatus;
                ended = true;
                break;
            }
            const ReplyKind kind = JudgeReply(datagram.data(), length, request);
            if (kind == ReplyKind::NotAReply)
                continue; // not a camera's reply: ignored
            tries = 0;    // a camera answered: do not ask again
            if (kind == ReplyKind::Answer) {
                // The reply buffer holds the reply's first bytes and zeros
                // where a short reply ends.
                const int kept = length < replySize ? length : replySize;
                std::memcpy(reply, datagram.data(), static_cast<std::size_t>(kept));
                std::memset(reply + kept, 0, static_cast<std::size_t>(replySize - kept));
                result = -1;
                m_nStatus = 0;
                ended = true;
                break;
            }
            // Another camera's reply (or an older one of ours): it counts
            // toward the reply size, so such replies end the wait early.
            received += length;
            result = 0;
            m_nStatus = 0;
        }
        // Replies that filled the reply size without an answer still use the
        // try up, so foreign replies cannot make the exchange endless.
        if (!ended && tries > 0)
            --tries;
    }
    return result;
}

} // namespace orv

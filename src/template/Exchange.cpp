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

} // namespace

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
    CUT_WSClient client;
    while (tries > 0) {
        // A cancelled step sends nothing more and ends like a silent camera.
        if (CancelRequested()) {
            result = m_nStatus = kNoReplyStatus;
            break;
        }
        if (client.OpenDatagram(m_szRequestHost, m_nRequestPort,
                m_nAdapterChoice >= 0 ? localAddress.c_str() : nullptr) != 0) {
            result = m_nStatus = 12;
            break;
        }
        if (client.EnableBroadcast() != 0) {
            result = m_nStatus = 13;
            client.CloseSockets();
            break;
        }
        int length = requestSize;
        if (client.SendDatagram(request, length) != 0) {
            result = m_nStatus = 14;
            client.CloseSockets();
            break;
        }

        // The try ends at this wall-clock time whatever arrives meanwhile:
        // empty datagrams, strays or a flood never restart the wait.
        const WaitClock::time_point deadline = WaitClock::now() + std::chrono::seconds(m_nReplyWaitSeconds);
        int received = 0;
        bool ended = false; // the try ended by a time-out, an error or an answer
        while (received < replySize) {
            pollfd socket{client.m_hSocket, POLLIN, 0};
            const WaitResult wait = WaitForDatagrams({&socket, 1}, deadline, &m_bCancel);
            if (wait == WaitResult::Cancelled)
                tries = 0;
            if (wait != WaitResult::Ready) {
                --tries;
                result = m_nStatus = kNoReplyStatus;
                ended = true;
                break;
            }
            length = kMaxDatagramBytes;
            const int rc = client.ReceiveDatagram(datagram.data(), length, 0);
            if (rc == kWsTimedOut)
                continue; // nothing to read after all
            if (rc != 0) {
                --tries;
                result = m_nStatus = 15;
                ended = true;
                break;
            }
            if (length < 2 || Get16(datagram.data()) != kReplyMagic)
                continue; // not a camera's reply: ignored
            tries = 0;    // a camera answered: do not ask again
            if (length >= 12 && Get16(datagram.data() + 2) == Get16(request + 2) &&
                Get16(datagram.data() + 4) == Get16(request + 4) &&
                std::memcmp(datagram.data() + 6, request + 6, 6) == 0) {
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
        client.CloseSockets();
    }
    return result;
}

} // namespace orv

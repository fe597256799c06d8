// The template transaction: broadcast one request and wait for the reply
// whose sequence number, MAC address and opcode match it, resending the same
// request when a try passes without one.
#include <cstring>
#include <string>

#include "engine/CamEngine.h"
#include "engine/WSClient.h"
#include "template/Operations.h"

namespace orv {

namespace {

unsigned Get16(const uint8_t* at)
{
    return static_cast<unsigned>(at[0] | (at[1] << 8));
}

} // namespace

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

    CUT_WSClient client;
    while (tries > 0) {
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

        int received = 0;
        bool answered = false; // a try that ended with a time-out or error
        while (received < replySize) {
            // Every datagram is tested by itself: clear what an earlier one
            // left so a short datagram is never matched on stale bytes.
            std::memset(reply, 0, static_cast<std::size_t>(replySize));
            length = replySize - received;
            const int rc = client.ReceiveDatagram(reply, length, m_nReplyWaitSeconds);
            if (rc != 0) {
                --tries;
                result = m_nStatus = (rc == kWsTimedOut ? 3 : 15);
                answered = true;
                break;
            }
            if (length >= 2 && Get16(reply) == kReplyMagic) {
                tries = 0; // a camera answered: do not ask again
                if (length >= 12 && Get16(reply + 2) == Get16(request + 2) &&
                    Get16(reply + 4) == Get16(request + 4) && std::memcmp(reply + 6, request + 6, 6) == 0) {
                    result = -1;
                    m_nStatus = 0;
                    answered = true;
                    break;
                }
            }
            received += length;
            result = 0;
            m_nStatus = 0;
        }
        // Datagrams that filled the reply size without an answer still use
        // the try up, so a stream of foreign traffic cannot make it endless.
        if (!answered && tries > 0)
            --tries;
        client.CloseSockets();
    }
    return result;
}

} // namespace orv

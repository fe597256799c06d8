// The background camera search: one discovery request from the first address
// of every adapter, every accepted reply one record, each camera listed once.
#include <cstring>
#include <system_error>

#include "engine/CamEngine.h"
#include "engine/DiscoveryPacket.h"
#include "engine/WSClient.h"
#include "platform/core/AnsiText.h"

namespace orv {

namespace {

constexpr uint32_t kAllWorkers = 1 | 2 | 4 | 8;
constexpr uint32_t kSearchBit = 4;
constexpr int kReplyWaitSeconds = 3;
// Room for a burst of thousands of replies while the worker reads them.
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;

} // namespace

int CCamEngine::StartSearch()
{
    // The previous worker has set its bit by now; collect its thread before
    // the slot is reused.
    WaitForSearch();
    {
        std::lock_guard lock(m_csDone);
        m_Found.clear();
        m_FoundMacs.clear();
        m_nFound = 0;
        m_nDone = 0;
        m_bSearching = 1;
    }
    m_bStopSearch = false;
    try {
        m_hWorker[2] = std::thread([this] {
            Discover();
            std::lock_guard lock(m_csDone);
            m_nDone |= kSearchBit;
        });
    } catch (const std::system_error&) {
        // No worker: the search ends at once with an empty list so the list
        // page, which waits for the bit, finishes normally.
        std::lock_guard lock(m_csDone);
        m_nDone |= kSearchBit;
    }
    std::lock_guard lock(m_csDone);
    m_nDone |= kAllWorkers & ~kSearchBit;
    return 0;
}

bool CCamEngine::IsSearchDone() const
{
    std::lock_guard lock(m_csDone);
    return m_nDone == kAllWorkers;
}

void CCamEngine::WaitForSearch()
{
    if (m_hWorker[2].joinable())
        m_hWorker[2].join();
}

void CCamEngine::RefreshAddresses()
{
    for (int i = 0; i < kMaxAddresses; ++i) {
        m_AddrText[i][0] = 0;
        m_AddrAdapter[i] = 0;
    }
    m_nAddrCount = 0;
    const std::vector<AdapterAddresses> adapters = m_AdapterSource ? m_AdapterSource() : std::vector<AdapterAddresses>{};
    int32_t ordinal = 0;
    for (const auto& adapter : adapters) {
        for (const auto& address : adapter.Addresses) {
            if (m_nAddrCount >= kMaxAddresses)
                return;
            WCopy(m_AddrText[m_nAddrCount], AnsiToWide(address.substr(0, 15)));
            m_AddrAdapter[m_nAddrCount] = ordinal;
            ++m_nAddrCount;
        }
        ++ordinal;
    }
}

void CCamEngine::Discover()
{
    CUT_WSClient client;
    ++m_nSeq;
    uint8_t request[kDiscoveryRequestSize];
    BuildDiscoveryRequest(request, m_nSeq, m_wProtoVersion);
    m_nKind = 2;
    m_bSearching = 1;
    m_nSearchedAdapters = 0;

    RefreshAddresses();
    int32_t lastAdapter = -1;
    for (int32_t i = 0; i < m_nAddrCount && !m_bStopSearch; ++i) {
        if (m_AddrAdapter[i] <= lastAdapter)
            continue;
        lastAdapter = m_AddrAdapter[i];
        if (WEqual(m_AddrText[i], u"0.0.0.0"))
            continue;
        const std::string local = WideToAnsi(m_AddrText[i]);
        if (client.OpenDatagram("255.255.255.255", kCameraPort, local.c_str()) != 0) {
            m_nStatus = 12;
            break;
        }
        if (client.EnableBroadcast() != 0) {
            m_nStatus = 13;
            break;
        }
        client.SetReceiveBuffer(kReceiveBufferBytes);
        int length = kDiscoveryRequestSize;
        if (client.SendDatagram(request, length) != 0) {
            m_nStatus = 14;
            break;
        }
        ++m_nSearchedAdapters;
        while (!m_bStopSearch) {
            CamRecord record;
            std::memset(&record, 0, sizeof record);
            int got = static_cast<int>(kDiscoveryReplySize);
            if (client.ReceiveDatagram(record.Bytes(), got, kReplyWaitSeconds) != 0) {
                m_nStatus = 15;
                client.CloseSockets();
                break;
            }
            // A longer datagram was cut to the record by the receive; a
            // shorter one leaves the rest of the record zero.
            if (!IsAcceptedReply(record, got, request))
                continue;
            const uint64_t key = MacKey(record.Mac);
            std::lock_guard lock(m_csDone);
            if (!m_FoundMacs.insert(key).second)
                continue;
            for (int b = 0; b < 4; ++b)
                record.AddrIndex[b] = static_cast<uint8_t>(static_cast<uint32_t>(i) >> (8 * b));
            m_Found.push_back(record);
            ++m_nFound;
        }
    }
    client.CloseSockets();
}

} // namespace orv

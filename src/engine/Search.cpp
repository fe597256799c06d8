// The background camera search: the discovery request from the first address
// of every adapter, all adapters at once, every accepted reply one record,
// each camera listed once.
#include <chrono>
#include <cstring>
#include <system_error>

#include "engine/CamEngine.h"
#include "engine/DiscoveryPacket.h"
#include "engine/SearchSockets.h"
#include "platform/core/AnsiText.h"

namespace orv {

namespace {

constexpr uint32_t kAllWorkers = 1 | 2 | 4 | 8;
constexpr uint32_t kSearchBit = 4;
// The search ends after this long without an answer on any adapter.
constexpr auto kSilence = std::chrono::seconds(3);
// When the request goes out, counted from the first: on a network that loses
// datagrams one lost request or reply must not make a camera invisible, so
// every camera is asked several times (same sequence number; its answers
// are one record). The last request leaves within the first second.
constexpr std::chrono::milliseconds kRequestTimes[] = {std::chrono::milliseconds(0),
    std::chrono::milliseconds(150), std::chrono::milliseconds(300), std::chrono::milliseconds(450),
    std::chrono::milliseconds(600), std::chrono::milliseconds(750), std::chrono::milliseconds(900)};
constexpr int kRequestCount = static_cast<int>(std::size(kRequestTimes));
// Bounds against a hostile network: cameras kept per search, and how long a
// stream of answers can keep one search going.
constexpr std::size_t kMaxRecords = 65536;
constexpr auto kLongestSearch = std::chrono::seconds(30);

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
        // Up without a carrier: no camera can ever answer there.
        if (!adapter.Running)
            continue;
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

namespace {

// Turns one batch of datagrams into records. True when any of them was a
// camera's answer (new or heard before).
bool TakeReplies(CCamEngine& e, const SearchSockets::Batch& batch, const uint8_t (&request)[kDiscoveryRequestSize])
{
    bool heard = false;
    std::lock_guard lock(e.m_csDone);
    for (int k = 0; k < batch.Count; ++k) {
        CamRecord& record = batch.Records[k];
        if (!IsAcceptedReply(record, batch.Lengths[k], request))
            continue;
        const uint64_t key = MacKey(record.Mac);
        if (e.m_FoundMacs.count(key)) {
            heard = true; // heard again: still an answer
            continue;
        }
        if (e.m_Found.size() >= kMaxRecords)
            continue;
        e.m_FoundMacs.insert(key);
        for (int b = 0; b < 4; ++b)
            record.AddrIndex[b] = static_cast<uint8_t>(static_cast<uint32_t>(batch.AddrIndex) >> (8 * b));
        e.m_Found.push_back(record);
        ++e.m_nFound;
        heard = true;
    }
    return heard;
}

} // namespace

void CCamEngine::Discover()
{
    ++m_nSeq;
    uint8_t request[kDiscoveryRequestSize];
    BuildDiscoveryRequest(request, m_nSeq, m_wProtoVersion);
    m_nKind = 2;
    m_bSearching = 1;
    m_nSearchedAdapters = 0;
    RefreshAddresses();

    // One socket per adapter, from its first address. A socket, broadcast or
    // send failure stops adding adapters; those already asked are searched.
    SearchSockets sockets;
    int failure = 0;
    int32_t lastAdapter = -1;
    for (int32_t i = 0; i < m_nAddrCount && failure == 0; ++i) {
        if (m_AddrAdapter[i] <= lastAdapter)
            continue;
        lastAdapter = m_AddrAdapter[i];
        if (WEqual(m_AddrText[i], u"0.0.0.0"))
            continue;
        failure = sockets.Open(WideToAnsi(m_AddrText[i]), i);
        if (failure == 0)
            failure = sockets.SendFromLast(request, kDiscoveryRequestSize);
        if (failure == 0)
            ++m_nSearchedAdapters;
    }
    if (sockets.Count() == 0) {
        if (failure != 0)
            m_nStatus = failure;
        return;
    }

    const WaitClock::time_point start = WaitClock::now();
    WaitClock::time_point lastHeard = start;
    int requests = 1;
    while (!m_bStopSearch && sockets.Count() > 0) {
        const WaitClock::time_point now = WaitClock::now();
        if (requests < kRequestCount && now >= start + kRequestTimes[requests]) {
            sockets.SendFromAll(request, kDiscoveryRequestSize);
            ++requests;
            lastHeard = std::max(lastHeard, now);
            continue;
        }
        const WaitClock::time_point end = std::min(lastHeard + kSilence, start + kLongestSearch);
        if (now >= end)
            break;
        const WaitClock::time_point wake = requests < kRequestCount ? std::min(end, start + kRequestTimes[requests]) : end;
        const WaitResult wait = sockets.Wait(wake, &m_bStopSearch);
        if (wait == WaitResult::TimedOut)
            continue;
        if (wait != WaitResult::Ready)
            break;
        bool heard = false;
        if (!sockets.ReadReady([&](const SearchSockets::Batch& batch) { heard |= TakeReplies(*this, batch, request); }))
            m_nStatus = 15; // that adapter's pass ends; the others go on
        // Only answers keep the search going: foreign datagrams cannot.
        if (heard)
            lastHeard = WaitClock::now();
    }
    // Every adapter's pass ends with its wait running out; a failure that
    // stopped adding adapters came after the passes before it.
    m_nStatus = failure != 0 ? failure : 15;
}

} // namespace orv

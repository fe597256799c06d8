#include "engine/CamEngine.h"

#include <cstdio>
#include <cstring>

#include "platform/core/CameraText.h"
#include "template/KeyAgreement.h"

namespace orv {

CCamEngine::CCamEngine()
{
    WCopy(m_szCameraIP, u"192.168.0.20");
    for (auto& f : m_Fields) {
        std::memset(&f, 0, sizeof f);
        f.Kind = kFree;
    }
}

CCamEngine::~CCamEngine()
{
    // A search still running would write into a dead engine: stop it after
    // its current wait and collect it.
    m_bStopSearch = true;
    for (auto& worker : m_hWorker) {
        if (worker.joinable())
            worker.join();
    }
    ReleaseKeyAgreement();
}

int32_t CCamEngine::CountRecords() const
{
    std::lock_guard lock(m_csDone);
    return static_cast<int32_t>(m_Found.size());
}

void CCamEngine::SelectRecord(int32_t index)
{
    m_nKind = 2;
    m_nSelIndex = index;
}

namespace {

// The selected record, or nullptr when the selection is outside the list.
const CamRecord* Selected(const CCamEngine& e)
{
    if (e.m_nSelIndex < 0 || static_cast<std::size_t>(e.m_nSelIndex) >= e.m_Found.size())
        return nullptr;
    return &e.m_Found[static_cast<std::size_t>(e.m_nSelIndex)];
}

} // namespace

std::u16string CCamEngine::GetSelModel() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return {};
    return CameraTextFromBytes(reinterpret_cast<const char*>(r->Bytes() + CamRecord::kModelOffset), CamRecord::kModelSize);
}

std::u16string CCamEngine::GetSelName() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return {};
    return CameraTextFromBytes(reinterpret_cast<const char*>(r->Bytes() + CamRecord::kNameOffset), CamRecord::kNameSize);
}

std::u16string CCamEngine::GetSelIpText() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return {};
    const uint8_t* ip = r->Bytes() + CamRecord::kIpOffset;
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return U16(text);
}

std::u16string CCamEngine::GetSelMacText() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return {};
    char text[260];
    std::snprintf(text, sizeof text, "%02x.%02x.%02x.%02x.%02x.%02x", r->Mac[0], r->Mac[1], r->Mac[2], r->Mac[3],
        r->Mac[4], r->Mac[5]);
    return U16(text);
}

int32_t CCamEngine::GetSelAdapterIndex() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return -1;
    const uint8_t* p = r->AddrIndex;
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

int32_t CCamEngine::GetSelWebPort() const
{
    std::lock_guard lock(m_csDone);
    const CamRecord* r = Selected(*this);
    if (!r)
        return 0;
    const uint8_t* p = r->Bytes() + CamRecord::kWebPortOffset;
    return p[0] | (p[1] << 8);
}

void CCamEngine::SetCameraAddress(const wchar* text)
{
    WCopy(m_szCameraIP, 260, text);
}

} // namespace orv

#pragma once
// Cameras for the wizard's tests and benchmarks without any network: records
// as a camera's discovery reply fills them, and an engine whose searches
// "find" them. Header only, no UI.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/CamEngine.h"

namespace orvtest {

// A discovery reply as a camera would send it, with the fields the list
// page shows (the payload's other bytes stay zero).
inline orv::CamRecord MakeCameraRecord(uint32_t n, const std::string& model, const std::string& name,
    const uint8_t (&ip)[4], uint16_t webPort = 80)
{
    orv::CamRecord r{};
    r.Magic[0] = 0xEE;
    r.Magic[1] = 0xFE;
    r.Opcode[0] = 0xA1;
    const uint8_t mac[6] = {0x02, 0x00, static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
        static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)};
    std::memcpy(r.Mac, mac, 6);
    std::memcpy(r.Bytes() + orv::CamRecord::kModelOffset, model.data(), std::min<std::size_t>(model.size(), 69));
    std::memcpy(r.Bytes() + orv::CamRecord::kNameOffset, name.data(), std::min<std::size_t>(name.size(), 63));
    std::memcpy(r.Bytes() + orv::CamRecord::kIpOffset, ip, 4);
    r.Bytes()[orv::CamRecord::kWebPortOffset] = static_cast<uint8_t>(webPort);
    r.Bytes()[orv::CamRecord::kWebPortOffset + 1] = static_cast<uint8_t>(webPort >> 8);
    return r;
}

// Makes the engine's next searches "find" `batches` without any network:
// the search worker appends one batch, pauses `pauseMs`, appends the next,
// and sends nothing (no adapters).
inline void FeedCameras(orv::CCamEngine& engine, std::vector<std::vector<orv::CamRecord>> batches, int pauseMs = 0)
{
    engine.m_AdapterSource = [&engine, batches = std::move(batches), pauseMs] {
        for (const auto& batch : batches) {
            {
                std::lock_guard lock(engine.m_csDone);
                engine.m_Found.insert(engine.m_Found.end(), batch.begin(), batch.end());
                engine.m_nFound = static_cast<int32_t>(engine.m_Found.size());
            }
            if (pauseMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        return std::vector<orv::AdapterAddresses>{};
    };
}

} // namespace orvtest

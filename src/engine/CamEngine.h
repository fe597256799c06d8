#pragma once
// The one object through which the wizard talks to cameras: the found-camera
// list and the background search, the PC's address table, the address of the
// camera being configured, and the template engine's field table and buffers.
//
// The class is implemented across folders: engine/ (records, search),
// template/ (field table, codec, operations). Each section below names the
// files that implement it.
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/CamRecord.h"
#include "platform/core/WideText.h"
#include "template/TemplateField.h"

namespace orv {

constexpr int kMaxAddresses = 8;
constexpr uint16_t kCameraPort = 62976;

class CCamEngine {
public:
    CCamEngine();
    ~CCamEngine();
    CCamEngine(const CCamEngine&) = delete;
    CCamEngine& operator=(const CCamEngine&) = delete;

    // ---- records and selection (engine/CamEngine.cpp) ----
    int32_t CountRecords() const;
    void SelectRecord(int32_t index);
    std::u16string GetSelModel() const;
    std::u16string GetSelName() const;
    std::u16string GetSelIpText() const;
    std::u16string GetSelMacText() const;
    int32_t GetSelAdapterIndex() const;
    int32_t GetSelWebPort() const;
    void SetCameraAddress(const wchar* text);

    // ---- search (engine/Search.cpp) ----
    int StartSearch();

    // ---- template field table (template/FieldTable.cpp) ----
    void ClearFields();
    void ResetFieldTable();
    int ParseTemplate(const wchar* lineEnd);
    void InsertField(const TemplateField& entry);
    int32_t SetVar(const wchar* name, const wchar* text);
    int32_t SetVarInt(const wchar* name, int32_t value);
    void GetVar(const wchar* name, wchar* out /* 300 units */) const;

    // ---- encoder and decoder (template/Codec.cpp) ----
    int EncodeRequest();
    int DecodeReply(int32_t type);

    // ---- template operations (template/Operations.cpp) ----

public:
    // Members, in the order the engine has always laid them out.
    uint16_t m_nSeq = 0;
    int32_t m_nStatus = 0;
    std::vector<CamRecord> m_Found;
    int32_t m_nSelIndex = -1;
    wchar m_szTargetMac[260] = {};
    uint8_t m_bSearching = 0;
    int32_t m_nFound = 0;
    int32_t m_nKind = 0;
    wchar m_szCameraIP[260] = {};
    int32_t m_nFieldCount = 0;
    TemplateField m_Fields[kMaxFields];
    wchar m_WorkText[kWorkUnits] = {};
    uint8_t m_WireBytes[kWorkUnits] = {};
    uint32_t m_nDone = 0;
    // Guards m_nDone and m_Found: the search worker appends while the list
    // page reads from its timer.
    mutable std::mutex m_csDone;
    std::thread m_hWorker[4];
    int32_t m_nAdapterChoice = -1;
    int32_t m_nRequestOption = 0;
    uint8_t m_DhSecret[256] = {};
    int32_t m_nPayloadLength = 0;
    wchar m_AddrText[kMaxAddresses][16] = {};
    int32_t m_nAddrCount = 0;
    int32_t m_AddrAdapter[kMaxAddresses] = {};
    uint16_t m_wProtoVersion = 1;
};

} // namespace orv

#pragma once
// The one object through which the wizard talks to cameras: the found-camera
// list and the background search, the PC's address table, the address of the
// camera being configured, and the template engine's field table and buffers.
//
// The class is implemented across folders: engine/ (records, search),
// template/ (field table, codec, operations). Each section below names the
// files that implement it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "engine/CamRecord.h"
#include "platform/core/Adapters.h"
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
    // The worker's body: one request per adapter, replies become records.
    void Discover();
    // Rebuilds the address table from the adapter source.
    void RefreshAddresses();
    // True once every worker slot has set its bit (read under m_csDone).
    bool IsSearchDone() const;
    // Waits for the search worker to end (the destructor does the same).
    void WaitForSearch();

    // Where the search learns the PC's adapters; the system's list unless a
    // test puts its own here.
    std::function<std::vector<AdapterAddresses>()> m_AdapterSource = ListAdapters;
    // Identities (MAC addresses) of m_Found, so a repeated reply costs one
    // lookup however many cameras answered.
    std::unordered_set<uint64_t> m_FoundMacs;
    // Adapters the last search sent its request from.
    std::atomic<int32_t> m_nSearchedAdapters{0};
    // Set by the destructor so a running worker stops after its current wait.
    std::atomic<bool> m_bStopSearch{false};

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

    // ---- template operations (template/Operations.cpp, template/Exchange.cpp) ----
    // Each asks the camera named by `macText` (see template/Operations.h for
    // the table of sizes and tries): -1 when its reply arrived, whose status
    // block then sits in m_WireBytes/m_WorkText; else 0, 3, 12, 13, 14 or 15.
    int Verification(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int GetCapabilities(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int GetWLan(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int SetBasic(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int ChangeIDPWD(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int SetWLan(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int Reset(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int QueryWPS(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int InitWPS(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int PollWPSInf(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int SendWPS(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int PollWPSStatus(const wchar* macText, const wchar* adminId, const wchar* cameraIp, const wchar* adminPwd);
    int RunTemplateOperation(uint16_t opcode, const wchar* macText, const wchar* adminId,
        const wchar* cameraIp, const wchar* adminPwd);
    int ExchangeTemplatePacket(const uint8_t* request, int requestSize, uint8_t* reply, int replySize, int tries);
    // Copies the 2048-byte status block (Status, reserved, PayloadLength, payload).
    void GetStatusBlock(uint8_t* out) const;
    void PlaceStatusBlock(const uint8_t* reply, int replySize);
    // Cancelling a camera step from another thread. After RequestCancel the
    // running exchange ends its wait within 100 ms, sends nothing more and
    // returns what a silent camera gives (3, "no reply"); so does every
    // exchange after it until ClearCancel, so a step of several exchanges
    // stops as a whole. Whoever starts a step clears the flag first.
    void RequestCancel();
    void ClearCancel();
    bool CancelRequested() const;
    std::atomic<bool> m_bCancel{false};
    // Where the exchange's datagrams come from: the network, unless a fuzzer
    // or a test puts a script here. Given each request sent, the script
    // returns the datagrams that answer it; when they are used up the try
    // ends as a silent camera's would, without waiting.
    std::function<std::vector<std::vector<uint8_t>>(const uint8_t* request, int size)> m_ExchangeScript;
    // Seconds each try waits for a datagram; tests shorten it.
    int32_t m_nReplyWaitSeconds = 10;
    // Where requests go. Always the broadcast address on the camera port in
    // the program; loopback tests point it at a camera of their own.
    char m_szRequestHost[16] = "255.255.255.255";
    uint16_t m_nRequestPort = kCameraPort;

public:
    // Members, in the order the engine has always laid them out.
    // The fields below that the search worker writes while the list page
    // reads them are atomic; m_Found and m_nDone are guarded by m_csDone.
    std::atomic<uint16_t> m_nSeq{0};
    std::atomic<int32_t> m_nStatus{0};
    std::vector<CamRecord> m_Found;
    int32_t m_nSelIndex = -1;
    wchar m_szTargetMac[260] = {};
    std::atomic<uint8_t> m_bSearching{0};
    std::atomic<int32_t> m_nFound{0};
    std::atomic<int32_t> m_nKind{0};
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

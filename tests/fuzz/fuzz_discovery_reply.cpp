// A camera's discovery reply, as the search accepts it into a record and as
// the list page then reads it: the record's fixed fields through the
// engine's accessors, and its payload decoded through "Discovery_temp" into
// the wizard's settings. Input: the datagram.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/CamEngine.h"
#include "engine/DiscoveryPacket.h"
#include "engine/WizardSettings.h"
#include "template/CameraSession.h"
#include "template/TemplateFile.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The search reads the first 334 bytes of a datagram into a record; the
    // rest of a shorter one stays zero.
    CamRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.Bytes(), data, size < kDiscoveryReplySize ? size : kDiscoveryReplySize);
    uint8_t request[kDiscoveryRequestSize];
    BuildDiscoveryRequest(request, 0x0001, 1);
    const bool accepted = IsAcceptedReply(record, static_cast<int>(size), request);
    (void)MacKey(record.Mac);

    // One engine for the whole run; each input's record is its only one.
    static CCamEngine* const shared = new CCamEngine;
    CCamEngine* const engine = shared;
    engine->m_Found.clear();
    engine->ClearFields();
    // Records the search would refuse are read too: the reading must hold
    // whatever a record contains.
    (void)accepted;
    engine->m_Found.push_back(record);
    engine->SelectRecord(0);
    if (engine->GetSelModel().size() > CamRecord::kModelSize || engine->GetSelName().size() > CamRecord::kNameSize)
        std::abort();
    if (engine->GetSelMacText().size() != 17 || engine->GetSelIpText().size() > 15)
        std::abort();
    (void)engine->GetSelWebPort();
    (void)engine->GetSelAdapterIndex();

    auto settings = std::make_unique<WizardSettings>();
    CameraSession session(*engine, *settings, TemplateFolderOf(ORVANTA_SOURCE_DIR "/data"));
    if (session.PrepareSelected(0) != -1)
        std::abort();
    for (const wchar* text : {settings->CameraName, settings->CameraIP, settings->Gateway, settings->SubnetMask,
             settings->PrimaryDNS, settings->SecondaryDNS, settings->Model, settings->MacText, settings->ListedIP})
        if (WLen(text, 64) >= 64)
            std::abort();
    if (WLen(settings->ProdHWSpec, 33) >= 33)
        std::abort();
    return 0;
}

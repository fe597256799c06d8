// Discovery (0x00A1): every camera answers a request for every camera (target
// MAC FF FF FF FF FF FF) with its 334-byte description.
#include <cstring>
#include <string>

#include "sim/DiscoveryLayout.h"
#include "sim/Handlers.h"

namespace orvsim {

namespace {

void PutText(std::vector<uint8_t>& packet, layout::Field f, const std::string& text)
{
    // Texts that fill their field keep no terminator: the reader stops at
    // the field's end.
    std::memcpy(&packet[f.Offset], text.data(), text.size() < f.Size ? text.size() : f.Size);
}

void PutIp(std::vector<uint8_t>& packet, layout::Field f, const uint8_t (&ip)[4])
{
    std::memcpy(&packet[f.Offset], ip, 4);
}

std::string HwSpec(const SimCamera& cam)
{
    if (!cam.HwSpec.empty())
        return cam.HwSpec;
    std::string spec(32, '0');
    spec[layout::kWirelessFlagIndex] = cam.Wireless ? '1' : '0';
    return spec;
}

} // namespace

std::vector<uint8_t> BuildDiscoveryReply(const Request& req, const SimCamera& cam)
{
    std::vector<uint8_t> packet = BuildReply(req, cam, 0, std::vector<uint8_t>(layout::kPayloadSize, 0));
    PutText(packet, layout::kCameraName, cam.Name);
    PutIp(packet, layout::kCameraIP, cam.Ip);
    PutIp(packet, layout::kSubNetMask, cam.Mask);
    PutIp(packet, layout::kGateway, cam.Gateway);
    PutIp(packet, layout::kPriDNS, cam.Dns1);
    PutIp(packet, layout::kSecDNS, cam.Dns2);
    PutU16(&packet[layout::kDHCP.Offset], cam.Dhcp ? 1 : 0);
    PutU16(&packet[layout::kWebport.Offset], cam.WebPort);
    PutU32(&packet[layout::kReserved.Offset], static_cast<uint32_t>(cam.Reserved));
    PutU32(&packet[layout::kDNSSpec.Offset], static_cast<uint32_t>(cam.DnsSpec));
    PutText(packet, layout::kModel, cam.Model);
    PutText(packet, layout::kName, cam.Name);
    PutIp(packet, layout::kIp, cam.Ip);
    PutU16(&packet[layout::kWebPort.Offset], cam.WebPort);
    PutText(packet, layout::kProdHWSpec, HwSpec(cam));
    return packet;
}

void HandleDiscovery(const Request& req, SimCamera& cam, Outbox& out)
{
    if (!req.ForEveryCamera())
        return;
    out.Send(cam, BuildDiscoveryReply(req, cam));
}

} // namespace orvsim

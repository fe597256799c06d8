#include "sim/SimConfig.h"

#include <arpa/inet.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "sim/TemplateOps.h"

namespace orvsim {

namespace {

bool ParseInt(const std::string& text, long lo, long hi, long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (errno || *end || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseIp(const std::string& text, uint8_t (&out)[4])
{
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1)
        return false;
    std::memcpy(out, &a, 4);
    return true;
}

bool ParseMac(const std::string& text, uint8_t (&out)[6])
{
    unsigned v[6];
    char tail = 0;
    if (std::sscanf(text.c_str(), "%x%*1[:.-]%x%*1[:.-]%x%*1[:.-]%x%*1[:.-]%x%*1[:.-]%x%c", &v[0], &v[1], &v[2], &v[3],
            &v[4], &v[5], &tail) != 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (v[i] > 255)
            return false;
        out[i] = static_cast<uint8_t>(v[i]);
    }
    return true;
}

bool ApplyItem(const std::string& key, const std::string& value, SimCamera& cam)
{
    long n = 0;
    if (ApplyTemplateItem(key, value, cam))
        return true;
    if (key == "mac")
        return ParseMac(value, cam.Mac);
    if (key == "model")
        return cam.Model = value, true;
    if (key == "name")
        return cam.Name = value, true;
    if (key == "ip")
        return ParseIp(value, cam.Ip);
    if (key == "mask")
        return ParseIp(value, cam.Mask);
    if (key == "gw")
        return ParseIp(value, cam.Gateway);
    if (key == "dns1")
        return ParseIp(value, cam.Dns1);
    if (key == "dns2")
        return ParseIp(value, cam.Dns2);
    if (key == "hwspec")
        return cam.HwSpec = value, true;
    if (key == "id")
        return cam.AdminId = value, true;
    if (key == "pwd")
        return cam.AdminPwd = value, true;
    if (key == "reply") {
        if (value != "unicast" && value != "broadcast")
            return false;
        cam.Reply = value == "unicast" ? ReplyStyle::Unicast : ReplyStyle::Broadcast;
        return true;
    }
    if (key == "seq" || key == "opcode") {
        if (value != "wrong")
            return false;
        (key == "seq" ? cam.Faults.WrongSeq : cam.Faults.WrongOpcode) = true;
        return true;
    }
    if (!ParseInt(value, -2147483647L - 1, 2147483647L, n))
        return false;
    if (key == "dhcp" && (n == 0 || n == 1))
        return cam.Dhcp = n, true;
    if (key == "wifi" && (n == 0 || n == 1))
        return cam.Wireless = n, true;
    if (key == "silent" && (n == 0 || n == 1))
        return cam.Faults.Silent = n, true;
    if (key == "port" && n >= 0 && n <= 65535)
        return cam.WebPort = static_cast<uint16_t>(n), true;
    if (key == "status" && n >= 0 && n <= 65535)
        return cam.Faults.Status = static_cast<uint16_t>(n), true;
    if (key == "length" && n >= 0 && n <= 65000)
        return cam.Faults.Length = static_cast<int>(n), true;
    if (key == "dup" && n >= 0 && n <= 1000)
        return cam.Faults.Duplicates = static_cast<int>(n), true;
    if (key == "delay" && n >= 0 && n <= 600000)
        return cam.Faults.DelayMs = static_cast<int>(n), true;
    if (key == "reserved")
        return cam.Reserved = static_cast<int32_t>(n), true;
    if (key == "dnsspec")
        return cam.DnsSpec = static_cast<int32_t>(n), true;
    return false;
}

// --generate N[,description]: N cameras with consecutive MAC addresses,
// addresses and names, the description applying to all of them; a state
// file named in it becomes one file per camera, PATH-1 to PATH-N.
bool Generate(const std::string& arg, SimOptions& options, std::string& error)
{
    const std::size_t comma = arg.find(',');
    long count = 0;
    if (!ParseInt(arg.substr(0, comma), 1, 1000000, count)) {
        error = "--generate wants a count from 1 to 1000000";
        return false;
    }
    SimCamera base;
    base.Ip[0] = 198, base.Ip[1] = 19, base.Ip[2] = 0, base.Ip[3] = 0;
    if (comma != std::string::npos && !ParseCamera(arg.substr(comma + 1), base, error))
        return false;
    const uint32_t mac0 = (static_cast<uint32_t>(base.Mac[3]) << 16) | (base.Mac[4] << 8) | base.Mac[5];
    const uint32_t ip0 = (static_cast<uint32_t>(base.Ip[0]) << 24) | (base.Ip[1] << 16) | (base.Ip[2] << 8) | base.Ip[3];
    for (long i = 0; i < count; ++i) {
        SimCamera cam = base;
        const uint32_t mac = mac0 + static_cast<uint32_t>(i);
        cam.Mac[3] = static_cast<uint8_t>(mac >> 16), cam.Mac[4] = static_cast<uint8_t>(mac >> 8);
        cam.Mac[5] = static_cast<uint8_t>(mac);
        const uint32_t ip = ip0 + static_cast<uint32_t>(i) + 1;
        for (int b = 0; b < 4; ++b)
            cam.Ip[b] = static_cast<uint8_t>(ip >> (24 - 8 * b));
        cam.Name = base.Name + "-" + std::to_string(i + 1);
        // One state file per camera, numbered as the names are.
        if (!base.Tpl.StatePath.empty())
            cam.Tpl.StatePath = base.Tpl.StatePath + "-" + std::to_string(i + 1);
        options.Cameras.push_back(cam);
    }
    return true;
}

} // namespace

bool ParseCamera(const std::string& description, SimCamera& cam, std::string& error)
{
    std::size_t start = 0;
    while (start <= description.size()) {
        std::size_t end = description.find(',', start);
        if (end == std::string::npos)
            end = description.size();
        const std::string item = description.substr(start, end - start);
        start = end + 1;
        if (item.find_first_not_of(" \t\r\n") == std::string::npos)
            continue;
        const std::size_t eq = item.find('=');
        std::string key = item.substr(0, eq);
        key.erase(0, key.find_first_not_of(" \t"));
        if (eq == std::string::npos || !ApplyItem(key, item.substr(eq + 1), cam)) {
            error = "bad camera item '" + item + "'";
            return false;
        }
    }
    return true;
}

bool ParseOptions(int argc, char** argv, SimOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            error = "missing value after " + arg;
            return false;
        }
        const std::string value = argv[++i];
        if (arg == "--camera") {
            SimCamera cam;
            if (!ParseCamera(value, cam, error))
                return false;
            options.Cameras.push_back(cam);
        } else if (arg == "--config") {
            std::ifstream in(value);
            if (!in) {
                error = "cannot read " + value;
                return false;
            }
            std::string line;
            while (std::getline(in, line)) {
                if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos)
                    continue;
                SimCamera cam;
                if (!ParseCamera(line, cam, error))
                    return false;
                options.Cameras.push_back(cam);
            }
        } else if (arg == "--generate") {
            if (!Generate(value, options, error))
                return false;
        } else if (arg == "--log") {
            options.LogPath = value;
        } else if (arg == "--stray" || arg == "--flood") {
            long n = 0;
            if (!ParseInt(value, 1, arg == "--stray" ? 65000 : 600000, n)) {
                error = "bad value for " + arg;
                return false;
            }
            (arg == "--stray" ? options.StrayBytes : options.FloodMs) = static_cast<int>(n);
        } else if (arg == "--port") {
            long port = 0;
            if (!ParseInt(value, 1, 65535, port)) {
                error = "bad port " + value;
                return false;
            }
            options.Port = static_cast<int>(port);
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (options.Cameras.empty() && options.StrayBytes == 0 && options.FloodMs == 0) {
        error = "no camera described";
        return false;
    }
    return true;
}

std::string Usage()
{
    return "usage: orvanta-sim [--port N] [--log FILE] [--stray BYTES] [--flood MS]\n"
           "                   (--camera DESC | --config FILE | --generate N[,DESC])...\n"
           "Plays cameras over UDP; prints \"ready\" once it listens.\n"
           "--stray BYTES: a datagram of that many bytes (not a camera's answer) goes to\n"
           "  every requester just before the answers; --flood MS: empty datagrams go to\n"
           "  every requester for MS milliseconds after its request. With either, the\n"
           "  simulator may play no camera at all (a hostile host).\n"
           "DESC: comma-separated key=value items: mac model name ip mask gw dns1 dns2 dhcp\n"
           "  port wifi hwspec reserved dnsspec id pwd reply=unicast|broadcast\n"
           "  seq=wrong opcode=wrong status=N length=N dup=N delay=MS silent=1\n"
           "  (--generate: state=PATH writes PATH-1 .. PATH-N, one file per camera)\n";
}

} // namespace orvsim

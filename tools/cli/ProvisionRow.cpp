#include "ProvisionRow.h"

#include <cctype>

#include "engine/WizardSettings.h"
#include "pages/NetworkChecks.h"
#include "pages/WirelessChecks.h"
#include "platform/core/CameraText.h"
#include "skin/core/ProfileDecode.h"

namespace orvcli {

namespace {

using orv::WizardSettings;

struct ColumnName {
    const char* Name;
    PlanColumn Id;
};

constexpr ColumnName kColumns[] = {
    {"mac", PlanColumn::Mac},
    {"user", PlanColumn::User},
    {"password", PlanColumn::Password},
    {"name", PlanColumn::Name},
    {"dhcp", PlanColumn::Dhcp},
    {"ip", PlanColumn::Ip},
    {"mask", PlanColumn::Mask},
    {"gateway", PlanColumn::Gateway},
    {"dns1", PlanColumn::Dns1},
    {"dns2", PlanColumn::Dns2},
    {"web_port", PlanColumn::WebPort},
    {"new_password", PlanColumn::NewPassword},
    {"essid", PlanColumn::Essid},
    {"security", PlanColumn::Security},
    {"key", PlanColumn::Key},
    {"channel", PlanColumn::Channel},
};

// Longest texts the settings hold (64 units with the terminator); a network
// name has at most 32 bytes, a pass phrase 64 characters.
constexpr std::size_t kMaxText = 63;
constexpr std::size_t kMaxEssid = 32;
constexpr std::size_t kMaxKey = 64;

std::string Trim(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// UTF-8 text whose every character a camera can store (CameraText.h) and
// none is a control character. False for anything else, malformed UTF-8
// included.
bool DecodeCameraText(std::string_view utf8, std::u16string& out)
{
    if (!orv::DecodeUtf8Strict(utf8, out) || !orv::IsCameraText(out))
        return false;
    for (char16_t c : out)
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            return false;
    return true;
}

bool ParseNumber(const std::string& text, long lo, long hi, int32_t& out)
{
    if (text.empty() || text.size() > 10)
        return false;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi)
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

// Six hexadecimal pairs, joined by one kind of separator (':', '-' or '.')
// or by none.
bool ParseMac(const std::string& text, PlanRow& row)
{
    std::string digits;
    char sep = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            digits += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            continue;
        }
        if ((c != ':' && c != '-' && c != '.') || (sep && c != sep) || digits.size() % 2 || digits.empty())
            return false;
        sep = c;
    }
    if (digits.size() != 12 || (sep && text.size() != 17))
        return false;
    row.MacKey = digits;
    row.Mac.clear();
    for (std::size_t i = 0; i < 12; i += 2)
        row.Mac += (i ? "." : "") + digits.substr(i, 2);
    return true;
}

class RowReader {
public:
    explicit RowReader(PlanRow& row) : m_Row(row) {}

    void Text(std::optional<std::u16string>& field, const std::string& cell, const char* column, std::size_t max)
    {
        std::u16string text;
        if (!DecodeCameraText(cell, text))
            Refuse(std::string(column) + ": only letters a camera can hold (Latin-1, no control characters)");
        else if (text.size() > max)
            Refuse(std::string(column) + ": longer than " + std::to_string(max) + " characters");
        else
            field = std::move(text);
    }

    void Address(std::optional<std::u16string>& field, const std::string& cell, const char* column, bool strict)
    {
        std::u16string text = orv::U16(cell);
        const bool mask = std::string_view(column) == "mask";
        const bool ok = cell.size() <= 64 && orv::ValidateIPv4(text, strict) && (!mask || orv::IsValidMask(text));
        if (!ok)
            Refuse(std::string(column) + " " + cell + ": " + (mask ? "not a valid subnet mask" : "not a valid address"));
        else
            field = std::move(text);
    }

    void Number(std::optional<int32_t>& field, const std::string& cell, const char* column, long lo, long hi)
    {
        int32_t v = 0;
        if (!ParseNumber(cell, lo, hi, v))
            Refuse(std::string(column) + " " + cell + ": not a number from " + std::to_string(lo) + " to " +
                   std::to_string(hi));
        else
            field = v;
    }

    void Security(const std::string& cell)
    {
        const std::string s = Lower(cell);
        if (s == "none")
            m_Row.Security = PlanSecurity::None;
        else if (s == "wep")
            m_Row.Security = PlanSecurity::Wep;
        else if (s == "wpa")
            m_Row.Security = PlanSecurity::Wpa;
        else if (s == "wpa2")
            m_Row.Security = PlanSecurity::Wpa2;
        else
            Refuse("security " + cell + ": not none, wep, wpa or wpa2");
    }

    void Refuse(const std::string& why)
    {
        if (m_Row.Error.empty())
            m_Row.Error = why;
    }

private:
    PlanRow& m_Row;
};

void ReadCell(PlanColumn col, const std::string& raw, PlanRow& row, RowReader& r)
{
    // Camera texts are taken as written; every other cell may carry spaces.
    const std::string cell = Trim(raw);
    switch (col) {
    case PlanColumn::Mac:
        row.Mac = cell;
        if (!ParseMac(cell, row))
            r.Refuse(cell.empty() ? "mac: missing" : "mac " + cell + ": not a MAC address");
        break;
    case PlanColumn::User: r.Text(row.User, raw, "user", kMaxText); break;
    case PlanColumn::Password: r.Text(row.Password, raw, "password", kMaxText); break;
    case PlanColumn::NewPassword: r.Text(row.NewPassword, raw, "new_password", kMaxText); break;
    case PlanColumn::Name: r.Text(row.Name, raw, "name", kMaxText); break;
    case PlanColumn::Essid: r.Text(row.Essid, raw, "essid", kMaxEssid); break;
    case PlanColumn::Key: r.Text(row.Key, raw, "key", kMaxKey); break;
    case PlanColumn::Dhcp: r.Number(row.Dhcp, cell, "dhcp", 0, 1); break;
    case PlanColumn::WebPort: r.Number(row.WebPort, cell, "web_port", 1, 65535); break;
    case PlanColumn::Channel: r.Number(row.Channel, cell, "channel", 1, 32); break;
    case PlanColumn::Ip: r.Address(row.Ip, cell, "ip", true); break;
    case PlanColumn::Mask: r.Address(row.Mask, cell, "mask", true); break;
    case PlanColumn::Gateway: r.Address(row.Gateway, cell, "gateway", false); break;
    case PlanColumn::Dns1: r.Address(row.Dns1, cell, "dns1", false); break;
    case PlanColumn::Dns2: r.Address(row.Dns2, cell, "dns2", false); break;
    case PlanColumn::Security: r.Security(cell); break;
    }
}

// Checks that need more than one cell of the row.
void CheckRow(PlanRow& row, RowReader& r)
{
    const bool anyAddress = row.Ip || row.Mask || row.Gateway || row.Dns1 || row.Dns2;
    if (row.Dhcp == 1 && anyAddress)
        r.Refuse("addresses are planned together with dhcp 1");
    if (row.Ip && row.Mask && row.Gateway && !row.Gateway->empty() &&
        !orv::IsGatewayInSubnet(*row.Ip, *row.Mask, *row.Gateway))
        r.Refuse(NetworkCheckText(orv::kMsgBadGateway));
    const bool keyed = row.Security == PlanSecurity::Wep || row.Security == PlanSecurity::Wpa ||
                       row.Security == PlanSecurity::Wpa2;
    if (row.Key && !keyed)
        r.Refuse("key: needs security wep, wpa or wpa2 in the same row");
    if (keyed && !row.Key)
        r.Refuse("security " + SecurityName(row.Security) + ": needs a key");
    if (!row.Ok())
        return;
    // The wireless page's own checks on the name and key, on a stand-in
    // camera with Wi-Fi on (a row that keeps the name checks a stand-in).
    WizardSettings s;
    orv::WCopy(s.WirelessEnableText, u"1");
    s.EncryptionType = row.Security == PlanSecurity::Wep ? 1 : keyed ? 2 : 0;
    orv::WirelessNewEntries e{row.Essid.value_or(u"network"), 0, row.Key.value_or(u"")};
    const orv::PageCheck check = orv::ApplyWirelessNewNext(e, s);
    if (!check.proceed)
        r.Refuse(WirelessCheckText(check.message));
}

} // namespace

bool FindPlanColumn(std::string_view header, PlanColumn& out, std::string& name)
{
    name = Lower(Trim(header));
    for (const ColumnName& c : kColumns) {
        if (name == c.Name) {
            out = c.Id;
            return true;
        }
    }
    return false;
}

void ReadPlanCell(PlanColumn column, const std::string& raw, PlanRow& row)
{
    RowReader r(row);
    ReadCell(column, raw, row, r);
}

void CheckPlanRow(PlanRow& row)
{
    RowReader r(row);
    CheckRow(row, r);
}

void RefusePlanRow(PlanRow& row, const std::string& why)
{
    RowReader(row).Refuse(why);
}

} // namespace orvcli

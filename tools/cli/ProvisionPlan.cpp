#include "ProvisionPlan.h"

#include <cctype>
#include <fstream>
#include <unordered_map>

#include "ProvisionCsv.h"
#include "engine/WizardSettings.h"
#include "pages/NetworkChecks.h"
#include "pages/WirelessChecks.h"

namespace orvcli {

namespace {

using orv::WizardSettings;

enum class Column { Mac, User, Password, Name, Dhcp, Ip, Mask, Gateway, Dns1, Dns2, WebPort, NewPassword, Essid,
    Security, Key, Channel };

struct ColumnName {
    const char* Name;
    Column Id;
};

constexpr ColumnName kColumns[] = {{"mac", Column::Mac}, {"user", Column::User}, {"password", Column::Password},
    {"name", Column::Name}, {"dhcp", Column::Dhcp}, {"ip", Column::Ip}, {"mask", Column::Mask},
    {"gateway", Column::Gateway}, {"dns1", Column::Dns1}, {"dns2", Column::Dns2}, {"web_port", Column::WebPort},
    {"new_password", Column::NewPassword}, {"essid", Column::Essid}, {"security", Column::Security},
    {"key", Column::Key}, {"channel", Column::Channel}};

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

// UTF-8 text whose every character a camera can hold in one byte (U+0020 to
// U+00FF, DEL excluded). False for anything else, malformed UTF-8 included.
bool DecodeCameraText(std::string_view utf8, std::u16string& out)
{
    out.clear();
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char16_t cp = c;
        if (c >= 0x80) {
            if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size())
                return false;
            const auto next = static_cast<unsigned char>(utf8[++i]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = static_cast<char16_t>(((c & 0x1F) << 6) | (next & 0x3F));
        }
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0))
            return false;
        out.push_back(cp);
    }
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

void ReadCell(Column col, const std::string& raw, PlanRow& row, RowReader& r)
{
    // Camera texts are taken as written; every other cell may carry spaces.
    const std::string cell = Trim(raw);
    switch (col) {
    case Column::Mac:
        if (!ParseMac(cell, row))
            r.Refuse(cell.empty() ? "mac: missing" : "mac " + cell + ": not a MAC address");
        break;
    case Column::User: r.Text(row.User, raw, "user", kMaxText); break;
    case Column::Password: r.Text(row.Password, raw, "password", kMaxText); break;
    case Column::NewPassword: r.Text(row.NewPassword, raw, "new_password", kMaxText); break;
    case Column::Name: r.Text(row.Name, raw, "name", kMaxText); break;
    case Column::Essid: r.Text(row.Essid, raw, "essid", kMaxEssid); break;
    case Column::Key: r.Text(row.Key, raw, "key", kMaxKey); break;
    case Column::Dhcp: r.Number(row.Dhcp, cell, "dhcp", 0, 1); break;
    case Column::WebPort: r.Number(row.WebPort, cell, "web_port", 1, 65535); break;
    case Column::Channel: r.Number(row.Channel, cell, "channel", 1, 32); break;
    case Column::Ip: r.Address(row.Ip, cell, "ip", true); break;
    case Column::Mask: r.Address(row.Mask, cell, "mask", true); break;
    case Column::Gateway: r.Address(row.Gateway, cell, "gateway", false); break;
    case Column::Dns1: r.Address(row.Dns1, cell, "dns1", false); break;
    case Column::Dns2: r.Address(row.Dns2, cell, "dns2", false); break;
    case Column::Security: r.Security(cell); break;
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

bool PlanRow::FixedAddress() const
{
    return Dhcp == 0 || Ip || Mask || Gateway || Dns1 || Dns2;
}

bool PlanRow::ChangesNetwork() const
{
    return Dhcp || FixedAddress() || Name || WebPort;
}

bool PlanRow::ChangesWireless() const
{
    return Essid || Key || Channel || Security != PlanSecurity::Keep;
}

std::string SecurityName(PlanSecurity s)
{
    switch (s) {
    case PlanSecurity::None: return "none";
    case PlanSecurity::Wep: return "wep";
    case PlanSecurity::Wpa: return "wpa";
    case PlanSecurity::Wpa2: return "wpa2";
    case PlanSecurity::Keep: break;
    }
    return "";
}

std::string NetworkCheckText(int32_t message)
{
    switch (message) {
    case orv::kMsgBadAddress: return "ip: not a valid camera address";
    case orv::kMsgBadMask: return "mask: not a valid subnet mask";
    case orv::kMsgBadGateway: return "gateway: not an address inside the camera's subnet";
    case orv::kMsgBadPrimaryDns: return "dns1: not a valid address";
    case orv::kMsgBadSecondaryDns: return "dns2: not a valid address";
    default: return message ? "network check " + std::to_string(message) : "";
    }
}

std::string WirelessCheckText(int32_t message)
{
    switch (message) {
    case orv::kMsgBadSsid: return "essid: empty, or not 7-bit ASCII";
    case orv::kMsgBadHexWepKey: return "key: a hexadecimal WEP key needs 10 or 26 digits 0-9, A-F";
    case orv::kMsgBadWepKeyLength: return "key: a WEP key has 5 or 13 characters, or 10 or 26 hexadecimal digits";
    case orv::kMsgBadPassKeyLength: return "key: a pass phrase has 8 to 64 characters";
    case orv::kMsgPassKeyNotHex: return "key: a 64-character pass phrase must be hexadecimal";
    default: return message ? "wireless check " + std::to_string(message) : "";
    }
}

Plan ReadPlan(std::string_view text)
{
    Plan plan;
    if (text.size() > kPlanMaxBytes) {
        plan.Error = "the plan is larger than " + std::to_string(kPlanMaxBytes) + " bytes";
        return plan;
    }
    std::vector<CsvRecord> records = ReadCsvRecords(text, kPlanMaxRows + 2);
    if (records.empty() || !records[0].Error.empty()) {
        plan.Error = records.empty() ? "the plan is empty" : "line 1: " + records[0].Error;
        return plan;
    }
    if (records.size() > kPlanMaxRows + 1) {
        plan.Error = "the plan has more than " + std::to_string(kPlanMaxRows) + " rows";
        return plan;
    }
    // The header: every name known, none twice, `mac` among them.
    std::vector<Column> columns;
    bool hasMac = false;
    for (const std::string& raw : records[0].Cells) {
        const std::string name = Lower(Trim(raw));
        const ColumnName* found = nullptr;
        for (const ColumnName& c : kColumns)
            if (name == c.Name)
                found = &c;
        if (!found) {
            plan.Error = "line " + std::to_string(records[0].Line) + ": unknown column '" + name + "'";
            return plan;
        }
        for (Column seen : columns)
            if (seen == found->Id) {
                plan.Error = "line " + std::to_string(records[0].Line) + ": column '" + name + "' appears twice";
                return plan;
            }
        columns.push_back(found->Id);
        hasMac = hasMac || found->Id == Column::Mac;
    }
    if (!hasMac) {
        plan.Error = "line " + std::to_string(records[0].Line) + ": the header has no 'mac' column";
        return plan;
    }

    std::unordered_map<std::string, int> firstLine; // MAC digits -> line of its first row
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& rec = records[i];
        PlanRow row;
        row.Line = rec.Line;
        RowReader r(row);
        if (!rec.Error.empty()) {
            r.Refuse("does not parse: " + rec.Error);
        } else if (rec.Cells.size() != columns.size()) {
            r.Refuse("has " + std::to_string(rec.Cells.size()) + " cells, the header " +
                     std::to_string(columns.size()));
        } else {
            for (std::size_t k = 0; k < columns.size(); ++k) {
                if (columns[k] == Column::Mac)
                    row.Mac = Trim(rec.Cells[k]);
                if (!rec.Cells[k].empty() || columns[k] == Column::Mac)
                    ReadCell(columns[k], rec.Cells[k], row, r);
            }
            CheckRow(row, r);
        }
        if (!row.MacKey.empty()) {
            const auto [at, fresh] = firstLine.emplace(row.MacKey, row.Line);
            if (!fresh)
                r.Refuse("mac " + row.Mac + ": already planned on line " + std::to_string(at->second));
        }
        plan.Rows.push_back(std::move(row));
    }
    return plan;
}

Plan ReadPlanFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Plan plan;
        plan.Error = "cannot read " + path;
        return plan;
    }
    std::string text;
    char buf[65536];
    while (in && text.size() <= kPlanMaxBytes) {
        in.read(buf, sizeof buf);
        text.append(buf, static_cast<std::size_t>(in.gcount()));
    }
    return ReadPlan(text);
}

} // namespace orvcli

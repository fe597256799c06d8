// The provisioning plan reader: RFC 4180 quoting, the header's columns in
// any order, and every row checked with the wizard's own field checks, a
// refused row keeping its line number and reason.
#include <gtest/gtest.h>

#include "cli/ProvisionCsv.h"
#include "cli/ProvisionPlan.h"

using namespace orvcli;

namespace {

TEST(ProvisionCsv, QuotingLineBreaksAndLineNumbers)
{
    const auto recs = ReadCsvRecords("a,b\r\n\"x, \"\"y\"\"\",\"two\r\nlines\"\r\n\r\nlast,\n", 100);
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[1].Line, 2);
    EXPECT_EQ(recs[1].Cells, (std::vector<std::string>{"x, \"y\"", "two\r\nlines"}));
    EXPECT_EQ(recs[2].Line, 5); // the quoted line break and the empty line both count
    EXPECT_EQ(recs[2].Cells, (std::vector<std::string>{"last", ""}));
}

TEST(ProvisionCsv, BrokenRecordsKeepTheirLineAndReadingGoesOn)
{
    const struct {
        const char* Text;
        const char* Error;
    } cases[] = {
        {"a\"b,c\nok,1\n", "a quote inside a cell that does not start with one"},
        {"\"a\"b,c\nok,1\n", "text follows a closing quote"},
        {"\"open,c\nok,1\n", "a quoted cell is not closed"},
    };
    for (const auto& c : cases) {
        const auto recs = ReadCsvRecords(c.Text, 100);
        ASSERT_FALSE(recs.empty()) << c.Text;
        EXPECT_EQ(recs[0].Error, c.Error) << c.Text;
        EXPECT_EQ(recs[0].Line, 1);
        // An unclosed quote swallows the rest of the file; the others end at the line.
        if (std::string(c.Error) != "a quoted cell is not closed") {
            ASSERT_EQ(recs.size(), 2u) << c.Text;
            EXPECT_EQ(recs[1].Line, 2);
            EXPECT_TRUE(recs[1].Error.empty());
        }
    }
    const std::string longCell(kCsvMaxCellBytes + 1, 'x');
    EXPECT_FALSE(ReadCsvRecords(longCell + "\n", 10)[0].Error.empty());
    EXPECT_EQ(ReadCsvRecords("1\n2\n3\n4\n", 2).size(), 2u);
}

TEST(ProvisionPlan, ColumnsInAnyOrderAndEmptyCellsKeep)
{
    const Plan plan = ReadPlan("\xEF\xBB\xBFName , MAC,ip,mask,dhcp\r\n"
                               "Lobby,00-1A-2B-3C-4D-5E,192.168.001.010, 255.255.255.0 ,\r\n"
                               ",001a2b3c4d5f,,,1\r\n");
    ASSERT_TRUE(plan.Error.empty()) << plan.Error;
    ASSERT_EQ(plan.Rows.size(), 2u);
    const PlanRow& a = plan.Rows[0];
    EXPECT_TRUE(a.Ok()) << a.Error;
    EXPECT_EQ(a.Line, 2);
    EXPECT_EQ(a.Mac, "00.1a.2b.3c.4d.5e");
    EXPECT_EQ(a.Name, u"Lobby");
    EXPECT_EQ(a.Ip, u"192.168.1.10"); // normalised as the network page stores it
    EXPECT_EQ(a.Mask, u"255.255.255.0");
    EXPECT_FALSE(a.Dhcp.has_value());
    EXPECT_FALSE(a.Gateway.has_value());
    EXPECT_TRUE(a.FixedAddress());
    EXPECT_FALSE(a.ChangesWireless());
    const PlanRow& b = plan.Rows[1];
    EXPECT_TRUE(b.Ok()) << b.Error;
    EXPECT_EQ(b.Mac, "00.1a.2b.3c.4d.5f");
    EXPECT_FALSE(b.Name.has_value());
    EXPECT_EQ(b.Dhcp, 1);
    EXPECT_FALSE(b.FixedAddress());
}

TEST(ProvisionPlan, RowsTheWizardWouldRefuse)
{
    const struct {
        const char* Row; // cells for: mac,ip,mask,gateway,dhcp,essid,security,key,channel,name,web_port
        const char* Error;
    } cases[] = {
        {"zz,,,,,,,,,,", "mac zz: not a MAC address"},
        {",,,,,,,,,,", "mac: missing"},
        {"00:1a:2b:3c:4d,,,,,,,,,,", "mac 00:1a:2b:3c:4d: not a MAC address"},
        {"00:1a-2b:3c:4d:5e,,,,,,,,,,", "mac 00:1a-2b:3c:4d:5e: not a MAC address"},
        {"00:1a:2b:3c:4d:5e,1..2.3,,,,,,,,,", "ip 1..2.3: not a valid address"},
        {"00:1a:2b:3c:4d:5e,0.0.0.0,,,,,,,,,", "ip 0.0.0.0: not a valid address"},
        {"00:1a:2b:3c:4d:5e,,255.255.255.254,,,,,,,,", "mask 255.255.255.254: not a valid subnet mask"},
        {"00:1a:2b:3c:4d:5e,,255.0.255.0,,,,,,,,", "mask 255.0.255.0: not a valid subnet mask"},
        {"00:1a:2b:3c:4d:5e,192.168.1.10,255.255.255.0,192.168.1.255,,,,,,,",
            "gateway: not an address inside the camera's subnet"},
        {"00:1a:2b:3c:4d:5e,,,,2,,,,,,", "dhcp 2: not a number from 0 to 1"},
        {"00:1a:2b:3c:4d:5e,192.168.1.10,,,1,,,,,,", "addresses are planned together with dhcp 1"},
        {"00:1a:2b:3c:4d:5e,,,,,caf\xC3\xA9,,,,,", "essid: empty, or not 7-bit ASCII"},
        {"00:1a:2b:3c:4d:5e,,,,,,wpa3,,,,", "security wpa3: not none, wep, wpa or wpa2"},
        {"00:1a:2b:3c:4d:5e,,,,,,wpa2,,,,", "security wpa2: needs a key"},
        {"00:1a:2b:3c:4d:5e,,,,,,,secret99,,,", "key: needs security wep, wpa or wpa2 in the same row"},
        {"00:1a:2b:3c:4d:5e,,,,,,wpa,short,,,", "key: a pass phrase has 8 to 64 characters"},
        {"00:1a:2b:3c:4d:5e,,,,,,wep,abcdef,,,", "key: a WEP key has 5 or 13 characters, or 10 or 26 hexadecimal digits"},
        {"00:1a:2b:3c:4d:5e,,,,,,wep,abcdefghij,,,", "key: a hexadecimal WEP key needs 10 or 26 digits 0-9, A-F"},
        {"00:1a:2b:3c:4d:5e,,,,,,,,33,,", "channel 33: not a number from 1 to 32"},
        {"00:1a:2b:3c:4d:5e,,,,,,,,,Tab\there,", "name: only letters a camera can hold (Latin-1, no control characters)"},
        {"00:1a:2b:3c:4d:5e,,,,,,,,,\xE2\x82\xAC,", "name: only letters a camera can hold (Latin-1, no control characters)"},
        {"00:1a:2b:3c:4d:5e,,,,,,,,,\xC3,", "name: only letters a camera can hold (Latin-1, no control characters)"},
        {"00:1a:2b:3c:4d:5e,,,,,,,,,,0", "web_port 0: not a number from 1 to 65535"},
        {"00:1a:2b:3c:4d:5e,,,,,,,", "has 8 cells, the header 11"},
        {"00:1a:2b:3c:4d:5e,\"1.2.3.4\"x,,,,,,,,,", "does not parse: text follows a closing quote"},
    };
    for (const auto& c : cases) {
        const Plan plan = ReadPlan(std::string("mac,ip,mask,gateway,dhcp,essid,security,key,channel,name,web_port\n") +
                                   c.Row + "\n");
        ASSERT_TRUE(plan.Error.empty()) << plan.Error;
        ASSERT_EQ(plan.Rows.size(), 1u) << c.Row;
        EXPECT_EQ(plan.Rows[0].Error, c.Error) << c.Row;
        EXPECT_EQ(plan.Rows[0].Line, 2);
    }
}

TEST(ProvisionPlan, GoodWirelessRowsAndLatin1Text)
{
    const Plan plan = ReadPlan("mac,essid,security,key,name,new_password\n"
                               "02:00:00:00:00:01,office,wpa2," + std::string(64, 'a') + ",Caf\xC3\xA9,n\xC3\xBC\n"
                               "02:00:00:00:00:02,office,WEP,0123456789abcdef0123456789,,\n"
                               "02:00:00:00:00:03,,none,,,\n");
    ASSERT_EQ(plan.Rows.size(), 3u);
    for (const PlanRow& r : plan.Rows)
        EXPECT_TRUE(r.Ok()) << r.Line << ": " << r.Error;
    EXPECT_EQ(plan.Rows[0].Security, PlanSecurity::Wpa2);
    EXPECT_EQ(plan.Rows[0].Name, u"Caf\u00e9");
    EXPECT_EQ(plan.Rows[0].NewPassword, u"n\u00fc");
    EXPECT_EQ(plan.Rows[1].Security, PlanSecurity::Wep);
    EXPECT_TRUE(plan.Rows[2].ChangesWireless());
}

TEST(ProvisionPlan, DuplicateCamerasAndHeaderFaults)
{
    const Plan plan = ReadPlan("mac\n02:00:00:00:00:01\n\n020000000001\n");
    ASSERT_EQ(plan.Rows.size(), 2u);
    EXPECT_TRUE(plan.Rows[0].Ok());
    EXPECT_EQ(plan.Rows[1].Error, "mac 02.00.00.00.00.01: already planned on line 2");
    EXPECT_EQ(plan.Rows[1].Line, 4);

    const struct {
        const char* Text;
        const char* Error;
    } faults[] = {
        {"", "the plan is empty"},
        {"name,ip\nx,1.2.3.4\n", "line 1: the header has no 'mac' column"},
        {"mac,gatway\n", "line 1: unknown column 'gatway'"},
        {"mac,ip,IP\n", "line 1: column 'ip' appears twice"},
        {"\"mac\n", "line 1: a quoted cell is not closed"},
    };
    for (const auto& f : faults)
        EXPECT_EQ(ReadPlan(f.Text).Error, f.Error) << f.Text;
    EXPECT_FALSE(ReadPlan(std::string(kPlanMaxBytes + 1, '\n')).Error.empty());
}

} // namespace

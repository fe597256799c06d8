// orvanta-cli's command lines: every command's --help lists what its parser
// takes, anything else is refused with exit 2, --templates takes a folder with
// or without its trailing slash, and set-network refuses a bad address with
// the network page's own message before the camera hears anything.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "operations_fixture.h"

using opstest::LoopbackSim;

namespace {

const char* kCam = "mac=02:00:00:00:00:01,id=admin,pwd=secret,ip=198.18.1.50,mask=255.255.255.0,gw=198.18.1.1";

// orvanta-cli with `args`; standard output into `out`, standard error into
// `err`. Returns the exit code.
int Cli(const std::string& args, std::string* out = nullptr, std::string* err = nullptr)
{
    return opstest::RunShell("ORVANTA_PASSWORD=secret " + std::string(ORVANTA_BIN_DIR) + "/orvanta-cli " + args, out, err);
}

std::string At(const LoopbackSim& sim)
{
    return " --to 127.0.0.1:" + std::to_string(sim.Port) + " --reply-wait 1";
}

TEST(CliOptions, HelpListsEveryOptionAndOthersAreRefused)
{
    for (const orvcli::CommandHelp& c : orvcli::AllCommands()) {
        SCOPED_TRACE(c.Name);
        std::string out;
        ASSERT_EQ(Cli(std::string(c.Name) + " --help", &out), 0);
        EXPECT_EQ(out.find(std::string("usage: orvanta-cli ") + c.Name), 0u) << out;
        for (const orvcli::OptionHelp& o : c.Options)
            EXPECT_NE(out.find(std::string("  ") + o.Name), std::string::npos) << o.Name << "\n" << out;
        std::string err;
        EXPECT_EQ(Cli(std::string(c.Name) + " --no-such-option", &out, &err), 2);
        EXPECT_NE(err.find("unknown option '--no-such-option'"), std::string::npos) << err;
    }
    std::string out;
    EXPECT_EQ(Cli("--help", &out), 0);
    for (const orvcli::CommandHelp& c : orvcli::AllCommands())
        EXPECT_NE(out.find(std::string("  ") + c.Name + " "), std::string::npos) << c.Name;
    EXPECT_EQ(Cli("", &out), 2);
    EXPECT_EQ(Cli("no-such-command", &out), 2);
}

TEST(CliOptions, ValuesThatCannotBeUsed)
{
    // A stray option used to be taken as a flag, and a value-less --pin ate
    // the next option as its PIN.
    for (const char* args : {"verify --mac 02:00:00:00:00:01 --reply-wait 0", "verify --mac 1 --reply-wait 2s",
             "verify --mac 1 --reply-wait", "verify --mac 1 stray", "verify --mac 1 --dhcp", "search --json --csv",
             "search --details --csv", "search --interface", "set-network --mac 1 --dhcp --ip 10.0.0.2",
             "set-network --mac 1 --mask 255.0.0.0", "set-network --mac 1", "set-network --mac 1 --name x --web-port 0",
             "wps --mac 1", "wps --mac 1 --pbc --pin", "template parse --bogus x"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Cli(args), 2);
    }
}

TEST(CliOptions, TemplateFolderWithOrWithoutTrailingSlash)
{
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    const std::string dir = std::string(ORVANTA_BIN_DIR) + "/tOrvanta";
    EXPECT_EQ(Cli("verify --mac 02:00:00:00:00:01 --templates " + dir + At(sim)), 0);
    EXPECT_EQ(Cli("verify --mac 02:00:00:00:00:01 --templates " + dir + "/" + At(sim)), 0);
    EXPECT_EQ(Cli("verify --mac 02:00:00:00:00:01 --templates " + dir + "-missing" + At(sim)), 4);
}

TEST(CliOptions, SetNetworkRefusesWhatTheNetworkPageRefuses)
{
    struct Case {
        const char* Options;
        const char* Words; // the network page's message for the field
    } cases[] = {
        {"--ip 300.1.2.3 --mask 255.255.255.0", "--ip 300.1.2.3: Please enter a valid IP address"},
        {"--ip 0.0.0.0 --mask 255.255.255.0", "--ip 0.0.0.0: Please enter a valid IP address"},
        {"--ip 10.0.0.9 --mask 255.255.255.254", "--mask 255.255.255.254: Please enter a valid subnet mask"},
        {"--ip 10.0.0.9 --mask 255.0.255.0", "--mask 255.0.255.0: Please enter a valid subnet mask"},
        {"--ip 10.0.0.9 --mask 255.0.0.0 --gw 11.0.0.1", "--gw 11.0.0.1: The default gateway is not valid."},
        {"--ip 10.0.0.9 --mask 255.0.0.0 --gw 10.0.0.1 --dns1 1.2.3", "--dns1 1.2.3: The preferred DNS server"},
        {"--ip 10.0.0.9 --mask 255.0.0.0 --dns2 8.8.8.x", "--dns2 8.8.8.x: The alternate DNS server"},
        // Only known after the search: the camera's current gateway is
        // outside the new subnet. The login is never sent.
        {"--ip 10.0.0.9 --mask 255.0.0.0", "the camera's current gw 198.18.1.1: The default gateway is not valid."},
    };
    LoopbackSim sim({kCam});
    ASSERT_TRUE(sim.Ready);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Options);
        std::string err;
        EXPECT_EQ(Cli(std::string("set-network --mac 02:00:00:00:00:01 ") + c.Options + At(sim), nullptr, &err), 2);
        EXPECT_NE(err.find(c.Words), std::string::npos) << err;
    }
    auto state = sim.State();
    EXPECT_EQ(state.count("request"), 0u) << state["request"];
    // Accepted values go out normalised, as the page stores them.
    EXPECT_EQ(Cli("set-network --mac 02:00:00:00:00:01 --ip 198.18.001.060 --gw ' 198.18.1.1 '" + At(sim)), 0);
    state = sim.State();
    EXPECT_EQ(state["ip"], "198.18.1.60");
    EXPECT_EQ(state["gw"], "198.18.1.1");
}

TEST(CliOptions, CsvQuoting)
{
    EXPECT_EQ(orvcli::CsvRow({"plain", "a,b", "say \"hi\"", "", "line\nbreak\x1b"}),
        "plain,\"a,b\",\"say \"\"hi\"\"\",,line?break?\r\n");
}

} // namespace

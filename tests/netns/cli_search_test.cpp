// orvanta-cli search run inside the pc namespace: the cameras of two
// segments, the foreign-subnet one included, as JSON; and the clear failure
// when the pc has no adapter to search.
#include <gtest/gtest.h>

#include <unistd.h>

#include "support/NetnsLab.h"

using orvtest::NetnsLab;

namespace {

class CliSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string why = NetnsLab::CliSkipReason();
        if (!why.empty())
            GTEST_SKIP() << why;
    }
};

TEST_F(CliSearch, ListsCamerasOfEverySegmentAsJson)
{
    NetnsLab lab;
    const int seg1 = lab.AddSegment(), seg2 = lab.AddSegment();
    lab.AddPcAdapter(seg1, "eth0", {"198.18.1.1/24"});
    lab.AddPcAdapter(seg2, "eth1", {"198.18.2.1/24"});
    lab.StartSimulator(lab.AddCameraHost(seg1, "198.18.1.50/24"),
        {"--camera", "mac=02:00:00:00:01:01,model=SIM-100,name=Hall \"A\",ip=198.18.1.50,port=8080"});
    lab.StartSimulator(lab.AddCameraHost(seg1, "198.19.77.5/24"),
        {"--camera", "mac=02:00:00:00:07:07,model=SIM-FAR,name=Elsewhere,ip=198.19.77.5,reply=broadcast"});
    lab.StartSimulator(lab.AddCameraHost(seg2, "198.18.2.50/24"),
        {"--camera", "mac=02:00:00:00:02:01,model=SIM-300,name=Gate,ip=198.18.2.50"});
    ASSERT_TRUE(lab.Ok()) << lab.Error();

    std::string out;
    ASSERT_EQ(lab.RunProgramInPc({NetnsLab::CliPath(), "search", "--json"}, out), 0) << out;
    EXPECT_NE(out.find(R"({"model": "SIM-100", "name": "Hall \"A\"", "ip": "198.18.1.50", "mac": "02.00.00.00.01.01", )"
                       R"("webPort": 8080, "adapter": "198.18.1.1"})"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find(R"("ip": "198.19.77.5", "mac": "02.00.00.00.07.07", "webPort": 80, "adapter": "198.18.1.1")"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find(R"("ip": "198.18.2.50", "mac": "02.00.00.00.02.01", "webPort": 80, "adapter": "198.18.2.1")"),
        std::string::npos)
        << out;

    ASSERT_EQ(lab.RunProgramInPc({NetnsLab::CliPath(), "search"}, out), 0) << out;
    EXPECT_NE(out.find("3 cameras found"), std::string::npos) << out;
}

TEST_F(CliSearch, NoAdapterIsAnErrorWithAReason)
{
    NetnsLab lab;
    ASSERT_TRUE(lab.Ok()) << lab.Error();
    std::string out;
    // Standard error joins standard output through the shell.
    EXPECT_EQ(lab.RunProgramInPc({"sh", "-c", NetnsLab::CliPath() + " search 2>&1"}, out), 1);
    EXPECT_NE(out.find("no adapter could be searched: no network adapter is up with an IPv4 address"),
        std::string::npos)
        << out;
}

} // namespace

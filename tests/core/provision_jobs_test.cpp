// Several cameras provisioned at once, as orvanta-cli provision runs them:
// the job pool and one engine per camera, against simulated cameras on
// loopback. Each camera has its own password, so a reply, sequence number
// or buffer that strayed from one job into another shows as a refusal or a
// wrong result; the camera's waits overlap across jobs. Run under
// ThreadSanitizer too (scripts/sanitize.sh --thread).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "cli/ProvisionCamera.h"
#include "cli/ProvisionJobs.h"
#include "cli/ProvisionPlan.h"
#include "core/operations_fixture.h"
#include "support/WizardCameras.h"
#include "template/TemplateFile.h"

using namespace orvcli;

namespace {

constexpr int kCameras = 8;

std::string MacOf(int n)
{
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:00:00:00:00:%02x", n);
    return mac;
}

TEST(ProvisionJobs, CamerasAtOnceEachOnItsOwnEngine)
{
    std::vector<std::string> cameras;
    for (int n = 1; n <= kCameras; ++n)
        cameras.push_back("mac=" + MacOf(n) + ",ip=127.0.0.1,id=admin,pwd=pw" + std::to_string(n) + ",wait=2:150");
    opstest::LoopbackSim sim(cameras);
    ASSERT_TRUE(sim.Ready);

    // The one search: every camera's record, found on no adapter.
    orv::CCamEngine search;
    opstest::AimAtLoopback(search, sim.Port, 2);
    for (int n = 1; n <= kCameras; ++n) {
        orv::CamRecord rec = orvtest::MakeCameraRecord(static_cast<uint32_t>(n), "SIM", "Cam", {127, 0, 0, 1});
        std::memset(rec.AddrIndex, 0xFF, sizeof rec.AddrIndex);
        search.m_Found.push_back(rec);
    }
    std::string planText = "mac,password,name,web_port\n";
    for (int n = 1; n <= kCameras; ++n)
        planText += MacOf(n) + ",pw" + std::to_string(n) + ",Site " + std::to_string(n) + "," +
                    std::to_string(8000 + n) + "\n";
    const Plan plan = ReadPlan(planText);
    ASSERT_EQ(plan.Rows.size(), static_cast<std::size_t>(kCameras));

    std::atomic<int> sleeping{0}, mostAsleep{0}, waits{0};
    ProvisionSetup setup;
    setup.TemplateDir = orv::TemplateFolderOf(ORVANTA_BIN_DIR);
    setup.User = u"admin";
    setup.ReplyWaitSeconds = 2;
    setup.Sleep = [&](int ms) {
        const int now = ++sleeping;
        for (int seen = mostAsleep; now > seen && !mostAsleep.compare_exchange_weak(seen, now);) {
        }
        ++waits;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms * 2));
        --sleeping;
    };
    std::vector<CameraOutcome> outcomes(kCameras);
    std::vector<std::size_t> progress;
    RunJobs(
        kCameras, 4,
        [&](std::size_t k) {
            // Record k is camera k+1: the plan's row k.
            outcomes[k] = ProvisionCamera(search, static_cast<int>(k), plan.Rows[k], setup);
        },
        [&](std::size_t done) { progress.push_back(done); });

    for (int k = 0; k < kCameras; ++k) {
        EXPECT_TRUE(outcomes[k].Ok) << MacOf(k + 1) << ": " << outcomes[k].Message;
        EXPECT_EQ(outcomes[k].Changed, (std::vector<std::string>{"name", "web_port"})) << MacOf(k + 1);
    }
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), static_cast<std::size_t>(kCameras));
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(waits, kCameras); // each camera asked once, after its settings
    EXPECT_GT(mostAsleep, 1) << "the cameras' waits never overlapped: they were slept one after another";
    // The search engine lent its records and addresses and kept them.
    EXPECT_EQ(search.CountRecords(), kCameras);
}

// A step after the new password fails: the report says the camera already
// takes the new password, or the installer would retry with the old one.
TEST(ProvisionJobs, AFailureAfterThePasswordStepSaysTheNewPasswordIsSet)
{
    opstest::FakeCamera cam([](const std::vector<uint8_t>& req, int) {
        if (req[4] == 0xA2) // the name and network step: error code 7
            return std::vector<std::vector<uint8_t>>{opstest::ReplyTo(req, 5, {7, 0, 0, 0})};
        return std::vector<std::vector<uint8_t>>{opstest::ReplyTo(req, 0)};
    });
    orv::CCamEngine search;
    opstest::AimAtLoopback(search, cam.Port, 1);
    orv::CamRecord rec = orvtest::MakeCameraRecord(1, "SIM", "Cam", {127, 0, 0, 1});
    std::memset(rec.AddrIndex, 0xFF, sizeof rec.AddrIndex);
    search.m_Found.push_back(rec);
    const Plan plan = ReadPlan("mac,name,new_password\n" + MacOf(1) + ",Hall,n3w\n");
    ASSERT_EQ(plan.Rows.size(), 1u);
    ProvisionSetup setup;
    setup.TemplateDir = orv::TemplateFolderOf(ORVANTA_BIN_DIR);
    setup.User = u"admin";
    setup.Password = u"old";
    setup.ReplyWaitSeconds = 1;

    const CameraOutcome o = ProvisionCamera(search, 0, plan.Rows[0], setup);
    EXPECT_FALSE(o.Ok);
    EXPECT_EQ(o.Message, "the camera reported error code 7; the new password is already set");
    std::string opcodes;
    for (const auto& req : cam.Requests())
        opcodes += std::to_string(req[4]) + " ";
    EXPECT_EQ(opcodes, "163 165 164 162 "); // login, capabilities, password, then the failed step
}

TEST(ProvisionJobs, NoJobsAndMoreJobsThanItems)
{
    int calls = 0;
    RunJobs(0, 8, [&](std::size_t) { ++calls; }, [&](std::size_t) { ++calls; });
    EXPECT_EQ(calls, 0);
    std::atomic<int> work{0};
    std::size_t last = 0;
    RunJobs(3, 64, [&](std::size_t) { ++work; }, [&](std::size_t done) { last = done; });
    EXPECT_EQ(work, 3);
    EXPECT_EQ(last, 3u);
}

} // namespace

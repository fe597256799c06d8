// Where the programs find their data: beside the executable first (the build
// tree, a copied folder), then the installed layout's ../share/orvanta.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "operations_fixture.h"
#include "platform/core/DataFolder.h"

namespace fs = std::filesystem;
using opstest::LoopbackSim;

namespace {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/orv-datafolder-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        root = tmpl;
    }
    void TearDown() override { fs::remove_all(root); }

    void File(const std::string& rel)
    {
        fs::create_directories(fs::path(root + rel).parent_path());
        std::FILE* f = std::fopen((root + rel).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    void Folder(const std::string& rel) { fs::create_directories(root + rel); }

    std::string root;
};

TEST_F(DataFolderTest, BesideFirstThenShare)
{
    Folder("/a/bin");
    // Nothing anywhere: the folder beside the program, where it looked first.
    EXPECT_EQ(orv::DataFolderFor(root + "/a/bin"), root + "/a/bin/");
    File("/a/share/orvanta/Orvanta.ini");
    EXPECT_EQ(orv::DataFolderFor(root + "/a/bin"), root + "/a/share/orvanta/");
    EXPECT_EQ(orv::DataFolderFor(root + "/a/bin/"), root + "/a/share/orvanta/");
    // A template folder alone marks a data folder too (the command-line tool
    // needs no skin).
    Folder("/a/bin/tOrvanta");
    EXPECT_EQ(orv::DataFolderFor(root + "/a/bin/"), root + "/a/bin/");
    fs::remove(root + "/a/bin/tOrvanta");
    File("/a/bin/Orvanta.ini");
    EXPECT_EQ(orv::DataFolderFor(root + "/a/bin"), root + "/a/bin/");
    // A folder called Orvanta.ini is no settings file.
    Folder("/b/bin/Orvanta.ini");
    EXPECT_EQ(orv::DataFolderFor(root + "/b/bin"), root + "/b/bin/");
}

// The command-line tool copied into an installed layout finds its templates
// in ../share/orvanta; the same tool alone in a folder reports them missing.
TEST_F(DataFolderTest, AnInstalledLayoutFindsItsTemplates)
{
    LoopbackSim sim({"mac=02:00:00:00:00:01,id=admin,pwd=secret"});
    ASSERT_TRUE(sim.Ready);
    const std::string bin = std::string(ORVANTA_BIN_DIR);
    Folder("/usr/bin");
    Folder("/usr/share/orvanta");
    Folder("/alone");
    fs::copy_file(bin + "/orvanta-cli", root + "/usr/bin/orvanta-cli");
    fs::copy_file(bin + "/orvanta-cli", root + "/alone/orvanta-cli");
    fs::copy(bin + "/tOrvanta", root + "/usr/share/orvanta/tOrvanta", fs::copy_options::recursive);
    auto run = [&](const std::string& program) {
        const std::string cmd = "ORVANTA_PASSWORD=secret " + program + " verify --mac 02:00:00:00:00:01 --to 127.0.0.1:" +
                                std::to_string(sim.Port) + " --reply-wait 1 >/dev/null 2>&1";
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run(root + "/usr/bin/orvanta-cli"), 0);
    EXPECT_EQ(run(root + "/alone/orvanta-cli"), 4);
}

} // namespace

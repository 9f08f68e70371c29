#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "GeoTestSupport.h"

namespace corvane::geo {
namespace {

using testing::Gbk;
using testing::Ipv4;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs corvane-cli in `dir` with that folder as its data directory and `input` as its
// standard input; `arguments` follow the program's name.
Outcome RunCli(const testing::TempDir& dir, const std::string& arguments,
               const std::string& input = "") {
    testing::WriteFileBytes(dir / "in.txt", input);
    const std::string line = "cd '" + dir.path().string() + "' && CORVANE_HOME=. " +
                             CORVANE_CLI_PATH + ' ' + arguments + " <in.txt >out.txt 2>err.txt";
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(dir / "out.txt"),
            ReadAll(dir / "err.txt")};
}

class LookupCommand : public ::testing::Test {
protected:
    void SetUp() override {
        testing::QqwryFixture fixture;
        fixture.AddRange(Ipv4(1, 0, 0, 0), Ipv4(1, 255, 255, 255), 4, Gbk("北京市"), Gbk("联通"));
        fixture.AddRange(Ipv4(2, 0, 0, 0), Ipv4(2, 255, 255, 255), 7, Gbk("美国"), "");
        testing::WriteFileBytes(dir / "QQWry.Dat", fixture.Build());
    }
    testing::TempDir dir;
};

TEST_F(LookupCommand, PrintsOneLocationPerAddressGiven) {
    std::filesystem::rename(dir / "QQWry.Dat", dir / "named.dat");
    for (const char* option : {"--qqwry named.dat", "--qqwry=named.dat"}) {
        const Outcome outcome =
            RunCli(dir, std::string("lookup ") + option + " 1.2.3.4 '' 2.0.0.1 9.9.9.9");
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
        EXPECT_EQ(outcome.out,
                  "北京市 联通\n" + kPleaseEnterAddress + "\n美国 \n" + kNothingFound + "\n");
    }
}

TEST_F(LookupCommand, ReadsStandardInputWithTheDataDirectorysFile) {
    const Outcome outcome = RunCli(dir, "lookup", "2.9.9.9\n1.0.0.1\r\n\n9.9.9.9");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "美国 \n北京市 联通\n" + kPleaseEnterAddress + "\n" + kNothingFound + "\n");
}

TEST_F(LookupCommand, MissingFileIsAnErrorOnStandardError) {
    const Outcome named = RunCli(dir, "lookup --qqwry absent.dat 1.2.3.4");
    EXPECT_NE(named.exitCode, 0);
    EXPECT_EQ(named.out, "");
    EXPECT_NE(named.err.find("absent.dat"), std::string::npos) << named.err;

    std::filesystem::remove(dir / "QQWry.Dat");
    const Outcome fromHome = RunCli(dir, "lookup 1.2.3.4");
    EXPECT_NE(fromHome.exitCode, 0);
    EXPECT_NE(fromHome.err.find("QQWry.Dat"), std::string::npos) << fromHome.err;

    const Outcome noName = RunCli(dir, "lookup --qqwry");
    EXPECT_NE(noName.exitCode, 0);
    EXPECT_NE(noName.err.find("usage"), std::string::npos) << noName.err;
}

}  // namespace
}  // namespace corvane::geo

#include "app/Records.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[] = "/tmp/gridlume-records.XXXXXX";
        ASSERT_NE(mkdtemp(base), nullptr);
        folder = base;
        path = folder + "/gridlume/records";
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

    // Loads the file as the game does at start-up; returns what it said on standard error.
    std::string load(RecordsFile& file) {
        ::testing::internal::CaptureStderr();
        file.load();
        return ::testing::internal::GetCapturedStderr();
    }

    std::string folder;
    std::string path;
};

TEST_F(RecordsTest, GamesAddUpAndSurviveTheRoundTrip) {
    RecordsFile file(path); // no folder and no file yet: a first run, nothing to say
    EXPECT_EQ(load(file), "");
    file.add(false, 61500);
    EXPECT_EQ(file.current().bestSeconds(240), 61);
    file.add(true, 240000);
    file.add(false, 30000);
    file.add(false, 90000, true); // a relaxed game counts apart
    EXPECT_EQ(readFile(path), "gridlume records 2\nplayed 3\nwon 1\nlongest-lost-ms 61500\n"
                              "relaxed-played 1\nrelaxed-won 0\nrelaxed-longest-lost-ms 90000\n");

    RecordsFile again(path);
    EXPECT_EQ(load(again), "");
    EXPECT_EQ(formatRecords(again.current()), readFile(path));
    EXPECT_EQ(again.current().bestSeconds(240), 240); // a win is the whole game
    EXPECT_EQ(again.current().bestSeconds(240, true), 90);
    EXPECT_EQ(again.current().gamesPlayed(), 4);

    // A file of the first version, from before the relaxed games, is read and then upgraded.
    writeFile(path, "gridlume records 1\nplayed 9\nwon 2\nlongest-lost-ms 100000\n");
    RecordsFile old(path);
    EXPECT_EQ(load(old), "");
    EXPECT_EQ(old.current().played, 9);
    old.add(true, 240000, true);
    EXPECT_EQ(readFile(path), "gridlume records 2\nplayed 9\nwon 2\nlongest-lost-ms 100000\n"
                              "relaxed-played 1\nrelaxed-won 1\nrelaxed-longest-lost-ms 0\n");
}

// Whatever is wrong with the file, the game says so once and goes on; it never overwrites a
// file it could not read.
TEST_F(RecordsTest, DamagedFilesAreReportedAndLeftAlone) {
    const std::string good = "gridlume records 1\nplayed 9\nwon 2\nlongest-lost-ms 100000\n";
    const std::pair<const char*, std::string> damaged[] = {
        {"empty", ""},
        {"truncated", good.substr(0, 30)},
        {"garbage", "\x7f"
                    "ELF\x01\x02 not records at all"},
        {"too large", good + std::string(8000, '#')},
        {"another version", "gridlume records 7\nplayed 1\nwon 0\nlongest-lost-ms 5\n"},
        {"negative", "gridlume records 1\nplayed -1\nwon 0\nlongest-lost-ms 5\n"},
    };
    mkdir((folder + "/gridlume").c_str(), 0700);
    for (const auto& [what, text] : damaged) {
        writeFile(path, text);
        RecordsFile file(path);
        const std::string said = load(file);
        EXPECT_NE(said.find("gridlume: records file " + path), std::string::npos) << what;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << what;
        EXPECT_EQ(file.current().played, 0) << what;
        ::testing::internal::CaptureStderr();
        file.add(false, 5000);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << what << ": said once is enough";
        EXPECT_EQ(file.current().played, 1) << what; // this run still counts its games
        EXPECT_EQ(readFile(path), text) << what;
    }

    // A folder where the file should be.
    std::remove(path.c_str());
    mkdir(path.c_str(), 0700);
    RecordsFile folderInItsPlace(path);
    EXPECT_NE(load(folderInItsPlace).find("not a plain file"), std::string::npos);
    folderInItsPlace.add(true, 240000);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));

    // A folder that cannot be made: /proc takes none, whoever asks (permissions would not stop
    // root). The run still counts its games.
    RecordsFile unwritable("/proc/gridlume-test/records");
    EXPECT_EQ(load(unwritable), "");
    ::testing::internal::CaptureStderr();
    unwritable.add(false, 42000);
    unwritable.add(false, 43000);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot make its folder"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(unwritable.current().longestLostMs, 43000);
}

#if GTEST_HAS_DEATH_TEST // these need child processes, which a browser does not have
TEST_F(RecordsTest, GamesEndingAtOnceNeverTearTheFile) {
    constexpr int processes = 4;
    constexpr int gamesEach = 25;
    for (int p = 0; p < processes; ++p) {
        if (fork() == 0) {
            RecordsFile file(path);
            file.load();
            for (int i = 0; i < gamesEach; ++i) {
                file.add(i % 5 == 0, 1000 * i);
            }
            _exit(0);
        }
    }
    for (int p = 0; p < processes; ++p) {
        int status = 0;
        wait(&status);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Records total;
    std::string why;
    ASSERT_TRUE(parseRecords(readFile(path), total, why)) << why;
    EXPECT_EQ(total.played, processes * gamesEach);
    EXPECT_EQ(total.won, processes * 5);
    EXPECT_EQ(total.longestLostMs, 24000);
}

// $XDG_DATA_HOME itself is used by comforts_e2e.sh; here, the fall-backs.
TEST(RecordsPath, FollowsTheBaseDirectoryRules) {
    EXPECT_EXIT(
        {
            setenv("HOME", "/home/p", 1);
            setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
            const bool home = defaultRecordsPath() == "/home/p/.local/share/gridlume/records";
            unsetenv("HOME");
            std::_Exit(home && defaultRecordsPath() == "" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

} // namespace

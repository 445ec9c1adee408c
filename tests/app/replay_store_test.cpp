#include "app/ReplayStore.h"
#include "app/Replays.h"
#include "play/LiveMode.h"

#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace replaystoretest {

using Outcome = Replay::Outcome;

StoredReplay game(int minute, bool relaxed, Outcome outcome, int gameMs, int sameSecond = 0) {
    StoredReplay r;
    r.when = {2026, 12, 8, 19, minute, 11};
    r.sameSecond = sameSecond;
    r.relaxed = relaxed;
    r.outcome = outcome;
    r.gameMs = gameMs;
    r.name = replayFileName(r.when, relaxed, outcome, sameSecond);
    return r;
}

TEST(ReplayStore, NamesSayDateModeAndOutcomeAndReadBack) {
    const StoredReplay second = game(4, true, Outcome::won, 240000, 1);
    EXPECT_EQ(second.name, "2026-12-08T19-04-11-relaxed-won-1.gridlume-replay");
    EXPECT_EQ(game(59, false, Outcome::quit, 0).name,
              "2026-12-08T19-59-11-normal-quit.gridlume-replay");
    StoredReplay read;
    ASSERT_TRUE(parseReplayFileName(second.name, read));
    EXPECT_EQ(read.name, second.name);
    EXPECT_EQ(read.when.minute, 4);
    EXPECT_EQ(read.sameSecond, 1);
    EXPECT_TRUE(read.relaxed);
    EXPECT_EQ(read.outcome, Outcome::won);
    for (const char* other : {"records", "2026-12-08T19-04-11-relaxed-won.gridlume-replay.tmp",
                              "2026-12-08T19-04-11-relaxed-won-01.gridlume-replay",
                              "2026-12-08T19-04-11-frantic-won.gridlume-replay",
                              "2026-12-08 19-04-11-normal-won.gridlume-replay",
                              "2026-12-08T19-04-11-normal.gridlume-replay"}) {
        EXPECT_FALSE(parseReplayFileName(other, read)) << other;
    }
}

// Of 30 games, the last 20 stay, and each mode's best of the older ones.
TEST(ReplayStore, KeepsTheLastGamesAndEachModesBest) {
    std::vector<StoredReplay> games;
    games.push_back(game(0, false, Outcome::lost, 200000)); // the normal mode's longest loss...
    games.push_back(game(1, false, Outcome::won, 240000));  // ...beaten by a win...
    games.push_back(game(2, false, Outcome::won, 240000));  // ...and by a later one
    games.push_back(game(3, true, Outcome::quit, 230000));  // a quit is no loss
    games.push_back(game(4, true, Outcome::lost, 1000));
    games.push_back(game(5, true, Outcome::lost, 90000)); // the relaxed mode's best
    for (int i = 0; i < 24; ++i) {
        games.push_back(game(10 + i, i % 2 == 0, Outcome::lost, 5000, i % 3));
    }
    std::reverse(games.begin(), games.end()); // the order in the folder means nothing
    std::vector<std::string> removed = replaysToRemove(games);
    std::vector<std::string> expected = {games[29].name, games[28].name, games[26].name,
                                         games[25].name, games[23].name, games[22].name,
                                         games[21].name, games[20].name};
    std::sort(removed.begin(), removed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(removed, expected);
    games.resize(15);
    EXPECT_TRUE(replaysToRemove(games).empty());
}

// The folder: only our own, readable files are judged; the rest stay whatever they are.
TEST(ReplayStore, StoringAGameKeepsTheFolderPruned) {
    const std::string folder = ::testing::TempDir() + "gridlume-replays-test/replays";
    std::filesystem::remove_all(std::filesystem::u8path(folder));
    Replay replay;
    replay.programVersion = "1.0.0";
    replay.width = 800;
    replay.height = 600;
    replay.frameMs = {16, 17};
    replay.outcome = Outcome::lost;
    std::string path;
    std::string why;
    for (int i = 0; i < 22; ++i) {
        replay.gameMs = i == 0 ? 99000 : 1000 + i; // the first is the best
        ASSERT_TRUE(storeReplay(folder, replay, {2026, 12, 8, 19, 4, 11}, path, why)) << why;
        if (i == 0) {
            EXPECT_EQ(path, folder + "/2026-12-08T19-04-11-normal-lost.gridlume-replay");
            std::ofstream(folder + "/2026-01-01T00-00-00-normal-won.gridlume-replay") << "bad";
            std::ofstream(folder + "/notes.txt") << "mine";
        }
    }
    EXPECT_EQ(path, folder + "/2026-12-08T19-04-11-normal-lost-21.gridlume-replay");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(folder))) {
        names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 23u) << "20 latest, the best, and the two that are not replays";
    EXPECT_EQ(names[0], "2026-01-01T00-00-00-normal-won.gridlume-replay");
    EXPECT_EQ(names[21], "2026-12-08T19-04-11-normal-lost.gridlume-replay");
    EXPECT_EQ(names[22], "notes.txt");
    EXPECT_EQ(
        std::count(names.begin(), names.end(), "2026-12-08T19-04-11-normal-lost-1.gridlume-replay"),
        0);
    std::filesystem::remove_all(std::filesystem::u8path(folder).parent_path());

    // No data folder: said, not saved.
    EXPECT_FALSE(storeReplay("", replay, {}, path, why));
    EXPECT_FALSE(why.empty());
}

} // namespace replaystoretest

namespace replaystoretest {

// Two games recorded on Linux by the monkey's players (a calm helper placing pieces on the chain
// and a chaos player resizing, pausing and going full screen), lost after 115 and 70 s, and one
// played under Wine by wine_e2e (a drag, full screen twice, Esc): here too they end at the same
// game time in the same final state, to the bit. The same test runs on Linux, under Wine and
// under Node, so a replay recorded on one verifies on the others.
TEST(ReplayPlayback, GamesRecordedElsewherePlayTheSameGameHere) {
    State* const saved = currentState;
    for (const char* name : {"calm-helper-lost", "chaos-lost", "windows-drag-full-screen-quit"}) {
        Replay recorded;
        std::string why;
        const std::string path =
            std::string(GRIDLUME_SOURCE_DIR) + "/tests/app/replays/" + name + replayExtension;
        ASSERT_TRUE(loadReplayFile(path, recorded, why)) << path << ": " << why;
        const ReplayResult played = playReplay(recorded);
        EXPECT_EQ(played.outcome, recorded.outcome) << name;
        EXPECT_EQ(played.gameMs, recorded.gameMs) << name;
        EXPECT_EQ(played.hash, recorded.hash) << name;
    }
    liveMode.release(nullptr);
    currentState = saved;
}

} // namespace replaystoretest

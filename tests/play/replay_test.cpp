#include "play/GameHash.h"
#include "play/Replay.h"
#include "play_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace replaytest {

using Kind = Replay::Kind;

// A short game with a record of every kind, long frames and pointer jumps both ways.
Replay sampleReplay() {
    Replay r;
    r.programVersion = "1.0.0";
    r.relaxed = true;
    r.hints = true;
    r.seed = 4294967295u;
    r.width = 800;
    r.height = 600;
    r.frameMs = {16, 17, 0, 63, 64, 1000, 16, 33};
    r.events = {{0, Kind::passiveMotion, 0, 0, 400, 300}, {0, Kind::mouse, 0, 0, 401, 299},
                {2, Kind::motion, 0, 0, -20, 5000},       {2, Kind::mouse, 0, 1, 3, 2},
                {3, Kind::keyboard, 'p', 1, 3, 2},        {3, Kind::keyboardUp, 255, 0, 0, 0},
                {5, Kind::special, 4, 4, 10, 10},         {5, Kind::specialUp, 4, 0, 10, 10},
                {6, Kind::reshape, 0, 0, 1000, 750},      {8, Kind::mouse, 4, 0, 0, 0}};
    r.outcome = Replay::Outcome::lost;
    r.gameMs = 123456;
    r.hash = 0x0123456789abcdefull;
    return r;
}

void expectSame(const Replay& a, const Replay& b) {
    EXPECT_EQ(a.programVersion, b.programVersion);
    EXPECT_EQ(a.relaxed, b.relaxed);
    EXPECT_EQ(a.hints, b.hints);
    EXPECT_EQ(a.seed, b.seed);
    EXPECT_EQ(a.startMs, b.startMs);
    EXPECT_EQ(a.fullScreen, b.fullScreen);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.frameMs, b.frameMs);
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.outcome, b.outcome);
    EXPECT_EQ(a.gameMs, b.gameMs);
    EXPECT_EQ(a.hash, b.hash);
}

TEST(ReplayFile, RoundTripsEveryRecordBehindAReadableHeader) {
    const Replay original = sampleReplay();
    const std::string bytes = writeReplay(original);
    const std::string header = "gridlume replay 1\nversion 1.0.0\nmode relaxed\nhints on\n"
                               "seed 4294967295\nstart 0 0\nwindow 800 600\nscreen window\n"
                               "button none\nrecords\n";
    ASSERT_EQ(bytes.compare(0, header.size(), header), 0) << bytes;
    Replay read;
    std::string why;
    ASSERT_TRUE(readReplay(bytes, read, why)) << why;
    expectSame(read, original);

    // A quiet frame is one byte, a pointer's small move three.
    Replay minute = original;
    minute.events.clear();
    minute.frameMs.assign(60000 / 16, 16);
    for (int i = 0; i < 1000; ++i) {
        minute.events.push_back({i, Kind::passiveMotion, 0, 0, 400 + i % 7, 300 - i % 5});
    }
    const std::size_t records = writeReplay(minute).size() - header.size();
    EXPECT_LE(records, 3750u + 3000u + 20u);
}

// Whatever the bytes, the reader answers with a replay or a reason; never a crash, a hang or an
// allocation beyond the file's size. The table names the damage a player's file can have; then
// every cut and a few thousand random changes of a good file.
TEST(ReplayFile, DamagedOrForeignFilesAreRefusedWithAReason) {
    const std::string good = writeReplay(sampleReplay());
    const std::size_t records = good.find("records\n") + 8;
    std::string newer = good;
    newer.replace(16, 1, "2");
    std::string badMode = good;
    badMode.replace(good.find("relaxed"), 7, "frantic");
    const std::pair<std::string, const char*> damaged[] = {
        {"", "it is empty"},
        {std::string(largestReplay + 1, '\0'), "too large"},
        {"\x89PNG\r\n\x1a\n", "not a gridlume replay"},
        {"gridlume records 2\nplayed 3\n", "not a gridlume replay"},
        {newer, "newer than this gridlume reads (1)"},
        {"gridlume replay 0\n", "no longer reads"},
        {badMode, "line 3 is not \"mode normal|relaxed\""},
        {good.substr(0, records - 3), "line 10 is not \"records\""},
        {good.substr(0, records + 4), "cut short inside its record at byte"},
        {good.substr(0, good.size() - 13), "its last record, with the outcome, is missing"},
        {good + "x", "goes on after its last record"},
        {good.substr(0, records) + "\x7f", "starts no record"},
        {good.substr(0, records) + "\x40\xff\xff\xff\xff\x0f", "holds a value no game gives"},
    };
    for (const auto& [bytes, reason] : damaged) {
        Replay r;
        std::string why;
        EXPECT_FALSE(readReplay(bytes, r, why)) << reason;
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    }

    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        Replay r;
        std::string why;
        EXPECT_FALSE(readReplay(good.substr(0, cut), r, why)) << cut;
        EXPECT_FALSE(why.empty());
    }
    std::mt19937 random(26);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = good;
        for (int changes = 1 + i % 3; changes > 0; --changes) {
            bytes[random() % bytes.size()] = static_cast<char>(random());
        }
        Replay r;
        std::string why;
        if (readReplay(bytes, r, why)) {
            // What still reads is a replay that writes back the same (a change the format
            // cannot see, such as one in the hash, is simply another game).
            EXPECT_EQ(writeReplay(r), bytes);
        } else {
            EXPECT_FALSE(why.empty());
        }
    }
}

class GameHashTest : public playtest::GameTest {};

// The hash sees one float step of any joint, piece or square, and nothing else.
TEST_F(GameHashTest, SameGameSameHashAndEveryStepShows) {
    for (int i = 0; i < 64; ++i) {
        runFrameOf(16);
    }
    const std::uint64_t played = hashGame(game);
    startAgain();
    for (int i = 0; i < 64; ++i) {
        runFrameOf(16);
    }
    ASSERT_EQ(hashGame(game), played);
    game.paused = true; // not part of the state the chain and the board decide
    EXPECT_EQ(hashGame(game), played);

    float* const nudged[] = {&game.chain->joints.back()->position.y, &game.gears.back()->angle,
                             &firstGear()->turned, &game.squares[7]->light};
    for (float* value : nudged) {
        const float was = *value;
        *value = std::nextafter(was, 1e9f);
        EXPECT_NE(hashGame(game), played);
        *value = was;
    }
    EXPECT_EQ(hashGame(game), played);
}

} // namespace replaytest

#include "app/Callbacks.h"
#include "platform/ExtensionList.h"
#include "app/FrameClock.h"
#include "play/State.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Records what reaches it, so the tests can see what the callbacks forward.
class RecordingState : public State {
public:
    RecordingState() : State("recording") {}
    void update() override { updates.push_back(frameSeconds); }
    void keyboard(unsigned char key, int, int) override { keys.push_back(key); }
    void special(int key, int, int) override { specials.push_back(key); }
    void mouse(int button, int state, int x, int y) override {
        mice.push_back(button * 1000 + state * 100 + x + y);
    }
    std::vector<float> updates;
    std::vector<int> keys;
    std::vector<int> specials;
    std::vector<int> mice;
};

class CallbacksTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = currentState;
        currentState = &recorder;
        resetFrameClockHolds(); // a game paused by an earlier test holds no time here
        elapsedMs = previousMs = frameMs = 0;
        frameSeconds = 0.0f;
    }
    void TearDown() override { currentState = saved; }
    RecordingState recorder;
    State* saved = nullptr;
};

TEST_F(CallbacksTest, IdleAdvancesTheClockBeforeTheUpdate) {
    idleStep(1500); // the first pass measures from GLUT's start
    idleStep(1516);
    idleStep(1516);
    ASSERT_EQ(recorder.updates.size(), 3u);
    EXPECT_FLOAT_EQ(recorder.updates[0], 1.5f);
    EXPECT_FLOAT_EQ(recorder.updates[1], 0.016f);
    EXPECT_EQ(recorder.updates[2], 0.0f);
    EXPECT_EQ(elapsedMs, 1516);
    EXPECT_EQ(previousMs, 1516);
    EXPECT_EQ(frameMs, 0);
    idleStep(1533);
    EXPECT_EQ(frameMs, 17);
}

// Before the first switch there is no state: a forwarder that forgot to check would crash here.
TEST_F(CallbacksTest, ForwardersDoNothingWithoutAState) {
    currentState = nullptr;
    idleStep(40);
    onMouse(0, 1, 3, 4);
    onMotion(1, 2);
    onPassiveMotion(1, 2);
    onKeyboard('a', 0, 0);
    onKeyboardUp('a', 0, 0);
    handleSpecial(1, 0, 0, 0);
    onSpecialUp(1, 0, 0);
    EXPECT_EQ(currentState, nullptr);
    EXPECT_EQ(elapsedMs, 40); // the clock still runs
    EXPECT_FLOAT_EQ(frameSeconds, 0.04f);
}

TEST_F(CallbacksTest, OrdinaryKeysAndPlainF4ReachTheState) {
    onKeyboard('a', 0, 0);
    onKeyboard('q', 0, 0);
    handleSpecial(4, 0, 0, 0);            // F4 without Alt
    handleSpecial(4, 2 /* Ctrl */, 0, 0); // Ctrl+F4 is no quit key either
    handleSpecial(112, 0, 0, 0);          // a modifier key on its own
    onMouse(2, 0, 10, 20);
    EXPECT_EQ(recorder.keys, (std::vector<int>{'a', 'q'}));
    EXPECT_EQ(recorder.specials, (std::vector<int>{4, 4, 112}));
    EXPECT_EQ(recorder.mice, (std::vector<int>{2030}));
}

// A quit leaves the main loop; nothing reaches a screen after it (each case in a process of its
// own: the quit is for good).
TEST_F(CallbacksTest, QuitKeysEndTheGameBeforeTheState) {
    EXPECT_TRUE(isQuitKey(27));
    EXPECT_TRUE(isQuitKey(17));
    EXPECT_FALSE(isQuitKey('Q'));
    EXPECT_TRUE(isQuitSpecial(4, 4));
    EXPECT_TRUE(isQuitSpecial(4, 4 | 1));
    EXPECT_FALSE(isQuitSpecial(4, 0));
    EXPECT_FALSE(isQuitSpecial(5, 4));
#if GTEST_HAS_DEATH_TEST // not in a browser, which has no processes and does not exit
    const auto quitsAlone = [this](const std::function<void()>& input) {
        input();
        const bool quit = quitRequested() && recorder.keys.empty() && recorder.specials.empty();
        onKeyboard('a', 0, 0);
        std::_Exit(quit && recorder.keys.empty() ? 0 : 1);
    };
    EXPECT_EXIT(quitsAlone([] { onKeyboard(27, 0, 0); }), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(quitsAlone([] { onKeyboard(17, 0, 0); }), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(quitsAlone([] { handleSpecial(4, 4, 0, 0); }), ::testing::ExitedWithCode(0), "");
#endif
}

TEST(ExtensionList, MatchesWholeNamesOnly) {
    const char* list = "GLX_ARB_a GLX_EXT_swap_control_tear GLX_MESA_swap_control";
    EXPECT_FALSE(hasExtension(list, "GLX_EXT_swap_control"));
    EXPECT_TRUE(hasExtension(list, "GLX_EXT_swap_control_tear"));
    EXPECT_TRUE(hasExtension(list, "GLX_MESA_swap_control"));
    EXPECT_TRUE(hasExtension(list, "GLX_ARB_a"));
    EXPECT_FALSE(hasExtension(nullptr, "GLX_ARB_a"));
    EXPECT_FALSE(hasExtension(list, ""));
    EXPECT_FALSE(hasExtension("", "GLX_ARB_a"));
}

} // namespace

#include "play/State.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class ScriptedState : public State {
public:
    explicit ScriptedState(const char* name, bool willLeave = true)
        : State(name), willLeave(willLeave) {}
    bool enter(State* previous) override {
        calls.push_back(std::string(name) + ".enter(" + (previous ? previous->name : "null") +
                        ") current=" + (currentState ? currentState->name : "null"));
        return false; // ignored by every caller
    }
    bool leave(State* next) override {
        calls.push_back(std::string(name) + ".leave(" + next->name + ")");
        return willLeave;
    }
    bool willLeave;
};

class SwitchStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = currentState;
        currentState = nullptr;
        calls.clear();
    }
    void TearDown() override { currentState = saved; }
    State* saved = nullptr;
};

TEST_F(SwitchStateTest, FirstSwitchEntersWithNullAndIgnoresEntersResult) {
    ScriptedState a("a");
    EXPECT_TRUE(switchState(&a));
    EXPECT_EQ(currentState, &a);
    EXPECT_EQ(calls, (std::vector<std::string>{"a.enter(null) current=null"}));
}

TEST_F(SwitchStateTest, OutgoingStateLeavesBeforeIncomingEnters) {
    ScriptedState a("a"), b("b");
    switchState(&a);
    calls.clear();
    EXPECT_TRUE(switchState(&b));
    EXPECT_EQ(currentState, &b);
    EXPECT_EQ(calls, (std::vector<std::string>{"a.leave(b)", "b.enter(a) current=a"}));
}

TEST_F(SwitchStateTest, RefusedLeaveCancelsSilently) {
    ScriptedState stubborn("stubborn", false), b("b");
    switchState(&stubborn);
    calls.clear();
    EXPECT_FALSE(switchState(&b));
    EXPECT_EQ(currentState, &stubborn);
    EXPECT_EQ(calls, (std::vector<std::string>{"stubborn.leave(b)"}));
}

TEST_F(SwitchStateTest, SwitchingToTheCurrentStateLeavesAndEntersItself) {
    ScriptedState a("a");
    switchState(&a);
    calls.clear();
    EXPECT_TRUE(switchState(&a));
    EXPECT_EQ(calls, (std::vector<std::string>{"a.leave(a)", "a.enter(a) current=a"}));
}

// A state that overrides nothing can be entered, takes every event without switching, and
// lets the next state in.
TEST_F(SwitchStateTest, DefaultOperationsAcceptEverything) {
    State plain("plain");
    ScriptedState next("next");
    EXPECT_TRUE(switchState(&plain));
    plain.draw();
    plain.update();
    plain.mouse(0, 0, 0, 0);
    plain.motion(1, 1);
    plain.keyboard('x', 0, 0);
    plain.special(4, 0, 0);
    EXPECT_EQ(currentState, &plain);
    EXPECT_TRUE(plain.release(&next));
    EXPECT_TRUE(switchState(&next));
    EXPECT_EQ(calls, (std::vector<std::string>{"next.enter(plain) current=plain"}));
}

} // namespace

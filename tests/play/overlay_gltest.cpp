#include "play_fixtures.h"

#include "support/GlWindow.h"

#include <GL/gl.h>

#include <functional>
#include <vector>

namespace {

using playtest::GameTest;

// What a draw sends down the pipeline, as GL's feedback mode hands it back: every vertex of
// every quad with its position and colour.
std::vector<GLfloat> recordDraw(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    return {buffer.begin(), buffer.begin() + (used > 0 ? used : 0)};
}

class OverlayTest : public GameTest {
protected:
    void SetUp() override {
        ensureGlWindow();
        hintChoice.forced = 1;
        GameTest::SetUp();
    }
    void TearDown() override {
        GameTest::TearDown();
        hintChoice.forced = -1;
    }
};

// Every overlay at once: a hint, the relaxed badge, turning, charged and spent pieces, the
// taut-chain sign and the bin's sign for a piece dragged from the chute. The rules' own drawing
// comes first, exactly as without them, and the overlays leave it as it was.
TEST_F(OverlayTest, OverlaysOnlyDrawAfterTheRulesDrawing) {
    for (int i = 0; i < 16; ++i) {
        runFrame();
    }
    game.relaxed = true;
    Gear* spent = addPlacedPiece(30.0f, {200.0f, 0.0f, 0.0f}, Bulb, 1, 0.0f);
    spent->charges = 0;
    game.watch.stillChainSeconds = 5.0f;
    setTime(1.0f);
    press(-350.0f, 190.0f);
    moveHeld(-352.0f, -215.0f);
    ASSERT_TRUE(firstGear()->seen.turning);
    ASSERT_GE(game.hints.showing(game.gameSeconds()), 0);

    const std::vector<GLfloat> rules = recordDraw([&] { game.drawRules(); });
    const std::vector<GLfloat> whole = recordDraw([&] { game.draw(); });
    ASSERT_FALSE(rules.empty());
    ASSERT_GT(whole.size(), rules.size());
    EXPECT_TRUE(std::equal(rules.begin(), rules.end(), whole.begin()));
    EXPECT_EQ(recordDraw([&] { game.drawRules(); }), rules);
    game.relaxed = false;
}

} // namespace

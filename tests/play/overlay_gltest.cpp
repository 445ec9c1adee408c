#include "play_fixtures.h"

#include "gfx/Hud.h"
#include "play/Hints.h"
#include "support/GlWindow.h"

#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

using playtest::GameTest;

// What a draw sends down the pipeline, as GL's feedback mode hands it back: every vertex of
// every polygon with its position and colour.
std::vector<GLfloat> recordDraw(const std::function<void()>& draw) {
    static std::vector<GLfloat> buffer(1 << 18);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    return {buffer.begin(), buffer.begin() + (used > 0 ? used : 0)};
}

// A polygon as world units: its two farthest corners give the centre and the diagonal of the
// quad it belongs to, whether GL hands back the quad or its triangles, turned or not.
struct Drawn {
    float x, y, diagonal;
    float color[4];
};

// The overlays draw nothing but quads.
std::vector<Drawn> polygons(const std::vector<GLfloat>& feedback, std::size_t from) {
    constexpr std::size_t vertexSize = 7; // x, y, z, r, g, b, a
    std::vector<Drawn> found;
    for (std::size_t i = from; i + 1 < feedback.size();) {
        EXPECT_EQ(static_cast<GLenum>(feedback[i]), static_cast<GLenum>(GL_POLYGON_TOKEN));
        const auto count = static_cast<std::size_t>(feedback[i + 1]);
        const GLfloat* v = &feedback[i + 2];
        i += 2 + count * vertexSize;
        Drawn d{0.0f, 0.0f, -1.0f, {v[3], v[4], v[5], v[6]}};
        for (std::size_t a = 0; a < count; ++a) {
            for (std::size_t b = a + 1; b < count; ++b) {
                const GLfloat* p = v + a * vertexSize;
                const GLfloat* q = v + b * vertexSize;
                const float length = std::hypot(q[0] - p[0], q[1] - p[1]);
                if (length > d.diagonal) {
                    // Window pixels to world units: the camera is 800 by 600, centred.
                    d.x = (p[0] + q[0]) / 2 - 400.0f;
                    d.y = (p[1] + q[1]) / 2 - 300.0f;
                    d.diagonal = length;
                }
            }
        }
        found.push_back(d);
    }
    return found;
}

constexpr float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float bulbPip[4] = {1.0f, 0.85f, 0.2f, 1.0f};
constexpr float faint[4] = {1.0f, 1.0f, 1.0f, 0.45f};

// One overlay's mark: its box and its colour.
struct Mark {
    HudBox box;
    const float* color;
};

class OverlayTest : public GameTest {
protected:
    void SetUp() override {
        ensureGlWindow();
        hintChoice.forced = 0; // no caption but the one a case asks for
        GameTest::SetUp();
        settle();
    }
    void TearDown() override {
        game.relaxed = false;
        game.paused = false;
        GameTest::TearDown();
        hintChoice.forced = -1;
    }

    void settle() {
        for (int i = 0; i < 16; ++i) {
            runFrame(); // the first piece grows in the chute
        }
        setTime(1.0f);
    }

    // A piece on the board, drawn at 60 units, with a bulb's charges (none: spent).
    Gear* bulbAt(float x, int charges, bool turning) {
        Gear* p = addPlacedPiece(30.0f, {x, 0.0f, 0.0f}, Bulb, 1, 0.0f);
        p->charges = charges;
        p->scale = {60.0f, 60.0f, 1.0f};
        p->seen.turning = turning;
        return p;
    }

    void dragDealtPieceTo(float x, float y) {
        press(dealtPiece()->position.x, dealtPiece()->position.y);
        moveHeld(x, y);
    }

    // Whether a mark is among the polygons the overlays drew after the rules' own drawing,
    // which comes first, exactly as without them, and is drawn the same again after them.
    bool drawn(const Mark& mark) {
        const std::vector<GLfloat> rules = recordDraw([&] { game.drawRules(); });
        const std::vector<GLfloat> whole = recordDraw([&] { game.draw(); });
        EXPECT_FALSE(rules.empty());
        EXPECT_TRUE(whole.size() >= rules.size() &&
                    std::equal(rules.begin(), rules.end(), whole.begin()));
        EXPECT_EQ(recordDraw([&] { game.drawRules(); }), rules);
        const float diagonal = std::hypot(mark.box.width, mark.box.height);
        for (const Drawn& d : polygons(whole, rules.size())) {
            bool same = std::fabs(d.x - mark.box.x) < 0.5f && std::fabs(d.y - mark.box.y) < 0.5f &&
                        std::fabs(d.diagonal - diagonal) < 0.5f;
            for (int c = 0; c < 4; ++c) {
                same = same && std::fabs(d.color[c] - mark.color[c]) < 0.01f;
            }
            if (same) {
                return true;
            }
        }
        return false;
    }
};

// Each overlay shows where it belongs when its cause is there, and not without it: one line a
// case, which sets the cause up (or not) and says where the overlay goes.
TEST_F(OverlayTest, EachOverlayShowsWithItsCauseAndOnlyThen) {
    const auto check = [&](const char* overlay, const std::function<Mark(bool)>& arrange) {
        for (const bool cause : {true, false}) {
            SCOPED_TRACE(std::string(overlay) + (cause ? " with its cause" : " without it"));
            EXPECT_EQ(drawn(arrange(cause)), cause);
            if (game.heldGear != nullptr) {
                releaseAt(0.0f, 0.0f);
            }
            game.relaxed = false;
            game.paused = false;
            frame = 0;
            startAgain();
            settle();
        }
    };
    check("turning ring", [&](bool cause) {
        bulbAt(200.0f, 1, cause);
        return Mark{{200.0f, 0.0f, 72.0f, 72.0f}, white};
    });
    check("charge pips", [&](bool cause) {
        bulbAt(200.0f, cause ? 2 : 0, false);
        return Mark{{206.0f, -20.0f, 10.0f, 10.0f}, bulbPip}; // the second of two
    });
    check("spent mark", [&](bool cause) {
        bulbAt(-100.0f, cause ? 0 : 1, false);
        return Mark{{-100.0f, 0.0f, 60.0f, 60.0f}, white};
    });
    check("chain sign", [&](bool cause) {
        game.watch.shownCondition = cause ? ChainCondition::Slack : ChainCondition::Moving;
        return Mark{hud::chainSign, white};
    });
    check("button that lays the chain again", [&](bool cause) {
        game.watch.shownCondition = cause ? ChainCondition::OffMotor : ChainCondition::Moving;
        return Mark{hud::relayButton, white};
    });
    check("mark on the piece holding a taut chain", [&](bool cause) {
        game.watch.shownCondition = ChainCondition::Taut;
        game.watch.holdingPiece = cause ? bulbAt(200.0f, 0, false) : nullptr;
        return Mark{{200.0f, 0.0f, 72.0f, 72.0f}, white};
    });
    check("bin sign for a drop in the bin", [&](bool cause) {
        dragDealtPieceTo(cause ? -352.0f : 0.0f, -215.0f);
        return Mark{hud::bin, white};
    });
    check("faint bin sign while dragging", [&](bool cause) {
        if (cause) {
            dragDealtPieceTo(0.0f, 0.0f);
        }
        return Mark{hud::bin, faint};
    });
    check("relaxed badge", [&](bool cause) {
        game.relaxed = cause;
        return Mark{hud::relaxedBadge, white};
    });
    check("hint caption", [&](bool cause) {
        game.hints.start(true);
        game.watch.piecesDropped = cause ? 0 : 1; // the first hint's moment, or past it
        game.hints.watchGame(game, game.gameSeconds());
        return Mark{hud::hintCaption, white};
    });
    check("hints toast", [&](bool cause) {
        if (cause) {
            game.hints.toggle(game.gameSeconds());
        }
        return Mark{hud::hintsToast, white};
    });
    check("pause sign", [&](bool cause) {
        game.paused = cause;
        return Mark{hud::pausedBanner, white};
    });
}

} // namespace

#pragma once

#include <cstddef>
#include <vector>

class LiveMode;

// The play field's sprites as plain quads: each one's texture, colour and finished modelview
// matrix, taken once. Drawing them is the least any program can do to put the same picture on
// the screen with the same display list: per quad one colour, one matrix load and one list call,
// texturing switched only where the texture changes, blending set once. Its cost is the floor
// the game's draw is measured against.
struct BareQuad {
    int texture; // -1: untextured
    float color[4];
    float matrix[16];
};

// The layers of the play field, in drawing order.
enum Layer { Background, Squares, Pieces, ChainLinks, ChainJoints, PowerMarker, LayerCount };

// The sprites that LiveMode::draw would draw now, in its order, placed with the modelview matrix
// that is current when this is called (the camera's). Needs a current GL context. When layerEnds
// is given it receives, for each layer, the index one past its last quad.
std::vector<BareQuad> captureQuads(LiveMode& mode, std::vector<std::size_t>* layerEnds = nullptr);

// Draws them; leaves the modelview matrix as it found it and the sprite draw's texture record in
// step with the GL state.
void drawBareQuads(const std::vector<BareQuad>& quads);
// The same for quads [begin, end) only.
void drawBareQuads(const std::vector<BareQuad>& quads, std::size_t begin, std::size_t end);

// Opens the 800 by 600 GLUT window the game has, with the camera set up as at start-up.
void openGameWindow(int* argc, char** argv);

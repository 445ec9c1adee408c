#pragma once

// Where the chain's joints are kept: every joint is clamped into this rectangle.
struct BoardEdges {
    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float top = 0.0f;
};

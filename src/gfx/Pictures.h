#pragma once

#include <vector>

// The one seam between the texture cache and a picture decoder. The build picks the decoder
// (GRIDLUME_PICTURES): DevIL, which the game was written against, or stb_image, a single header
// for the systems where DevIL is not at hand. Both give the same pixels the same way up.

// A decoded picture: RGBA bytes, its top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// The picture file as a new GL texture whose first row is the picture's top row, or
// TextureEntry::noTexture (and no texture made) when the file is missing or cannot be decoded.
// Needs a current GL context.
unsigned textureFromPicture(const char* fileName);

// A new texture name, bound, with the game's filtering and wrapping.
unsigned newBoundTexture();

// The decoders themselves, without GL; each exists where its library was found.
bool decodeWithDevil(const char* fileName, Picture& picture);
bool decodeWithStb(const char* fileName, Picture& picture);

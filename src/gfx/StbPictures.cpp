#include "gfx/Pictures.h"
#include "gfx/TextureCache.h"

#include <GL/gl.h>

#define STB_IMAGE_IMPLEMENTATION
// The game's pictures are PNG and JPEG: the other decoders would only weigh on the browser's
// download.
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_WINDOWS_UTF8
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

bool decodeWithStb(const char* fileName, Picture& picture) {
    int channels = 0;
    // Rows come top first, as the picture is seen.
    unsigned char* data = stbi_load(fileName, &picture.width, &picture.height, &channels, 4);
    if (data == nullptr) {
        return false;
    }
    picture.rgba.assign(data, data + std::size_t(picture.width) * std::size_t(picture.height) * 4);
    stbi_image_free(data);
    return true;
}

#ifdef GRIDLUME_PICTURES_STB

unsigned textureFromPicture(const char* fileName) {
    imageLibraryReady = true; // stb_image needs no start
    Picture picture;
    if (!decodeWithStb(fileName, picture)) {
        return TextureEntry::noTexture;
    }
    const unsigned name = newBoundTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, picture.width, picture.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, picture.rgba.data());
    return name;
}

#endif

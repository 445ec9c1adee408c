#include "gfx/Pictures.h"
#include "gfx/TextureCache.h"

#include <GL/gl.h>
#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

namespace {

void initDevil() {
    static const bool ready = (ilInit(), iluInit(), true);
    (void)ready;
}

void drainImageErrors() {
    // A failed load can leave a pile of errors behind; the next load must not see them.
    for (int i = 0; i < 64 && ilGetError() != IL_NO_ERROR; ++i) {
    }
}

} // namespace

bool decodeWithDevil(const char* fileName, Picture& picture) {
    initDevil();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool ok = ilLoadImage(fileName) == IL_TRUE && ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE);
    if (ok) {
        if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT) {
            iluFlipImage();
        }
        picture.width = ilGetInteger(IL_IMAGE_WIDTH);
        picture.height = ilGetInteger(IL_IMAGE_HEIGHT);
        const ILubyte* data = ilGetData();
        picture.rgba.assign(data,
                            data + std::size_t(picture.width) * std::size_t(picture.height) * 4);
    } else {
        drainImageErrors();
    }
    ilDeleteImages(1, &image);
    return ok;
}

#ifdef GRIDLUME_PICTURES_DEVIL

unsigned textureFromPicture(const char* fileName) {
    if (!imageLibraryReady) {
        initDevil();
        ilutRenderer(ILUT_OPENGL); // reads the GL extension string: needs the context
        imageLibraryReady = true;
    }
    unsigned name = TextureEntry::noTexture;
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(fileName) == IL_TRUE) {
        name = newBoundTexture();
        // ILUT always uploads the bottom row first; flipping the pixels beforehand makes the
        // texture's first row the picture's top row, which is what the unit quad expects.
        iluFlipImage();
        ilutGLTexImage(0);
    } else {
        drainImageErrors();
    }
    ilDeleteImages(1, &image);
    return name;
}

#endif

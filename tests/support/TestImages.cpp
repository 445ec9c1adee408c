#include "support/TestImages.h"

#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdlib>
#include <stdexcept>

void writePng(const std::string& path, int width, int height,
              const std::vector<uint32_t>& rgbaTopFirst) {
    static bool ready = false;
    if (!ready) {
        ilInit();
        ready = true;
    }
    // DevIL keeps rows bottom first unless told otherwise.
    std::vector<unsigned char> bytes;
    for (int row = height - 1; row >= 0; --row) {
        for (int column = 0; column < width; ++column) {
            const uint32_t p = rgbaTopFirst[static_cast<size_t>(row * width + column)];
            bytes.push_back(static_cast<unsigned char>(p >> 24));
            bytes.push_back(static_cast<unsigned char>(p >> 16));
            bytes.push_back(static_cast<unsigned char>(p >> 8));
            bytes.push_back(static_cast<unsigned char>(p));
        }
    }
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 4, IL_RGBA,
               IL_UNSIGNED_BYTE, bytes.data());
    ilOriginFunc(IL_ORIGIN_LOWER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSaveImage(path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    if (!saved) {
        throw std::runtime_error("could not write " + path);
    }
}

std::string makeTempDir() {
    char pattern[] = "/tmp/gridlume-test.XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return made;
}

#include "gfx/TextureCache.h"

#include "gfx/GlContext.h"
#include "gfx/Pictures.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

bool imageLibraryReady = false;

namespace {

void logLine(const char* text, const char* fileName) {
    std::printf("%s%s\n", text, fileName);
    std::fflush(stdout);
}

// Entries outlive the cache (sprites in other globals hold them while the process ends), so
// they are never freed. Listing them in a never-destroyed vector keeps them reachable, which
// tells leak checkers that this is on purpose.
std::vector<TextureEntry*>& everyEntry() {
    static auto* entries = new std::vector<TextureEntry*>;
    return *entries;
}

} // namespace

TextureCache::~TextureCache() {
    // The entries and their GL textures are deliberately kept: sprites in other globals may
    // still point at entries while they are destroyed after us.
    entries.clear();
}

TextureEntry* TextureCache::getTexture(const char* fileName) {
    if (fileName == nullptr) {
        fileName = "";
    }
    auto found = entries.find(fileName);
    if (found != entries.end()) {
        return found->second;
    }
    auto* entry = new TextureEntry;
    everyEntry().push_back(entry);
    loadTexture(entry, fileName);
    entries.emplace(fileName, entry);
    return entry;
}

void TextureCache::unloadAll() {
    if (!hasCurrentGlContext()) {
        return;
    }
    for (auto& named : entries) {
        TextureEntry* entry = named.second;
        if (entry->id != TextureEntry::noTexture) {
            const GLuint name = entry->id;
            glDeleteTextures(1, &name);
            entry->id = TextureEntry::noTexture;
        }
    }
}

int TextureCache::loadTexture(TextureEntry* entry, const char* fileName) {
    // Without a GL context there is nowhere to put a texture; ILUT would also read the GL
    // extension string, which is null then. The picture counts as unavailable.
    if (!hasCurrentGlContext()) {
        logLine("Couldn't load texture ", fileName);
        return static_cast<int>(entry->id);
    }
    entry->id = textureFromPicture(fileName);
    logLine(entry->id != TextureEntry::noTexture ? "Loaded texture " : "Couldn't load texture ",
            fileName);
    return static_cast<int>(entry->id);
}

unsigned newBoundTexture() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

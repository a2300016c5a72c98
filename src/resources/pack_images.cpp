// The per-entry texture cache of an archive: one GL texture per image entry,
// shared by reference count.
#include <GL/gl.h>

#include "resources/image_texture.h"
#include "resources/pack.h"

unsigned int Pack::getimage(const char* name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != name) continue;
        // A failed decode leaves 0 here, so the next request tries again.
        if (textures[i] == 0) textures[i] = mac_load_tex(files[i].data, files[i].size);
        ++texture_refs[i];
        return textures[i];
    }
    return 0;
}

void Pack::ungetimage(unsigned int texture) {
    if (texture == 0) return;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        if (textures[i] != texture) continue;
        if (--texture_refs[i] == 0) {
            GLuint name = texture;
            glDeleteTextures(1, &name);
            textures[i] = 0;
        }
        return;
    }
}

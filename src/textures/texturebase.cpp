#include "textures/texturebase.h"

#include <GL/gl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "host/world_time.h"
#include "platform/system/system.h"
#include "textures/fire.h"
#include "textures/plasma.h"
#include "textures/texture_name.h"

Texturebase::~Texturebase() {
    for (Texturegen* generator : generators) delete generator;
}

unsigned int Texturebase::gen(const char* name) {
    if (name == nullptr) return 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            ++references[i];
            return generators[i]->gltex();
        }
    }

    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    std::string why;
    const std::optional<TextureName> parsed =
        parse_texture_name(name, std::min<int>(max_size, kMaxGeneratedSide), &why);
    if (!parsed) {
        platform::log("Computed texture \"" + std::string(name) + "\" not made: " + why);
        return 0;
    }

    Texturegen* generator = nullptr;
    if (parsed->kind == TextureKind::plasma) {
        auto* param = new unsigned char[3]{parsed->plasma[0], parsed->plasma[1], parsed->plasma[2]};
        generator = new Texturegen(plasma, delete_plasma_param, param, parsed->width, parsed->height);
    } else {
        auto* param = new fire_param(parsed->width, parsed->height);
        generator = new Texturegen(fire, delete_fire_param, param, parsed->width, parsed->height);
    }
    generators.push_back(generator);
    names.emplace_back(name);
    references.push_back(1);
    return generator->gltex();
}

void Texturebase::ungen(const char* name) {
    if (name == nullptr) return;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != name) continue;
        if (--references[i] > 0) return;
        const GLuint texture = generators[i]->gltex();
        glDeleteTextures(1, &texture);
        delete generators[i];
        const auto at = static_cast<std::ptrdiff_t>(i);
        generators.erase(generators.begin() + at);
        names.erase(names.begin() + at);
        references.erase(references.begin() + at);
        return;
    }
}

void Texturebase::regenall() {
    // The generators take a signed time: 2^31 ms and above arrive negative.
    const auto time = static_cast<std::int32_t>(CURENT_TIME);
    for (Texturegen* generator : generators) generator->regen(time);
}

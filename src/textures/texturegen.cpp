#include "textures/texturegen.h"

#include <GL/gl.h>

Texturegen::Texturegen(TextureGenerator generator_, ParamDeleter deleter_, void* param_,
                       int width_, int height_)
    : generator(generator_),
      param(param_),
      deleter(deleter_),
      width(width_),
      height(height_),
      size(width_ * height_ * 4) {
    pixels = new unsigned char[static_cast<std::size_t>(size)]();
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

Texturegen::~Texturegen() {
    delete[] pixels;
    if (deleter != nullptr) deleter(param);
}

void Texturegen::regen(int time) {
    generator(time, width, height, pixels, param);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

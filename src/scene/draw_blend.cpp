#include "scene/draw_blend.h"

#include <GL/gl.h>

#include "scene/model.h"

void Draw_blend::draw_models() {
    // Without depth writes transparent meshes never hide one another; each is
    // blended over what the frame already holds.
    glDepthMask(GL_FALSE);
    for (Model* m : models) m->draw_blend();
    glDepthMask(GL_TRUE);
    models.clear();
}

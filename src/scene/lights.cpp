#include "scene/lights.h"

#include <GL/gl.h>

#include "scene/scena.h"

float LightAmbient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
float LightDiffuse[4] = {0.5f, 0.5f, 0.5f, 1.0f};
float LightSpecular[4] = {0.5f, 0.5f, 0.5f, 1.0f};
float ATT = 0.0f;
float ATTN = 0.0002f;
float LightPosition[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// Light 1 is neither enabled nor placed here: set_light places it at its node
// every frame and a node hook switches it on around the nodes it lights.
void Scena::init_light() {
    glLightfv(GL_LIGHT1, GL_AMBIENT, LightAmbient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, LightDiffuse);
    glLightfv(GL_LIGHT1, GL_SPECULAR, LightSpecular);
    glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, ATT);
    glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, ATTN);
}

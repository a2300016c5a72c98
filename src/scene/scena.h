// The viewport record of a world: view size, fixed GL state, perspective
// projection (45 degrees vertical, near 0.1, far 250) and the edges of the
// visible area at a given eye-space depth.
#pragma once

class Scena {
public:
    Scena(int width, int height, int bpp);  // also sets CURENT_TIME
    void setMode(int width, int height, int bpp);
    int init();                               // GL state, then resizeWindow; 1
    int resizeWindow(int width, int height);  // viewport, projection; 1
    double get_x_coord(double depth) const;   // left edge x at eye depth (< 0 in front)
    double get_y_coord(double depth) const;   // bottom edge y at eye depth
    void init_light();                        // colours and attenuation of light 1

    double edge_point[3] = {0.0, 0.0, -1.0};
    int width = 0;
    int height = 0;
    int bpp = 0;
};

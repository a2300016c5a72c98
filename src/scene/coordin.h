// The transform of a scene node: position, rotation angles in degrees about
// x, y and z, and scale factors. A plain value.
#pragma once

class Coordin {
public:
    Coordin();  // identity, scale_enabled off

    void empty();  // position and rotation 0, scaling 1; scale_enabled kept
    void chposition(double x, double y, double z);
    void addposition(double x, double y, double z);
    void chrot(double x, double y, double z);
    void addrot(double x, double y, double z);
    void chscale(double x, double y, double z);  // also switches scale_enabled on
    bool scale_flag() const { return scale_enabled; }

    // Multiply the current GL matrix by T * Rx * Ry * Rz (move), by T alone
    // (move_position) or by Rx * Ry * Rz alone (move_rot). Components that are
    // exactly 0 issue no GL call.
    void move() const;
    void move_position() const;
    void move_rot() const;

    // glScaled(scaling), unconditionally.
    void scale() const;

    bool scale_enabled = false;
    double position[3];
    double rotation[3];
    double scaling[3];
};

// The OpenGL subview of a saver view, implemented by each host: one
// single-buffered context with 24 bits of colour, 8 of alpha and 24 of depth,
// drawn into by the system and shown by the host (no swap: frames end with
// glFlush).
#pragma once

class GlSurface {
public:
    virtual ~GlSurface() = default;

    // Creates the context and its drawing surface at the smallest size the host
    // allows (the view sizes it later with resize). False when no context with
    // that pixel format can be made.
    virtual bool create() = 0;

    // Makes the context current on this thread. False when it cannot.
    virtual bool make_current() = 0;

    // Gives the surface the view's size in points. The context, its objects and
    // its state survive; the context is current afterwards.
    virtual void resize(double width, double height) = 0;
};

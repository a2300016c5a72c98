// The base of a screen-saver view as a host drives it: a frame size in points,
// the preview flag, the animation interval and whether the animation runs.
// A host creates the view, sizes it, starts it, calls animateOneFrame once per
// animation interval and stops it, all on one thread.
#pragma once

// A key press as the host delivers it.
struct KeyEvent {
    unsigned key_code = 0;  // the host's code of the key
    unsigned character = 0; // the Unicode character it types, 0 for none
};

// A rectangle in points.
struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};

class ScreenSaverView {
public:
    ScreenSaverView() = default;
    virtual ~ScreenSaverView() = default;
    ScreenSaverView(const ScreenSaverView&) = delete;
    ScreenSaverView& operator=(const ScreenSaverView&) = delete;

    // Stores the frame size (points) and the preview flag.
    void initWithFrame(double width, double height, bool isPreview);

    virtual void startAnimation() { animating = true; }
    virtual void stopAnimation() { animating = false; }
    virtual void animateOneFrame() {}
    virtual void setFrameSize(double width, double height);
    virtual void drawRect(const Rect&) {}
    // Any key asks the host to end the saver: sets stop_requested.
    virtual void keyDown(const KeyEvent&) { stop_requested = true; }
    virtual bool hasConfigureSheet() const { return false; }

    void setAnimationTimeInterval(double seconds) { animation_interval = seconds; }
    bool isAnimating() const { return animating; }
    bool isPreview() const { return preview; }

    double frame_width = 0.0;   // points
    double frame_height = 0.0;  // points
    bool preview = false;
    double animation_interval = 1.0 / 30.0;  // seconds between ticks
    bool animating = false;
    bool stop_requested = false;  // a key was pressed; the host ends the saver
};

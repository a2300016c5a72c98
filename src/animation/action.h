// One timed behaviour of a scene node: a function with its parameters, an id,
// a running flag, an optional lifetime and a clock of its own. A plain value.
#pragma once

#include <cstdint>

class Coordin;

using ActionFunction = void (*)(void* data);

class Action {
public:
    // Duration in ms: 0 (or -0) makes an endless action; any other value is the
    // lifetime (a negative one runs the function exactly once).
    Action(int id, bool running, double duration);
    Action(Coordin* position, int id, bool running, double duration);

    void init(ActionFunction fun, void* data);
    void init(ActionFunction fun, int ipar, double par1, double par2, double par3);
    void init(ActionFunction fun, int ipar, int ipar2, double par1, double par2, double par3);
    void init(ActionFunction fun, double par1, double par2, double par3);

    // Advances both clocks by dt ms, rips the action when its lifetime is used
    // up, and runs the function with Action_curent set to this action.
    void animate(unsigned int dt);

    void start() { running = true; }
    void stop() { running = false; }
    void set_rip() { ripped = true; }
    bool rip() const { return ripped; }
    int get_id() const { return id; }
    void set_position(Coordin* p) { position = p; }

    Coordin* position = nullptr;  // the holding list's per-frame delta, not owned
    double time = 0.0;            // ms run; functions may rewind it
    std::int32_t ipar = 0;
    std::int32_t ipar2 = 0;
    double par1 = 0.0;
    double par2 = 0.0;
    double par3 = 0.0;
    ActionFunction fun = nullptr;
    void* data = nullptr;  // handed to fun, not owned
    std::int32_t id = 0;
    bool running = false;
    bool endless = false;
    bool ripped = false;
    double duration = 0.0;  // ms; read only when not endless
    double elapsed = 0.0;   // ms run; compared with duration
};

// The action whose function is running (set before each call, never reset).
extern Action* Action_curent;

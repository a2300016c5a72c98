#include "animation/action.h"

Action* Action_curent = nullptr;

Action::Action(int id, bool running, double duration) : id(id), running(running) {
    // -0.0 == 0 as well: both make an endless action, whose duration is never read.
    endless = duration == 0.0;
    if (!endless) this->duration = duration;
}

Action::Action(Coordin* position, int id, bool running, double duration)
    : Action(id, running, duration) {
    this->position = position;
}

void Action::init(ActionFunction fun, void* data) {
    this->fun = fun;
    this->data = data;
}

void Action::init(ActionFunction fun, int ipar, double par1, double par2, double par3) {
    this->fun = fun;
    data = nullptr;
    this->ipar = ipar;
    this->par1 = par1;
    this->par2 = par2;
    this->par3 = par3;
}

void Action::init(ActionFunction fun, int ipar, int ipar2, double par1, double par2, double par3) {
    init(fun, ipar, par1, par2, par3);
    this->ipar2 = ipar2;
}

void Action::init(ActionFunction fun, double par1, double par2, double par3) {
    this->fun = fun;
    data = nullptr;
    this->par1 = par1;
    this->par2 = par2;
    this->par3 = par3;
}

void Action::animate(unsigned int dt) {
    if (!running) return;
    elapsed += static_cast<double>(dt);
    // Written as "not greater" so that a NaN lifetime expires on the first run
    // instead of never.
    if (!endless && !(duration > elapsed)) ripped = true;
    time += static_cast<double>(dt);
    Action_curent = this;
    // The call comes last: the function may append to the list that holds this
    // action and so move it.
    if (fun != nullptr) fun(data);
}

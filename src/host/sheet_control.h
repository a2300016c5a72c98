// One control of the options sheet as the view reads and writes it: a value
// (1.0 on, 0.0 off; any value other than 0 reads as on) and an enabled flag.
// A toolkit binds it to a widget. Setting the value from the view does not send
// the control's action; only the user's own changes do.
#pragma once

class SheetControl {
public:
    virtual ~SheetControl() = default;

    virtual float floatValue() const = 0;
    virtual void setFloatValue(float value) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

// An options sheet without a toolkit: nine controls held in memory and a
// loader that connects them to a view the way an interface file would.
#pragma once

#include <string>
#include <vector>

#include "host/config_sheet.h"
#include "host/saver_view.h"
#include "host/sheet_control.h"

namespace lunabrelle::test {

class PlainControl : public SheetControl {
public:
    float floatValue() const override { return value; }
    void setFloatValue(float v) override { value = v; }
    bool isEnabled() const override { return enabled; }
    void setEnabled(bool e) override { enabled = e; }

    float value = 0.0f;
    bool enabled = true;  // as the interface file has them
};

class PlainSheet : public ConfigSheet {
public:
    void endSheet() override { ++ended; }
    void showError(const std::string& message) override { errors.push_back(message); }

    int ended = 0;
    std::vector<std::string> errors;
    PlainControl showTime, clockStyleDigital, clockStyleAnalog, timeFormat24h, timeFormat12h,
        clockSizeBig, clockSizeSmall, showCalendar, firstDayMonday;
};

class PlainLoader : public SheetLoader {
public:
    bool loadInterface(const std::string& name, quorvixlunabrelle& owner) override {
        ++loads;
        last_name = name;
        if (fail) return false;
        sheet = new PlainSheet;
        attach_sheet(owner, sheet);
        return true;
    }

    bool fail = false;
    int loads = 0;
    std::string last_name;
    PlainSheet* sheet = nullptr;  // owned by the view it was loaded for
};

}  // namespace lunabrelle::test

// The options sheet as a toolkit shows it, and the loader of its interface
// file. The view drives both (options_sheet.cpp); a host supplies them.
#pragma once

#include <string>

class quorvixlunabrelle;

class ConfigSheet {
public:
    virtual ~ConfigSheet() = default;

    // The user is done with the sheet (Save or Cancel): the toolkit closes it,
    // or shows it again the next time the view's configureSheet is called.
    virtual void endSheet() = 0;

    // A save failed: the sheet stays open and tells the user why.
    virtual void showError(const std::string& message) = 0;
};

class SheetLoader {
public:
    virtual ~SheetLoader() = default;

    // Loads the interface file name with owner as its owner. On success
    // owner.configSheet is set (the view owns it from then on), the nine
    // control fields point at controls the sheet owns, and the controls and
    // buttons send owner's action methods. On failure nothing is set.
    virtual bool loadInterface(const std::string& name, quorvixlunabrelle& owner) = 0;
};

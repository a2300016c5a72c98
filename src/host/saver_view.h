// The saver's view: hands the world's life cycle to the frame driver and the
// building of the scene to mac_init, and decides when each runs.
//
//   initWithFrame   paths set, random generator seeded once, subview created
//   startAnimation  new world (settings read anew), view cleared to black
//   animateOneFrame scene built on the first tick after a start or a resize,
//                   then one frame drawn
//   setFrameSize    subview resized, scene rebuilt on the next tick
//   stopAnimation   world drained and freed
//   configureSheet  the options sheet and its actions (options_sheet.h)
//
// The host calls start, tick and stop only on a view whose initWithFrame
// returned true, and pairs every stopAnimation with an earlier startAnimation.
#pragma once

#include "host/config_sheet.h"
#include "host/gl_surface.h"
#include "host/screen_saver_view.h"
#include "host/sheet_control.h"
#include "settings/config.h"

class quorvixlunabrelle : public ScreenSaverView {
public:
    quorvixlunabrelle() = default;
    // Frees the record of a sheet still open and the loaded sheet.
    ~quorvixlunabrelle() override;

    // Sets mac_boundle_path and mac_config_path from the platform, seeds the
    // random generator unless the host did, and creates the subview, which the
    // host owns and which must outlive the view. A null or failing subview logs
    // "Couldn't initialize OpenGL" and returns false.
    bool initWithFrame(double width, double height, bool isPreview, GlSurface* surface);

    void startAnimation() override;
    void animateOneFrame() override;
    void stopAnimation() override;
    void setFrameSize(double width, double height) override;
    void drawRect(const Rect&) override {}  // every pixel comes from the subview
    void keyDown(const KeyEvent& event) override { ScreenSaverView::keyDown(event); }
    bool hasConfigureSheet() const override { return true; }

    // The options sheet (options_sheet.cpp). configureSheet returns the sheet,
    // null when its interface file could not be loaded.
    ConfigSheet* configureSheet();
    void showtimeChange();
    void clockstyleChangeDigital();
    void clockstyleChangeAnalog();
    void showcalendarChange();
    void saveClick();
    void restoreClick();
    void cancelClick();
    void visitClick();

    Config* config = nullptr;          // settings edited by the open options sheet
    GlSurface* glView = nullptr;       // not owned
    bool _initedGL = false;            // scene built for this world at this size
    ConfigSheet* configSheet = nullptr;  // the options sheet, once loaded; owned
    SheetLoader* sheetLoader = nullptr;  // loads the sheet; set by the host, not owned

    // The sheet's controls, owned by configSheet; null until it is loaded.
    SheetControl* showTime = nullptr;
    SheetControl* clockStyleDigital = nullptr;
    SheetControl* clockStyleAnalog = nullptr;
    SheetControl* timeFormat24h = nullptr;
    SheetControl* timeFormat12h = nullptr;
    SheetControl* clockSizeBig = nullptr;
    SheetControl* clockSizeSmall = nullptr;
    SheetControl* showCalendar = nullptr;
    SheetControl* firstDayMonday = nullptr;
};

// What a loader does on success: gives sheet to owner (owner.configSheet) and
// points owner's nine control fields at the sheet's controls of the same
// names. Sheet is any ConfigSheet with those nine SheetControl members.
template <class Sheet>
void attach_sheet(quorvixlunabrelle& owner, Sheet* sheet) {
    owner.configSheet = sheet;
    owner.showTime = &sheet->showTime;
    owner.clockStyleDigital = &sheet->clockStyleDigital;
    owner.clockStyleAnalog = &sheet->clockStyleAnalog;
    owner.timeFormat24h = &sheet->timeFormat24h;
    owner.timeFormat12h = &sheet->timeFormat12h;
    owner.clockSizeBig = &sheet->clockSizeBig;
    owner.clockSizeSmall = &sheet->clockSizeSmall;
    owner.showCalendar = &sheet->showCalendar;
    owner.firstDayMonday = &sheet->firstDayMonday;
}

// A size in points as whole units: truncated toward zero, negatives and NaN
// give 0, values beyond the int range the largest int.
int whole_units(double points);

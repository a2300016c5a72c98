#include "host/screen_saver_view.h"

void ScreenSaverView::initWithFrame(double width, double height, bool isPreview) {
    frame_width = width;
    frame_height = height;
    preview = isPreview;
}

void ScreenSaverView::setFrameSize(double width, double height) {
    frame_width = width;
    frame_height = height;
}

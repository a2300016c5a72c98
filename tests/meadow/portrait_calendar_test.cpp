// The calendar in a portrait view: every column, Saturday's too, on screen.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "host/frame_driver.h"
#include "meadow/scene_assembly.h"
#include "scene/model.h"
#include "support/meadow_world_test.h"

namespace {

// The largest x, in normalised device coordinates, of the right edges (4
// units right of the centre) of the drawn cells in the page's last column.
double last_column_reach(const Object* node, const double* projection, double reach = -9.0) {
    for (const Object* child : node->links) reach = last_column_reach(child, projection, reach);
    if (node->coordin.position[0] != 8.0 || node->models.empty()) return reach;
    const double* mv = node->models[0]->modelview;
    const double p[4] = {4.0, 0.0, 0.0, 1.0};
    double eye[4] = {}, clip[4] = {};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) eye[r] += mv[c * 4 + r] * p[c];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) clip[r] += projection[c * 4 + r] * eye[c];
    return std::max(reach, clip[0] / clip[3]);
}

class PortraitCalendarTest : public lunabrelle::test::MeadowWorldTest {};

TEST_F(PortraitCalendarTest, TheLastColumnStaysInsideTheView) {
    conf->show_calendar = true;
    clock.set(2026, 12, 5, 10, 0, 0);  // a Saturday, so the mark is in that column too
    for (const int width : {36, 64}) {  // 720 x 1280 and a square, scaled down
        SCOPED_TRACE(width);
        mac_init(width, kHeight, 32);
        frame(0);
        double projection[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        const double reach = last_column_reach(overlay->links.at(0), projection);
        EXPECT_GT(reach, 0.0);  // the column was found and drawn
        EXPECT_LE(reach, 1.0);
    }
}

}  // namespace

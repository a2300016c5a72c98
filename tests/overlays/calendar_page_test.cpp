#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "animation/action.h"
#include "host/frame_driver.h"
#include "overlays/calendar_page.h"
#include "support/meadow_world_test.h"

namespace {

using lunabrelle::test::drawn_entries;
using lunabrelle::test::entry_of;
using lunabrelle::test::MeadowWorldTest;

using Names = std::vector<std::string>;

class CalendarPageTest : public MeadowWorldTest {
protected:
    void start(bool monday_first, int year, int month, int day, int hour, int minute, int second, int ms) {
        clock.set(year, month, day, hour, minute, second, ms);
        conf->show_calendar = true;
        conf->monday_first = monday_first;
        build();
        frame(0);
    }

    Object* calendar() const { return overlay->links.front(); }
    Object* changer() const { return calendar()->links.at(1); }

    // The cells of a page: entries of the nodes after header and title,
    // without the mark.
    static Names cells(const Object* page) {
        Names out;
        for (size_t i = 2; i < page->links.size(); ++i)
            if (entry_of(page->links[i]) != "sel") out.push_back(entry_of(page->links[i]));
        return out;
    }

    // Expected cells: "null" outside days 1..n starting at cell first.
    static Names grid(int first, int n) {
        Names out(42, "null");
        for (int d = 1; d <= n; ++d) out[first + d - 1] = std::to_string(d);
        return out;
    }
};

TEST_F(CalendarPageTest, PageLayoutWithTodayMarkedBeforeItsNumber) {
    start(true, 2026, 12, 5, 10, 0, 0, 0);
    const Object* cal = calendar();
    ASSERT_EQ(cal->links.size(), 2u);
    EXPECT_EQ(entry_of(cal->links[0]), "fon_rus");
    EXPECT_DOUBLE_EQ(cal->links[0]->coordin.position[0], -16.0);
    EXPECT_DOUBLE_EQ(cal->links[0]->coordin.position[1], -12.0);
    ASSERT_EQ(changer()->animate.actions.size(), 1u);
    EXPECT_EQ(changer()->animate.actions[0].fun, &calendar_change_f);
    EXPECT_EQ(changer()->animate.actions[0].ipar, 0);

    ASSERT_EQ(changer()->links.size(), 1u);
    const Object* page = changer()->links[0];
    ASSERT_EQ(page->animate.actions.size(), 1u);
    EXPECT_EQ(page->animate.actions[0].fun, &calendar_die_f);
    EXPECT_EQ(page->animate.actions[0].ipar, 5);
    ASSERT_EQ(page->links.size(), 2u + 42u + 1u);
    EXPECT_EQ(entry_of(page->links[0]), "day_rus");
    EXPECT_DOUBLE_EQ(page->links[0]->coordin.position[1], 8.0);
    EXPECT_EQ(entry_of(page->links[1]), "m12");
    EXPECT_DOUBLE_EQ(page->links[1]->coordin.position[0], -16.0);
    EXPECT_DOUBLE_EQ(page->links[1]->coordin.position[1], 16.0);
    EXPECT_EQ(cells(page), grid(1, 31));

    // 5 December is in cell 5 (row 0, column 5): the mark comes right before
    // the number, at the same place.
    const auto mark = std::find_if(page->links.begin(), page->links.end(),
                                   [](const Object* n) { return entry_of(n) == "sel"; });
    ASSERT_NE(mark, page->links.end());
    const Object* number = *(mark + 1);
    EXPECT_EQ(entry_of(number), "5");
    EXPECT_DOUBLE_EQ((*mark)->coordin.position[0], 0.0);
    EXPECT_DOUBLE_EQ(number->coordin.position[0], 0.0);
    EXPECT_DOUBLE_EQ(number->coordin.position[1], 0.0);
    // The last cell: row 5, column 6.
    EXPECT_DOUBLE_EQ(page->links.back()->coordin.position[0], 8.0);
    EXPECT_DOUBLE_EQ(page->links.back()->coordin.position[1], -40.0);

    // Everything is drawn in the first frame, the mark before its number.
    const Names drawn = drawn_entries(changer());
    ASSERT_EQ(drawn.size(), 45u);
    const auto sel = std::find(drawn.begin(), drawn.end(), "sel");
    ASSERT_NE(sel, drawn.end());
    EXPECT_EQ(*(sel + 1), "5");
}

TEST_F(CalendarPageTest, NewYearShowsOnlyTheNewPageAtOnce) {
    start(false, 2026, 12, 31, 23, 59, 59, 990);
    EXPECT_EQ(entry_of(calendar()->links[0]), "fon");
    EXPECT_EQ(entry_of(changer()->links[0]->links[0]), "day");
    EXPECT_EQ(cells(changer()->links[0]), grid(2, 31));
    frame(5);  // still the old day: nothing rebuilt
    ASSERT_EQ(changer()->links.size(), 1u);

    frame(10);  // 1 January 2027 00:00:00.005
    ASSERT_EQ(changer()->links.size(), 2u);
    const Object* fresh = changer()->links[1];
    EXPECT_TRUE(changer()->links[0]->dead);
    EXPECT_EQ(fresh->animate.actions[0].ipar, 1);
    EXPECT_EQ(entry_of(fresh->links[1]), "m1");
    EXPECT_EQ(cells(fresh), grid(5, 31));  // 1 January 2027 is a Friday
    Names drawn = drawn_entries(changer());
    EXPECT_EQ(drawn, drawn_entries(fresh));
    ASSERT_EQ(drawn.size(), 45u);
    EXPECT_EQ(drawn[1], "m1");

    frame(16);
    EXPECT_EQ(changer()->links.size(), 2u);  // the old page drains its children
    frame(16);
    ASSERT_EQ(changer()->links.size(), 1u);
    EXPECT_EQ(changer()->links[0], fresh);
    EXPECT_EQ(drawn_entries(changer()).size(), 45u);
}

TEST_F(CalendarPageTest, MonthEndMovesToTheNextMonth) {
    start(true, 2026, 2, 28, 23, 59, 59, 999);
    EXPECT_EQ(cells(changer()->links[0]), grid(6, 28));  // 1 February 2026 is a Sunday
    frame(1);
    frame(0);
    frame(0);
    ASSERT_EQ(changer()->links.size(), 1u);
    const Object* page = changer()->links[0];
    EXPECT_EQ(entry_of(page->links[1]), "m3");
    EXPECT_EQ(cells(page), grid(6, 31));
    EXPECT_EQ(entry_of(page->links[2 + 6]), "sel");  // 1 March in the last column
    EXPECT_EQ(entry_of(page->links[2 + 7]), "1");
}

TEST_F(CalendarPageTest, LeapDayGetsItsOwnPage) {
    start(false, 2024, 2, 28, 23, 59, 59, 999);
    frame(1);
    frame(0);
    frame(0);
    ASSERT_EQ(changer()->links.size(), 1u);
    const Object* page = changer()->links[0];
    EXPECT_EQ(page->animate.actions[0].ipar, 29);
    EXPECT_EQ(entry_of(page->links[1]), "m2");
    EXPECT_EQ(cells(page), grid(4, 29));
}

}  // namespace

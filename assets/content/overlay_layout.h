// Where the overlays put their glyphs, as the content must know it, and the
// room each overlay has on screen. Scene units, x right, y up, in the frame of
// the node that shows the entry.
//
// The clock node is placed on the view's bottom-right corner at its depth and
// moved up by 1: the digital clock's row and plate are drawn above their
// holders' origins, so that nothing reaches below the view's bottom edge.
#pragma once

namespace content {

// Digital clock: holders of the hour and minute digits, the separator and
// the am/pm mark (the last only in 12-hour mode).
constexpr double kDigitHolderX[4] = {-6.483, -2.498, 2.523, 6.466};
constexpr double kSeparatorX = 0.0;
constexpr double kAmPmX = 11.432;
constexpr double kDigitHeight = 3.4;          // height of the digits
constexpr double kClockRowY = 3.4;            // middle of the digits above the holders
constexpr double kClockPlateBottom = 0.0;     // the view's bottom edge is at -1
constexpr double kClockPlateTop = 6.8;
constexpr double kClockPlateLeft = -9.0;
constexpr double kClockPlateRight = 9.0;      // 24-hour; the view's right edge is at 10
constexpr double kClockPlateRightAmPm = 14.2; // 12-hour; the right edge is at 15.186

// Analog clock: dial and hands centred on the node's origin, which lies 9.3
// left of the view's right edge and 9 above its bottom edge.
constexpr double kDialRadius = 8.0;

// Calendar, in the calendar node's frame: cells 8 apart, today's mark and
// the plate placed by the page.
constexpr double kCellPitch = 8.0;
constexpr double kCalendarPlateX = -16.0;
constexpr double kCalendarPlateY = -12.0;
constexpr double kCalendarPlateHalfWidth = 30.0;   // around the plate's node
constexpr double kCalendarPlateHalfHeight = 34.0;
constexpr double kCalendarTitleY = 16.0;
constexpr double kCalendarHeaderY = 8.0;

// Frame rate: digits at these x from the label's node, which lies 5 right of
// the view's left edge and 2.5 below its top edge.
constexpr double kFpsDigitX[3] = {0.5, 1.9, 3.3};
constexpr double kFpsDigitHeight = 1.6;

}  // namespace content

// The digital clock: hour and minute glyphs from "clock.pak", a separator
// blinking with the seconds and, in 12-hour mode, an am/pm mark, all drawn
// over the scene. Glyphs are child nodes rebuilt whenever the watched value
// changes; the one replaced deletes itself in the same frame.
//
// Selectors of the watchers: 1 hour tens (24-hour), 2 hour units (24-hour),
// 3 minute tens, 4 minute units, 5 separator, 6 hour tens (12-hour),
// 7 hour units (12-hour), 8 am/pm. Other values do nothing.
#pragma once

// Action function, run once on the clock node (Object_curent). ipar of
// Action_curent: nonzero 24-hour, 0 12-hour. Shifts the node by (-10, 1, 0)
// (12-hour: a further -5.186 in x) and links the plate and the holders.
void init_digital_clock(void*);

// Watcher, every frame on a holder: ipar is the selector. Links a new glyph
// node when the watched hour, minute or second differs from the one last shown.
void digital_clock_change(void*);

// Every frame on a glyph node: ipar is the watched value (1, 2 hour; 3, 4
// minute; 5 second; others nothing), ipar2 the value shown. Marks the node
// deleted once the local time no longer matches.
void digital_clock_die(void*);

// Builds the whole visible world at the view's size: viewport and light,
// the meadow under map and the chosen overlays under overlay. Needs a current
// GL context and a constructed world; drains whatever the roots held before.
#pragma once

void mac_init(int width, int height, int bpp);

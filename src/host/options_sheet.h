// The options sheet of the saver view: its actions are methods of
// quorvixlunabrelle (saver_view.h), written in options_sheet.cpp.
//
//   configureSheet  config read from the settings file, the interface file
//                   "config" loaded once per view, the controls set from
//                   config with their enabling rules
//   change actions  enable and disable the controls that depend on the one
//                   that changed; disabled controls keep their values
//   saveClick       controls copied into config, the settings file written,
//                   the sheet ended and the world rebuilt from the new file
//   restoreClick    the controls show the defaults; nothing is written
//   cancelClick     the sheet ends; file and world are untouched
//   visitClick      the product's web page opens in the user's browser
#pragma once

// The product's web page.
inline constexpr char kProductPageUrl[] =
    "https://lunabrelle.example/?utm_source=software&utm_medium=lunabrelle_mac&utm_term=setup"
    "&utm_content=1.4.1&utm_campaign=lunabrelle_mac&checked=lunabrelle";

// The name of the sheet's interface file in the resource folder.
inline constexpr char kSheetInterfaceName[] = "config";

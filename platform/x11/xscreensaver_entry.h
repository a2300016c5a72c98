// Putting the hack into XScreenSaver's list: ~/.xscreensaver holds a
// "programs:" resource, one entry per hack, each ended by a literal "\n" and
// continued onto the next line by a trailing backslash. XScreenSaver writes
// the file itself (the first time its settings are saved); this only adds an
// entry to a list that exists.
#pragma once

#include <string>

namespace lunabrelle::x11 {

// The entry added: OpenGL visual, the hack drawing on XScreenSaver's window.
constexpr const char* kXscreensaverEntry = "GL: lunabrelle --root";

enum class EntryResult {
    added,     // *out holds the new text
    present,   // an entry (enabled or not) already runs lunabrelle
    no_list,   // the text has no "programs:" resource
};

// Adds kXscreensaverEntry as the last entry of the programs list in text.
// Every line stays byte for byte as it was, except the list's last line,
// which gains the continuation backslash that joins the new line to it.
EntryResult add_program_entry(const std::string& text, std::string* out);

// lunabrelle --add-to-xscreensaver: edits $HOME/.xscreensaver (through a
// symbolic link into its target, keeping the mode), after copying it to
// $HOME/.xscreensaver.before-lunabrelle. Prints what it did; returns the exit
// status: 0 when the entry is there afterwards, 1 otherwise (no file, no list,
// unreadable or unwritable).
int add_to_xscreensaver();

}  // namespace lunabrelle::x11

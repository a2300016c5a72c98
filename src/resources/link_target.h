// The file a path finally names once its symbolic links are followed, for
// writers that must replace the target of a link rather than the link itself.
#pragma once

#include <string>

// Follows path while it is a symbolic link (a relative link is taken from the
// link's own folder) and returns the first path that is not one: an existing
// file of any kind or a name not yet taken. Only the last component is
// followed; links in the folders above are left to the system. Gives path
// itself when it is not a link, and false with *error set after 40 links (a
// loop) or when a link cannot be read.
bool final_link_target(const std::string& path, std::string* target, std::string* error);

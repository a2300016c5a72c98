#include "platform/x11/xscreensaver_entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/system/system.h"

namespace lunabrelle::x11 {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& text) {
    std::size_t a = 0, b = text.size();
    while (a < b && blank(text[a])) ++a;
    while (b > a && blank(text[b - 1])) --b;
    return text.substr(a, b - a);
}

// Lines with their line ends, so that joining them gives the text back.
std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, stop - start));
        start = stop;
    }
    return lines;
}

std::string without_end(const std::string& line) {
    std::string body = line;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    return body;
}

// A line continued by a backslash that is not itself escaped.
bool continues(const std::string& line) {
    const std::string body = without_end(line);
    std::size_t slashes = 0;
    for (std::size_t i = body.size(); i > 0 && body[i - 1] == '\\'; --i) ++slashes;
    return slashes % 2 == 1;
}

// Whether one entry of the list runs lunabrelle: "[-] ["Name"] [visual:] command".
bool runs_lunabrelle(std::string entry) {
    entry = trim(entry);
    if (!entry.empty() && entry[0] == '-') entry = trim(entry.substr(1));
    if (!entry.empty() && entry[0] == '"') {
        const std::size_t close = entry.find('"', 1);
        if (close == std::string::npos) return false;
        entry = trim(entry.substr(close + 1));
    }
    const std::size_t space = entry.find_first_of(" \t");
    const std::string first = entry.substr(0, space);
    if (!first.empty() && first.back() == ':') entry = trim(entry.substr(first.size()));
    const std::string command = entry.substr(0, entry.find_first_of(" \t"));
    const std::size_t slash = command.rfind('/');
    return (slash == std::string::npos ? command : command.substr(slash + 1)) == "lunabrelle";
}

std::string home_folder() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

bool read_file(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    *text = bytes.str();
    return !in.bad();
}

// Writes text to path through a temporary file beside it, renamed over it, so
// that the file is never seen half written; mode is kept.
bool replace_file(const std::string& path, const std::string& text, mode_t mode, std::string* error) {
    const std::string temporary = path + ".lunabrelle-new";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        *error = std::string("cannot write ") + temporary + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fchmod(fd, mode & 07777) == 0 && fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        *error = std::string("cannot write ") + path + ": " + std::strerror(errno);
        unlink(temporary.c_str());
    }
    return ok;
}

}  // namespace

EntryResult add_program_entry(const std::string& text, std::string* out) {
    std::vector<std::string> lines = split_lines(text);
    std::size_t first = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trim(lines[i]).rfind("programs:", 0) == 0) {
            first = i;
            break;
        }
    }
    if (first == lines.size()) return EntryResult::no_list;
    std::size_t last = first;
    while (last + 1 < lines.size() && continues(lines[last])) ++last;

    // The entries: the joined lines after "programs:", split at each "\n".
    std::string value;
    for (std::size_t i = first; i <= last; ++i) {
        std::string body = without_end(lines[i]);
        if (continues(lines[i])) body.pop_back();
        value += body;
    }
    value = value.substr(value.find("programs:") + 9);
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = value.find("\\n", start);
        if (runs_lunabrelle(value.substr(start, end == std::string::npos ? std::string::npos : end - start)))
            return EntryResult::present;
        if (end == std::string::npos) break;
        start = end + 2;
    }

    // A list that ends in a blank line (a backslash on the line before it)
    // takes the entry before that blank line; otherwise after its last line.
    const std::string entry_line = std::string("  ") + kXscreensaverEntry + "\t\t\t\t    \\n";
    std::string& end_line = lines[last];
    const std::string line_end = end_line.substr(without_end(end_line).size());
    if (last > first && trim(without_end(end_line)).empty()) {
        lines.insert(lines.begin() + static_cast<long>(last), entry_line + "\n");
    } else {
        std::string body = without_end(end_line);
        const std::string tail = trim(body);
        const bool ends_entry = tail.size() >= 2 && tail.compare(tail.size() - 2, 2, "\\n") == 0;
        const bool empty_list = trim(body) == "programs:";
        body += empty_list || ends_entry ? "\\" : "\\n\\";
        end_line = body + "\n";
        lines.insert(lines.begin() + static_cast<long>(last) + 1,
                     entry_line + (line_end.empty() ? "\n" : line_end));
    }
    out->clear();
    for (const std::string& line : lines) *out += line;
    return EntryResult::added;
}

int add_to_xscreensaver() {
    const std::string program = platform::program_name();
    const std::string home = home_folder();
    if (home.empty()) {
        std::fprintf(stderr, "%s: $HOME is not set; cannot find ~/.xscreensaver\n", program.c_str());
        return 1;
    }
    std::string path = home + "/.xscreensaver";
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        std::fprintf(stderr,
                     "%s: there is no %s yet. Run xscreensaver-settings once and close it (it writes the\n"
                     "file), then run %s --add-to-xscreensaver again; or add this line to the\n"
                     "programs: list yourself:\n  %s \\n\\\n",
                     program.c_str(), path.c_str(), program.c_str(), kXscreensaverEntry);
        return 1;
    }
    // A link stays a link: its target is edited.
    if (char* real = realpath(path.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    std::string text;
    if (!S_ISREG(info.st_mode) || !read_file(path, &text)) {
        std::fprintf(stderr, "%s: cannot read %s\n", program.c_str(), path.c_str());
        return 1;
    }
    std::string edited;
    switch (add_program_entry(text, &edited)) {
    case EntryResult::present:
        std::printf("%s: %s already lists lunabrelle; nothing changed\n", program.c_str(), path.c_str());
        return 0;
    case EntryResult::no_list:
        std::fprintf(stderr,
                     "%s: %s has no programs: list. Save the settings once in xscreensaver-settings\n"
                     "(it writes the whole list), then run %s --add-to-xscreensaver again\n",
                     program.c_str(), path.c_str(), program.c_str());
        return 1;
    case EntryResult::added:
        break;
    }
    std::string error;
    const std::string backup = home + "/.xscreensaver.before-lunabrelle";
    if (!replace_file(backup, text, info.st_mode, &error) || !replace_file(path, edited, info.st_mode, &error)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), error.c_str());
        return 1;
    }
    std::printf("%s: added \"%s\" to the programs of %s (the old file is kept as %s)\n"
                "Pick \"Lunabrelle\" in xscreensaver-settings.\n",
                program.c_str(), kXscreensaverEntry, path.c_str(), backup.c_str());
    return 0;
}

}  // namespace lunabrelle::x11

// Whole-file reads and writes that say why they failed.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Reads the whole file at path into *out. Fails when the file cannot be opened
// or read, is not a regular file (after following symbolic links: a FIFO,
// device or folder is refused without blocking and without reading from it),
// or holds more than limit bytes; *error then holds the reason (without the
// path) and *out is unspecified.
bool read_file_bytes(const std::string& path, std::size_t limit, std::vector<unsigned char>* out,
                     std::string* error);

// Creates or truncates the file at path and writes bytes to it. Fails, with the
// reason in *error, when the file cannot be opened, written or closed.
bool write_file_bytes(const std::string& path, std::span<const unsigned char> bytes,
                      std::string* error);

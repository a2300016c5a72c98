// A look at a JPEG's Huffman tables before the image decoder sees them. The
// decoder builds each table into fixed arrays of 256 codes and trusts the
// counts in the file: a table declaring more codes overruns its arrays.
#pragma once

#include <cstddef>

// False when bytes are a JPEG (they start with the start-of-image marker,
// after any number of fill bytes) and
// one of the Huffman tables the decoder would read declares more than 256
// codes; true otherwise, including for anything that is not a JPEG. Walks the
// segments as the decoder does: junk and fill bytes between markers skipped,
// entropy-coded data skipped up to its next marker, bytes past the end read
// as 0. Reads only within bytes[0, count).
bool jpeg_huffman_tables_fit(const unsigned char* bytes, std::size_t count);

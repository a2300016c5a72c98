// Looks at encoded images before the image decoder does, for the fields it
// trusts: a JPEG's Huffman tables, which it builds into fixed arrays of 256
// codes and uses without checking they were defined, and a PNG's chunk
// lengths, for which it reserves memory before reading the chunk. Both read
// only within bytes[0, count).
#pragma once

#include <cstddef>

// False when bytes are a JPEG (they start with the start-of-image marker,
// after any number of fill bytes) and one of the Huffman tables the decoder
// would read declares more than 256 codes, or a scan decodes with a table no
// table segment before it defined (the decoder would walk that table's
// arrays uninitialised, and out of them); true otherwise, including for
// anything that is not a JPEG. Walks the segments as the decoder does: junk
// and fill bytes between markers skipped, entropy-coded data skipped up to
// its next marker, bytes past the end read as 0.
bool jpeg_huffman_tables_sound(const unsigned char* bytes, std::size_t count);

// False when bytes are a PNG (they start with its 8-byte signature) and a
// chunk up to the end-of-image chunk declares more data than the bytes hold
// after its header (such a file never decodes, but its declared length is
// reserved first: up to 2 GiB); true otherwise, including for anything that
// is not a PNG.
bool png_chunks_fit(const unsigned char* bytes, std::size_t count);

// The 5x7 font of the virtual card's on-screen text: one row of five bits
// per byte (bit 4 is the left column), seven rows per glyph. Shared by the
// picture generator and by tests that read the text back from frames.
#pragma once
#include <cstdint>

namespace virtualcard {

const int kGlyphWidth = 5;
const int kGlyphHeight = 7;
const int kCellWidth = 6;    // glyph and one column of spacing
const int kCellHeight = 9;   // glyph and two rows of spacing

// The glyph of `c` (upper case, digits, space and . - : /), or NULL.
const uint8_t* GlyphRows(char c);
// Every character the font draws, for readers that match cells to glyphs.
const char* GlyphCharacters();

} // namespace virtualcard

#pragma once

#include <QString>
#include <cstdint>

// Colours held as text: eight hexadecimal digits of the 32-bit value 0x00BBGGRR (red in the low
// byte), upper case when the program writes them. "00FFFFFF" is white, "00003000" a dark green.
namespace settings {

using ColourValue = std::uint32_t;

// Strict reading, used for the backgrounds and caption colours given to the buttons: a text that is
// not exactly eight characters, or does not read as hexadecimal, is black (0).
ColourValue ColourFromStringStrict(const QString& text);

// Lenient reading, used for the preview area, the HTML colours and the caption swatches: no length
// test; a text that does not read as hexadecimal (the empty text included) is black (0).
ColourValue ColourFromStringLenient(const QString& text);

// The value as eight upper-case hexadecimal digits, zero-padded.
QString ColourToString(ColourValue colour);

// Red, green and blue of an RGB colour value.
inline int RedOf(ColourValue c) {
    return static_cast<int>(c & 0xFF);
}
inline int GreenOf(ColourValue c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline int BlueOf(ColourValue c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

}  // namespace settings

#pragma once

#include <stdexcept>

namespace encode {

// Errors of the GIF writer, with fixed message texts.
class GIFException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr char kUnsupportedVersion[] = "Unsupported GIF version";
inline constexpr char kColorNotInTable[] = "Color not in color table";
inline constexpr char kColorTableOverflow[] = "Color table overflow";
inline constexpr char kUnsupportedPixelFormat[] = "Unsupported PixelFormat";
inline constexpr char kInvalidDimensions[] = "Invalid image dimensions";
inline constexpr char kAllocationFailed[] = "Failed to allocate memory for GIF DIB";

}  // namespace encode

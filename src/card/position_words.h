#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace card {

// What a screen reader calls the preview of the picture position.
inline constexpr std::string_view kPreviewName = "Picture position";

// Where the picture is, in words a screen reader can say: "centred", or how
// far it is off centre, in the offsets' own units, across and then up or
// down ("16 right, 8 up"); an axis at its centre goes unsaid ("8 down").
std::string positionInWords(std::int16_t horizontal, std::int16_t vertical);

}  // namespace card

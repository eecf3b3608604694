// Reducing an RGB picture to at most 256 colours of its own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarvek {

struct QuantisedPicture {
  // Up to 256 colours, each as red, green, blue.
  std::vector<std::array<std::uint8_t, 3>> palette;
  // One palette index per pixel, rows top first.
  std::vector<std::uint8_t> indices;
};

// Chooses the palette from the picture's own colours and maps every pixel to
// it. The picture's most frequent colour (a rendered view's flat background)
// gets an entry of exactly its value; the other entries come from splitting
// the colour histogram (5 bits a channel) box by box, always the box whose
// colours lie farthest from their mean, at the cut that leaves the least
// error. A picture of 256 colours or fewer keeps them all exactly. A pixel
// takes the entry nearest its histogram cell's mean colour; the error it
// leaves goes on to its neighbours (Floyd-Steinberg) in small shares only,
// so a shaded slope mixes its two nearest entries, while a pixel that ends
// on its own colour passes no error on and the background neither takes nor
// passes any, so plain areas stay free of speckles. rgb holds width x height
// pixels, 3 bytes each, without padding.
QuantisedPicture quantiseColours(const std::uint8_t* rgb, std::int32_t width, std::int32_t height);

} // namespace tarvek

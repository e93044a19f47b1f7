#pragma once
// The directory of an .ico icon group: which images it holds, how large each
// is and where its bytes are, and which of them to show for a wanted size.
// Pure C++; decoding the chosen image is left to the caller.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace rt::ui {

struct IconImage {
  int width = 0;  // pixels; a directory entry of 0 means 256
  int height = 0;
  int bitCount = 0;  // bits per pixel as the directory gives it; 0 when not given
  std::span<const unsigned char> bytes;  // the image itself (a DIB or a PNG)
};

// The images of an icon group file, in directory order, or nothing when the
// bytes are not a well-formed icon group (truncated, a cursor, an image that
// lies outside the file, no image at all).
std::optional<std::vector<IconImage>> parseIconGroup(std::span<const unsigned char> bytes);

// The index of the image to show at size x size pixels: the largest image
// that is not larger than the size, else the smallest larger one. Among
// images of the same size the one with more colours wins, then the first.
// Nothing when there are no images.
std::optional<std::size_t> chooseIconImage(const std::vector<IconImage>& images, int size);

}  // namespace rt::ui

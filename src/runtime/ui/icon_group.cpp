#include "runtime/ui/icon_group.h"

#include <cstdint>

namespace rt::ui {
namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr unsigned kIconType = 1;

unsigned read16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<unsigned>(bytes[at]) | static_cast<unsigned>(bytes[at + 1]) << 8;
}

std::uint32_t read32(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(read16(bytes, at)) |
         static_cast<std::uint32_t>(read16(bytes, at + 2)) << 16;
}

// A directory byte of 0 stands for 256 pixels.
int sideLength(unsigned char value) {
  return value == 0 ? 256 : value;
}

bool fits(const IconImage& image, int size) {
  return image.width <= size && image.height <= size;
}

long area(const IconImage& image) {
  return static_cast<long>(image.width) * image.height;
}

// Whether candidate should replace best: for images that fit, the larger
// wins; for images that do not, the smaller; equal sizes go by colours.
bool better(const IconImage& candidate, const IconImage& best, bool fitting) {
  if (area(candidate) != area(best))
    return fitting ? area(candidate) > area(best) : area(candidate) < area(best);
  return candidate.bitCount > best.bitCount;
}

}  // namespace

std::optional<std::vector<IconImage>> parseIconGroup(std::span<const unsigned char> bytes) {
  if (bytes.size() < kHeaderBytes) return std::nullopt;
  if (read16(bytes, 0) != 0 || read16(bytes, 2) != kIconType) return std::nullopt;
  const std::size_t count = read16(bytes, 4);
  const std::size_t directoryEnd = kHeaderBytes + count * kEntryBytes;
  if (count == 0 || bytes.size() < directoryEnd) return std::nullopt;

  std::vector<IconImage> images;
  images.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderBytes + i * kEntryBytes;
    const std::uint64_t size = read32(bytes, entry + 8);
    const std::uint64_t offset = read32(bytes, entry + 12);
    if (size == 0 || offset < directoryEnd || offset + size > bytes.size()) return std::nullopt;
    IconImage image;
    image.width = sideLength(bytes[entry]);
    image.height = sideLength(bytes[entry + 1]);
    image.bitCount = static_cast<int>(read16(bytes, entry + 6));
    image.bytes = bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    images.push_back(image);
  }
  return images;
}

std::optional<std::size_t> chooseIconImage(const std::vector<IconImage>& images, int size) {
  std::optional<std::size_t> fitting;
  std::optional<std::size_t> larger;
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& image = images[i];
    std::optional<std::size_t>& best = fits(image, size) ? fitting : larger;
    if (!best || better(image, images[*best], fits(image, size))) best = i;
  }
  return fitting ? fitting : larger;
}

}  // namespace rt::ui

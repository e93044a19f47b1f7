// The image control on Qt: the icon group's 32 x 32 image, decoded, shown at
// its natural size at its position, neither centred nor stretched; nothing
// when the program has no such resource.

#include <QImage>
#include <QLabel>
#include <cstdint>

#include "qt_gui_support.h"
#include "runtime/qt/dialog_units.h"
#include "runtime/resources.h"
#include "support/little_endian.h"

namespace {

using rt::ui::WindowKind;

// An icon group of square 32-bit images, each filled with its own colour.
std::vector<unsigned char> iconGroup(const std::vector<std::pair<int, QRgb>>& images) {
  std::vector<std::vector<unsigned char>> bitmaps;
  for (const auto& [side, colour] : images) {
    std::vector<unsigned char> bitmap;
    put32(bitmap, 40);                                    // header size
    put32(bitmap, static_cast<std::uint32_t>(side));      // width
    put32(bitmap, static_cast<std::uint32_t>(side * 2));  // colour and mask heights
    put16(bitmap, 1);                                     // planes
    put16(bitmap, 32);                                    // bits per pixel
    for (int i = 0; i < 6; ++i) put32(bitmap, 0);
    for (int i = 0; i < side * side; ++i) {
      bitmap.push_back(static_cast<unsigned char>(qBlue(colour)));
      bitmap.push_back(static_cast<unsigned char>(qGreen(colour)));
      bitmap.push_back(static_cast<unsigned char>(qRed(colour)));
      bitmap.push_back(0xff);
    }
    const int maskRow = (side + 31) / 32 * 4;
    bitmap.insert(bitmap.end(), static_cast<std::size_t>(maskRow * side), 0);
    bitmaps.push_back(std::move(bitmap));
  }
  std::vector<unsigned char> file;
  put16(file, 0);
  put16(file, 1);
  put16(file, static_cast<unsigned>(images.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    file.push_back(static_cast<unsigned char>(images[i].first));
    file.push_back(static_cast<unsigned char>(images[i].first));
    file.push_back(0);
    file.push_back(0);
    put16(file, 1);
    put16(file, 32);
    put32(file, static_cast<std::uint32_t>(bitmaps[i].size()));
    put32(file, offset);
    offset += static_cast<std::uint32_t>(bitmaps[i].size());
  }
  for (const auto& bitmap : bitmaps) file.insert(file.end(), bitmap.begin(), bitmap.end());
  return file;
}

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;
constexpr QRgb kBlue = 0xff0000ff;

const std::vector<unsigned char>& threeSizes() {
  static const auto bytes = iconGroup({{16, kRed}, {48, kBlue}, {32, kGreen}});
  return bytes;
}

const rt::ResourceRegistration kThreeSizes("GUITEST_SIZES_ICO", threeSizes().data(),
                                           threeSizes().size());

rt::ui::WindowDefinition imageWindow(const std::string& file) {
  auto definition = gui::windowDefinition(WindowKind::Child, "Semaforo", 186, 50);
  rt::ui::Control image;
  image.kind = rt::ui::ControlKind::Image;
  image.label = "?IMAGE1";
  image.text = file;
  image.x = 8;
  image.y = 13;
  definition.controls = {image};
  return definition;
}

struct ImageCase {
  std::string file;
  QRgb colour;  // of the image that must be shown
};

TEST(QtImageControl, ShowsThe32ImageAtItsNaturalSizeAndPosition) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  const std::vector<ImageCase> cases = {{"Semaforo.ico", 0}, {"guitest_sizes.ico", kGreen}};
  for (const ImageCase& c : cases) {
    SCOPED_TRACE(c.file);
    gui::OpenWindow window(imageWindow(c.file), frame.id());
    const auto controls = gui::layer().automation().controls(window.id());
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_TRUE(controls[0].hasPicture);
    EXPECT_EQ(controls[0].text, c.file);
    gui::layer().onDisplay([&] {
      const auto* label = gui::layer().widget(window.id())->findChild<QLabel*>();
      ASSERT_NE(label, nullptr);
      const rt::qt::DialogUnits units(label->font());
      EXPECT_EQ(label->geometry(), QRect(units.toPixelsX(8), units.toPixelsY(13), 32, 32));
      EXPECT_EQ(label->pixmap().size(), QSize(32, 32));
      EXPECT_FALSE(label->hasScaledContents());
      EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
      EXPECT_EQ(label->accessibleName().toStdString(), c.file);
      if (c.colour != 0) {
        EXPECT_EQ(label->pixmap().toImage().pixel(16, 16), c.colour);
      }
    });
  }
}

TEST(QtImageControl, NoPictureWhenTheProgramHasNoSuchResource) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::OpenWindow window(imageWindow("Missing.ico"), frame.id());
  const auto controls = gui::layer().automation().controls(window.id());
  ASSERT_EQ(controls.size(), 1u);
  EXPECT_FALSE(controls[0].hasPicture);
  gui::layer().onDisplay([&] {
    const auto* label = gui::layer().widget(window.id())->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->pixmap().isNull());
  });
}

}  // namespace

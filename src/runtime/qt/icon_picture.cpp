#include "runtime/qt/icon_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "runtime/resources.h"
#include "runtime/ui/icon_group.h"

namespace rt::qt {

QPixmap iconPicture(std::span<const unsigned char> bytes, int size) {
  const auto images = ui::parseIconGroup(bytes);
  if (!images) return {};
  const auto chosen = ui::chooseIconImage(*images, size);
  if (!chosen) return {};
  // The reader's images follow the directory's order.
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  if (!reader.jumpToImage(static_cast<int>(*chosen))) return {};
  return QPixmap::fromImage(reader.read());
}

QPixmap resourcePicture(const std::string& fileName, int size) {
  const auto bytes = findResource(resourceName(fileName));
  if (!bytes) return {};
  return iconPicture(*bytes, size);
}

QPixmap filePicture(const std::string& path, int size) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  const std::span<const unsigned char> bytes(
      reinterpret_cast<const unsigned char*>(data.constData()),
      static_cast<std::size_t>(data.size()));
  if (ui::parseIconGroup(bytes)) return iconPicture(bytes, size);
  QImage image;
  if (!image.loadFromData(data)) return {};
  return QPixmap::fromImage(image);
}

}  // namespace rt::qt

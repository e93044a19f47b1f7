#pragma once
// Pictures from .ico icon groups: the group's directory chooses the image for
// the size wanted (icon_group), Qt decodes that one image.

#include <QPixmap>
#include <span>
#include <string>

namespace rt::qt {

// The image of the icon group that suits size x size pixels, decoded; a null
// pixmap when the bytes are no usable icon group.
QPixmap iconPicture(std::span<const unsigned char> bytes, int size);

// The program's own icon resource named after fileName ("Semaforo.ico" is the
// resource SEMAFORO_ICO); null when the program has no such resource.
QPixmap resourcePicture(const std::string& fileName, int size);

// An icon (or any image Qt reads) from a file; null when it cannot be loaded.
QPixmap filePicture(const std::string& path, int size);

}  // namespace rt::qt

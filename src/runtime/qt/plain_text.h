#pragma once
// Texts as a user or a screen reader reads them: without the ampersands that
// mark mnemonics ("E&xit" reads "Exit", "&&" reads "&").

#include <QString>
#include <string>

namespace rt::qt {

QString withoutMnemonics(const QString& text);

inline QString qtText(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string stdText(const QString& text) {
  return text.toStdString();
}

}  // namespace rt::qt

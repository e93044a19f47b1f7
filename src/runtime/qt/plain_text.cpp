#include "runtime/qt/plain_text.h"

namespace rt::qt {

QString withoutMnemonics(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) {
      plain += text[i];
    } else if (i + 1 < text.size()) {
      plain += text[++i];  // "&x" reads "x", "&&" reads "&"
    }
  }
  return plain;
}

}  // namespace rt::qt

#include "runtime/qt/help_window.h"

#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rt::qt {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Cómo usar la Ayuda"));
  setAccessibleName(windowTitle());
  auto* text = new QLabel(
      QStringLiteral("La Ayuda de un programa se abre desde su menú Help:\n\n"
                     "- Contents muestra el índice de temas del archivo de ayuda.\n"
                     "- Search for Help On... busca los temas que tratan una palabra.\n"
                     "- Dentro de un tema, las palabras destacadas llevan a otros temas.\n\n"
                     "Este programa no tiene archivo de ayuda propio."),
      this);
  text->setWordWrap(true);
  text->setAccessibleName(windowTitle());
  auto* close = new QPushButton(QStringLiteral("&Cerrar"), this);
  close->setAccessibleName(QStringLiteral("Cerrar"));
  close->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(420, 200);
}

}  // namespace rt::qt

#include "runtime/qt/window_flags.h"

namespace rt::qt {

bool userResizable(const ui::WindowDefinition& definition) {
  return definition.attributes.resizable && !definition.attributes.dialogFrame;
}

Qt::WindowFlags windowFlags(const ui::WindowDefinition& definition, Qt::WindowType base) {
  const ui::Attributes& a = definition.attributes;
  Qt::WindowFlags flags = base | Qt::CustomizeWindowHint;
  if (!definition.caption.empty()) flags |= Qt::WindowTitleHint;
  if (a.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (a.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  if (a.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  if (!userResizable(definition)) flags |= Qt::MSWindowsFixedSizeDialogHint;
  return flags;
}

}  // namespace rt::qt

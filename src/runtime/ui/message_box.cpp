#include "runtime/ui/message_box.h"

namespace rt::ui {

const char* buttonText(int button) {
  switch (button) {
    case kOk: return "OK";
    case kYes: return "&Yes";
    case kNo: return "&No";
    case kAbort: return "&Abort";
    case kRetry: return "&Retry";
    case kIgnore: return "&Ignore";
    case kCancel: return "Cancel";
    case kHelp: return "&Help";
    default: return "";
  }
}

int shownButtons(const MessageBoxRequest& request) {
  const int set = request.buttons & kAllButtons;
  return set == 0 ? kOk : set;
}

int effectiveDefault(const MessageBoxRequest& request) {
  const int set = shownButtons(request);
  const int wanted = request.defaultButton;
  if (wanted != 0 && (wanted & (wanted - 1)) == 0 && (set & wanted) != 0) return wanted;
  return set & -set;
}

}  // namespace rt::ui

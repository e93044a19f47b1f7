#pragma once
// Places and sizes a top-level window by its client area. Once the window is
// on screen it is moved by its frame's position, which window systems take
// as given (negative positions included) rather than pushing the window
// back onto the screen; they report the move afterwards. A fixed-size
// window keeps the size it is given as its only size.

class QRect;
class QSize;
class QWidget;

namespace rt::qt {

void placeTopLevel(QWidget& window, const QRect& client, bool fixedSize);
void resizeTopLevel(QWidget& window, const QSize& client, bool fixedSize);

}  // namespace rt::qt

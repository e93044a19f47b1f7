#include "runtime/qt/child_window.h"

#include <QMdiArea>

#include "runtime/qt/plain_text.h"
#include "runtime/qt/window_flags.h"

namespace rt::qt {

ChildWindow::ChildWindow(const ui::WindowDefinition& definition, ui::WindowEvents& events,
                         ChangeCounter& changes, QMdiArea& area,
                         const std::vector<const ui::ListSource*>& lists, bool fullWindowDrag)
    : LayerWindow(definition, events, changes), area_(area), sub_(new QMdiSubWindow) {
  auto* client = new QWidget;
  buildClient(*client, lists);
  sub_->setWidget(client);
  sub_->setWindowTitle(qtText(definition.caption));
  sub_->setAccessibleName(qtText(definition.caption));
  area_.addSubWindow(sub_, windowFlags(definition, Qt::SubWindow));
  setFullWindowDrag(fullWindowDrag);
  connect(sub_, &QMdiSubWindow::windowStateChanged, this,
          [this](Qt::WindowStates before, Qt::WindowStates now) {
            if ((now & Qt::WindowActive) != 0 && (before & Qt::WindowActive) == 0)
              reportActivated();
          });
  watch(*client);
  sub_->show();  // the sub-window knows its frame margins once shown
  placeAsDefined();
}

ChildWindow::~ChildWindow() {
  unwatch();
  sub_->disconnect(this);
  delete sub_;
}

void ChildWindow::activate() {
  area_.setActiveSubWindow(sub_);
}

void ChildWindow::setFullWindowDrag(bool on) {
  sub_->setOption(QMdiSubWindow::RubberBandMove, !on);
  sub_->setOption(QMdiSubWindow::RubberBandResize, !on);
}

QRect ChildWindow::clientRect() const {
  const QRect contents = sub_->contentsRect();
  return QRect(sub_->pos() + contents.topLeft(), contents.size());
}

void ChildWindow::placeClient(const QRect& rect) {
  sub_->setGeometry(rect.marginsAdded(sub_->contentsMargins()));
}

void ChildWindow::resizeClient(const QSize& size) {
  const QMargins margins = sub_->contentsMargins();
  sub_->resize(size.grownBy(margins));
}

}  // namespace rt::qt

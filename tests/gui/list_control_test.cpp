// The list control on Qt: columns and headers from the column format, lines
// read only where drawn, refreshes that redraw changed lists only and
// coalesce, the selection kept within the entries, and copying a line.

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTreeView>
#include <chrono>
#include <thread>

#include "qt_gui_support.h"
#include "runtime/qt/dialog_units.h"
#include "runtime/ui/automation.h"
#include "runtime/ui/picture.h"

namespace {

using rt::ui::Align;
using rt::ui::WindowKind;

constexpr const char* kQueueFormat = "70D(2)|M~C 0~L@n-20.0@86L(2)|M~C 1~@s200@50L(2)|M~C 2~@s200@";

rt::ui::Control listControl(const std::string& format, int x = rt::ui::kNotGiven,
                            int y = rt::ui::kNotGiven, int width = rt::ui::kNotGiven,
                            int height = rt::ui::kNotGiven) {
  rt::ui::Control control;
  control.kind = rt::ui::ControlKind::List;
  control.label = "?QLIST";
  control.format = format;
  control.x = x;
  control.y = y;
  control.width = width;
  control.height = height;
  return control;
}

rt::ui::WindowDefinition viewerDefinition(std::vector<rt::ui::Control> controls) {
  auto definition = gui::windowDefinition(WindowKind::Owned, "Global Queue", 279, 278);
  definition.controls = std::move(controls);
  return definition;
}

// The n-th list of a window (1-based, in definition order); display thread.
QTreeView* listWidget(rt::ui::WindowId window, int n = 1) {
  const auto lists = gui::layer().widget(window)->findChildren<QTreeView*>();
  return n <= lists.size() ? lists.at(n - 1) : nullptr;
}

// Pixels darker than the background in a part of an image: drawn text.
int inkIn(const QImage& image, const QRect& part) {
  int ink = 0;
  for (int y = part.top(); y <= part.bottom(); ++y)
    for (int x = part.left(); x <= part.right(); ++x)
      if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128) ++ink;
  return ink;
}

int selectedRow(const QTreeView& list) {
  const auto rows = list.selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

struct FormatCase {
  std::string format;
  std::vector<int> widths;
  std::vector<bool> resizable;
  std::vector<std::string> headers;
  std::vector<Qt::Alignment> headerAlign;
  std::vector<Qt::Alignment> dataAlign;
};

TEST(QtListControl, ColumnsAndHeadersFollowTheFormat) {
  const std::vector<FormatCase> cases = {
      {kQueueFormat,
       {70, 86, 50},
       {true, true, true},
       {"C 0", "C 1", "C 2"},
       {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft},
       {Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft}},
      {"40R~Amount~C60L|~Name~",
       {40, 60},
       {false, false},
       {"Amount", "Name"},
       {Qt::AlignHCenter, Qt::AlignLeft},
       {Qt::AlignRight, Qt::AlignLeft}},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    gui::RowSource source(5);
    gui::OpenWindow viewer(viewerDefinition({listControl(c.format)}), 0, {&source});
    EXPECT_EQ(gui::layer().listHeaders(viewer.id(), 1), c.headers);
    gui::layer().onDisplay([&] {
      QWidget* client = gui::layer().widget(viewer.id());
      QTreeView* list = listWidget(viewer.id());
      ASSERT_NE(list, nullptr);
      const rt::qt::DialogUnits units(client->font());
      const QHeaderView* header = list->header();
      ASSERT_EQ(header->count(), static_cast<int>(c.widths.size()));
      for (int i = 0; i < header->count(); ++i) {
        SCOPED_TRACE(i);
        const auto column = static_cast<std::size_t>(i);
        EXPECT_EQ(header->sectionSize(i), units.toPixelsX(c.widths[column]));
        EXPECT_EQ(header->sectionResizeMode(i),
                  c.resizable[column] ? QHeaderView::Interactive : QHeaderView::Fixed);
        const auto headerAlign = list->model()
                                     ->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole)
                                     .value<Qt::Alignment>();
        EXPECT_EQ(headerAlign & Qt::AlignHorizontal_Mask, c.headerAlign[column]);
        const auto dataAlign =
            list->model()->index(0, i).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(dataAlign & Qt::AlignHorizontal_Mask, c.dataAlign[column]);
      }
      const QImage drawn = list->header()->grab().toImage();
      for (int i = 0; i < header->count(); ++i) {
        const QRect section(header->sectionViewportPosition(i), 0, header->sectionSize(i),
                            header->height());
        EXPECT_GT(inkIn(drawn, section), 0) << "header text of column " << i << " is drawn";
      }
      EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
      EXPECT_NE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
      // Width and height not given: the list fills the client area.
      EXPECT_EQ(list->geometry(), client->rect());
      EXPECT_EQ(list->model()->rowCount(), 5);
    });
  }
}

TEST(QtListControl, ReadsOnlyTheLinesItDrawsOncePerPaint) {
  gui::RowSource source(100000);
  gui::OpenWindow viewer(viewerDefinition({listControl(kQueueFormat)}), 0, {&source});
  gui::layer().onDisplay([&] {
    QTreeView* list = listWidget(viewer.id());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model()->rowCount(), 100000);
    const int rowHeight = list->sizeHintForRow(0);
    ASSERT_GT(rowHeight, 0);
    const int visibleRows = list->viewport()->height() / rowHeight + 1;
    const int before = source.reads();
    list->viewport()->grab();  // paints now, whether or not the window is exposed yet
    const int read = source.reads() - before;
    EXPECT_GT(read, 0) << "a paint draws lines";
    EXPECT_LE(read, visibleRows) << "each drawn line is read once, and only drawn lines";
    list->scrollToBottom();
    const int beforeScroll = source.reads();
    list->viewport()->grab();
    EXPECT_GT(source.reads(), beforeScroll) << "scrolling reads the newly visible lines";
  });
}

TEST(QtListControl, RefreshRedrawsChangedListsOnlyAndCoalesces) {
  gui::RowSource quiet(10);
  gui::RowSource busy(10);
  gui::OpenWindow viewer(viewerDefinition({listControl(kQueueFormat, 0, 0, 279, 130),
                                           listControl(kQueueFormat, 0, 140, 279, 130)}),
                         0, {&quiet, &busy});
  auto& ui = gui::layer().automation();

  // Many changes, each followed by a refresh request, from two threads.
  const auto started = std::chrono::steady_clock::now();
  auto writer = [&] {
    for (int i = 0; i < 2000; ++i) {
      busy.resize(10 + i % 7);
      gui::layer().requestRefresh();
    }
  };
  std::thread first(writer);
  std::thread second(writer);
  first.join();
  second.join();
  // A last change no earlier refresh can have shown: once it is on screen,
  // every change before it has been seen.
  busy.resize(100);
  gui::layer().requestRefresh();
  ASSERT_TRUE(rt::ui::waitUntil(ui, [&] { return ui.listLines(viewer.id(), 2).size() == 100u; }));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  const int redraws = ui.listRedraws(viewer.id(), 2);
  EXPECT_LE(redraws, elapsed.count() / 16 + 2) << "at most one redraw per displayed frame";

  // A later refresh that finds only the other list changed leaves this one.
  quiet.resize(3);
  gui::layer().requestRefresh();
  ASSERT_TRUE(rt::ui::waitUntil(ui, [&] { return ui.listRedraws(viewer.id(), 1) == 1; }));
  EXPECT_EQ(ui.listRedraws(viewer.id(), 2), redraws);
  EXPECT_EQ(ui.listLines(viewer.id(), 1).size(), 3u);
}

TEST(QtListControl, KeepsTheSelectionWithinTheEntries) {
  gui::RowSource source(100);
  gui::OpenWindow viewer(viewerDefinition({listControl(kQueueFormat)}), 0, {&source});
  auto& ui = gui::layer().automation();
  ASSERT_TRUE(ui.selectListLine(viewer.id(), 1, 90));
  EXPECT_FALSE(ui.selectListLine(viewer.id(), 1, 101));
  source.resize(40);
  gui::layer().requestRefresh();
  ASSERT_TRUE(rt::ui::waitUntil(ui, [&] { return ui.listRedraws(viewer.id(), 1) == 1; }));
  gui::layer().onDisplay([&] { EXPECT_EQ(selectedRow(*listWidget(viewer.id())), 39); });
}

TEST(QtListControl, CopyPutsTheSelectedLinesValuesOnTheClipboard) {
  gui::OpenWindow frame(gui::frameDefinition(), 0);
  gui::RowSource source(10);
  gui::OpenWindow viewer(viewerDefinition({listControl(kQueueFormat)}), frame.id(), {&source});
  auto& ui = gui::layer().automation();
  ASSERT_TRUE(ui.selectListLine(viewer.id(), 1, 3));
  ASSERT_TRUE(ui.chooseMenu(gui::kCopyNumber));

  const auto columns =
      std::get<std::vector<rt::ui::Column>>(rt::ui::parseColumnFormat(kQueueFormat));
  std::vector<rt::ui::FieldValue> values;
  source.line(3, values);
  std::vector<std::string> texts;
  rt::ui::formatLine(columns, values, texts);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(ui.clipboard(), texts[0] + "\t" + texts[1] + "\t" + texts[2]);
  EXPECT_NE(ui.clipboard().find("\tTest 3\t"), std::string::npos);
}

}  // namespace

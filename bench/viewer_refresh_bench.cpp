// A viewer's redraw: count the rows, then fetch and format the visible lines
// through GlobalQueue's list source, beside the same lines copied from a
// plain array and formatted the same way. Items are lines.

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "runtime/ui/column_format.h"
#include "runtime/ui/picture.h"
#include "state/global_queue.h"
#include "state/queue_writes.h"

namespace {

constexpr int kVisibleLines = 30;
constexpr const char* kViewerFormat =
    "70D(2)|M~C 0~L@n-20.0@86L(2)|M~C 1~@s200@50L(2)|M~C 2~@s200@";

std::vector<rt::ui::Column> viewerColumns() {
  return std::get<std::vector<rt::ui::Column>>(rt::ui::parseColumnFormat(kViewerFormat));
}

void viewerRefreshQueue(benchmark::State& state) {
  lumo::refillGlobalQueue();
  const lumo::QueueListSource source(lumo::GlobalQueue);
  const std::vector<rt::ui::Column> columns = viewerColumns();
  std::vector<rt::ui::FieldValue> values;
  std::vector<std::string> texts;
  for (auto _ : state) {
    const int count = source.count();
    for (int n = 1; n <= kVisibleLines && n <= count; ++n) {
      source.line(n, values);
      rt::ui::formatLine(columns, values, texts);
      benchmark::DoNotOptimize(texts.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kVisibleLines);
}

void viewerRefreshBare(benchmark::State& state) {
  // The refilled rows, copied once into a plain array.
  lumo::refillGlobalQueue();
  using Record = std::array<unsigned char, lumo::kRecordBytes>;
  std::vector<Record> rows(lumo::kQueueRows);
  for (int n = 1; n <= lumo::kQueueRows; ++n) {
    lumo::GlobalQueue.view(n);
    lumo::GlobalQueue.getView(0, rows[n - 1]);
  }
  const std::vector<rt::ui::Column> columns = viewerColumns();
  std::vector<rt::ui::FieldValue> values = {std::int64_t{0}, std::string(), std::string()};
  std::vector<std::string> texts;
  for (auto _ : state) {
    const int count = static_cast<int>(rows.size());
    for (int n = 1; n <= kVisibleLines && n <= count; ++n) {
      Record record;
      std::memcpy(record.data(), rows[n - 1].data(), record.size());
      const auto* chars = reinterpret_cast<const char*>(record.data());
      values[0] = lumo::unpackDecimal(std::span(record).subspan<lumo::kC0Offset, lumo::kC0Bytes>());
      std::get<std::string>(values[1]).assign(chars + lumo::kC1Offset,
                                              strnlen(chars + lumo::kC1Offset, lumo::kC1Bytes));
      std::string_view c2(chars + lumo::kC2Offset, lumo::kC2Bytes);
      std::get<std::string>(values[2]).assign(c2.substr(0, c2.find_last_not_of(' ') + 1));
      rt::ui::formatLine(columns, values, texts);
      benchmark::DoNotOptimize(texts.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kVisibleLines);
}

BENCHMARK(viewerRefreshQueue)->Name("ViewerRefresh/queue");
BENCHMARK(viewerRefreshBare)->Name("ViewerRefresh/bare");

}  // namespace

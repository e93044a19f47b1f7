#pragma once
// GlobalQueue's rows as a viewer reads them, for checking what the writers
// left: row n is intact when it holds n, "Test n" and "TEST n".

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "state/global_queue.h"

struct QueueRow {
  std::int64_t c0 = 0;
  std::string c1, c2;
  bool intactAt(int n) const {
    return c0 == n && c1 == "Test " + std::to_string(n) && c2 == "TEST " + std::to_string(n);
  }
};

inline std::vector<QueueRow> queueRows() {
  const lumo::QueueListSource source(lumo::GlobalQueue);
  std::vector<QueueRow> rows;
  std::vector<rt::ui::FieldValue> values;
  const int count = source.count();
  for (int n = 1; n <= count; ++n) {
    source.line(n, values);
    rows.push_back({std::get<std::int64_t>(values.at(0)), std::get<std::string>(values.at(1)),
                    std::get<std::string>(values.at(2))});
  }
  return rows;
}

// How many of the rows are not the row their position says.
inline int brokenRows() {
  const auto rows = queueRows();
  int broken = 0;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (!rows[i].intactAt(static_cast<int>(i) + 1)) ++broken;
  return broken;
}

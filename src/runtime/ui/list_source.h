#pragma once
// What a list control reads its lines from. The list keeps no copy of the
// data: it asks for the number of lines, and for each line it draws it asks
// for that line's field values. Implementations must be safe to call from the
// display thread while other threads change the data.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace rt::ui {

using FieldValue = std::variant<std::int64_t, std::string>;

class ListSource {
 public:
  virtual ~ListSource() = default;
  virtual int count() const = 0;
  // Grows with every change of the data; a list redraws when it moves.
  virtual std::uint64_t changeCount() const = 0;
  // Field values of line n (1-based) into out (resized to the field count).
  // A line outside 1..count() gives empty values.
  virtual void line(int n, std::vector<FieldValue>& out) const = 0;
};

}  // namespace rt::ui

#pragma once
// Display pictures: how a field value is turned into the text a list shows.
// "@n-20.0": a number in 20 positions, leading minus when negative, digits
// grouped in threes with commas, no decimals. "@s200": a string of up to 200
// characters. A line's texts are its fields formatted by their columns.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/ui/column_format.h"
#include "runtime/ui/list_source.h"

namespace rt::ui {

// The value as the picture shows it; an unknown or empty picture shows the
// value plainly.
std::string formatPicture(std::string_view picture, const FieldValue& value);

// One text per column (fields beyond the columns are ignored; missing ones
// show empty). out is reused to avoid allocations on the hot path.
void formatLine(const std::vector<Column>& columns, const std::vector<FieldValue>& values,
                std::vector<std::string>& out);

}  // namespace rt::ui

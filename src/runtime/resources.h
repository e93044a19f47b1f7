#pragma once
// The program's own resources (icon groups and the like), embedded in the
// executable at build time and looked up by name.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rt {

// A static object of this type registers one resource for the whole run.
struct ResourceRegistration {
  ResourceRegistration(const char* name, const unsigned char* data, std::size_t size);
};

// The resource's bytes, or nothing when the program has no such resource.
std::optional<std::span<const unsigned char>> findResource(std::string_view name);

// The resource name for a file name: upper case, full stops as underscores
// ("Semaforo.ico" gives "SEMAFORO_ICO").
std::string resourceName(std::string_view fileName);

}  // namespace rt

#include "runtime/resources.h"

#include <cctype>
#include <map>
#include <string>

namespace rt {
namespace {

// Filled by static initialisers before main; read-only afterwards.
std::map<std::string, std::span<const unsigned char>, std::less<>>& registry() {
  static std::map<std::string, std::span<const unsigned char>, std::less<>> resources;
  return resources;
}

}  // namespace

ResourceRegistration::ResourceRegistration(const char* name, const unsigned char* data,
                                           std::size_t size) {
  registry()[name] = std::span<const unsigned char>(data, size);
}

std::optional<std::span<const unsigned char>> findResource(std::string_view name) {
  const auto found = registry().find(name);
  if (found == registry().end()) return std::nullopt;
  return found->second;
}

std::string resourceName(std::string_view fileName) {
  std::string name;
  for (const char c : fileName)
    name += c == '.' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace rt

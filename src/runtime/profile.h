#pragma once
// The private-profile service: reads and writes single keys of INI files. A
// file named without a directory lives in the user's lumo configuration
// directory. Failures never surface: reads give the default, writes are lost.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

// Longest section name or key, value or default, and file name; longer texts
// are cut. Trailing blanks are removed from each before use.
inline constexpr std::size_t kProfileNameLimit = 63;
inline constexpr std::size_t kProfileValueLimit = 1023;
inline constexpr std::size_t kProfileFileNameLimit = 259;

// The directory that holds files named without a directory:
// $XDG_CONFIG_HOME/lumo, else $HOME/.config/lumo (read at every call). Empty
// when neither variable gives one.
std::string profileDirectory();

// The value of key in section of fileName, blanks around it removed, or
// defaultValue when the file, the section or the key is missing or the file
// cannot be read.
std::string readProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::string_view fileName);

// Sets key in section of fileName to value, creating the file, the section and
// the key as needed, or with no value removes the key. The file is replaced
// atomically; everything else in it is kept.
void writeProfileString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value, std::string_view fileName);

}  // namespace rt

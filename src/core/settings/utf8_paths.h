// Paths and UTF-8 text. Every file name the program handles is UTF-8 text
// (command lines, INI values, profile names); on Windows a path converted
// with string() or built from a plain std::string goes through the ANSI code
// page and loses every letter outside it. These two are the only crossings.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvaline {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace corvaline

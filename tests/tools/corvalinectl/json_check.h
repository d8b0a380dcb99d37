// A JSON parser that is not the program's own, where the build has one.
#pragma once

#include <optional>
#include <string>

namespace corvaline::testing_support {

// The "format" member of the document as an independent parser reads it;
// nullopt when the build has no such parser.
std::optional<std::string> FormatByIndependentParser(const std::string& json);

}  // namespace corvaline::testing_support

#include <iostream>

#include "cli.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  corvaline::platform::UseUtf8Console();
  // The command line as UTF-8 on every system: file names with any letters
  // reach the commands intact.
  std::vector<std::string> args = corvaline::platform::Utf8Arguments(argc, argv);
  std::vector<char*> pointers;
  for (std::string& a : args) pointers.push_back(a.data());
  pointers.push_back(nullptr);
  return corvaline::cli::Main(static_cast<int>(args.size()), pointers.data(), std::cout, std::cerr);
}

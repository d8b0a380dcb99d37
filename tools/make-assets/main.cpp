// make-assets OUTPUT_FOLDER: writes the delivered config.bin and str.ini.
#include <cstdio>

#include "factory_defaults.h"
#include "platform/durable_io.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-assets OUTPUT_FOLDER\n");
    return 2;
  }
  corvaline::platform::InstallSystemDurableIo();
  const std::string error = corvaline::assets::WriteDeliveredFiles(argv[1]);
  if (!error.empty()) {
    std::fprintf(stderr, "make-assets: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

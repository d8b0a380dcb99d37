// A data folder named in letters outside any ANSI code page (Chinese and an
// accented Latin letter): on Windows a file name that passes through a narrow
// string loses them, and every command below would miss its files.
#include <gtest/gtest.h>

#include "core/settings/config_file.h"
#include "core/settings/utf8_paths.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

using testing_support::kSource;

TEST(CorvalinectlUnicodePaths, SetShowEncodeExportAndImportInAChineseNamedFolder) {
  testing_support::ToolSandbox box;
  const std::filesystem::path dir = box.dir() / PathFromUtf8("鼠标设置 Données");
  const std::filesystem::path copy = box.dir() / PathFromUtf8("副本 é");
  for (const auto& d : {dir, copy}) {
    std::filesystem::create_directories(d);
    std::filesystem::copy_file(kSource / "assets" / "config.bin", d / "config.bin");
    std::filesystem::copy_file(kSource / "assets" / "str.ini", d / "str.ini");
  }
  WriteFileBytes(dir / "record.ini",
                 "[复制]\r\nItemCount=3\r\nItem0=Ctrl   Dn\r\nItem1=50 ms\r\nItem2=Ctrl   Up\r\n");
  const std::string config = Utf8FromPath(dir / "config.bin");
  auto run = [&](std::vector<std::string> args) {
    const auto r = box.Run(args);
    EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
    return r;
  };
  run({"encode-macros", Utf8FromPath(dir / "record.ini"), config});
  run({"set", "button", "3", "macro", "复制", "--config", config});
  EXPECT_EQ(ReadFileBytes(dir / "config.bin")[0], 1);
  const std::string shown = run({"show", config}).out;
  EXPECT_NE(shown.find("button 3: macro '复制'"), std::string::npos) << shown;
  EXPECT_NE(shown.find(config), std::string::npos) << shown;

  const std::string profile = Utf8FromPath(dir / PathFromUtf8("配置.json"));
  run({"export", profile, "--config", config});
  run({"import", profile, "--config", Utf8FromPath(copy / "config.bin")});
  EXPECT_EQ(ReadFileBytes(copy / "config.bin"), ReadFileBytes(dir / "config.bin"));
  EXPECT_NE(ReadFileBytes(copy / "record.ini").size(), 0u);
  run({"--simulate", "apply", config});
}

}  // namespace
}  // namespace corvaline

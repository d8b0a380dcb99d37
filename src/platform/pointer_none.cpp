#include "platform/pointer_settings.h"

namespace corvaline::platform {
namespace {

class NoPointerBackend : public PointerBackend {
 public:
  std::string_view Name() const override { return "none"; }
  bool Supports(PointerSetting) const override { return false; }
  std::optional<int> ReadSpeed() override { return std::nullopt; }
  std::optional<int> ReadWheelLines() override { return std::nullopt; }
  std::optional<int> ReadDoubleClickMs() override { return std::nullopt; }
  std::optional<bool> ReadAcceleration() override { return std::nullopt; }
  bool WriteSpeed(int) override { return false; }
  bool WriteWheelLines(int) override { return false; }
  bool WriteDoubleClickMs(int) override { return false; }
  bool WriteAcceleration(bool) override { return false; }
};

}  // namespace

std::unique_ptr<PointerBackend> CreateNoPointerBackend() {
  return std::make_unique<NoPointerBackend>();
}

}  // namespace corvaline::platform

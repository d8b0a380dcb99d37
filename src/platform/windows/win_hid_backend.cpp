#include <windows.h>
// after windows.h, which it needs
#include <setupapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/hid.h"
#include "platform/windows/win_hid.h"

// hidsdi.h brings hidusage.h and hidpi.h in the order they need.
extern "C" {
#include <hidsdi.h>
}

namespace corvaline::platform {
namespace {

// "...VID_04D9&PID_A09F..." in an interface path, for a collection that
// could not be opened and so could not be asked.
void IdsFromPath(const std::string& path, HidCollectionInfo& info) {
  auto hexAfter = [&](const char* key, std::uint16_t& value) {
    std::string upper = path;
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    const auto at = upper.find(key);
    if (at == std::string::npos || at + 4 + std::char_traits<char>::length(key) > upper.size()) return;
    value = static_cast<std::uint16_t>(
        std::strtoul(upper.substr(at + std::char_traits<char>::length(key), 4).c_str(), nullptr, 16));
  };
  hexAfter("VID_", info.vendorId);
  hexAfter("PID_", info.productId);
}

// Fills IDs, usages and report lengths of one interface; a reason in
// info.problem when it cannot be asked.
void Examine(const std::wstring& path, HidCollectionInfo& info) {
  HANDLE query = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  if (query == INVALID_HANDLE_VALUE) {
    IdsFromPath(info.path, info);
    info.problem = "Cannot open " + info.path + ": " + DescribeWin32Error(GetLastError());
    return;
  }
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  if (HidD_GetAttributes(query, &attributes)) {
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
  } else {
    IdsFromPath(info.path, info);
  }
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!HidD_GetPreparsedData(query, &preparsed)) {
    info.problem = "HidD_GetPreparsedData failed for " + info.path;
    CloseHandle(query);
    return;
  }
  CloseHandle(query);
  HIDP_CAPS caps{};
  if (HidP_GetCaps(preparsed, &caps) != HIDP_STATUS_SUCCESS) {
    info.problem = "HidP_GetCaps failed for " + info.path;
  } else {
    info.usagePage = caps.UsagePage;
    info.usage = caps.Usage;
    info.inputReportLength = caps.InputReportByteLength;
    info.outputReportLength = caps.OutputReportByteLength;
    info.featureReportLength = caps.FeatureReportByteLength;
  }
  HidD_FreePreparsedData(preparsed);
}

// The interface path of member `index`; false at the end of the list or when
// the member cannot be read (the walk never goes on with stale data).
bool InterfacePath(HDEVINFO set, const GUID& hidGuid, DWORD index, std::wstring& path, bool& end) {
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof data;
  if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &data)) {
    end = true;
    return false;
  }
  DWORD needed = 0;
  SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &needed, nullptr);
  if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return false;
  // DWORD elements keep the record aligned for its cbSize field.
  std::vector<DWORD> buffer((needed + sizeof(DWORD) - 1) / sizeof(DWORD) + 1);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
  // The record's own size, not the whole buffer's: 8 on 64-bit, 6 on 32-bit.
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, needed, nullptr, nullptr)) return false;
  path = detail->DevicePath;
  return true;
}

class WindowsHidBackend final : public HidBackend {
 public:
  std::vector<HidCollectionInfo> Enumerate() override;
  HidOpenResult Open(const HidCollectionInfo& collection, HidOpenMode mode) override;
  bool StartDeviceMonitor() override { return notifier_.Start(); }
  int NotificationHandle() const override { return -1; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return notifier_.Take(); }

 private:
  HidDeviceNotifier notifier_;
};

std::vector<HidCollectionInfo> WindowsHidBackend::Enumerate() {
  std::vector<HidCollectionInfo> out;
  GUID hidGuid;
  HidD_GetHidGuid(&hidGuid);
  HDEVINFO set =
      SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return out;
  for (DWORD index = 0;; ++index) {
    std::wstring path;
    bool end = false;
    if (!InterfacePath(set, hidGuid, index, path, end)) {
      if (end) break;
      continue;
    }
    HidCollectionInfo info;
    info.path = Utf8FromWide(path.c_str());
    Examine(path, info);
    out.push_back(std::move(info));
  }
  SetupDiDestroyDeviceInfoList(set);
  return out;
}

HidOpenResult WindowsHidBackend::Open(const HidCollectionInfo& collection, HidOpenMode mode) {
  const DWORD access = mode == HidOpenMode::Query ? 0 : GENERIC_READ | GENERIC_WRITE;
  // Overlapped for every mode, so a pending read can be cancelled.
  HANDLE handle = CreateFileW(WideFromUtf8(collection.path).c_str(), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return HidOpenResult::Failed("Cannot open " + collection.path + ": " + DescribeWin32Error(GetLastError()));
  return MakeWindowsHidDevice(handle, collection.inputReportLength);
}

}  // namespace

std::unique_ptr<HidBackend> CreateSystemHidBackend() {
  return std::make_unique<WindowsHidBackend>();
}

}  // namespace corvaline::platform

#include "gui/app/apply_messages.h"

namespace corvaline::gui {

std::string ApplyFailureText(int failedTransfers, UiLanguage lang) {
  const std::string n = std::to_string(failedTransfers);
  switch (lang) {
    case UiLanguage::CHS:
      return "有 " + n + " 次传输失败，鼠标可能没有收到全部设置。设置已保存，请检查连接后再按应用。";
    case UiLanguage::CHT:
      return "有 " + n + " 次傳輸失敗，滑鼠可能沒有收到全部設置。設置已保存，請檢查連接後再按應用。";
    case UiLanguage::EN:
      break;
  }
  return n + " transfer(s) to the mouse failed; the mouse may not have taken every setting. "
         "The settings were saved; check the connection and press Apply again.";
}

}  // namespace corvaline::gui

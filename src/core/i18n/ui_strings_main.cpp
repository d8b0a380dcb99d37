// The main window's texts in the three languages.
#include "core/i18n/text_row.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

using i18n_detail::TextRow;

// The maker's web site: not translated.
constexpr std::string_view kWeb = "corvaline.example";

constexpr std::array<TextRow<MainText>, kMainTextCount> kMainRows{{
    {MainText::BasicTitle, "Basic Settings", "基本设置", "基本設置"},
    {MainText::AdvancedTitle, "Advanced Settings", "高级设置", "高級設置"},
    {MainText::Ok, "OK", "确定", "確定"},
    {MainText::Apply, "Apply", "应用", "應用"},
    {MainText::Cancel, "Cancel", "取消", "取消"},
    {MainText::KeySettingHeading, "Key Setting", "按键设置", "按鍵設置"},
    {MainText::ReportRateHeading, "Report Rate Setting", "报告率设置", "報告率設置"},
    {MainText::DpiHeading, "DPI Setting", "DPI设置", "DPI設置"},
    {MainText::KeyDefault, "Default", "按键恢复", "按鍵恢復"},
    {MainText::KeyConfig1, "Key Configuration 1", "按键配置1", "按鍵配置1"},
    {MainText::KeyConfig2, "Key Configuration 2", "按键配置2", "按鍵配置2"},
    {MainText::KeyConfig3, "Key Configuration 3", "按键配置3", "按鍵配置3"},
    {MainText::KeyConfig4, "Key Configuration 4", "按键配置4", "按鍵配置4"},
    {MainText::AuxLedHeading, "Auxiliary LED Setting", "辅灯设置", "輔燈設置"},
    {MainText::AuxLedRespiration, "As Respiration LED", "设为呼吸灯", "設為呼吸燈"},
    {MainText::AuxLedHeartBeat, "As Heart Beat LED", "设为心跳灯", "設為心跳燈"},
    {MainText::AuxLedKeyGroupSwitch, "As Key Group Switch LED", "设为按键组切换灯", "設為按鍵群組切換燈"},
    {MainText::DpiEffectHeading, "DPI Effect", "DPI显示特效", "DPI顯示特效"},
    {MainText::LedModeLabel, "Mode", "模式", "模式"},
    {MainText::LedParameterLabel, "Parameter", "参数", "參數"},
    {MainText::LedSpeedLabel, "Speed", "速度:请调整灯光显示速度", "速度"},
    {MainText::LedBrightnessLabel, "Brightness", "亮度:请调整灯光显示亮度", "亮度"},
    {MainText::LedEffectLabel, "Effect", "效果", "效果"},
    {MainText::LedEffectOff, "Off", "关闭模式", "關閉模式"},
    {MainText::LedEffectStandard, "Standard", "标准模式", "標準模式"},
    {MainText::LedEffectRespiration, "Respiration", "呼吸模式", "呼吸模式"},
    {MainText::LedEffectNeon, "Neon", "霓虹模式", "霓虹模式"},
    {MainText::LedOptionNonDisplay, "Non-Disolay", "关闭", "關閉"},
    {MainText::LedOptionRgbEffect, "RGB Effect", "RGB效果", "RGB效果"},
    {MainText::LedOptionRgbFlash, "RGB Flash", "RGB闪烁", "RGB閃爍"},
    {MainText::LedOptionRgbFixedOn, "RGB Fixed On", "RGB常亮", "RGB常亮"},
    {MainText::FnLeftClick, "Left Click", "左键", "左鍵"},
    {MainText::FnRightClick, "Right Click", "右键", "右鍵"},
    {MainText::FnMidClick, "Mid Click", "中键", "中鍵"},
    {MainText::FnForward, "Forward", "前进方向键", "前進方向鍵"},
    {MainText::FnBackward, "Backward", "后退方向键", "後退方向鍵"},
    {MainText::FnTripleClick, "Triple-click", "三连发", "三連發"},
    {MainText::FnDpiSwitch, "DPI Switch", "DPI切换", "DPI切換"},
    {MainText::FnReportRateSwitch, "Report Rate Switch", "报告率切换", "報告率切換"},
    {MainText::FnShift, "Shift", "Shift", "Shift"},
    {MainText::FnRgbOnOff, "RGB On/Off", "RGB打开/关闭", "RGB打開/關閉"},
    {MainText::FnWindows, "Windows", "Windows", "Windows"},
    {MainText::FnMultimedia, "Multimedia", "多媒体", "多媒體"},
    {MainText::FnFireKey, "Fire Key", "火力键", "火力鍵"},
    {MainText::FnSingleKey, "Single Key", "单键", "單鍵"},
    {MainText::FnComboKey, "Combo Key", "组合键", "複合鍵"},
    {MainText::FnMacroKey, "Macro Key", "宏", "巨集"},
    {MainText::FnKeyOff, "Key Off", "按键关闭", "按鍵關閉"},
    {MainText::MsgLeftKeyRequired, "Left key must be selected!", "左键功能必须选择！", "左鍵功能必須選擇！"},
    {MainText::WebAddress, kWeb, kWeb, kWeb},
    {MainText::NoteRate1000, "Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"},
    {MainText::NoteRate500, "Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"},
    {MainText::NoteRate250, "Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"},
    {MainText::NoteRate125, "Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"},
    {MainText::NoteDpiStage1, "Switch DPI into the first stage ", "DPI切换到第一段", "DPI切換到第一段"},
    {MainText::NoteDpiStage2, "Switch DPI into the second stage ", "DPI切换到第二段", "DPI切換到第二段"},
    {MainText::NoteDpiStage3, "Switch DPI into the third stage ", "DPI切换到第三段", "DPI切換到第三段"},
    {MainText::NoteDpiStage4, "Switch DPI into the fourth stage ", "DPI切换到第四段", "DPI切換到第四段"},
    {MainText::NoteKeyMatrix1, "Switch to key matrix 1", "切换到按键组1", "切換到按鍵群組1"},
    {MainText::NoteKeyMatrix2, "Switch to key matrix 2", "切换到按键组2", "切換到按鍵群組2"},
    {MainText::NoteKeyMatrix3, "Switch to key matrix 3", "切换到按键组3", "切換到按鍵群組3"},
    {MainText::NoteKeyMatrix4, "Switch to key matrix 4", "切换到按键组4", "切換到按鍵群組4"},
    {MainText::NoteMacroKey, "Switch to macro key", "切换到宏", "切換到巨集"},
    {MainText::TrayExit, "Exit", "退出", "退出"},
    {MainText::NoteMouseMissing, "The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},
    {MainText::NoteMouseFound, "The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"},
    {MainText::MouseSpeedHeading, "Mouse Speed", "鼠标移动速度", "滑鼠移動速度"},
    {MainText::ScrollSpeedHeading, "Scrolling Speed", "鼠标滚动速度", "滑鼠滾動速度"},
    {MainText::DoubleClickHeading, "Double-Click Speed", "鼠标双击速度", "滑鼠雙擊速度"},
    {MainText::MacroSettingHeading, "Macro Setting", "宏设置", "巨集設置"},
    {MainText::SelectMacroHeading, "Select Macro", "选择宏", "選擇巨集"},
    {MainText::KeySequenceHeading, "Key Press Sequence", "按键序列", "按鍵序列"},
    {MainText::RecordOptionHeading, "Record Option", "录制选项", "錄製選項"},
    {MainText::PointerPrecisionLabel, "Enhance Pointer Precision", "提高指针准确度", "提高指針準確度"},
    {MainText::ScrollOneScreenLabel, "Scroll One Screen", "一次滚动一个屏幕", "一次滾動一個螢幕"},
    {MainText::SystemDefault, "Default", "恢复默认", "恢復默認"},
    {MainText::MacroNameLabel, "Macro Name", "宏名称", "巨集名稱"},
    {MainText::StartRecording, "Start Recording", "开始录制", "開始錄製"},
    {MainText::StopRecording, "Stop Recording", "停止录制", "停止錄製"},
    {MainText::LoopTimesLabel, "Loop Times", "循环次数", "迴圈次數"},
    {MainText::InsertMouseEvent, "Insert A Mouse Event", "插入一个鼠标事件", "插入一個滑鼠事件"},
    {MainText::MacroNew, "New", "新建", "新建"},
    {MainText::MacroDelete, "Delete", "删除", "刪除"},
    {MainText::MacroConfirm, "Confirm", "确认", "確認"},
    {MainText::MsgMacroNameBlank, "Macro name is blank", "宏名称为空", "巨集名稱為空"},
    {MainText::MsgMacroNameExists, "Macro name already exists", "宏名称已经存在", "巨集名稱已經存在"},
    {MainText::RecordingTitle, "Press Ctrl+Break key to stop recording", "按Ctrl+Break可以停止录制", "按Ctrl+Break可以停止錄製"},
    {MainText::MsgNotRecording, "It doesn’t start recording, unnecessary to press Stop key!", "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
    {MainText::ItemSection, "Setting-EN", "Setting-CHS", "Setting-CHT"},
    {MainText::KeyGroupA, "Mode A", "模式A", "模式A"},
    {MainText::KeyGroupB, "Mode B", "模式B", "模式B"},
    {MainText::DpiColourLabel, "Color", "颜色", "顏色"},
    {MainText::DpiSelectLabel, "Select", "选择", "選擇"},
}};
static_assert(i18n_detail::RowsInOrder(kMainRows));

}  // namespace

std::string_view UiText(MainText id, UiLanguage lang) {
  return i18n_detail::Lookup(kMainRows, id, lang);
}

}  // namespace corvaline

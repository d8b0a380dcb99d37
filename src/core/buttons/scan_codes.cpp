#include "core/buttons/scan_codes.h"

#include <array>

namespace corvaline {
namespace {

// Indexed by the Linux evdev key code. Gaps are keys with no Windows name.
constexpr std::array<std::string_view, 195> kEvdevNames = [] {
  std::array<std::string_view, 195> n{};
  n[1] = "Esc";
  n[2] = "1"; n[3] = "2"; n[4] = "3"; n[5] = "4"; n[6] = "5";
  n[7] = "6"; n[8] = "7"; n[9] = "8"; n[10] = "9"; n[11] = "0";
  n[12] = "-"; n[13] = "="; n[14] = "Backspace"; n[15] = "Tab";
  n[16] = "Q"; n[17] = "W"; n[18] = "E"; n[19] = "R"; n[20] = "T";
  n[21] = "Y"; n[22] = "U"; n[23] = "I"; n[24] = "O"; n[25] = "P";
  n[26] = "["; n[27] = "]"; n[28] = "Enter";
  n[29] = "Ctrl";  // the left one: Windows names only the right one by side
  n[30] = "A"; n[31] = "S"; n[32] = "D"; n[33] = "F"; n[34] = "G";
  n[35] = "H"; n[36] = "J"; n[37] = "K"; n[38] = "L";
  n[39] = ";"; n[40] = "'"; n[41] = "`";
  n[42] = "Shift"; n[43] = "\\";
  n[44] = "Z"; n[45] = "X"; n[46] = "C"; n[47] = "V"; n[48] = "B";
  n[49] = "N"; n[50] = "M";
  n[51] = ","; n[52] = "."; n[53] = "/";
  n[54] = "Right Shift"; n[55] = "Num *"; n[56] = "Alt"; n[57] = "Space";
  n[58] = "Caps Lock";
  n[59] = "F1"; n[60] = "F2"; n[61] = "F3"; n[62] = "F4"; n[63] = "F5";
  n[64] = "F6"; n[65] = "F7"; n[66] = "F8"; n[67] = "F9"; n[68] = "F10";
  n[69] = "Num Lock"; n[70] = "Scroll Lock";
  n[71] = "Num 7"; n[72] = "Num 8"; n[73] = "Num 9"; n[74] = "Num -";
  n[75] = "Num 4"; n[76] = "Num 5"; n[77] = "Num 6"; n[78] = "Num +";
  n[79] = "Num 1"; n[80] = "Num 2"; n[81] = "Num 3"; n[82] = "Num 0";
  n[83] = "Num Del";
  // The extra key of ISO keyboards beside the left Shift: on a US layout
  // Windows names it after the character it gives there.
  n[86] = "\\";
  n[87] = "F11"; n[88] = "F12";
  n[96] = "Num Enter"; n[97] = "Right Ctrl"; n[98] = "Num /"; n[99] = "Prnt Scrn";
  n[100] = "Right Alt";
  n[102] = "Home"; n[103] = "Up"; n[104] = "Page Up"; n[105] = "Left";
  n[106] = "Right"; n[107] = "End"; n[108] = "Down"; n[109] = "Page Down";
  n[110] = "Insert"; n[111] = "Delete";
  n[119] = "Pause";
  n[125] = "Left Windows"; n[126] = "Right Windows"; n[127] = "Application";
  n[138] = "Help";
  n[183] = "F13"; n[184] = "F14"; n[185] = "F15"; n[186] = "F16";
  n[187] = "F17"; n[188] = "F18"; n[189] = "F19"; n[190] = "F20";
  n[191] = "F21"; n[192] = "F22"; n[193] = "F23"; n[194] = "F24";
  return n;
}();

}  // namespace

std::string_view KeyNameFromXkbKeycode(unsigned keycode) {
  if (keycode < kXkbKeycodeOffset) return {};
  const unsigned evdev = keycode - kXkbKeycodeOffset;
  return evdev < kEvdevNames.size() ? kEvdevNames[evdev] : std::string_view{};
}

}  // namespace corvaline

// Texts that the user sees and that the window's own text list does not hold:
// the save outcome and the schedule file's fixed parts, as GBK bytes.
#pragma once

namespace velquor::e2e::expected {

// 保存成功
inline constexpr char saved[] = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6";
// 保存失败
inline constexpr char not_saved[] = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC";
// 提示信息：
inline constexpr char save_caption[] = "\xCC\xE1\xCA\xBE\xD0\xC5\xCF\xA2\xA3\xBA";
// [Velquor：] and its line end
inline constexpr char file_header[] = "[Velquor\xA3\xBA]\r\n";
// ，between a row's moment and its target
inline constexpr char comma[] = "\xA3\xAC";

}  // namespace velquor::e2e::expected

#pragma once
// Texts of the messages added after the first skins were written. A skin
// that does not carry one of them still shows a useful text instead of the
// generic "error number" one. The default skin (data/Orvanta.ini) carries
// the same texts; a skin may replace them.
#include <string_view>

namespace orv {

// An entry holds a character a camera cannot store (past U+00FF).
constexpr int kMsgNotCameraText = 3001;
// The message that follows a search which found no camera at all.
constexpr int kMsgNoCameraFound = 3002;

// The built-in text of message `number` (two backslashes for a line break, as
// in the settings file), or an empty view when it has none.
std::u16string_view BuiltinMessageText(int number);

} // namespace orv

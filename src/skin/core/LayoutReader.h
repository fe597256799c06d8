#pragma once
// Layout reading: where the skin lives and what each control section says.
// Pure logic over a CProfileFile; no window is involved.
#include "skin/core/ControlDesc.h"
#include "skin/core/ProfileFile.h"

#include <string>

namespace orv {

struct SkinPaths {
    std::string programDir; // with its trailing '/'
    std::string iniFile;    // programDir + "Orvanta.ini"
    std::string imageDir;   // programDir + [Image] path (default "Image") + '/'
};

// `programDir` must end with '/'. Reads [Image] path from `profile`.
SkinPaths MakeSkinPaths(const std::string& programDir, const CProfileFile& profile);
inline std::string SettingsFileIn(const std::string& programDir) { return programDir + "Orvanta.ini"; }

// Image folder + file name, nothing inserted. Backslashes of a skin written
// for Windows become '/'.
std::string JoinImagePath(const std::string& imageDir, const std::u16string& name);

// Fills `out` from the request's section. False when the factory must not
// create the control: empty section name, or a picture button without
// `normalImage`. A missing section yields a zero-size control.
bool ReadControlDesc(const CProfileFile& profile, const SkinPaths& paths, const CtrlRequest& req,
                     ControlDesc& out);

// Height of a drop-down list including its list: (|font height| + 4) * 10.
int ComboDropHeight(int fontHeight);

// Text of numbered message `number`: [Message] "Message<n>" with each pair of
// backslashes turned into CR LF. When the value is missing or exactly "0":
// the message's built-in text (BuiltinMessages.h), else the generic fallback
// text.
std::u16string MessageText(const CProfileFile& profile, int number);

} // namespace orv

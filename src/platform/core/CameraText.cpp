#include "platform/core/CameraText.h"

namespace orv {

std::size_t FindNonCameraChar(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!IsCameraChar(text[i]))
            return i;
    return std::u16string_view::npos;
}

std::string CameraBytes(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(static_cast<char>(CameraByte(c)));
    return out;
}

std::u16string CameraTextFromBytes(const char* bytes, std::size_t len)
{
    if (!bytes)
        return {};
    std::size_t n = 0;
    while (n < len && bytes[n] != 0)
        ++n;
    return CameraTextFromBytes(std::string_view(bytes, n));
}

std::u16string CameraTextFromBytes(std::string_view bytes)
{
    if (auto z = bytes.find('\0'); z != std::string_view::npos)
        bytes = bytes.substr(0, z);
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orv

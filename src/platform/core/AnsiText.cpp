#include "AnsiText.h"

#include "platform/core/CameraText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace orv {
namespace {

bool IsPlainAscii(const char* cs)
{
    return !cs || !*cs || std::strcmp(cs, "ANSI_X3.4-1968") == 0 || std::strcmp(cs, "ASCII") == 0
        || std::strcmp(cs, "US-ASCII") == 0;
}

// The code page of the current locale, or nullptr for the byte-for-byte map.
const char* LocaleCharset()
{
    const char* cs = nl_langinfo(CODESET);
    return IsPlainAscii(cs) ? nullptr : cs;
}

// The byte-for-byte map; a character it cannot hold becomes '?', as the code
// page conversion gives it.
std::string WideToLatin1(std::u16string_view in)
{
    std::string out;
    out.reserve(in.size());
    for (char16_t c : in)
        out.push_back(IsCameraChar(c) ? static_cast<char>(c) : '?');
    return out;
}

} // namespace

std::string AnsiCodePageName()
{
    const char* cs = LocaleCharset();
    return cs ? cs : "ISO-8859-1";
}

std::u16string AnsiToWide(const char* bytes, std::size_t len)
{
    if (!bytes)
        return {};
    std::size_t n = 0;
    while (n < len && bytes[n] != 0)
        ++n;
    return AnsiToWide(std::string_view(bytes, n));
}

std::u16string AnsiToWide(std::string_view in)
{
    if (auto z = in.find('\0'); z != std::string_view::npos)
        in = in.substr(0, z);
    const char* cs = LocaleCharset();
    if (!cs || in.empty())
        return CameraTextFromBytes(in);
    iconv_t cd = iconv_open("UTF-16LE", cs);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return CameraTextFromBytes(in);
    std::u16string out;
    std::string buf(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        std::size_t dstLeft = buf.size();
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        std::size_t produced = buf.size() - dstLeft;
        for (std::size_t i = 0; i + 1 < produced; i += 2)
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(buf[i])
                | (static_cast<unsigned char>(buf[i + 1]) << 8)));
        if (r == static_cast<std::size_t>(-1) && (errno == EILSEQ || errno == EINVAL)) {
            // Not valid in this code page: take the byte as it stands.
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*src)));
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            break;
        }
    }
    iconv_close(cd);
    return out;
}

std::string WideToAnsi(std::u16string_view in)
{
    const char* cs = LocaleCharset();
    if (!cs || in.empty())
        return WideToLatin1(in);
    iconv_t cd = iconv_open(cs, "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return WideToLatin1(in);
    std::string le;
    le.reserve(in.size() * 2);
    for (char16_t c : in) {
        le.push_back(static_cast<char>(c & 0xFF));
        le.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    std::string buf(le.size() * 3 + 8, '\0');
    char* src = le.data();
    std::size_t srcLeft = le.size();
    while (srcLeft > 0) {
        char* dst = buf.data();
        std::size_t dstLeft = buf.size();
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), buf.size() - dstLeft);
        if (r == static_cast<std::size_t>(-1) && (errno == EILSEQ || errno == EINVAL)) {
            out.push_back('?');
            std::size_t skip = srcLeft >= 2 ? 2 : srcLeft;
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        } else if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            break;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace orv

// Settings-file reader over arbitrary bytes: parsing and every lookup must
// stay in bounds and keep values within the 259-character limit.
#include "skin/core/ProfileFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orv::CProfileFile f = orv::CProfileFile::Parse(bytes);
    for (const std::u16string& sec : f.SectionNames()) {
        for (const std::u16string& key : f.KeyNames(sec)) {
            std::u16string v;
            f.Read(sec, key, v);
            if (v.size() > orv::CProfileFile::kMaxValue)
                std::abort();
            (void)f.GetInt(sec, key, 0);
        }
    }
    (void)f.GetString(u"Image", u"path", u"Image");
    return 0;
}

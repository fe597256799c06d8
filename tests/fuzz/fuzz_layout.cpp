// Layout reading over arbitrary settings files: every control kind, the
// skin paths and the numbered messages.
#include "skin/core/LayoutReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orv;
    const CProfileFile f = CProfileFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const SkinPaths paths = MakeSkinPaths("/opt/orv/", f);
    const CtrlType types[] = {CtrlType::PicButton, CtrlType::PicText,    CtrlType::Edit,
                              CtrlType::CheckBox,  CtrlType::Radio,      CtrlType::ComboBox,
                              CtrlType::PushButton, CtrlType::Progress,  CtrlType::ListCtrl};
    for (const std::u16string& sec : f.SectionNames()) {
        for (CtrlType t : types) {
            CtrlRequest req;
            req.type = t;
            req.section = sec;
            req.id = 1000;
            req.defaultCaption = u"enable";
            ControlDesc d;
            if (ReadControlDesc(f, paths, req, d) && d.caption.size() > CProfileFile::kMaxValue)
                std::abort();
        }
    }
    for (int n : {0, 4, 7, 500, 2001, -1})
        (void)MessageText(f, n);
    return 0;
}

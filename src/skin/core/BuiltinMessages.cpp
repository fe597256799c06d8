#include "skin/core/BuiltinMessages.h"

namespace orv {

std::u16string_view BuiltinMessageText(int number)
{
    switch (number) {
    case kMsgNotCameraText:
        return u"This entry holds a character the camera cannot store.\\\\"
               u"Please use only English or Western European letters, digits and the usual symbols.";
    case kMsgNoCameraFound:
        return u"No camera was found.\\\\Check that the camera is on and connected to the same network as this "
               u"computer. A reverse-path filter (rp_filter) or a firewall here may drop its answers (UDP from port "
               u"62976).\\\\To check this computer, run \"orvanta-cli doctor\".";
    default:
        return {};
    }
}

} // namespace orv

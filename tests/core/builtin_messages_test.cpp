// Messages added after the first skins: a skin that lacks one shows its
// built-in text, the default skin carries exactly that text, and a skin's own
// text wins.
#include <gtest/gtest.h>

#include "platform/core/WideText.h"
#include "skin/core/BuiltinMessages.h"
#include "skin/core/LayoutReader.h"
#include "skin/core/ProfileFile.h"

using namespace orv;

namespace {

TEST(BuiltinMessages, FallbackDefaultSkinAndOverride)
{
    const CProfileFile none;
    const std::u16string builtin = MessageText(none, kMsgNoCameraFound);
    EXPECT_EQ(builtin.rfind(u"No camera was found.\r\n", 0), 0u) << Utf8(builtin);
    EXPECT_NE(builtin.find(u"orvanta-cli doctor"), std::u16string::npos);

    const auto skin = LoadProfile(std::string(ORVANTA_SOURCE_DIR) + "/data/Orvanta.ini");
    EXPECT_EQ(MessageText(*skin, kMsgNoCameraFound), builtin);

    const CProfileFile own = CProfileFile::Parse("[Message]\r\nMessage3002=Look again.\r\n");
    EXPECT_EQ(MessageText(own, kMsgNoCameraFound), u"Look again.");
    // Numbers without a built-in text keep the generic one.
    EXPECT_EQ(MessageText(none, 3999), u"Some error occurred, error number is 3999.");
}

} // namespace

// The older wireless pages (the WPS-or-standard choice, the settings page and
// the WEP key page) driven through their real widgets.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "pages/DlgWireless.h"
#include "pages/DlgWirelessKey.h"
#include "pages/DlgWirelessSelect.h"
#include "pages/WirelessLogic.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "ui/support/HostRecorder.h"
#include "ui/support/TempSkin.h"

#include <QTest>

#include <memory>
#include <string>

using namespace orv;
using namespace orv::test;

namespace {

// One section per control, each on a row of its own so clicks land on it;
// messages by number so a box tells which one was shown.
std::string PageIni(const char* page, std::initializer_list<const char*> controls)
{
    std::string ini = std::string("[") + page + "]\nbackground=bg.png\n";
    int y = 10;
    for (const char* c : controls) {
        ini += std::string("[") + page + "." + c + "]\nx=10\ny=" + std::to_string(y) + "\nw=200\nh=22\n";
        y += 30;
    }
    return ini;
}

const char* kMessages = "[Message]\nMessage20=M20\nMessage21=M21\nMessage30=M30\nMessage31=M31\n"
                        "Message32=M32\nMessage33=M33\nMessage2006=M2006\n";

// Offers every security choice the pages know.
constexpr const char16_t* kAllEnc = u"00011111";
constexpr const char16_t* kAllAuth = u"00111111";

class OlderWirelessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/bg.png"), 640, 480);
        skin.WriteIni(PageIni("DlgWirelessSele", {"WPS", "Wireless"})
                      + PageIni("DlgWireless", {"SSID", "CHANNEL", "WLanON", "WLanOFF", "SecurityMode",
                                                "Infrastructure", "Adhoc", "Open", "Shared", "Both"})
                      + PageIni("DlgWirelessKey", {"KEYLEN", "KEYFORMAT", "DEFKEY", "KEY1", "KEY2", "KEY3", "KEY4",
                                                   "PKEY"})
                      + kMessages);
        WCopy(s.WirelessEnableText, u"1");
        WCopy(s.ESSID, u"home");
        WCopy(s.EncryptionText, kAllEnc);
        WCopy(s.AuthenticationText, kAllAuth);
    }
    template <class Page>
    Page& Open()
    {
        auto p = std::make_unique<Page>(&host);
        p->Create();
        p->InitFromSettings(&s);
        p->show();
        Page& ref = *p;
        page = std::move(p);
        return ref;
    }
    void Click(int id) { QTest::mouseClick(page->FindCtrl(id), Qt::LeftButton, {}, QPoint(6, 11)); }
    CComboBox* Combo(int id) { return page->FindCtrlAs<CComboBox>(id); }
    CEdit* Edit(int id) { return page->FindCtrlAs<CEdit>(id); }
    CRadioButton* Radio(int id) { return page->FindCtrlAs<CRadioButton>(id); }
    // A user's choice: the entry selected and the list's notification sent.
    void Choose(int id, const QString& text)
    {
        CComboBox* combo = Combo(id);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QStringList Items(int id)
    {
        QStringList out;
        for (int i = 0; i < Combo(id)->count(); ++i)
            out << Combo(id)->itemText(i);
        return out;
    }
    // Presses Next; true when the page posted Next to its host.
    bool Next()
    {
        host.messages.clear();
        page->SendCommand(IDC_NEXT); // as the picture button does
        for (const RecordedMessage& m : host.Drain())
            if (m.wParam == kNavNext)
                return true;
        return false;
    }
    std::string Shown()
    {
        std::string out;
        for (const MessageBoxCall& c : boxes.Calls())
            out += (out.empty() ? "" : ",") + Utf8(c.text);
        return out;
    }

    TempSkin skin;
    HostRecorder host;
    WizardSettings s;
    MessageBoxHook boxes;
    std::unique_ptr<CWizardPage> page;
};

using Sel = CDlgWirelessSelect;
using Wl = CDlgWireless;
using Key = CDlgWirelessKey;

} // namespace

TEST_F(OlderWirelessTest, ChoicePageKeepsWpsChosenAndItsRadios)
{
    s.WpsChosen = 1;
    Open<Sel>();
    EXPECT_TRUE(Radio(Sel::IDC_WPS)->isChecked());
    EXPECT_FALSE(Radio(Sel::IDC_STANDARD)->isChecked());

    Click(Sel::IDC_STANDARD);
    EXPECT_EQ(s.WpsChosen, 0);
    EXPECT_FALSE(Radio(Sel::IDC_WPS)->isChecked());
    EXPECT_TRUE(Radio(Sel::IDC_STANDARD)->isChecked());
    Click(Sel::IDC_WPS);
    EXPECT_EQ(s.WpsChosen, 1);
    EXPECT_FALSE(Radio(Sel::IDC_STANDARD)->isChecked());
    EXPECT_TRUE(Next());
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(OlderWirelessTest, ChoicePageWithoutWpsChosenChecksStandard)
{
    Open<Sel>();
    EXPECT_FALSE(Radio(Sel::IDC_WPS)->isChecked());
    EXPECT_TRUE(Radio(Sel::IDC_STANDARD)->isChecked());
}

TEST_F(OlderWirelessTest, ChannelsFollowTheChannelRange)
{
    const QStringList oneToFourteen = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"};
    struct Case {
        const char16_t* range;
        int channel;
        QStringList offered;
        QString selected;
    } cases[] = {
        {u"00000000000000000000000000000011", 2, {"1", "2"}, "2"},
        {u"00000000000000000000000000000011", 9, {"1", "2"}, "2"}, // none matches: the last stays
        {u"00000000000000000000000000000000", 6, oneToFourteen, "6"},
        {u"", 1, oneToFourteen, "1"},
        {u"00000000000000000001000000000100", 3, {"3", "13"}, "3"},
    };
    for (const Case& c : cases) {
        WCopy(s.ChannelRange, c.range);
        s.Channel = c.channel;
        s.WirelessMode = 1;
        Open<Wl>();
        EXPECT_EQ(Items(Wl::IDC_CHANNEL), c.offered) << Utf8(c.range);
        EXPECT_EQ(Combo(Wl::IDC_CHANNEL)->currentText(), c.selected) << Utf8(c.range);
        EXPECT_TRUE(Combo(Wl::IDC_CHANNEL)->isEnabled());
        ASSERT_TRUE(Next());
        EXPECT_EQ(s.Channel, c.selected.toInt());
    }
}

TEST_F(OlderWirelessTest, AdhocNeverOffersWpa)
{
    s.EncryptionType = 4;
    Open<Wl>();
    EXPECT_EQ(Items(Wl::IDC_SECURITY), QStringList({"None", "WEP", "WPA/WPA2"}));
    EXPECT_EQ(Combo(Wl::IDC_SECURITY)->currentText(), "WPA/WPA2");
    EXPECT_FALSE(Combo(Wl::IDC_CHANNEL)->isEnabled());

    Click(Wl::IDC_ADHOC);
    EXPECT_EQ(s.WirelessMode, 1);
    EXPECT_FALSE(Radio(Wl::IDC_INFRA)->isChecked());
    EXPECT_TRUE(Combo(Wl::IDC_CHANNEL)->isEnabled());
    EXPECT_EQ(Items(Wl::IDC_SECURITY), QStringList({"None", "WEP"}));
    EXPECT_EQ(Combo(Wl::IDC_SECURITY)->currentText(), "None");

    Click(Wl::IDC_INFRA);
    EXPECT_EQ(s.WirelessMode, 0);
    EXPECT_EQ(Items(Wl::IDC_SECURITY), QStringList({"None", "WEP", "WPA/WPA2"}));
    EXPECT_EQ(Combo(Wl::IDC_SECURITY)->currentText(), "WPA/WPA2");

    // Entered in ad-hoc: the same list, and the camera's own capability rules too.
    s.WirelessMode = 1;
    Open<Wl>();
    EXPECT_EQ(Items(Wl::IDC_SECURITY), QStringList({"None", "WEP"}));
    WCopy(s.EncryptionText, u"00000001");
    s.WirelessMode = 0;
    Open<Wl>();
    EXPECT_EQ(Items(Wl::IDC_SECURITY), QStringList({"None", "WPA/WPA2"}));
}

TEST_F(OlderWirelessTest, SecurityChoiceDrivesTheAuthenticationRadios)
{
    s.EncryptionType = 0;
    s.AuthType = 3;
    Open<Wl>();
    EXPECT_EQ(s.AuthType, 0);
    EXPECT_TRUE(Radio(Wl::IDC_OPEN)->isChecked());
    EXPECT_FALSE(Radio(Wl::IDC_OPEN)->isEnabled());

    Choose(Wl::IDC_SECURITY, "WEP");
    EXPECT_EQ(s.EncryptionType, 1);
    EXPECT_TRUE(Radio(Wl::IDC_SHARED)->isEnabled());
    Click(Wl::IDC_SHARED);
    EXPECT_EQ(s.AuthType, 1);
    EXPECT_FALSE(Radio(Wl::IDC_OPEN)->isChecked());
    EXPECT_TRUE(Radio(Wl::IDC_SHARED)->isChecked());

    Choose(Wl::IDC_SECURITY, "WPA/WPA2");
    EXPECT_EQ(s.EncryptionType, 4);
    EXPECT_EQ(s.AuthType, 5);
    for (int id : {Wl::IDC_OPEN, Wl::IDC_SHARED, Wl::IDC_BOTH}) {
        EXPECT_FALSE(Radio(id)->isChecked()) << id;
        EXPECT_FALSE(Radio(id)->isEnabled()) << id;
    }

    // Back to WEP: the authentication last chosen for it returns.
    Choose(Wl::IDC_SECURITY, "WEP");
    EXPECT_EQ(s.AuthType, 1);
    EXPECT_TRUE(Radio(Wl::IDC_SHARED)->isChecked());
    ASSERT_TRUE(Next());
    EXPECT_EQ(s.EncryptionType, 1);
}

TEST_F(OlderWirelessTest, WirelessOffDisablesAndEmptiesAnAccentedName)
{
    s.EncryptionType = 1;
    Open<Wl>();
    Edit(Wl::IDC_SSID)->setText(QStringLiteral("Café"));
    EXPECT_FALSE(Next());
    EXPECT_EQ(Shown(), "M20");

    Click(Wl::IDC_WLANOFF);
    EXPECT_EQ(s.WirelessEnableText[0], u'0');
    EXPECT_FALSE(Radio(Wl::IDC_WLANON)->isChecked());
    for (int id : {Wl::IDC_SSID, Wl::IDC_SECURITY, Wl::IDC_INFRA, Wl::IDC_ADHOC, Wl::IDC_CHANNEL, Wl::IDC_OPEN,
                   Wl::IDC_SHARED, Wl::IDC_BOTH})
        EXPECT_FALSE(page->FindCtrl(id)->isEnabled()) << id;
    boxes.Clear();
    EXPECT_TRUE(Next());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(s.ESSID[0], 0);
    EXPECT_TRUE(Edit(Wl::IDC_SSID)->text().isEmpty());

    Click(Wl::IDC_WLANON);
    EXPECT_EQ(s.WirelessEnableText[0], u'1');
    EXPECT_TRUE(Edit(Wl::IDC_SSID)->isEnabled());
    EXPECT_FALSE(Combo(Wl::IDC_CHANNEL)->isEnabled()); // infrastructure
    EXPECT_TRUE(Radio(Wl::IDC_OPEN)->isEnabled());     // WEP
    EXPECT_FALSE(Next());
    EXPECT_EQ(Shown(), "M20"); // empty name, wireless on
}

TEST_F(OlderWirelessTest, WirelessOffOnEntryDisablesTheSettings)
{
    WCopy(s.WirelessEnableText, u"0");
    s.WirelessMode = 1;
    Open<Wl>();
    EXPECT_TRUE(Radio(Wl::IDC_WLANOFF)->isChecked());
    EXPECT_FALSE(Radio(Wl::IDC_WLANON)->isChecked());
    EXPECT_FALSE(Combo(Wl::IDC_CHANNEL)->isEnabled());
    EXPECT_FALSE(Edit(Wl::IDC_SSID)->isEnabled());
    EXPECT_EQ(Edit(Wl::IDC_SSID)->text(), "home");
}

TEST_F(OlderWirelessTest, KeyListsFollowTheCapabilityTexts)
{
    WCopy(s.WEPKeyLenText, u"00000111");
    WCopy(s.WEPKeyFormatText, u"00000000");
    WCopy(s.WEPdefaultKeyText, u"00001100");
    s.KeyLength = 1;
    s.DefaultKeyIndex = 1;
    s.EncryptionType = 1;
    Open<Key>();
    EXPECT_EQ(Items(Key::IDC_KEYLEN), QStringList({"64bits", "128bits", "256bits"}));
    EXPECT_EQ(Items(Key::IDC_KEYFORMAT), QStringList({"ASCII", "HEX"}));
    EXPECT_EQ(Items(Key::IDC_DEFKEY), QStringList({"WEP Key3", "WEP Key4"}));
    EXPECT_EQ(Combo(Key::IDC_KEYLEN)->currentText(), "128bits");
    EXPECT_EQ(Combo(Key::IDC_DEFKEY)->currentText(), "WEP Key4");
    EXPECT_TRUE(Edit(Key::IDC_KEY1)->isEnabled());
    EXPECT_FALSE(Edit(Key::IDC_PKEY)->isEnabled());
}

TEST_F(OlderWirelessTest, KeyPageEnablesByWirelessAndEncryption)
{
    struct Case {
        const char16_t* enable;
        int enc;
        bool wepOn, pkeyOn;
    } cases[] = {
        {u"1", 1, true, false}, {u"1", 4, false, true}, {u"1", 0, false, false}, {u"0", 1, false, false},
        {u"0", 4, false, false}, {u"1", 2, true, true}, // a type without keys here: left as created
    };
    for (const Case& c : cases) {
        WCopy(s.WirelessEnableText, c.enable);
        s.EncryptionType = c.enc;
        Open<Key>();
        for (int id : {Key::IDC_KEYLEN, Key::IDC_KEYFORMAT, Key::IDC_DEFKEY, Key::IDC_KEY1, Key::IDC_KEY1 + 3})
            EXPECT_EQ(page->FindCtrl(id)->isEnabled(), c.wepOn) << Utf8(c.enable) << c.enc << " id " << id;
        EXPECT_EQ(Edit(Key::IDC_PKEY)->isEnabled(), c.pkeyOn) << Utf8(c.enable) << c.enc;
    }
}

TEST_F(OlderWirelessTest, WepKeyChecksByLengthAndFormat)
{
    WCopy(s.WEPKeyLenText, u"00000111");
    struct Case {
        const char* len;
        const char* format;
        const char* defKey;
        const char* key;
        const char* message; // "" and proceed, or the box shown
        bool proceeds;
    } cases[] = {
        {"64bits", "ASCII", "WEP Key1", "abcde", "", true},
        {"128bits", "ASCII", "WEP Key3", "abcdefghijklm", "", true},
        {"64bits", "HEX", "WEP Key2", "0123456789", "", true},
        {"128bits", "HEX", "WEP Key4", "0123456789abcdefABCDEF0123", "", true},
        {"64bits", "ASCII", "WEP Key1", "abcd", "M21", false},
        {"128bits", "ASCII", "WEP Key1", "abcde", "M21", false},
        {"64bits", "HEX", "WEP Key1", "012345678g", "M31", false},
        {"128bits", "HEX", "WEP Key1", "0123456789", "M31", false},
        {"256bits", "ASCII", "WEP Key1", "abcde", "", false}, // no key fits: silently stays
    };
    for (const Case& c : cases) {
        s.EncryptionType = 1;
        s.DefaultKeyIndex = 0;
        s.KeyLength = 0;
        s.KeyFormat = 0;
        Open<Key>();
        Choose(Key::IDC_KEYLEN, c.len);
        Choose(Key::IDC_KEYFORMAT, c.format);
        Choose(Key::IDC_DEFKEY, c.defKey);
        const int slot = c.defKey[7] - '1';
        CEdit* edit = Edit(Key::IDC_KEY1 + slot);
        EXPECT_EQ(page->focusWidget(), edit) << c.defKey; // choosing the key moves there
        edit->setText(QString::fromLatin1(c.key));
        boxes.Clear();
        EXPECT_EQ(Next(), c.proceeds) << c.len << c.format << c.key;
        EXPECT_EQ(Shown(), c.message) << c.len << c.format << c.key;
        if (c.proceeds) {
            EXPECT_EQ(s.DefaultKeyIndex, slot);
            EXPECT_EQ(s.KeyLength, QString(c.len).startsWith("128") ? 1 : 0);
            EXPECT_EQ(s.KeyFormat, QString(c.format) == "HEX" ? 1 : 0);
            EXPECT_EQ(Utf8(WepSlot(s, slot)), c.key);
        } else if (*c.message) {
            EXPECT_EQ(edit->selectedText(), edit->text()) << c.key;
            EXPECT_EQ(s.KeyLength, 0);
        }
    }
}

TEST_F(OlderWirelessTest, DefaultKeyBeyondTheFourIsRefused)
{
    // Slot 4 has no name: the camera's text offers it as an empty entry.
    WCopy(s.WEPdefaultKeyText, u"00011111");
    s.EncryptionType = 1;
    Open<Key>();
    ASSERT_EQ(Items(Key::IDC_DEFKEY), QStringList({"WEP Key1", "WEP Key2", "WEP Key3", "WEP Key4", ""}));
    Choose(Key::IDC_DEFKEY, "");
    Edit(Key::IDC_KEY1)->setText("abcde");
    EXPECT_FALSE(Next());
    EXPECT_EQ(Shown(), "M2006");
}

TEST_F(OlderWirelessTest, PassPhraseChecks)
{
    const std::string hex64(64, 'a');
    struct Case {
        std::string key;
        const char* message;
    } cases[] = {
        {hex64, ""},
        {hex64.substr(0, 63) + "g", "M30"},
        {"1234567", "M33"},
        {"12345678", ""},
        {std::string(63, 'z'), ""},
    };
    for (const Case& c : cases) {
        s.EncryptionType = 4;
        WCopy(s.PassKey, u"");
        Open<Key>();
        Edit(Key::IDC_PKEY)->setText(QString::fromStdString(c.key));
        boxes.Clear();
        EXPECT_EQ(Next(), *c.message == 0) << c.key;
        EXPECT_EQ(Shown(), c.message) << c.key;
        EXPECT_EQ(Utf8(s.PassKey), *c.message ? std::string() : c.key);
        if (*c.message) {
            EXPECT_EQ(page->focusWidget(), Edit(Key::IDC_PKEY));
        }
    }
}

TEST_F(OlderWirelessTest, KeyPageWithWirelessOffStoresNothing)
{
    WCopy(s.WirelessEnableText, u"0");
    s.EncryptionType = 1;
    s.KeyLength = 1;
    WCopy(s.WEPKey1, u"old");
    Open<Key>();
    Edit(Key::IDC_KEY1)->setText("x");
    EXPECT_TRUE(Next());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Utf8(s.WEPKey1), "old");
    EXPECT_EQ(s.KeyLength, 1);
}

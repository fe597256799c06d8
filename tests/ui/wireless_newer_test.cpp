// The newer one-page wireless form driven through its real widgets.
#include "ui/support/UiTestMain.h"

#include "app/PageFlow.h"
#include "pages/DlgWirelessNew.h"
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

using Pg = CDlgWirelessNew;

std::string PageIni()
{
    std::string ini = "[DlgWirelessNEW]\nbackground=bg.png\n";
    int y = 10;
    for (const char* c : {"SSID", "KEY", "CHANNEL", "WLanON", "WLanOFF", "Authentication", "Encryption",
                          "Infrastructure", "Adhoc"}) {
        ini += std::string("[DlgWirelessNEW.") + c + "]\nx=10\ny=" + std::to_string(y) + "\nw=200\nh=22\n";
        y += 30;
    }
    return ini + "[DlgWirelessNEW.KEY]\nMaxlen=64\n"
                 "[Message]\nMessage20=M20\nMessage30=M30\nMessage31=M31\nMessage32=M32\nMessage33=M33\n";
}

class NewerWirelessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.WritePicture(QStringLiteral("Image/bg.png"), 640, 480);
        skin.WriteIni(PageIni());
        WCopy(s.WirelessEnableText, u"Enabled");
        WCopy(s.ESSID, u"home");
        WCopy(s.EncryptionText, u"00011111");     // Disabled, WEP, TKIP, AES, TKIP&AES
        WCopy(s.AuthenticationText, u"00111111"); // all six authentications
        WCopy(s.ChannelRange, u"00000000000000000000011111111111");
        s.Channel = 6;
    }
    Pg& Open()
    {
        page = std::make_unique<Pg>(&host);
        page->Create();
        page->InitFromSettings(&s);
        page->show();
        return *page;
    }
    void Click(int id) { QTest::mouseClick(page->FindCtrl(id), Qt::LeftButton, {}, QPoint(6, 11)); }
    CComboBox* Combo(int id) { return page->FindCtrlAs<CComboBox>(id); }
    CEdit* Edit(int id) { return page->FindCtrlAs<CEdit>(id); }
    CRadioButton* Radio(int id) { return page->FindCtrlAs<CRadioButton>(id); }
    QString Key() { return Edit(Pg::IDC_KEY)->text(); }
    void Choose(int id, const QString& text)
    {
        CComboBox* combo = Combo(id);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // The key as a user types it: select all, then the keys one by one.
    void TypeKey(const QString& text)
    {
        Edit(Pg::IDC_KEY)->selectAll();
        QTest::keyClick(Edit(Pg::IDC_KEY), Qt::Key_Delete);
        QTest::keyClicks(Edit(Pg::IDC_KEY), text);
    }
    QStringList Items(int id)
    {
        QStringList out;
        for (int i = 0; i < Combo(id)->count(); ++i)
            out << Combo(id)->itemText(i);
        return out;
    }
    bool Next()
    {
        host.messages.clear();
        boxes.Clear();
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
    std::unique_ptr<Pg> page;
};

} // namespace

TEST_F(NewerWirelessTest, EntryShowsTheCamerasChoices)
{
    s.AuthType = 4;
    s.EncryptionType = 3;
    WCopy(s.PassKey, u"passphrase");
    Open();
    EXPECT_TRUE(Radio(Pg::IDC_WLANON)->isChecked());
    EXPECT_TRUE(Radio(Pg::IDC_INFRA)->isChecked());
    EXPECT_EQ(Items(Pg::IDC_CHANNEL), QStringList({"Auto"}));
    EXPECT_EQ(Items(Pg::IDC_AUTH), QStringList({"Open", "Shared", "Both", "WPA-PSK", "WPA2-PSK", "WPA/WPA2"}));
    EXPECT_EQ(Combo(Pg::IDC_AUTH)->currentText(), "WPA2-PSK");
    EXPECT_EQ(Items(Pg::IDC_ENC), QStringList({"TKIP", "AES", "TKIP&AES"}));
    EXPECT_EQ(Combo(Pg::IDC_ENC)->currentText(), "AES");
    EXPECT_EQ(Key(), "passphrase");
    EXPECT_TRUE(Edit(Pg::IDC_KEY)->isEnabled());
    EXPECT_EQ(Edit(Pg::IDC_SSID)->text(), "home");

    // Without authentication capabilities: the fixed four, with their own texts.
    WCopy(s.AuthenticationText, u"00000000");
    Open();
    EXPECT_EQ(Items(Pg::IDC_AUTH), QStringList({"Open", "Shard", "WPA_PSK", "WPA2_PSK"}));
}

TEST_F(NewerWirelessTest, WirelessOnTextsAndEnabling)
{
    struct Case {
        const char16_t* text;
        bool on;
    } cases[] = {{u"Enabled", true}, {u"ENABLED", true}, {u"1", true}, {u"0", false}, {u"Disabled", false},
                 {u"", false}};
    for (const Case& c : cases) {
        WCopy(s.WirelessEnableText, c.text);
        s.AuthType = 0;
        s.EncryptionType = 1;
        Open();
        EXPECT_EQ(Radio(Pg::IDC_WLANON)->isChecked(), c.on) << Utf8(c.text);
        EXPECT_EQ(Radio(Pg::IDC_WLANOFF)->isChecked(), !c.on) << Utf8(c.text);
        for (int id : {Pg::IDC_SSID, Pg::IDC_CHANNEL, Pg::IDC_AUTH, Pg::IDC_ENC, Pg::IDC_INFRA, Pg::IDC_ADHOC,
                       Pg::IDC_KEY})
            EXPECT_EQ(page->FindCtrl(id)->isEnabled(), c.on) << Utf8(c.text) << " id " << id;
    }
    // Switching it on and off by the radios.
    Click(Pg::IDC_WLANON);
    EXPECT_EQ(Utf8(s.WirelessEnableText), "1");
    EXPECT_FALSE(Radio(Pg::IDC_WLANOFF)->isChecked());
    EXPECT_TRUE(Edit(Pg::IDC_KEY)->isEnabled());
    Choose(Pg::IDC_ENC, "Disabled");
    EXPECT_FALSE(Edit(Pg::IDC_KEY)->isEnabled());
    Click(Pg::IDC_WLANOFF);
    EXPECT_EQ(Utf8(s.WirelessEnableText), "0");
    EXPECT_FALSE(Edit(Pg::IDC_SSID)->isEnabled());
}

TEST_F(NewerWirelessTest, WepKeyByLengthLandsInTheDefaultSlot)
{
    struct Case {
        const char* key;
        const char* message;
        int keyLength, keyFormat;
    } cases[] = {
        {"abcde", "", 0, 0},
        {"0123456789", "", 0, 1},
        {"abcdefghijklm", "", 1, 0},
        {"0123456789abcdefABCDEF0123", "", 1, 1},
        {"012345678g", "M31", 9, 9},
        {"0123456789abcdefABCDEF012x", "M31", 9, 9},
        {"abcdef", "M32", 9, 9},
        {"", "M32", 9, 9},
    };
    for (const Case& c : cases) {
        s.AuthType = 0;
        s.EncryptionType = 1;
        s.DefaultKeyIndex = 2;
        s.KeyLength = 9;
        s.KeyFormat = 9;
        WCopy(s.WEPKey3, u"old");
        Open();
        EXPECT_EQ(Key(), "old");
        TypeKey(QString::fromLatin1(c.key));
        EXPECT_EQ(Next(), *c.message == 0) << c.key;
        EXPECT_EQ(Shown(), c.message) << c.key;
        EXPECT_EQ(s.KeyLength, c.keyLength) << c.key;
        EXPECT_EQ(s.KeyFormat, c.keyFormat) << c.key;
        EXPECT_EQ(Utf8(s.WEPKey3), *c.message ? "old" : c.key);
        EXPECT_EQ(s.WEPKey1[0], 0);
    }
}

TEST_F(NewerWirelessTest, PassPhraseChecks)
{
    const std::string hex64 = "0123456789abcdefABCDEF0123456789abcdef0123456789abcdefABCDEF0123";
    ASSERT_EQ(hex64.size(), 64u);
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
        s.AuthType = 3;
        s.EncryptionType = 2;
        WCopy(s.PassKey, u"");
        Open();
        TypeKey(QString::fromStdString(c.key));
        EXPECT_EQ(Next(), *c.message == 0) << c.key;
        EXPECT_EQ(Shown(), c.message) << c.key;
        EXPECT_EQ(Utf8(s.PassKey), *c.message ? std::string() : c.key);
    }
}

TEST_F(NewerWirelessTest, WirelessOffEmptiesWhatDoesNotFit)
{
    WCopy(s.WirelessEnableText, u"0");
    WCopy(s.ESSID, u"Caf\u00e9 \u00fcber");
    s.AuthType = 3;
    s.EncryptionType = 2;
    WCopy(s.PassKey, u"short");
    Open();
    EXPECT_EQ(Edit(Pg::IDC_SSID)->text(), QStringLiteral("Café über"));
    EXPECT_TRUE(Next());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(s.ESSID[0], 0);
    EXPECT_TRUE(Edit(Pg::IDC_SSID)->text().isEmpty());
    EXPECT_EQ(s.PassKey[0], 0);

    // The same name with wireless on is refused.
    WCopy(s.WirelessEnableText, u"1");
    WCopy(s.ESSID, u"Caf\u00e9");
    WCopy(s.PassKey, u"longenough");
    Open();
    EXPECT_FALSE(Next());
    EXPECT_EQ(Shown(), "M20");
    EXPECT_EQ(Utf8(s.ESSID), "Café");
}

TEST_F(NewerWirelessTest, ModeSwitchRestoresTheChoices)
{
    s.AuthType = 3;
    s.EncryptionType = 3;
    WCopy(s.PassKey, u"infra-pass");
    Open();

    Click(Pg::IDC_ADHOC);
    EXPECT_EQ(s.WirelessMode, 1);
    EXPECT_FALSE(Radio(Pg::IDC_INFRA)->isChecked());
    EXPECT_EQ(Items(Pg::IDC_AUTH), QStringList({"Open", "Shared"}));
    EXPECT_EQ(s.AuthType, 0); // this mode starts from nothing chosen
    EXPECT_EQ(s.EncryptionType, 0);
    EXPECT_EQ(Combo(Pg::IDC_ENC)->currentText(), "Disabled");
    EXPECT_FALSE(Edit(Pg::IDC_KEY)->isEnabled());
    EXPECT_TRUE(Key().isEmpty());
    Choose(Pg::IDC_AUTH, "Shared");
    EXPECT_EQ(s.AuthType, 1);
    EXPECT_EQ(s.EncryptionType, 1);
    EXPECT_EQ(Items(Pg::IDC_ENC), QStringList({"WEP"}));

    Click(Pg::IDC_INFRA);
    EXPECT_EQ(s.WirelessMode, 0);
    EXPECT_EQ(s.AuthType, 3);
    EXPECT_EQ(s.EncryptionType, 3);
    EXPECT_EQ(Combo(Pg::IDC_AUTH)->currentText(), "WPA-PSK");
    EXPECT_EQ(Combo(Pg::IDC_ENC)->currentText(), "AES");
    EXPECT_EQ(Items(Pg::IDC_CHANNEL), QStringList({"Auto"}));
    // The pass phrase typed for infrastructure outlived the ad-hoc choices.
    EXPECT_EQ(Key(), "infra-pass");

    // Clicking the mode already chosen swaps nothing.
    Click(Pg::IDC_INFRA);
    EXPECT_EQ(s.AuthType, 3);
    EXPECT_EQ(s.EncryptionType, 3);
    EXPECT_TRUE(Radio(Pg::IDC_INFRA)->isChecked());

    Click(Pg::IDC_ADHOC);
    EXPECT_EQ(s.AuthType, 1);
    EXPECT_EQ(s.EncryptionType, 1);
    EXPECT_EQ(Combo(Pg::IDC_AUTH)->currentText(), "Shared");
    EXPECT_EQ(Combo(Pg::IDC_ENC)->currentText(), "WEP");
}

TEST_F(NewerWirelessTest, AdhocChannelsAndTheStoredChannel)
{
    s.WirelessMode = 1;
    Open();
    EXPECT_EQ(Items(Pg::IDC_CHANNEL).size(), 11);
    EXPECT_EQ(Combo(Pg::IDC_CHANNEL)->currentText(), "6");
    Choose(Pg::IDC_CHANNEL, "11");
    EXPECT_EQ(s.Channel, 11);
    EXPECT_TRUE(Next());
    EXPECT_EQ(s.Channel, 11);

    // From infrastructure (channel "Auto", 0) into ad-hoc: a real channel, never 0.
    s.WirelessMode = 0;
    s.Channel = 0;
    Open();
    Click(Pg::IDC_ADHOC);
    EXPECT_EQ(Combo(Pg::IDC_CHANNEL)->currentText(), "1");
    EXPECT_TRUE(Next());
    EXPECT_EQ(s.Channel, 1);
}

TEST_F(NewerWirelessTest, TypedKeySurvivesTheEncryptionChoices)
{
    s.AuthType = 3;
    s.EncryptionType = 2;
    Open();
    const QString typed = QStringLiteral("a-thirty-character-pass-phrase");
    ASSERT_EQ(typed.size(), 30);
    TypeKey(typed);
    Choose(Pg::IDC_ENC, "AES");
    EXPECT_EQ(Key(), typed);
    EXPECT_EQ(s.EncryptionType, 3);

    // Open keeps no WPA encryption: the first entry ("Disabled") empties the edit.
    Choose(Pg::IDC_AUTH, "Open");
    EXPECT_EQ(s.EncryptionType, 0);
    EXPECT_TRUE(Key().isEmpty());
    EXPECT_FALSE(Edit(Pg::IDC_KEY)->isEnabled());

    // WEP brings the typed key back, cut to a WEP key's 26 characters.
    Choose(Pg::IDC_ENC, "WEP");
    EXPECT_TRUE(Edit(Pg::IDC_KEY)->isEnabled());
    EXPECT_EQ(Key(), typed.left(26));
    EXPECT_EQ(Edit(Pg::IDC_KEY)->LimitText(), 26);
}

TEST_F(NewerWirelessTest, FirstKeystrokeAfterAnEmptyKeyCounts)
{
    // No encryption and no key: the page empties an edit that is empty already.
    Open();
    ASSERT_EQ(Combo(Pg::IDC_ENC)->currentText(), "Disabled");
    Choose(Pg::IDC_ENC, "WEP");
    QTest::keyClicks(Edit(Pg::IDC_KEY), QStringLiteral("x"));
    Choose(Pg::IDC_ENC, "WEP");
    EXPECT_EQ(Key(), "x");
}

#include "PageKinds.h"

#include <QHash>
#include <QStringList>

namespace orv::skinshot {

namespace {

using Table = QHash<QString, Kind>;

const QHash<QString, Table>& Pages()
{
    static const QHash<QString, Table> pages = [] {
        QHash<QString, Table> p;
        const QStringList addr = {"IPADDR", "SUBMASK", "GATEWAY", "PRIDNS", "SECDNS"};
        p["DlgListCam"] = {{"ListCtrl", Kind::List}};
        p["DlgIdPwd"] = {{"ADMID", Kind::Edit},  {"ADMPWD", Kind::Edit}, {"NEWID", Kind::Edit},
                         {"CHKID", Kind::Edit},  {"NEWPWD", Kind::Edit}, {"CHKPWD", Kind::Edit},
                         {"CKBXID", Kind::CheckBox}, {"CKBXPWD", Kind::CheckBox}};
        p["DlgNetWork"] = {{"DHCPON", Kind::Radio}, {"DHCPOFF", Kind::Radio}};
        p["DlgWirelessSele"] = {{"WPS", Kind::Radio}, {"Wireless", Kind::Radio}};
        p["DlgWireless"] = {{"SSID", Kind::Edit},          {"CHANNEL", Kind::Combo},  {"WLanON", Kind::Radio},
                            {"WLanOFF", Kind::Radio},      {"SecurityMode", Kind::Combo},
                            {"Infrastructure", Kind::Radio}, {"Adhoc", Kind::Radio}, {"Open", Kind::Radio},
                            {"Shared", Kind::Radio},       {"Both", Kind::Radio}};
        p["DlgWirelessKey"] = {{"KEYLEN", Kind::Combo}, {"KEYFORMAT", Kind::Combo}, {"DEFKEY", Kind::Combo}};
        p["DlgWirelessNEW"] = {{"SSID", Kind::Edit},    {"KEY", Kind::Edit},        {"CHANNEL", Kind::Combo},
                               {"WLanON", Kind::Radio}, {"WLanOFF", Kind::Radio},   {"Authentication", Kind::Combo},
                               {"Encryption", Kind::Combo}, {"Infrastructure", Kind::Radio}, {"Adhoc", Kind::Radio}};
        p["DlgWPSSET"] = {{"ProgressCtrl", Kind::Progress}, {"EDITPIN", Kind::Edit},  {"OPTPBC", Kind::Radio},
                          {"OPTPIN", Kind::Radio},          {"BUTPINREFALSH", Kind::Push},
                          {"BUTPINCOPY", Kind::Push}};
        p["DlgAbout"] = {{"Project", Kind::Text}, {"Ver", Kind::Text}, {"Creat", Kind::Text}};
        for (const QString& s : addr)
            p["DlgNetWork"][s] = Kind::Edit;
        return p;
    }();
    return pages;
}

} // namespace

Kind KindOf(const QString& page, const QString& name, bool hasNormalImage, bool hasItems, bool hasCaption)
{
    const auto pageIt = Pages().find(page);
    if (pageIt != Pages().end()) {
        const auto it = pageIt->find(name);
        if (it != pageIt->end())
            return *it;
    }
    if (hasNormalImage)
        return Kind::PicButton;
    if (hasItems)
        return Kind::Combo;
    if (name.startsWith(QLatin1String("LAB")))
        return Kind::Text;
    if (name.contains(QLatin1String("Progress")))
        return Kind::Progress;
    if (name.startsWith(QLatin1String("CKBX")))
        return Kind::CheckBox;
    if (name.startsWith(QLatin1String("OPT")))
        return Kind::Radio;
    if (name.startsWith(QLatin1String("BUT")) && hasCaption)
        return Kind::Push;
    // The summary pages show their values in edits beside LAB texts.
    return hasCaption ? Kind::Text : Kind::Edit;
}

bool StartsHidden(const QString& page, const QString& name)
{
    if (page == QLatin1String("DlgListCam"))
        return name == QLatin1String("WPS");
    if (page == QLatin1String("DlgWPSSET"))
        // First state: push-button mode, the wireless interface already on.
        return name == QLatin1String("LABPBCNOTE6") || name.startsWith(QLatin1String("LABPINNOTE")) ||
               name == QLatin1String("BUTPINSTART") || name == QLatin1String("EDITPIN") ||
               name == QLatin1String("BUTPINREFALSH") || name == QLatin1String("BUTPINCOPY");
    return false;
}

} // namespace orv::skinshot

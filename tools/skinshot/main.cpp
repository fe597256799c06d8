// Renders pages of a skin to PNG files, for review and for the README.
//
//   orvanta-skinshot [--skin DIR] [--out DIR] [--sample] [Page ...]
//   orvanta-skinshot --pages [--skin DIR] [--out DIR] [name ...]
//
// DIR defaults to the program's own folder (where the default skin is
// installed). Without page names every page section of the settings file
// (a section with a `background`) is rendered. --sample fills the list and
// the edits with example values.
//
// --pages renders the wizard's real pages instead (page-<name>.png, names:
// list, about, wps-direct, idpwd, ...; all without names), filled with
// example data. Run it without network access (e.g. inside `unshare -n`):
// the list page's search uses no adapter, but nothing else should be reached.
#include "PageKinds.h"
#include "RealPages.h"

#include "platform/core/WideText.h"
#include "platform/qt/ListCtrl.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "skin/PicDialog.h"
#include "skin/PicText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>

#include <cstdio>

using namespace orv;
using skinshot::Kind;

namespace {

QFont MainFont(const CProfileFile& p)
{
    QFont f(QString::fromStdU16String(p.GetString(u"Main.Font", u"Font_Style", u"Arial")));
    f.setPixelSize(qMax(1, std::abs(p.GetInt(u"Main.Font", u"Font_Size", 14))));
    int weight = p.GetInt(u"Main.Font", u"Font_Weight", 4);
    f.setWeight(static_cast<QFont::Weight>((weight < 0 || weight > 9 ? 4 : qMax(1, weight)) * 100));
    return f;
}

void FillList(CPicDialog& page, bool sample)
{
    auto* list = page.FindCtrlAs<CListCtrl>(kListCtrlId);
    if (list == nullptr)
        return;
    const CProfileFile& p = page.Profile();
    const std::u16string sec = kListCtrlSection;
    QFont font(QString::fromStdU16String(p.GetString(sec, u"Font_Style", u"Arial")));
    font.setPixelSize(qMax(1, std::abs(p.GetInt(sec, u"Font_Size", 14))));
    list->setFont(font);
    list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    QStringList titles;
    for (int n = 0, count = p.GetInt(sec, u"count", 0); n < count && n < 20; ++n) {
        const std::u16string k = WFromInt(n);
        int index = p.GetInt(sec, k + u".index", -1);
        if (index == -1)
            index = n;
        if (index < 0)
            continue;
        const QString title = QString::fromStdU16String(p.GetString(sec, k + u".column", u""));
        const int at = list->InsertColumn(index, title, p.GetInt(sec, k + u".width", 0));
        titles.insert(qMin(at, static_cast<int>(titles.size())), title);
    }
    if (!sample)
        return;
    const char* rows[][4] = {{"Q21", "Front door", "198.18.0.21", "00.1a.2b.3c.4d.21"},
                             {"Q47", "Garage", "198.18.0.47", "00.1a.2b.3c.4d.47"},
                             {"Q32", "Warehouse", "198.18.0.32", "00.1a.2b.3c.4d.32"}};
    for (const auto& r : rows) {
        for (int c = 0; c < titles.size(); ++c) {
            const QString& t = titles[c];
            const char* text = t.contains("IP") ? r[2] : t.contains("MAC") ? r[3] : t.contains("Model") ? r[0] : r[1];
            if (c == 0)
                list->InsertItem(0, QString::fromLatin1(text));
            else
                list->SetItemText(0, c, QString::fromLatin1(text));
        }
    }
    list->SetItemSelected(0, true);
}

bool Render(const QString& pageName, const QString& outDir, bool sample)
{
    CPicDialog page(0);
    page.SetupSkinPaths(pageName);
    if (!page.Create() || page.Background().isNull()) {
        std::fprintf(stderr, "%s: no background picture\n", qPrintable(pageName));
        return false;
    }
    const CProfileFile& p = page.Profile();
    const QFont uiFont = MainFont(p);
    const bool aboutPage = pageName == QLatin1String("DlgAbout");
    int nextId = 2000;
    for (const std::u16string& sec : p.SectionNames()) {
        const QString section = QString::fromStdU16String(sec);
        if (!section.startsWith(pageName + QLatin1Char('.')))
            continue;
        const QString name = section.mid(pageName.size() + 1);
        std::u16string probe;
        const Kind kind = skinshot::KindOf(pageName, name, p.Read(sec, u"normalImage", probe),
                                           p.Read(sec, u"text0", probe), p.Read(sec, u"caption", probe));
        const int id = nextId++;
        switch (kind) {
        case Kind::PicButton: page.AddPicButton(id, section); break;
        case Kind::Text: page.AddPicText(section, id, 1, 0); break;
        case Kind::Edit: page.AddEdit(section, id); break;
        case Kind::CheckBox: page.AddCheckBox(section, id); break;
        case Kind::Radio: page.AddRadio(section, id, name); break;
        case Kind::Combo: page.AddComboBox(section, id); break;
        case Kind::Push: page.AddButton(id, section); break;
        case Kind::Progress: page.AddProgress(section); break;
        case Kind::List: page.AddListCtrl(0x50000001); break;
        }
        QWidget* ctrl = kind == Kind::Progress ? page.FindCtrl(kProgressId)
                        : kind == Kind::List   ? page.FindCtrl(kListCtrlId)
                                               : page.FindCtrl(id);
        if (ctrl == nullptr)
            continue;
        if (auto* text = dynamic_cast<CPicText*>(ctrl)) {
            if (!aboutPage)
                text->SelectFont(uiFont);
            text->Redraw();
        } else if (kind != Kind::PicButton && kind != Kind::List) {
            ctrl->setFont(uiFont);
        }
        if (sample)
            if (auto* edit = dynamic_cast<CEdit*>(ctrl))
                edit->setText(edit->echoMode() == QLineEdit::Password ? QStringLiteral("secret")
                                                                      : QStringLiteral("198.18.0.47"));
        if (skinshot::StartsHidden(pageName, name))
            ctrl->hide();
    }
    FillList(page, sample);
    page.show();
    const QString file = QDir(outDir).filePath(pageName + QStringLiteral(".png"));
    if (!page.grab().save(file)) {
        std::fprintf(stderr, "%s: cannot write %s\n", qPrintable(pageName), qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString outDir = QStringLiteral(".");
    bool sample = false;
    bool realPages = false;
    QStringList pages;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--skin") && i + 1 < args.size())
            OverrideProgramFolder(QFile::encodeName(args[++i]).toStdString());
        else if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            outDir = args[++i];
        else if (args[i] == QLatin1String("--sample"))
            sample = true;
        else if (args[i] == QLatin1String("--pages"))
            realPages = true;
        else
            pages << args[i];
    }
    QDir().mkpath(outDir);
    if (realPages) {
        for (const QString& name : pages) {
            if (!skinshot::RealPageNames().contains(name)) {
                std::fprintf(stderr, "unknown page %s; pages: %s\n", qPrintable(name),
                             qPrintable(skinshot::RealPageNames().join(QLatin1Char(' '))));
                return 1;
            }
        }
        return skinshot::RenderRealPages(outDir, pages) == 0 ? 0 : 1;
    }
    if (pages.isEmpty()) {
        const auto profile = LoadProfile(SettingsFileIn(ProgramFolder()));
        for (const std::u16string& sec : profile->SectionNames()) {
            std::u16string bg;
            if (profile->Read(sec, u"background", bg))
                pages << QString::fromStdU16String(sec);
        }
    }
    int failed = 0;
    for (const QString& page : pages)
        failed += Render(page, outDir, sample) ? 0 : 1;
    return failed == 0 && !pages.isEmpty() ? 0 : 1;
}

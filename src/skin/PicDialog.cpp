#include "skin/PicDialog.h"

#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PictureFile.h"

#include <QFile>
#include <QPainter>

namespace orv {

namespace {
QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

CPicDialog::CPicDialog(int templateId, QWidget* host)
    : CPageWindow(host), m_nTemplateId(templateId), m_profile(std::make_shared<const CProfileFile>())
{
    resize(kTemplateWidth, kTemplateHeight);
}

CPicDialog::~CPicDialog()
{
    // Controls go before the page's own widget teardown, in creation order.
    m_ctrlList.clear();
}

void CPicDialog::SetupSkinPaths(const QString& pageName)
{
    const std::string programDir = ProgramFolder();
    m_profile = LoadProfile(SettingsFileIn(programDir));
    m_paths = MakeSkinPaths(programDir, *m_profile);
    m_strPageName = pageName;
    m_strImageDir = FromPath(m_paths.imageDir);
    m_strIniFile = FromPath(m_paths.iniFile);
}

bool CPicDialog::OnInitDialog()
{
    LoadBackground();
    return true;
}

bool CPicDialog::LoadBackground()
{
    std::u16string name;
    if (!m_profile->Read(m_strPageName.toStdU16String(), u"background", name))
        return false;
    QPixmap picture = LoadPictureFile(JoinImagePath(m_paths.imageDir, name));
    if (picture.isNull())
        return false;
    m_bgBitmap = picture;
    m_rcWindow = QRect(0, 0, picture.width(), picture.height());
    const QSize screen = ScreenSize();
    setFixedSize(picture.size());
    move((screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2);
    hide();
    update();
    return true;
}

QWidget* CPicDialog::FindCtrl(int id) const
{
    for (const auto& item : m_ctrlList)
        if (GetDlgCtrlID(item->m_pWnd) == id)
            return item->m_pWnd;
    return nullptr;
}

QPixmap CPicDialog::MakeBgBrush(int left, int top, int right, int bottom) const
{
    if (m_bgBitmap.isNull() || right <= left || bottom <= top)
        return {};
    return m_bgBitmap.copy(QRect(left, top, right - left, bottom - top));
}

int CPicDialog::ShowMessage(int number, unsigned type)
{
    return AfxMessageBox(MessageText(*m_profile, number), type, this);
}

void CPicDialog::OnCommand(int id, int code)
{
    (void)code;
    if (id == IDC_EXIT)
        PostNavigation(kNavExit);
    else if (id == IDC_BACK)
        PostNavigation(kNavBack);
}

// Controls draw themselves over this: picture buttons their state picture,
// texts their piece of background, check boxes and radio buttons are not
// filled, so the background shows through them.
void CPicDialog::showEvent(QShowEvent* e)
{
    OrderTabsByLayout();
    CPageWindow::showEvent(e);
}

void CPicDialog::paintEvent(QPaintEvent*)
{
    if (m_bgBitmap.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform); // scaled displays
    p.drawPixmap(0, 0, m_bgBitmap);
}

} // namespace orv

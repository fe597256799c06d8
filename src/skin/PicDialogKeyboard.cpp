// A page for keyboard and assistive-technology users: the Tab order of its
// controls follows the layout, and every control carries a name a screen
// reader can announce.
#include "platform/qt/StdControls.h"
#include "platform/qt/WinDefs.h"
#include "skin/PicAccessible.h"
#include "skin/PicDialog.h"
#include "skin/core/TabOrder.h"

namespace orv {

namespace {

// "DlgIdPwd.Next" gives "Next".
QString ControlName(const std::u16string& section)
{
    const std::size_t dot = section.rfind(u'.');
    return QString::fromStdU16String(dot == std::u16string::npos ? section : section.substr(dot + 1));
}

} // namespace

bool CPicDialog::Create()
{
    InstallPicAccessibility();
    const bool ok = OnInitDialog();
    OrderTabsByLayout();
    return ok;
}

void CPicDialog::OrderTabsByLayout()
{
    std::vector<QWidget*> focusable;
    std::vector<CtrlRect> rects;
    for (const auto& item : m_ctrlList) {
        QWidget* w = item->m_pWnd;
        if (!w || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const QRect g = w->geometry();
        focusable.push_back(w);
        rects.push_back(CtrlRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
    }
    QWidget* previous = nullptr;
    for (std::size_t i : ReadingOrder(rects)) {
        if (previous)
            QWidget::setTabOrder(previous, focusable[i]);
        previous = focusable[i];
    }
}

void CPicDialog::NameControl(QWidget* ctrl, const ControlDesc& d)
{
    QString name = QString::fromStdU16String(d.caption);
    // The buttons every page shares show their word in their picture.
    if (name.isEmpty() && d.id == IDC_EXIT)
        name = QStringLiteral("Exit");
    else if (name.isEmpty() && d.id == IDC_BACK)
        name = QStringLiteral("Back");
    else if (name.isEmpty() && d.id == IDC_NEXT)
        name = QStringLiteral("Next");
    const QString tip = QString::fromStdU16String(d.tip);
    if (name.isEmpty())
        name = tip;
    if (name.isEmpty())
        name = ControlName(d.section);
    ctrl->setAccessibleName(name);
    if (!tip.isEmpty() && tip != name)
        ctrl->setAccessibleDescription(tip);
}

} // namespace orv

#include "platform/qt/StdControls.h"

#include "platform/qt/PageWindow.h"
#include "platform/qt/WinDefs.h"

#include <QAbstractItemView>
#include <QFontMetrics>

namespace orv {

namespace {
const char* const kIdProperty = "orvCtrlId";
}

void SetDlgCtrlID(QWidget* ctrl, int id)
{
    if (ctrl != nullptr)
        ctrl->setProperty(kIdProperty, id);
}

int GetDlgCtrlID(const QWidget* ctrl)
{
    return ctrl != nullptr ? ctrl->property(kIdProperty).toInt() : 0;
}

void NotifyPage(QWidget* ctrl, int code)
{
    if (auto* page = dynamic_cast<CPageWindow*>(ctrl->parentWidget()))
        page->SendCommand(GetDlgCtrlID(ctrl), code);
}

CEdit::CEdit(QWidget* page, int id) : QLineEdit(page)
{
    SetDlgCtrlID(this, id);
    connect(this, &QLineEdit::textChanged, this, [this] { NotifyPage(this, EN_CHANGE); });
}

CCheckBox::CCheckBox(QWidget* page, int id) : QCheckBox(page)
{
    SetDlgCtrlID(this, id);
    connect(this, &QAbstractButton::clicked, this, [this] { NotifyPage(this, BN_CLICKED); });
}

CRadioButton::CRadioButton(QWidget* page, int id) : QRadioButton(page)
{
    SetDlgCtrlID(this, id);
    setAutoExclusive(false);
    connect(this, &QAbstractButton::clicked, this, [this] { NotifyPage(this, BN_CLICKED); });
}

CComboBox::CComboBox(QWidget* page, int id) : QComboBox(page)
{
    SetDlgCtrlID(this, id);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this] { NotifyPage(this, CBN_SELCHANGE); });
}

int CComboBox::SetCurSel(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        return -1;
    }
    setCurrentIndex(index);
    return index;
}

int CComboBox::AddString(const QString& text)
{
    addItem(text);
    return count() - 1;
}

void CComboBox::SetDropHeight(int height)
{
    m_dropHeight = height;
    // The opened list gets what the closed box leaves of that height.
    const int rowHeight = QFontMetrics(font()).height() + 2;
    const int listHeight = height - sizeHint().height();
    setMaxVisibleItems(qMax(1, listHeight / qMax(1, rowHeight)));
}

CPushButton::CPushButton(QWidget* page, int id) : QPushButton(page)
{
    SetDlgCtrlID(this, id);
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this] { NotifyPage(this, BN_CLICKED); });
}

CProgressCtrl::CProgressCtrl(QWidget* page, int id) : QProgressBar(page)
{
    SetDlgCtrlID(this, id);
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

} // namespace orv

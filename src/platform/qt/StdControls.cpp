#include "platform/qt/StdControls.h"

#include "platform/qt/PageWindow.h"
#include "platform/qt/WinDefs.h"

#include <QAbstractItemView>
#include <QValidator>

#include <algorithm>
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

namespace {

// Cuts what one edit of the user (typing, pasting, dropping) adds beyond the
// limit, as the system's edit limit does. Qt validates every change, the
// program's own setText too: those pass whole.
class TypingLimit : public QValidator {
public:
    TypingLimit(QObject* parent, const int& limit, const int& lastLength, const int& userInput)
        : QValidator(parent), m_limit(limit), m_lastLength(lastLength), m_userInput(userInput)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        const qsizetype allowed = std::max<qsizetype>(m_limit, m_lastLength);
        const qsizetype added = input.size() - m_lastLength;
        if (m_userInput == 0 || m_limit <= 0 || input.size() <= allowed || added <= 0)
            return Acceptable;
        const qsizetype cut = std::min<qsizetype>(input.size() - allowed, std::min<qsizetype>(added, pos));
        input.remove(pos - cut, cut);
        pos -= static_cast<int>(cut);
        return Acceptable;
    }

private:
    const int& m_limit;
    const int& m_lastLength;
    const int& m_userInput;
};

bool IsUserInput(QEvent::Type t)
{
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::MouseButtonRelease: // pasting the selection with the middle button
    case QEvent::ContextMenu:        // its Paste runs inside
        return true;
    default:
        return false;
    }
}

} // namespace

CEdit::CEdit(QWidget* page, int id) : QLineEdit(page)
{
    SetDlgCtrlID(this, id);
    connect(this, &QLineEdit::textChanged, this, [this] {
        m_lastLength = static_cast<int>(text().size());
        NotifyPage(this, EN_CHANGE);
    });
}

void CEdit::SetLimitText(int chars)
{
    m_limit = chars > 0 ? chars : 0;
    m_lastLength = static_cast<int>(text().size());
    if (validator() == nullptr)
        setValidator(new TypingLimit(this, m_limit, m_lastLength, m_userInput));
}

bool CEdit::event(QEvent* e)
{
    const bool user = IsUserInput(e->type());
    m_userInput += user ? 1 : 0;
    const bool handled = QLineEdit::event(e);
    m_userInput -= user ? 1 : 0;
    return handled;
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

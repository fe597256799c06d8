// The control factories of CPicDialog: read the control's section, create the
// control on the page with its id, and append it to the control list.
#include "platform/qt/ListCtrl.h"
#include "platform/qt/StdControls.h"
#include "skin/PicButton.h"
#include "skin/PicDialog.h"
#include "skin/PicText.h"

#include <QFontInfo>

namespace orv {

namespace {

QRect ToQRect(const CtrlRect& r)
{
    return QRect(r.left, r.top, qMax(0, r.Width()), qMax(0, r.Height()));
}

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

} // namespace

bool CPicDialog::ReadDesc(CtrlType type, const QString& section, int id, ControlDesc& desc,
                          const CtrlRequest* extra) const
{
    CtrlRequest req = extra ? *extra : CtrlRequest{};
    req.type = type;
    req.section = section.toStdU16String();
    req.id = id;
    if (!ReadControlDesc(*m_profile, m_paths, req, desc))
        return false;
    return FindCtrl(desc.id) == nullptr;
}

void CPicDialog::Append(int kind, QWidget* wnd, const CtrlRect& rect, QPixmap brush)
{
    auto item = std::make_unique<CCtrlItem>();
    item->m_pWnd = wnd;
    item->m_rect = rect;
    item->m_hBrush = std::move(brush);
    item->m_nCtrlKind = kind;
    m_ctrlList.push_back(std::move(item));
}

bool CPicDialog::AddPicButton(int id, const QString& section)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::PicButton, section, id, d))
        return false;
    auto* button = new CPicButton(this);
    button->m_nID = id;
    button->m_pParent = this;
    SetDlgCtrlID(button, id);
    button->SetImages(d.normalImage, d.downImage, d.hoverImage, d.disableImage);
    button->setGeometry(ToQRect(d.rect));
    button->show();
    if (!d.tip.empty())
        button->SetTip(Q(d.tip));
    NameControl(button, d);
    Append(kPicButton, button, d.rect);
    return true;
}

bool CPicDialog::AddPicText(const QString& section, int id, int visible, int clickable)
{
    CtrlRequest extra;
    extra.visible = visible != 0;
    extra.clickable = clickable;
    ControlDesc d;
    if (!ReadDesc(CtrlType::PicText, section, id, d, &extra))
        return false;
    auto* text = new CPicText();
    if (!text->CreateText(QRect(d.rect.left, d.rect.top, d.rect.Width(), d.rect.Height()), id, d.password,
                          d.visible, this)) {
        delete text;
        return false;
    }
    text->SetClickable(d.clickable);
    text->SetText(Q(d.caption));
    Append(kText, text, d.rect, MakeBgBrush(d.rect.left, d.rect.top, d.rect.right, d.rect.bottom));
    return true;
}

bool CPicDialog::AddEdit(const QString& section, int id)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::Edit, section, id, d))
        return false;
    auto* edit = new CEdit(this, id);
    edit->setGeometry(ToQRect(d.rect));
    if (d.maxLen > 0)
        edit->SetLimitText(d.maxLen);
    if (d.password)
        edit->setEchoMode(QLineEdit::Password);
    NameControl(edit, d);
    edit->show();
    Append(kEdit, edit, d.rect);
    return true;
}

bool CPicDialog::AddCheckBox(const QString& section, int id)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::CheckBox, section, id, d))
        return false;
    auto* box = new CCheckBox(this, id);
    box->setText(Q(d.caption));
    NameControl(box, d);
    box->setGeometry(ToQRect(d.rect));
    box->show();
    Append(kCheckBox, box, d.rect, MakeBgBrush(d.rect.left, d.rect.top, d.rect.right, d.rect.bottom));
    return true;
}

bool CPicDialog::AddRadio(const QString& section, int id, const QString& defaultCaption)
{
    CtrlRequest extra;
    extra.defaultCaption = defaultCaption.toStdU16String();
    ControlDesc d;
    if (!ReadDesc(CtrlType::Radio, section, id, d, &extra))
        return false;
    auto* radio = new CRadioButton(this, id);
    radio->setText(Q(d.caption));
    NameControl(radio, d);
    radio->setGeometry(ToQRect(d.rect));
    radio->show();
    Append(kRadio, radio, d.rect, MakeBgBrush(d.rect.left, d.rect.top, d.rect.right, d.rect.bottom));
    return true;
}

bool CPicDialog::AddComboBox(const QString& section, int id)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::ComboBox, section, id, d))
        return false;
    auto* combo = new CComboBox(this, id);
    for (const std::u16string& item : d.items)
        combo->AddString(Q(item));
    combo->SetCurSel(d.defaultIndex);
    const int dropHeight = ComboDropHeight(QFontInfo(font()).pixelSize());
    d.rect.bottom = d.rect.top + dropHeight;
    combo->setGeometry(d.rect.left, d.rect.top, qMax(0, d.rect.Width()), combo->sizeHint().height());
    combo->SetDropHeight(dropHeight);
    NameControl(combo, d);
    combo->show();
    Append(kStandard, combo, d.rect);
    return true;
}

bool CPicDialog::AddButton(int id, const QString& section)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::PushButton, section, id, d))
        return false;
    auto* button = new CPushButton(this, id);
    button->setText(Q(d.caption));
    NameControl(button, d);
    button->setGeometry(ToQRect(d.rect));
    button->show();
    Append(kPushButton, button, d.rect);
    return true;
}

bool CPicDialog::AddProgress(const QString& section)
{
    ControlDesc d;
    if (!ReadDesc(CtrlType::Progress, section, kProgressId, d))
        return false;
    auto* bar = new CProgressCtrl(this, d.id);
    bar->setGeometry(ToQRect(d.rect));
    bar->show();
    Append(kStandard, bar, d.rect);
    return true;
}

bool CPicDialog::AddListCtrl(uint32_t style)
{
    CtrlRequest extra;
    extra.listStyle = style;
    ControlDesc d;
    if (!ReadDesc(CtrlType::ListCtrl, QString::fromUtf16(kListCtrlSection), kListCtrlId, d, &extra))
        return false;
    auto* list = new CListCtrl(this, d.id, style);
    list->setAccessibleName(QStringLiteral("Cameras"));
    list->setGeometry(ToQRect(d.rect));
    list->show();
    Append(kListCtrl, list, d.rect);
    return true;
}

} // namespace orv

#include "skin/PicAccessible.h"

#include "platform/qt/StdControls.h"
#include "skin/PicButton.h"
#include "skin/PicText.h"

#include <QAccessibleWidget>

namespace orv {

namespace {

// The tooltip is markup-wrapped for display; a reader gets the plain tip the
// page set as the description, or nothing.
QString PlainDescription(const QWidget* w)
{
    return w->accessibleDescription();
}

class CPicButtonAccessible : public QAccessibleWidget {
public:
    explicit CPicButtonAccessible(CPicButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* b = static_cast<const CPicButton*>(widget());
        s.disabled = s.disabled || b->m_bDisabled != 0;
        s.pressed = b->m_bPressed != 0;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const CPicButton*>(widget())->m_strCaption;
        if (t == QAccessible::Description)
            return PlainDescription(widget());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<CPicButton*>(widget())->Press();
    }
};

class CPicTextAccessible : public QAccessibleWidget {
public:
    explicit CPicTextAccessible(CPicText* text)
        : QAccessibleWidget(text, text->m_bClickable ? QAccessible::Link : QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const CPicText*>(widget())->GetText();
        if (t == QAccessible::Description)
            return PlainDescription(widget());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return static_cast<const CPicText*>(widget())->m_bClickable ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<CPicText*>(widget())->Press();
    }
};

// The pages' radio buttons are not grouped by Qt (each page checks and
// unchecks the members of a choice itself), which Qt would otherwise
// announce as check boxes.
class CRadioAccessible : public QAccessibleWidget {
public:
    explicit CRadioAccessible(CRadioButton* radio) : QAccessibleWidget(radio, QAccessible::RadioButton) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = static_cast<const CRadioButton*>(widget())->isChecked();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const CRadioButton*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<CRadioButton*>(widget())->click();
    }
};

QAccessibleInterface* MakeInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("orv::CPicButton"))
        return new CPicButtonAccessible(static_cast<CPicButton*>(object));
    if (className == QLatin1String("orv::CPicText"))
        return new CPicTextAccessible(static_cast<CPicText*>(object));
    if (className == QLatin1String("orv::CRadioButton"))
        return new CRadioAccessible(static_cast<CRadioButton*>(object));
    return nullptr;
}

} // namespace

void InstallPicAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

} // namespace orv

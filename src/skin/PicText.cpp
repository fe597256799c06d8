#include "skin/PicText.h"

#include "platform/qt/PostedMessage.h"
#include "platform/qt/StdControls.h"
#include "skin/PicButton.h"
#include "skin/PicDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace orv {

bool CPicText::CreateText(const QRect& rect, int id, bool password, bool visible, CPicDialog* page)
{
    if (page == nullptr)
        return false;
    m_rcPos = rect;
    m_pPage = page;
    setParent(page);
    SetDlgCtrlID(this, id);
    // Kept for completeness: nothing reads the password bit of a text.
    setProperty("orvPasswordStyle", password);
    setGeometry(rect.x(), rect.y(), qMax(0, rect.width()), qMax(0, rect.height()));
    setMouseTracking(true);
    SetClickable(m_bClickable != 0);
    setVisible(visible);
    m_nID = id;
    return true;
}

void CPicText::SetText(const QString& text)
{
    m_strText = text.isNull() ? QString(QLatin1String("")) : text;
    Redraw();
}

void CPicText::SetClickable(bool clickable)
{
    m_bClickable = clickable ? 1 : 0;
    setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
}

void CPicText::SelectFont(const QFont& font)
{
    m_font = font;
    m_hasFont = true;
}

void CPicText::Redraw()
{
    if (isVisible())
        repaint();
}

void CPicText::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    // Drawn off screen at the display's resolution, so a scaled display gets
    // crisp text and a smoothly resampled background.
    const qreal ratio = devicePixelRatioF();
    QPixmap mem(size() * ratio);
    mem.setDevicePixelRatio(ratio);
    mem.fill(Qt::transparent);
    {
        QPainter p(&mem);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (m_bFill)
            p.fillRect(rect(), ColorFromRef(m_crFill));
        else if (m_pPage)
            p.drawPixmap(QPoint(0, 0), m_pPage->Background(), QRect(m_rcPos.topLeft(), size()));
        p.setFont(m_hasFont ? m_font : font());
        p.setPen(ColorFromRef(m_crCur));
        Qt::Alignment align = Qt::AlignLeft;
        if (m_nAlign == 2)
            align = Qt::AlignHCenter;
        else if (m_nAlign == 3)
            align = Qt::AlignRight;
        // Wrapped text starts at the top; CR LF from message texts is one break.
        QString text = m_strText;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        p.drawText(rect(), static_cast<int>(align | Qt::AlignTop) | Qt::TextWordWrap, text);
        if (hasFocus())
            DrawFocusMark(p, rect());
    }
    QPainter(this).drawPixmap(0, 0, mem);
}

void CPicText::mousePressEvent(QMouseEvent* e)
{
    if (!m_bClickable || e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    m_bPressed = 1;
    m_bHover = 0;
    m_crCur = m_crDown;
    Redraw();
}

void CPicText::mouseReleaseEvent(QMouseEvent* e)
{
    if (!m_bClickable || e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    if (!m_bPressed)
        return;
    m_bPressed = 0;
    m_crCur = m_crNormal;
    Redraw();
    if (rect().contains(e->position().toPoint()) && m_pPage)
        PostCommand(m_pPage, m_nID, 0, this);
}

void CPicText::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A text that is not clickable leaves the mouse to the page.
    if (!m_bClickable)
        e->ignore();
}

void CPicText::mouseMoveEvent(QMouseEvent* e)
{
    if (!m_bClickable) {
        e->ignore();
        return;
    }
    if (m_bPressed)
        return;
    m_bHover = 1;
    m_crCur = m_crHover;
    Redraw();
}

void CPicText::leaveEvent(QEvent*)
{
    if (!m_bClickable || m_bPressed)
        return;
    m_bHover = 0;
    m_crCur = m_crNormal;
    Redraw();
}

void CPicText::keyPressEvent(QKeyEvent* e)
{
    if (!m_bClickable || e->key() != Qt::Key_Space || e->modifiers() != Qt::NoModifier) {
        e->ignore();
        return;
    }
    if (e->isAutoRepeat())
        return;
    m_bPressed = 1;
    m_bHover = 0;
    m_crCur = m_crDown;
    Redraw();
}

void CPicText::keyReleaseEvent(QKeyEvent* e)
{
    if (!m_bClickable || e->key() != Qt::Key_Space) {
        e->ignore();
        return;
    }
    if (e->isAutoRepeat() || !m_bPressed)
        return;
    m_bPressed = 0;
    m_crCur = m_crNormal;
    Redraw();
    Press();
}

void CPicText::Press()
{
    if (m_bClickable && m_pPage)
        PostCommand(m_pPage, m_nID, 0, this);
}

void CPicText::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void CPicText::focusOutEvent(QFocusEvent* e)
{
    if (m_bPressed && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        m_bPressed = 0;
        m_crCur = m_crNormal;
    }
    QWidget::focusOutEvent(e);
    update();
}

} // namespace orv


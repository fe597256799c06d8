#include "skin/PicButton.h"

#include "platform/qt/PostedMessage.h"
#include "skin/PictureFile.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

namespace orv {

QColor ColorFromRef(COLORREF c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

CPicButton::CPicButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void DrawFocusMark(QPainter& p, const QRect& rect)
{
    if (rect.width() < 2 || rect.height() < 2)
        return;
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A light line under a dark dotted one: seen on dark and light pictures.
    p.setPen(QPen(QColor(255, 255, 255), 1, Qt::SolidLine));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.restore();
}

bool CPicButton::SetImages(const std::string& normal, const std::string& down, const std::string& hover,
                           const std::string& disabled)
{
    bool ok = true;
    auto load = [&ok](const std::string& path, QPixmap& into) {
        into = QPixmap();
        if (path.empty())
            return;
        into = LoadPictureFile(path);
        ok = ok && !into.isNull();
    };
    load(normal, m_bmpNormal);
    load(down, m_bmpDown);
    load(hover, m_bmpHover);
    load(disabled, m_bmpDisabled);
    DrawState();
    return ok;
}

void CPicButton::SetTip(const QString& text)
{
    if (text.isNull())
        return;
    // Escaped inside a rich-text wrapper, so that the text is never read as
    // markup and still keeps its line breaks.
    setToolTip(QStringLiteral("<p style='white-space:pre-wrap'>%1</p>").arg(text.toHtmlEscaped()));
}

const QPixmap& CPicButton::StatePicture() const
{
    const QPixmap* pic = &m_bmpNormal;
    if (m_bHover)
        pic = &m_bmpHover;
    else if (m_bPressed)
        pic = &m_bmpDown;
    else if (m_bDisabled)
        pic = &m_bmpDisabled;
    return pic->isNull() ? m_bmpNormal : *pic;
}

void CPicButton::DrawState()
{
    // A disabled button is passed over by Tab.
    setFocusPolicy(m_bDisabled ? Qt::NoFocus : Qt::TabFocus);
    if (isVisible())
        repaint();
}

QStringList CPicButton::CaptionLines(const QString& caption)
{
    QStringList lines;
    QString rest = caption;
    for (;;) {
        const qsizetype brk = rest.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        if (brk < 0)
            break;
        const QString line = rest.left(brk);
        int end = static_cast<int>(line.size());
        while (end > 0 && line[end - 1].isSpace())
            --end;
        if (end > 0)
            lines << line.left(end);
        // CR LF is one break; a lone CR or LF is one too (the first
        // character of the next line is never swallowed).
        const bool pair = rest[brk] == QLatin1Char('\r') && brk + 1 < rest.size() && rest[brk + 1] == QLatin1Char('\n');
        rest = rest.mid(brk + (pair ? 2 : 1));
        int start = 0;
        while (start < rest.size() && rest[start].isSpace())
            ++start;
        rest = rest.mid(start);
    }
    int end = static_cast<int>(rest.size());
    while (end > 0 && rest[end - 1].isSpace())
        --end;
    if (end > 0)
        lines << rest.left(end);
    return lines;
}

void CPicButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Scaled displays: pictures are resampled smoothly, text is drawn at the
    // display's own resolution.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(0, 0, StatePicture());
    const QStringList lines = CaptionLines(m_strCaption);
    const int lineHeight = lines.isEmpty() ? 0 : height() / static_cast<int>(lines.size());
    if (lineHeight > 0) {
        p.setPen(ColorFromRef((m_bHover || m_bPressed) ? m_crTextHot : (m_bDisabled ? m_crTextDisabled : m_crText)));
        int top = 0;
        for (const QString& line : lines) {
            if (top >= height())
                break;
            p.drawText(QRect(0, top, width(), lineHeight), Qt::AlignCenter | Qt::TextSingleLine, line);
            top += lineHeight;
        }
    }
    if (hasFocus())
        DrawFocusMark(p, rect().adjusted(3, 3, -3, -3));
}

void CPicButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || m_bDisabled)
        return;
    m_bPressed = 1;
    m_bHover = 0;
    DrawState();
}

void CPicButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || m_bDisabled || !m_bPressed)
        return;
    m_bPressed = 0;
    DrawState();
    if (rect().contains(e->position().toPoint()))
        Press();
}

void CPicButton::Press()
{
    if (m_pParent && !m_bDisabled)
        PostCommand(m_pParent, m_nID, 0, this);
}

void CPicButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
}

void CPicButton::keyPressEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space || e->modifiers() != Qt::NoModifier) {
        e->ignore(); // Enter, Escape and the rest: the page's to handle
        return;
    }
    if (!e->isAutoRepeat() && !m_bDisabled) {
        m_bPressed = 1;
        m_bHover = 0;
        DrawState();
    }
}

void CPicButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_Space) {
        e->ignore();
        return;
    }
    if (e->isAutoRepeat() || !m_bPressed)
        return;
    m_bPressed = 0;
    DrawState();
    Press();
}

void CPicButton::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void CPicButton::focusOutEvent(QFocusEvent* e)
{
    // Space let go elsewhere: no click.
    if (m_bPressed && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        m_bPressed = 0;
    QWidget::focusOutEvent(e);
    update();
}

void CPicButton::mouseMoveEvent(QMouseEvent*)
{
    if (m_bDisabled || m_bPressed)
        return;
    m_bHover = 1;
    DrawState();
}

void CPicButton::leaveEvent(QEvent*)
{
    if (m_bPressed)
        return;
    m_bHover = 0;
    DrawState();
}

} // namespace orv

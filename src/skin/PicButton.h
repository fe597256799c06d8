#pragma once
// Picture button: one picture per state (normal, pressed, hovered, disabled),
// shown at its natural size from the top-left corner (never stretched), and a
// click posted to the page as a command with the button's id once the button
// is released over itself. Pages set and clear m_bDisabled themselves and
// then call DrawState.
//
// Keyboard: Tab reaches the button (a mouse click leaves the focus where it
// was); while focused a dotted focus mark is drawn over the picture, and
// Space presses it as the mouse does (down on press, the click on release).
// Enter and Escape are left to the page.
#include "platform/qt/WinDefs.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>

namespace orv {

class CPicButton : public QWidget {
    Q_OBJECT
public:
    explicit CPicButton(QWidget* parent = nullptr);

    // Loads the four state pictures; a path that does not load leaves its
    // state without a picture. True when every picture that was named loaded.
    bool SetImages(const std::string& normal, const std::string& down, const std::string& hover,
                   const std::string& disabled);
    // Tooltip text, shown as plain text. A null text does nothing.
    void SetTip(const QString& text);
    // Shows the current state now.
    void DrawState();
    // Posts the click to the page, as a mouse click or Space does; nothing
    // while disabled.
    void Press();
    // The picture the current state shows (the normal picture stands in for a
    // state that has none).
    const QPixmap& StatePicture() const;

    // Caption split into the lines drawn over the picture.
    static QStringList CaptionLines(const QString& caption);

    int m_bDisabled = 0;
    int m_bHover = 0;
    int m_bPressed = 0;
    int m_nID = 0;
    QPointer<QObject> m_pParent; // receives the click
    QPixmap m_bmpDown;
    QPixmap m_bmpHover;
    QPixmap m_bmpNormal;
    QPixmap m_bmpDisabled;
    QString m_strCaption;
    COLORREF m_crTextHot = 0xFFFFFF;
    COLORREF m_crText = 0x000000;
    COLORREF m_crTextDisabled = 0xC0C0C0;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // The second press of a double-click is not a second click.
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

// Draws the keyboard focus mark inside `rect`: a dotted line of alternating
// dark and light dashes, visible over any picture.
void DrawFocusMark(QPainter& p, const QRect& rect);

QColor ColorFromRef(COLORREF c);

} // namespace orv

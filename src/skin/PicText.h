#pragma once
// A text printed on the page background: drawn off screen over its piece of
// the background picture (or a fill colour) and copied to the screen in one
// go. Word-wrapped, aligned left (1 and any other value), centre (2) or right
// (3). The text is always plain text. A clickable text changes colour with the
// mouse and posts its click to the page; a text that is not clickable leaves
// the mouse to the page. A clickable text is reached with Tab, shows a focus
// mark while focused and is pressed with Space, like a picture button.
#include "platform/qt/WinDefs.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace orv {

class CPicDialog;

class CPicText : public QWidget {
    Q_OBJECT
public:
    CPicText() = default;

    // Places the text on `page` at `rect` (page client coordinates). Fails
    // for a null page.
    bool CreateText(const QRect& rect, int id, bool password, bool visible, CPicDialog* page);
    void SetText(const QString& text);
    QString GetText() const { return m_strText; }
    // The font the text is drawn with (the page's font until one is set).
    void SelectFont(const QFont& font);
    // Draws the text now.
    void Redraw();
    // Clickable or not; only a clickable text takes the keyboard focus.
    void SetClickable(bool clickable);
    // Posts the click to the page, as a mouse click or Space does (a text
    // that is not clickable does nothing).
    void Press();

    QString m_strText;
    int m_nID = 0;
    QRect m_rcPos;
    COLORREF m_crCur = 0x000000;
    COLORREF m_crFill = 0;
    int m_bFill = 0;
    int m_nAlign = 1;
    QPointer<CPicDialog> m_pPage;
    COLORREF m_crNormal = RGB(150, 20, 20);
    COLORREF m_crDown = RGB(119, 14, 19);
    COLORREF m_crHover = RGB(54, 153, 44);
    int m_bPressed = 0;
    int m_bHover = 0;
    int m_bClickable = 1;

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

private:
    bool m_hasFont = false;
    QFont m_font;
};

} // namespace orv

#pragma once
// The panel a page shows over itself while a camera step takes long: one line
// of text and a Cancel button. Escape anywhere on it means Cancel. Camera
// and skin text is shown as plain text.
#include <QFrame>

#include <functional>

class QLabel;
class QPushButton;

namespace orv {

class CWaitOverlay : public QFrame {
    Q_OBJECT
public:
    // Covers the middle of `page`; `onCancel` runs on the first Cancel only.
    CWaitOverlay(QWidget* page, const QString& text, const QString& cancelCaption, std::function<void()> onCancel);

    QPushButton* CancelButton() const { return m_cancel; }
    bool Cancelled() const { return m_cancelled; }
    void Cancel();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLabel* m_text = nullptr;
    QPushButton* m_cancel = nullptr;
    std::function<void()> m_onCancel;
    bool m_cancelled = false;
};

} // namespace orv

#include "platform/qt/WaitOverlay.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kPanelWidth = 320;
constexpr int kPanelHeight = 110;

} // namespace

CWaitOverlay::CWaitOverlay(QWidget* page, const QString& text, const QString& cancelCaption,
    std::function<void()> onCancel)
    : QFrame(page), m_onCancel(std::move(onCancel))
{
    setObjectName(QStringLiteral("CameraWaitOverlay"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(250, 250, 250));
    pal.setColor(QPalette::WindowText, QColor(20, 20, 20));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setText(text);
    layout->addWidget(m_text);
    m_cancel = new QPushButton(this);
    m_cancel->setText(cancelCaption);
    m_cancel->setVisible(static_cast<bool>(m_onCancel));
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, &CWaitOverlay::Cancel);

    const int w = std::min(kPanelWidth, page ? page->width() : kPanelWidth);
    const int h = std::min(kPanelHeight, page ? page->height() : kPanelHeight);
    setGeometry(page ? (page->width() - w) / 2 : 0, page ? (page->height() - h) / 2 : 0, w, h);
}

void CWaitOverlay::Cancel()
{
    if (m_cancelled || !m_onCancel)
        return;
    m_cancelled = true;
    m_cancel->setEnabled(false);
    m_onCancel();
}

void CWaitOverlay::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    QFrame::keyPressEvent(e);
}

} // namespace orv

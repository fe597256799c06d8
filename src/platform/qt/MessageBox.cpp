#include "platform/qt/MessageBox.h"

#include "platform/qt/PageWindow.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace orv {

namespace {

MessageBoxHook* g_hook = nullptr;

struct ButtonMap {
    QMessageBox::StandardButton button;
    int id;
};

std::vector<ButtonMap> ButtonsOf(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

QString ProgramTitle()
{
    return QStringLiteral("Orvanta");
}

int DefaultAnswer(unsigned type)
{
    return ButtonsOf(type).front().id;
}

MessageBoxHook::MessageBoxHook() : m_previous(g_hook)
{
    g_hook = this;
}

MessageBoxHook::~MessageBoxHook()
{
    g_hook = m_previous;
}

int MessageBoxHook::Take(const std::u16string& text, unsigned type)
{
    m_calls.push_back(MessageBoxCall{text, type, WaitCursorShown()});
    if (m_answers.empty())
        return DefaultAnswer(type);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int AfxMessageBox(const std::u16string& text, unsigned type, QWidget* parent)
{
    // The page that asks is busy until the answer: nothing of it runs inside
    // the box, and its host leaves it in place. The user answers with the
    // arrow, whatever the page was waiting for before.
    CPageWindow::BusyScope busy(CPageWindow::PageOf(parent));
    const bool waiting = WaitCursorShown();
    ShowWaitCursor(false);
    struct RestoreCursor {
        bool on;
        ~RestoreCursor() { ShowWaitCursor(on); }
    } restore{waiting};
    if (g_hook != nullptr)
        return g_hook->Take(text, type);
    QString body = QString::fromStdU16String(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        std::fprintf(stderr, "message box (not shown, offscreen): %s\n", body.toLocal8Bit().constData());
        return DefaultAnswer(type);
    }
    QMessageBox box(IconOf(type), ProgramTitle(), body, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const std::vector<ButtonMap> buttons = ButtonsOf(type);
    for (const ButtonMap& b : buttons)
        box.addButton(b.button);
    box.setDefaultButton(buttons.front().button);
    box.exec();
    for (const ButtonMap& b : buttons)
        if (box.clickedButton() == box.button(b.button))
            return b.id;
    // Closed without a button: the answer Escape gives.
    for (const ButtonMap& b : buttons)
        if (b.id == IDCANCEL || b.id == IDNO)
            return b.id;
    return buttons.front().id;
}

} // namespace orv

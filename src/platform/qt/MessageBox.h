#pragma once
// Message boxes with the system's meaning: text, a type (buttons in the low
// four bits, icon in the next four) and the answer as IDOK, IDYES, ...
//
// Tests never see a real modal: a MessageBoxHook in scope answers every box
// from its queue (or with the type's default button) and records it. Under
// the offscreen platform a box without a hook is not shown either; it is
// answered with the default button and reported on standard error.
#include <QString>

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace orv {

struct MessageBoxCall {
    std::u16string text;
    unsigned type = 0;
    bool waitCursor = false; // the wait cursor was showing as the box opened
};

// Shows `text` ("\r\n" breaks lines) with the program's title as caption.
int AfxMessageBox(const std::u16string& text, unsigned type = 0, QWidget* parent = nullptr);

// The button a box of `type` answers when Enter is pressed.
int DefaultAnswer(unsigned type);

class MessageBoxHook {
public:
    MessageBoxHook();
    ~MessageBoxHook();
    MessageBoxHook(const MessageBoxHook&) = delete;
    MessageBoxHook& operator=(const MessageBoxHook&) = delete;

    // Queues the answer of the next box.
    void Answer(int button) { m_answers.push_back(button); }
    const std::vector<MessageBoxCall>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); m_answers.clear(); }

    int Take(const std::u16string& text, unsigned type);

private:
    std::deque<int> m_answers;
    std::vector<MessageBoxCall> m_calls;
    MessageBoxHook* m_previous;
};

// The title every box carries.
QString ProgramTitle();

} // namespace orv

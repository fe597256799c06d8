#pragma once
// The standard controls of a page. Each carries its control id and sends its
// notifications to the page it sits on as commands, as the system's controls
// send WM_COMMAND: clicks (BN_CLICKED) of push buttons, check boxes and radio
// buttons, EN_CHANGE of edits (also for text the page sets), CBN_SELCHANGE
// of drop-down lists (user choices only).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

class CPageWindow;

void SetDlgCtrlID(QWidget* ctrl, int id);
// 0 for a widget without an id.
int GetDlgCtrlID(const QWidget* ctrl);
// Sends command (id of `ctrl`, code) to the page `ctrl` sits on.
void NotifyPage(QWidget* ctrl, int code);

class CEdit : public QLineEdit {
    Q_OBJECT
public:
    CEdit(QWidget* page, int id);
    // Limits what the user types or pastes to `chars` characters (0: no
    // limit). Text the program sets stays whole, even when longer: a key
    // read from a camera is shown and written back as it came.
    void SetLimitText(int chars);
    int LimitText() const { return m_limit; }

protected:
    bool event(QEvent* e) override;

private:
    int m_limit = 0;
    int m_lastLength = 0; // length of the text before the change being made
    int m_userInput = 0;  // inside the handling of the user's input
};

class CCheckBox : public QCheckBox {
    Q_OBJECT
public:
    CCheckBox(QWidget* page, int id);
    int GetCheck() const { return isChecked() ? 1 : 0; }
    void SetCheck(int check) { setChecked(check != 0); }
};

// Each radio button is a group of its own: pages check and uncheck the
// members of a choice themselves. Clicking a checked radio keeps it checked.
class CRadioButton : public QRadioButton {
    Q_OBJECT
public:
    CRadioButton(QWidget* page, int id);
    int GetCheck() const { return isChecked() ? 1 : 0; }
    void SetCheck(int check) { setChecked(check != 0); }

protected:
    void nextCheckState() override { setChecked(true); }
};

class CComboBox : public QComboBox {
    Q_OBJECT
public:
    CComboBox(QWidget* page, int id);
    // Selects `index`; an index outside the items clears the selection and
    // gives -1.
    int SetCurSel(int index);
    int GetCurSel() const { return currentIndex(); }
    int AddString(const QString& text);
    // Height of the control with its opened list, as the layout gives it.
    void SetDropHeight(int height);
    int DropHeight() const { return m_dropHeight; }

private:
    int m_dropHeight = 0;
};

class CPushButton : public QPushButton {
    Q_OBJECT
public:
    CPushButton(QWidget* page, int id);
};

// Range 0 to 100 until the page sets another.
class CProgressCtrl : public QProgressBar {
    Q_OBJECT
public:
    CProgressCtrl(QWidget* page, int id);
    void SetRange(int lower, int upper) { setRange(lower, upper); }
    void SetPos(int pos) { setValue(pos); }
    int GetPos() const { return value(); }
};

} // namespace orv

#pragma once
// Drives the real wizard (the host COrvantaDlg and whatever pages it shows)
// the way a user does: by control id, through real widgets and the host's
// own message handling. Header only: programs that include it link the UI
// library (orvanta_ui) and run under QT_QPA_PLATFORM=offscreen.
//
// Every message box is answered by the driver's MessageBoxHook (OK, or what
// was queued with Boxes().Answer) and recorded in Boxes().Calls(). A driver
// made with BoxMode::Real leaves the boxes real (tests under x11.sh answer
// them through their own windows).
//
//   COrvantaDlg host;
//   WizardDriver w(host);
//   w.Run([&] {                               // inside the host's modal loop
//       ASSERT_TRUE(w.WaitSearchDone());
//       ASSERT_TRUE(w.PickCamera("02.00.00.00.01.01"));
//       w.Click(IDC_NEXT);
//       ASSERT_TRUE(w.WaitForPage(kPageIdPwd));
//       w.SetText(CDlgIdPwd::kIdAdmPwd, "secret");
//       ...
//   });                                       // Exit is posted if the run did not end
//
// Namespace tests run the whole program inside the pc namespace of a
// NetnsLab: construct a ScopedNetns(lab.PcNamespace()) on the main thread
// before the host; the search worker threads inherit it.
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

#include "app/OrvantaDlg.h"
#include "app/PageFlow.h"
#include "pages/DlgListCam.h"
#include "pages/WizardPage.h"
#include "platform/qt/ListCtrl.h"
#include "platform/qt/MessageBox.h"
#include "platform/qt/PostedMessage.h"
#include "skin/PicButton.h"
#include "support/WizardCameras.h"

namespace orvtest {

// Moves the calling thread into a named network namespace and back.
class ScopedNetns {
public:
    explicit ScopedNetns(const std::string& name)
    {
        m_home = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
        const int fd = open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
        m_entered = m_home >= 0 && fd >= 0 && setns(fd, CLONE_NEWNET) == 0;
        if (fd >= 0)
            close(fd);
    }
    ~ScopedNetns()
    {
        if (m_entered)
            (void)setns(m_home, CLONE_NEWNET);
        if (m_home >= 0)
            close(m_home);
    }
    ScopedNetns(const ScopedNetns&) = delete;
    ScopedNetns& operator=(const ScopedNetns&) = delete;
    bool Entered() const { return m_entered; }

private:
    int m_home = -1;
    bool m_entered = false;
};

enum class BoxMode { Hooked, Real };

class WizardDriver {
public:
    explicit WizardDriver(orv::COrvantaDlg& host, BoxMode boxes = BoxMode::Hooked) : m_host(host)
    {
        if (boxes == BoxMode::Hooked)
            m_boxes.emplace();
    }

    orv::COrvantaDlg& Host() { return m_host; }
    orv::CWizardPage* Page() const { return m_host.CurrentPage(); }
    int PageCode() const { return m_host.PageState(); }
    orv::MessageBoxHook& Boxes() { return m_boxes.value(); }
    // Every message box text so far, joined, for failure output.
    std::string BoxTexts() const
    {
        std::string all;
        if (m_boxes)
            for (const auto& c : m_boxes->Calls())
                all += orv::Utf8(c.text) + " | ";
        return all;
    }

    // Runs the host as the program does (DoModal) with `scenario` called
    // from inside its loop. When the scenario returns without the run having
    // ended, the current page's Exit is posted so DoModal returns.
    int Run(const std::function<void()>& scenario)
    {
        QTimer::singleShot(0, [this, scenario] {
            scenario();
            if (!m_host.Ended())
                orv::PostMessage(&m_host, orv::WM_PAGE_NAV, orv::kNavExit, 0);
        });
        return m_host.DoModal();
    }

    // Lets the event loop run until `done` holds or `timeoutMs` passed.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QCoreApplication::sendPostedEvents();
        }
        return true;
    }
    bool WaitForPage(int code, int timeoutMs = 10000)
    {
        return WaitUntil([&] { return PageCode() == code && Page() && Page()->isVisible(); }, timeoutMs);
    }
    // The list page's search has ended (its timer stopped).
    bool WaitSearchDone(int timeoutMs = 20000)
    {
        return WaitUntil([&] {
            auto* list = dynamic_cast<orv::CDlgListCam*>(Page());
            return list && !list->Searching();
        }, timeoutMs);
    }

    QWidget* Ctrl(int id) const { return Page() ? Page()->FindCtrl(id) : nullptr; }
    bool IsEnabled(int id) const
    {
        QWidget* w = Ctrl(id);
        if (auto* pic = dynamic_cast<orv::CPicButton*>(w))
            return pic->m_bDisabled == 0;
        return w && w->isEnabled();
    }

    // Types `text` into the edit `id` (replacing what it held).
    bool SetText(int id, const QString& text)
    {
        auto* edit = dynamic_cast<QLineEdit*>(Ctrl(id));
        if (!edit || !edit->isEnabled())
            return false;
        edit->setFocus();
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
        return edit->text() == text;
    }
    QString Text(int id) const
    {
        auto* edit = dynamic_cast<QLineEdit*>(Ctrl(id));
        return edit ? edit->text() : QString();
    }

    // Clicks control `id` with the mouse: picture buttons, check boxes,
    // radio and push buttons. The click's command is delivered before
    // returning; what it posts to the host is handled by the next wait.
    bool Click(int id)
    {
        QWidget* w = Ctrl(id);
        if (!w || !w->isVisible() || !IsEnabled(id))
            return false;
        // Check boxes and radio buttons answer on their mark and caption
        // only, which start at the left edge; anything else at its centre.
        const bool marked = w->inherits("QCheckBox") || w->inherits("QRadioButton");
        const QPoint at(marked ? std::min(8, w->width() / 2) : w->width() / 2, w->height() / 2);
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QCoreApplication::sendPostedEvents(Page());
        return true;
    }
    // Ticks or clears a check box or radio button by clicking it.
    bool SetCheck(int id, bool on)
    {
        auto* b = dynamic_cast<QAbstractButton*>(Ctrl(id));
        if (!b)
            return false;
        if (b->isChecked() != on)
            Click(id);
        return b->isChecked() == on;
    }
    bool SelectCombo(int id, int index)
    {
        auto* c = dynamic_cast<QComboBox*>(Ctrl(id));
        if (!c || index < 0 || index >= c->count())
            return false;
        c->setCurrentIndex(index);
        emit c->activated(index);
        return c->currentIndex() == index;
    }

    // List page: selects the row showing `text` in any column (as a click on
    // the row does). False when no row shows it.
    bool PickCamera(const QString& text)
    {
        auto* list = dynamic_cast<orv::CListCtrl*>(Ctrl(orv::CDlgListCam::kIdList));
        if (!list)
            return false;
        for (int r = 0; r < list->rowCount(); ++r)
            for (int c = 0; c < list->columnCount(); ++c)
                if (list->GetItemText(r, c) == text) {
                    list->clearSelection();
                    list->SetItemSelected(r, true);
                    return true;
                }
        return false;
    }

private:
    orv::COrvantaDlg& m_host;
    std::optional<orv::MessageBoxHook> m_boxes;
};

} // namespace orvtest

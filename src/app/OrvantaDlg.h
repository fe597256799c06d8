#pragma once
// The invisible host of the wizard: owns the camera engine and the settings
// block for the whole run, shows one page at a time and replaces it as the
// page flow decides, and ends the run on Exit.
#include <QIcon>
#include <QWidget>

#include <vector>

#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"

class QEventLoop;

namespace orv {

class CWizardPage;

class COrvantaDlg : public QWidget {
    Q_OBJECT
public:
    COrvantaDlg();
    ~COrvantaDlg() override;

    // Host start-up: hidden host, first list page centred on the screen with
    // its first search running. False when the page could not be made.
    bool OnInitDialog();
    // OnInitDialog, then the host's modal loop until Exit. Returns IDOK.
    int DoModal();
    // Ends the modal loop (what Exit leads to).
    void EndDialog(int result);
    bool Ended() const { return m_bEnded; }

    // Navigation message handler (1124).
    int OnNavigate(int code);

    CWizardPage* CurrentPage() const { return m_pCurPage; }
    int32_t PageState() const { return m_nPageState; }
    int32_t WpsResult() const { return m_nWpsResult; }

    WizardSettings m_Settings;
    QIcon m_hIcon;
    CWizardPage* m_pCurPage = nullptr;
    int32_t m_nPageState = 0;
    int32_t m_nWpsResult = -1;
    CCamEngine m_Engine;

protected:
    bool event(QEvent* e) override;

private:
    void ShowPage(CWizardPage* page, int32_t code);
    void DestroyCurrentPage();
    // Navigation the current page asked for while it was busy, acted on once
    // it is idle again.
    void RunDeferredNavigation();
    void WatchPage(CWizardPage* page);

    std::vector<int> m_deferredNav;

    QEventLoop* m_loop = nullptr;
    bool m_bEnded = false;
    int m_nResult = 0;
};

} // namespace orv

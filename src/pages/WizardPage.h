#pragma once
// What every wizard page shares beyond the skin: the engine and settings
// block the host hands over, the hand-over calls of the page flow, the
// camera conversations (through one CameraSession per page) and the way a
// failed conversation is told to the user.
#include <functional>
#include <memory>
#include <string>

#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"
#include "platform/qt/CameraStep.h"
#include "skin/PicDialog.h"
#include "template/CameraSession.h"

namespace orv {

class CWizardPage : public CPicDialog {
    Q_OBJECT
public:
    CWizardPage(int templateId, QWidget* host = nullptr);
    ~CWizardPage() override;

    // Hand-over from the host, in the order the page flow gives.
    virtual void SetDirectMode(int mode) { (void)mode; }
    void SetEngine(CCamEngine* engine) { m_pEngine = engine; }
    virtual void InitFromSettings(WizardSettings* settings) { m_pSettings = settings; }
    // List page only: new search, settings reset, settings file read.
    virtual void StartListPage(WizardSettings* settings) { m_pSettings = settings; }
    // WPS page only: the value it exchanges with the host.
    virtual int WpsResult() const { return -1; }
    virtual void SetWpsResult(int value) { (void)value; }

    CCamEngine* Engine() const { return m_pEngine; }
    WizardSettings* Settings() const { return m_pSettings; }

    // The folder the templates are read from: program folder + "tOrvanta/".
    static std::string TemplateFolder();

protected:
    // The page's camera conversations; made on first use (needs the engine
    // and the settings block).
    CameraSession& Session();

    // Shows the message for a failed page procedure: 1 -> 62, 18 -> 4,
    // 29 -> 22, 30 -> 500 + msgCode (each with the warning icon); any other
    // result the generic text.
    void ShowResultMessage(int result, int msgCode);

    // Runs one camera conversation off the user-interface thread while the
    // page waits busy (see CameraStep.h); Cancel on the page's wait overlay
    // makes the camera look silent for the rest of the step. Returns the
    // step's result.
    int RunCameraStep(const std::function<int()>& step);
    // How a step's worker sleeps when the camera asks for a wait: in short
    // slices, ending early once the step is cancelled.
    void SleepForCamera(int ms);
    // Overlay texts: messages 3003 and 3004 of the skin, or built-in texts.
    CameraStepTexts StepTexts() const;

    // Sets the shared page font (WizardSettings UiFont) on a control.
    void ApplyUiFont(int id);

    CCamEngine* m_pEngine = nullptr;
    WizardSettings* m_pSettings = nullptr;

private:
    std::unique_ptr<CameraSession> m_session;
};

// The shared page font as a Qt font (the settings block holds its
// description only).
QFont MakeUiFont(const FontDescription& desc);

} // namespace orv

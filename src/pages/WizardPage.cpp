#include "pages/WizardPage.h"

#include <QFont>

#include "platform/qt/MessageBox.h"
#include "platform/qt/Shell.h"
#include "platform/qt/WinDefs.h"
#include "res/Resources.h"

namespace orv {

CWizardPage::CWizardPage(int templateId, QWidget* host) : CPicDialog(templateId, host) {}

CWizardPage::~CWizardPage() = default;

std::string CWizardPage::TemplateFolder()
{
    return ProgramFolder() + "tOrvanta/";
}

CameraSession& CWizardPage::Session()
{
    if (!m_session) {
        // Pages without an engine or settings block never talk to a camera;
        // a private pair keeps a stray call harmless.
        static CCamEngine spareEngine;
        static WizardSettings spareSettings;
        m_session = std::make_unique<CameraSession>(m_pEngine ? *m_pEngine : spareEngine,
            m_pSettings ? *m_pSettings : spareSettings, TemplateFolder());
    }
    return *m_session;
}

void CWizardPage::ShowResultMessage(int result, int msgCode)
{
    switch (result) {
    case 1:
        ShowMessage(62, MB_ICONEXCLAMATION);
        return;
    case 18:
        ShowMessage(4, MB_ICONEXCLAMATION);
        return;
    case 29:
        ShowMessage(22, MB_ICONEXCLAMATION);
        return;
    case 30:
        ShowMessage(500 + msgCode, MB_ICONEXCLAMATION);
        return;
    default: {
        const std::string text = "Some error occured, error number is " + std::to_string(static_cast<unsigned>(result))
            + "\r\nPlease try it again or contact your vendor.";
        AfxMessageBox(U16(text), MB_OK, this);
        return;
    }
    }
}

CameraStepTexts CWizardPage::StepTexts() const
{
    auto text = [this](int number, const char16_t* fallback) {
        const std::u16string value = Profile().GetString(u"Message", u"Message" + U16(std::to_string(number)), u"0");
        return QString::fromStdU16String(value == u"0" || value.empty() ? std::u16string(fallback) : value);
    };
    return {text(res::kMsgWaitingForCamera, u"Waiting for the camera to answer..."),
            text(res::kMsgCancelWaiting, u"Cancel")};
}

int CWizardPage::RunCameraStep(const std::function<int()>& step)
{
    // Made here, on the user-interface thread, so the worker only uses it.
    (void)Session();
    CCamEngine* engine = m_pEngine;
    std::function<void()> cancel;
    if (engine) {
        engine->ClearCancel();
        cancel = [engine] { engine->RequestCancel(); };
    }
    const int result = orv::RunCameraStep(this, step, cancel, StepTexts());
    if (engine)
        engine->ClearCancel();
    return result;
}

void CWizardPage::SleepForCamera(int ms)
{
    CCamEngine* engine = m_pEngine;
    SleepMsUntil(ms, [engine] { return engine && engine->CancelRequested(); });
}

QFont MakeUiFont(const FontDescription& desc)
{
    QFont font(QString::fromStdU16String(std::u16string(desc.FaceName, WLen(desc.FaceName, 32))));
    if (desc.Height > 0)
        font.setPixelSize(desc.Height);
    if (desc.Weight > 0)
        font.setWeight(static_cast<QFont::Weight>(desc.Weight <= 1000 ? desc.Weight : 400));
    return font;
}

void CWizardPage::ApplyUiFont(int id)
{
    if (!m_pSettings || !m_pSettings->UiFont.Created)
        return;
    if (QWidget* w = FindCtrl(id))
        w->setFont(MakeUiFont(m_pSettings->UiFont));
}

} // namespace orv

#pragma once
// The camera conversations of the wizard's pages, in the order the pages run
// them: the list page's read-back of the discovery payload, the login check
// with the capability query and wireless read-back, the summary pages' apply
// sequence and the WPS page's operations. The pages and the command-line
// tool share them so both speak to a camera exactly alike.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/CamEngine.h"
#include "engine/WizardSettings.h"
#include "template/Operations.h"
#include "template/ReplyMeaning.h"
#include "template/TemplateFile.h"

namespace orv {

class CameraSession {
public:
    CameraSession(CCamEngine& engine, WizardSettings& settings, std::string templateFolder);

    // List page: copies record `index` into the settings and decodes its
    // discovery payload through "Discovery_temp". Always -1.
    int PrepareSelected(int index);
    int ReadBackDiscovery(int index);

    // ID and password page: Verification with the typed credentials, then
    // the capability list and, for a wireless camera, its settings. The
    // credentials are stored in the settings once the camera accepted them.
    int CheckLogin(const wchar* adminId, const wchar* adminPwd);
    // The page's other texts, stored together with the credentials once the
    // camera accepted them (a null text is left as it was).
    struct NewCredentials {
        const wchar* NewId = nullptr;
        const wchar* NewPwd = nullptr;
        const wchar* ConfirmPwd = nullptr;
    };
    int CheckLogin(const wchar* adminId, const wchar* adminPwd, const NewCredentials& texts);
    int RunVerification(const wchar* adminId, const wchar* adminPwd);
    int QueryCapabilities(const wchar* adminId, const wchar* adminPwd);
    int ReadBackWireless(const wchar* adminId, const wchar* adminPwd);

    // Summary pages: ChangeIDPWD when asked for, SetBasic, SetWLan on the
    // wireless paths, Reset for the models that need it; waits as the camera
    // asks between steps. -1 when all went through.
    int ApplySettings(bool wireless);
    int StepChangeIdPwd();
    int StepSetBasic();
    int StepSetWLan();
    int StepReset();

    // WPS page.
    int RunQueryWps(const wchar* adminId, const wchar* adminPwd);
    int RunInitWps(const wchar* adminId, const wchar* adminPwd, const char* pin);
    int PollWpsInfo(const wchar* adminId, const wchar* adminPwd);
    int RunSendWps(const wchar* adminId, const wchar* adminPwd);
    int PollWpsStatus(const wchar* adminId, const wchar* adminPwd);
    int EnableWireless();
    int ResetCamera();
    // The whole pairing as the page runs it: query, start, then one step
    // per tick through the polls, each step window `windowSeconds` long.
    // -1 paired; otherwise the page result that ended it (m_nMsgCode set).
    int RunWpsPairing(const wchar* adminId, const wchar* adminPwd, const char* pin, int tickMs = 1000,
        int windowSeconds = 120);

    // How the session sleeps when the camera asks for a wait; tests and
    // benchmarks put their own here.
    std::function<void(int milliseconds)> m_Sleep;
    // Settings steps whose exchange failed give the transport's own result
    // (and no message code) instead of 30 with 1500, for a page that tells
    // socket, send and receive failures apart.
    bool m_bKeepTransportResult = false;
    int m_nMsgCode = 0;
    // Set after each reply: the status block the last operation left.
    uint8_t m_Block[kStatusBlockSize] = {};

private:
    int Load(const char* fileName);
    StatusBlockView TakeStatusBlock();
    int SettingsStep(uint16_t opcode, bool encode);
    // One exchange and its page outcome; m_nMsgCode gets the outcome's
    // message code. With keepTransport a failed exchange returns the
    // transport's result as it is. `blockOut` receives the status block the
    // outcome was judged on.
    int ConfigStep(uint16_t opcode, const wchar* adminId, const wchar* adminPwd, bool verification,
        bool keepTransport = false, StatusBlockView* blockOut = nullptr);
    int RunWpsOp(WpsStep step, uint16_t opcode, const wchar* adminId, const wchar* adminPwd);
    void ReadVar(const char* name, wchar* out, std::size_t cap);
    int32_t ReadVarInt(const char* name);

    CCamEngine& m_Engine;
    WizardSettings& m_Settings;
    std::string m_TemplateFolder;
    char m_tplText[kTemplateTextBytes] = {};
};

} // namespace orv

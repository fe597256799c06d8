#pragma once
// Page: WPS pairing by push button or PIN.
//
// The pairing is started by QueryWPS and InitWPS and then followed by a
// one-second timer through PollWPSInf, SendWPS and PollWPSStatus, each window
// 120 seconds long. The camera operations are virtual so tests can stand in
// for the camera; the tick clock and the PIN's time source can be replaced
// so the windows and PINs are checked without waiting.
#include <cstdint>
#include <functional>

#include <QString>

#include "pages/WizardPage.h"
#include "pages/WpsLogic.h"

namespace orv {

class CDlgWPSSetting : public CWizardPage {
    Q_OBJECT
public:
    // Control ids of the page.
    static constexpr int kIdProgress = 1202;
    static constexpr int kIdAdmId = 1101;
    static constexpr int kIdAdmPwd = 1102;
    static constexpr int kIdLabAdmId = 1309;
    static constexpr int kIdLabAdmPwd = 1310;
    static constexpr int kIdEditPin = 1319;
    static constexpr int kIdLabSelect = 1320;
    static constexpr int kIdOptPbc = 1322;
    static constexpr int kIdOptPin = 1323;
    static constexpr int kIdButPbcPush = 1324;
    static constexpr int kIdButPinStart = 1325;
    static constexpr int kIdLabPbcNote1 = 1326; // .. 1330
    static constexpr int kIdLabPinNote1 = 1331; // .. 1335
    static constexpr int kIdButPinRefresh = 1337;
    static constexpr int kIdButPinCopy = 1338;
    static constexpr int kIdLabPbcNote6 = 1339;

    explicit CDlgWPSSetting(QWidget* host = nullptr);
    ~CDlgWPSSetting() override;

    void SetDirectMode(int mode) override;
    void InitFromSettings(WizardSettings* settings) override;
    int WpsResult() const override { return m_nWpsResult; }
    void SetWpsResult(int value) override { m_nWpsResult = value; }

    bool Running() const { return m_pairing.Running(); }
    int Direct() const { return m_bDirect; }
    const char* Pin() const { return m_szPin; }

    // Milliseconds like a tick count (wrapping); default a steady clock.
    void SetTickClock(WpsPairing::Clock clock) { m_tickClock = std::move(clock); }
    // Seconds since 1970 the PIN is made from; default the current time.
    void SetPinClock(std::function<int64_t()> clock) { m_pinClock = std::move(clock); }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnTimer(int id) override;

    // The camera operations, each a page result (-1 success, -2 poll again,
    // otherwise failed) with m_nMsgCode set.
    virtual int RunQueryWps();
    virtual int RunInitWps();
    virtual int PollWpsInfo();
    virtual int RunSendWps();
    virtual int PollWpsStatus();
    virtual int EnableWireless();
    virtual int ResetCamera();
    virtual int ReadBackWireless();

    QString m_strAdmId = QStringLiteral("admin");
    QString m_strAdmPwd;
    int m_bDirect = 0;
    int m_nMsgCode = 0;
    char m_szPin[40] = {};
    int m_nWpsResult = -1;

private:
    enum class UiState { IdlePushButton, IdleByRadios, Idle, Running };

    void SetPbcMode(int pbc);
    void SetUiState(UiState state);
    void NewPin(bool show);
    void CopyPinToClipboard();
    void StartPairing();
    void SwitchWirelessOn();
    void PairingTick();
    void EndPairing(WpsTickOutcome outcome);
    // Exit, Back or Next: while a pairing runs only after a Yes to 2005.
    void LeaveWith(int navCode);
    int Ask(int number, unsigned type);

    void ShowCtrl(int id, bool show);
    void EnableCtrl(int id, bool enable);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);

    WpsPairing::Clock m_tickClock;
    std::function<int64_t()> m_pinClock;
    WpsPairing m_pairing;
    int m_nAsking = 0; // a confirmation box is open: the timer waits
};

} // namespace orv

#pragma once
// Page: camera list. Searches every network the PC is on, shows the cameras
// as they answer (newest on top, columns as the settings file arranges them),
// opens the picked camera's web page, and on Next or WPS copies the pick into
// the settings block and reads its network settings out of its discovery
// reply. Every new list page also resets the settings block and reads the
// shared font and the page-flow switches.
#include <QFont>

#include <array>
#include <string>

#include "pages/WizardPage.h"

namespace orv {

class CListCtrl;

class CDlgListCam : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kMaxColumns = 20;
    static constexpr int kSearchTimer = 1;
    static constexpr int kTickMs = 100;
    // Most rows one tick adds.
    static constexpr int kRowsPerTick = 1000;
    // Control ids of the page (besides Exit 1001 and Next 1003).
    static constexpr int kIdNextAlt = 1006;
    static constexpr int kIdSearch = 1004;
    static constexpr int kIdLink = 1005;
    static constexpr int kIdUnused = 1007;
    static constexpr int kIdNothing = 1008;
    static constexpr int kIdAbout = 1009;
    static constexpr int kIdExitAlt = 1010;
    static constexpr int kIdWps = 1011;
    static constexpr int kIdList = 1201;

    explicit CDlgListCam(QWidget* host = nullptr);
    ~CDlgListCam() override;

    // The host's entry: new search, then the settings block reset and the
    // settings file read.
    void StartListPage(WizardSettings* settings) override;

    // What the page holds, for the host's tests and the benchmarks.
    bool Searching() const { return HasTimer(kSearchTimer); }
    const std::u16string& SelectedIp() const { return m_strSelIP; }
    int32_t SelectedRecord() const { return m_nSelRecord; }
    int32_t LinkPort() const { return m_nLinkPort; }
    int32_t ShownRecords() const { return m_nShown; }
    const std::u16string& ColumnTitle(int index) const { return m_szColumnTitle[static_cast<std::size_t>(index)]; }
    CListCtrl* List() const { return m_pList; }
    // Longest time one tick of the running (or last) search spent on the
    // user-interface thread.
    qint64 LongestTickNs() const { return m_nLongestTickNs; }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnNotify(int id, int code) override;
    void OnTimer(int id) override;

private:
    void ReadColumns();
    void OnSearch();
    void AppendNewRows();
    void FinishSearch();
    void SetControlsEnabled(bool on);
    void ShowWpsButton(bool show);
    void ClearPick();
    void OnItemChanged();
    void OnLink();
    void OnNext();
    void OnWps();
    // Copies the pick (m_nSelKind, m_nSelRecord) into the settings and reads
    // its discovery payload; -1 when the caller may go on.
    int PrepareSelected();
    void ResetSettings();
    struct RowTexts {
        std::u16string model, ip, mac, name;
    };
    static std::u16string ColumnText(const std::u16string& title, const RowTexts& row);

    CListCtrl* m_pList = nullptr;
    int32_t m_nShown = 0;
    int32_t m_nSelKind = 0;
    int32_t m_nSelRecord = 0;
    int32_t m_nLinkPort = 80;
    std::u16string m_strSelIP;
    QFont m_listFont;
    // Controls 1001 and 1003 to 1011 in id order (null when the skin has none).
    std::array<QWidget*, 10> m_pBtn = {};
    std::array<std::u16string, kMaxColumns> m_szColumnTitle;
    qint64 m_nLongestTickNs = 0;
    bool m_bCaptured = false;
};

} // namespace orv

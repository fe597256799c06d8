#pragma once
// A skinned wizard page: its background picture, controls, captions and
// numbered message texts all come from the settings file beside the program
// and the skin's image folder.
//
// A page derives from CPicDialog, overrides OnInitDialog (SetupSkinPaths with
// its page name, then CPicDialog::OnInitDialog, then its controls through the
// factories) and OnCommand for its control ids; the host calls Create().
#include "platform/qt/PageWindow.h"
#include "skin/core/ControlDesc.h"
#include "skin/core/LayoutReader.h"
#include "skin/core/ProfileFile.h"

#include <QPixmap>
#include <QString>

#include <memory>
#include <vector>

namespace orv {

class CListCtrl;

// One created control; owned by the page's list.
class CCtrlItem {
public:
    CCtrlItem() = default;
    ~CCtrlItem() { delete m_pWnd; }
    CCtrlItem(const CCtrlItem&) = delete;
    CCtrlItem& operator=(const CCtrlItem&) = delete;

    int m_nCtrlKind = -1;
    QWidget* m_pWnd = nullptr;
    CtrlRect m_rect;
    QPixmap m_hBrush; // background under a check box, radio button or text
};

class CPicDialog : public CPageWindow {
    Q_OBJECT
public:
    // Size of the empty page frame before a background is loaded.
    static constexpr int kTemplateWidth = 278;
    static constexpr int kTemplateHeight = 146;

    explicit CPicDialog(int templateId, QWidget* host = nullptr);
    ~CPicDialog() override;

    // Runs OnInitDialog, as creating the page from its frame does.
    bool Create();
    int TemplateId() const { return m_nTemplateId; }

    // Program folder, settings file, image folder and page name.
    void SetupSkinPaths(const QString& pageName);
    // Reads the page's `background`, sizes the page to it and centres it on
    // the screen, hidden. False (nothing changed) without a loadable picture.
    bool LoadBackground();

    // Factories. Each fails (false, nothing created) for an empty section or
    // an id the page already has.
    bool AddPicButton(int id, const QString& section);
    bool AddPicText(const QString& section, int id, int visible, int clickable);
    bool AddEdit(const QString& section, int id);
    bool AddCheckBox(const QString& section, int id);
    bool AddRadio(const QString& section, int id, const QString& defaultCaption);
    bool AddComboBox(const QString& section, int id);
    bool AddButton(int id, const QString& section);
    bool AddProgress(const QString& section);
    bool AddListCtrl(uint32_t style);

    // The control with that id, or null.
    QWidget* FindCtrl(int id) const;
    template <class T>
    T* FindCtrlAs(int id) const { return dynamic_cast<T*>(FindCtrl(id)); }
    const std::vector<std::unique_ptr<CCtrlItem>>& CtrlList() const { return m_ctrlList; }

    // The piece of background under the rectangle (null without background).
    QPixmap MakeBgBrush(int left, int top, int right, int bottom) const;
    const QPixmap& Background() const { return m_bgBitmap; }

    // Tab and Shift+Tab walk the focusable controls in reading order (top
    // to bottom, left to right). Done when the page is shown; again after
    // controls were added or moved.
    void OrderTabsByLayout();

    // Shows numbered message `number` as a message box; returns the answer.
    int ShowMessage(int number, unsigned type);

    // The settings file and what the skin paths resolved to.
    const CProfileFile& Profile() const { return *m_profile; }
    const SkinPaths& Paths() const { return m_paths; }
    QString PageName() const { return m_strPageName; }
    QString IniFile() const { return m_strIniFile; }
    QString ImageDir() const { return m_strImageDir; }
    QRect WindowRect() const { return m_rcWindow; }

protected:
    // Base start-up: loads the background. Pages override, call it after
    // SetupSkinPaths and then create their controls.
    virtual bool OnInitDialog();
    // Exit (1001) and Back (1002) post their navigation to the host.
    void OnCommand(int id, int code) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // The name and description a screen reader announces for a control:
    // its caption; for Exit, Back and Next their word; else its tip; else
    // the control's name in its section. A tip not used as the name
    // becomes the description.
    static void NameControl(QWidget* ctrl, const ControlDesc& d);
    bool ReadDesc(CtrlType type, const QString& section, int id, ControlDesc& desc, const CtrlRequest* extra = nullptr) const;
    void Append(int kind, QWidget* wnd, const CtrlRect& rect, QPixmap brush = QPixmap());

    int m_nTemplateId;
    std::vector<std::unique_ptr<CCtrlItem>> m_ctrlList;
    QPixmap m_bgBitmap;
    QString m_strIniFile;
    QString m_strImageDir;
    QString m_strPageName;
    QRect m_rcWindow;
    SkinPaths m_paths;
    std::shared_ptr<const CProfileFile> m_profile;
};

} // namespace orv

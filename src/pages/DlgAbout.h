#pragma once
// Page: about the program: the skin's texts and the program's version.
#include <QString>

#include "pages/WizardPage.h"
#include "res/Resources.h"

namespace orv {

class CDlgAbout : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kIdProject = 1301;
    static constexpr int kIdVer = 1302;
    static constexpr int kIdCreat = 1303;

    explicit CDlgAbout(QWidget* host = nullptr);

    // The skin's caption of "DlgAbout.Ver" when it has one, otherwise string
    // 2000 filled with `version`.
    QString VersionText(const res::ProgramVersion& version) const;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv

#pragma once
// Page: wireless summary and apply (newer form).
#include "pages/WizardPage.h"

namespace orv {

class CDlgWirelessFinishNew : public CWizardPage {
    Q_OBJECT
public:
    explicit CDlgWirelessFinishNew(QWidget* host = nullptr);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
};

} // namespace orv

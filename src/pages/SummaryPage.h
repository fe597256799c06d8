#pragma once
// The three summary pages share one body: they differ only in the controls
// they show and in how a failed apply is told to the user. Each page says
// which of the three it is; this class creates its controls, fills them from
// the settings block and runs the apply sequence on Next.
#include <QString>


#include "pages/SummaryText.h"
#include "pages/WizardPage.h"

namespace orv {

// A settings text (cut at its buffer of `cap` characters) as a Qt string.
QString FieldText(const wchar* field, std::size_t cap);

// Selects the shared page font into a text control and redraws it.
void ApplyUiFontToText(CWizardPage& page, int id);

class CSummaryPage : public CWizardPage {
    Q_OBJECT
public:
    CSummaryPage(int templateId, SummaryPage kind, QWidget* host);

    // Fills every edit from the settings block and sets the page font.
    void InitFromSettings(WizardSettings* settings) override;
    SummaryPage Kind() const { return m_kind; }

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;

private:
    // Next: writes the collected settings into the camera; -1 when it went
    // through (Next posted), else the result whose message was shown.
    int ApplyToCamera();
    void SetEditText(int id, const QString& text);
    QString EditText(int id) const;

    SummaryPage m_kind;
};

} // namespace orv

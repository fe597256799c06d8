#pragma once
// Page: network summary; applies the password and the network settings.
#include "pages/SummaryPage.h"

namespace orv {

class CDlgNetWorkFinish : public CSummaryPage {
    Q_OBJECT
public:
    explicit CDlgNetWorkFinish(QWidget* host = nullptr);
};

} // namespace orv

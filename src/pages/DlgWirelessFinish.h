#pragma once
// Page: wireless summary after the older wireless pages; applies the password,
// the network settings and the wireless settings.
#include "pages/SummaryPage.h"

namespace orv {

class CDlgWirelessFinish : public CSummaryPage {
    Q_OBJECT
public:
    explicit CDlgWirelessFinish(QWidget* host = nullptr);
};

} // namespace orv

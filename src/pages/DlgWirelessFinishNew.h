#pragma once
// Page: wireless summary after the newer wireless page; the same apply
// sequence, its own display of the wireless choices and finer messages for
// a failed exchange.
#include "pages/SummaryPage.h"

namespace orv {

class CDlgWirelessFinishNew : public CSummaryPage {
    Q_OBJECT
public:
    explicit CDlgWirelessFinishNew(QWidget* host = nullptr);
};

} // namespace orv

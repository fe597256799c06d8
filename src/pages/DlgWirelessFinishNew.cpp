#include "pages/DlgWirelessFinishNew.h"

#include "res/Resources.h"

namespace orv {

CDlgWirelessFinishNew::CDlgWirelessFinishNew(QWidget* host) : CSummaryPage(res::kDlgWirelessFinishNew, SummaryPage::WirelessNew, host) {}

} // namespace orv

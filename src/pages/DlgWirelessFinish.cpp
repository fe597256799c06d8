#include "pages/DlgWirelessFinish.h"

#include "res/Resources.h"

namespace orv {

CDlgWirelessFinish::CDlgWirelessFinish(QWidget* host) : CSummaryPage(res::kDlgWirelessFinish, SummaryPage::Wireless, host) {}

} // namespace orv

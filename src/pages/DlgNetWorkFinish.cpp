#include "pages/DlgNetWorkFinish.h"

#include "res/Resources.h"

namespace orv {

CDlgNetWorkFinish::CDlgNetWorkFinish(QWidget* host) : CSummaryPage(res::kDlgNetWorkFinish, SummaryPage::NetWork, host) {}

} // namespace orv

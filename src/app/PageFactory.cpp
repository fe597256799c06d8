#include "app/PageFactory.h"

#include "app/PageFlow.h"
#include "pages/DlgAbout.h"
#include "pages/DlgIdPwd.h"
#include "pages/DlgListCam.h"
#include "pages/DlgNetWork.h"
#include "pages/DlgNetWorkFinish.h"
#include "pages/DlgWPSSetting.h"
#include "pages/DlgWireless.h"
#include "pages/DlgWirelessFinish.h"
#include "pages/DlgWirelessFinishNew.h"
#include "pages/DlgWirelessKey.h"
#include "pages/DlgWirelessNew.h"
#include "pages/DlgWirelessSelect.h"

namespace orv {

CWizardPage* NewPage(int32_t code, QWidget* host)
{
    switch (code) {
    case kPageListCam: return new CDlgListCam(host);
    case kPageIdPwd: return new CDlgIdPwd(host);
    case kPageNetWork: return new CDlgNetWork(host);
    case kPageWireless: return new CDlgWireless(host);
    case kPageNetWorkFinish: return new CDlgNetWorkFinish(host);
    case kPageWirelessKey: return new CDlgWirelessKey(host);
    case kPageWirelessFinish: return new CDlgWirelessFinish(host);
    case kPageAbout: return new CDlgAbout(host);
    case kPageWpsDirect:
    case kPageWpsFollow: return new CDlgWPSSetting(host);
    case kPageWirelessSelect: return new CDlgWirelessSelect(host);
    case kPageWirelessNew: return new CDlgWirelessNew(host);
    case kPageWirelessFinishNew: return new CDlgWirelessFinishNew(host);
    default: return nullptr;
    }
}

} // namespace orv

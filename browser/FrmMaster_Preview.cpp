// The browse window's Preview: the selected voucher as the printed journal report, in the
// report engine's preview window.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"

#include <algorithm>

namespace idj {

namespace {

constexpr const char* kReportEngine = "ReportEngine.Application";
// An overlapped window with caption, system menu, sizing frame, minimise and maximise boxes,
// shown maximised.
constexpr int32_t kPreviewStyle = 0x1CF0000;

// The report file under the component's folder, in this platform's separators.
std::string reportFilePath() {
    std::string p = forms::appPath() + "\\reports\\rptInterjournalregister.json";
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

} // namespace

void FrmMaster::cmdPreview_click() {
    trapped("FrmMaster", "cmdPreview_click", [this] {
        const Context& c = ctx();
        MousePointer = forms::vbHourglass;
        const std::string path = reportFilePath();
        objReportApp_ = automation::CreateObject(kReportEngine);
        // The engine reads through this window's own connection: no credentials are handed over.
        automation::callv(objReportApp_, "LogOnServer", rt::ObjectPtr(adocon));
        objReport_ = automation::callv(objReportApp_, "OpenReport", path).object();
        objPrintOptions_ = automation::get(objReport_, "PrintWindowOptions").object();
        objParamFields_ = automation::get(objReport_, "ParameterFieldDefinitions").object();

        objParamField_ = automation::callv(objParamFields_, "Item", 1).object();
        automation::callv(objParamField_, "SetCurrentValue", c.intCompanyID);
        objParamField_ = automation::callv(objParamFields_, "Item", 2).object();
        automation::callv(objParamField_, "SetCurrentValue",
                          rt::Val(GrdMaster.TextMatrix(GrdMaster.Row(), 0)));

        for (const char* option :
             {"HasZoomControl", "HasNavigationControls", "HasPrintButton", "HasExportButton"})
            automation::let(objPrintOptions_, option, true);
        automation::callv(objReport_, "Preview", "Journal", 0, 0, 0, 0, kPreviewStyle);
    });
    MousePointer = forms::vbDefault;
}

} // namespace idj

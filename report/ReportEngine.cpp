#include "report/ReportEngine.h"

#include "automation/Automation.h"
#include "report/ReportData.h"
#include "report/ReportFields.h"
#include "report/ReportRenderer.h"
#include "runtime/Convert.h"
#include "services/Args.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace report {

using services::arg;
using services::isRead;

namespace {
constexpr int32_t kMaximise = 0x1000000;
} // namespace

void ReportApplication::LogOnServer(const ado::ConnectionPtr& connection) {
    if (!connection || connection->State() != ado::adStateOpen)
        rt::raise(rt::errObjectNotSet, "ReportEngine", "Log-on failed: there is no open connection");
    connection_ = connection;
}

rt::ObjectPtr ReportApplication::OpenReport(const std::string& path) {
    if (!connection_) rt::raise(rt::errObjectNotSet, "ReportEngine", "Log on before opening a report");
    auto state = std::make_shared<ReportState>();
    state->path = path;
    state->layout = readLayout(path);
    state->connection = connection_;
    return std::make_shared<Report>(state);
}

rt::Variant ReportApplication::invoke(std::string_view member, rt::CallKind kind,
                                      std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "LogOnServer")) {
        LogOnServer(services::objectOrNothing<ado::Connection>(arg(args, 0, cls, member), cls));
        return {};
    }
    if (rt::iequals(member, "OpenReport")) return OpenReport(rt::CStr(arg(args, 0, cls, member)));
    return rt::Object::invoke(member, kind, args);
}

Report::~Report() {
    // A window still open goes with its report, unless the application has already ended.
    if (state_->window && QCoreApplication::instance()) state_->window->close();
}

Pages Report::pages() const {
    return composePages(state_->layout, readData(state_->layout, state_->connection, state_->values));
}

void Report::Preview(const std::string& title, int left, int top, int width, int height, int32_t style) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        rt::raise(rt::errInvalidProcedureCall, "ReportEngine", "A preview needs the desktop");
    Pages laidOut = pages();
    delete state_->window.data();
    auto* window = new PreviewWindow(std::move(laidOut), state_->options);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromStdString(title));
    // Over the modal windows of the component it must take input itself.
    window->setWindowModality(Qt::ApplicationModal);
    if (width > 0 && height > 0) window->setGeometry(left, top, width, height);
    state_->window = window;
    if (style & kMaximise) {
        // Only a window manager maximises; without one the page would be a thumbnail.
        if (width <= 0 || height <= 0)
            if (QScreen* screen = QGuiApplication::primaryScreen())
                window->setGeometry(screen->availableGeometry());
        window->showMaximized();
    } else
        window->show();
}

int Report::Export(const std::string& pdfPath) {
    Pages laidOut = pages();
    writePdf(laidOut, pdfPath);
    return static_cast<int>(laidOut.pages.size());
}

rt::Variant Report::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "ParameterFieldDefinitions") && isRead(kind))
        return rt::ObjectPtr(std::make_shared<ParameterFields>(state_));
    if (rt::iequals(member, "PrintWindowOptions") && isRead(kind))
        return rt::ObjectPtr(std::make_shared<PrintWindowOptionsObject>(state_));
    if (rt::iequals(member, "Preview")) {
        auto number = [&](size_t i) { return services::given(args, i) ? rt::CLng(args[i]) : 0; };
        Preview(services::given(args, 0) ? rt::CStr(args[0]) : std::string(), number(1), number(2), number(3),
                number(4), number(5));
        return {};
    }
    if (rt::iequals(member, "Export"))
        return static_cast<int32_t>(Export(rt::CStr(arg(args, 0, cls, member))));
    return rt::Object::invoke(member, kind, args);
}

void registerReportEngine() {
    automation::registerClass(ReportApplication::kProgId,
                              [] { return std::make_shared<ReportApplication>(); });
}

} // namespace report

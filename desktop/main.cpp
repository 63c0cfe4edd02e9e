// idjrnl: the host program. It plays the suite's part: opens the database, registers the
// component's server library, creates idjrnl08.clsJournal by its ProgID, hands it the
// connection and the user's working context late-bound, and calls show.
#include "ado/Ado.h"
#include "ado/ConnectionTarget.h"
#include "automation/Automation.h"
#include "automation/Server.h"
#include "automation/ServerRegistry.h"
#include "db/Seeder.h"
#include "desktop/FormDialog.h"
#include "desktop/QtHost.h"
#include "forms/Form.h"
#include "report/ReportEngine.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"
#include "runtime/Error.h"

#include <CLI/CLI.hpp>
#include <QApplication>
#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace {

struct Options {
    std::string db = "demo/idjrnl-demo.db";
    int company = 1;
    int user = 1;
    int year = 3;
    int department = 0;
    std::string processDate;
    std::string caption = "Corvella Accounts";
    std::string screenshot;
    std::string screenshotWindow;
    int screenshotDelayMs = 500;
    std::string registry;
    std::string server;
    int voucher = 0;
    std::string pdf;
};

std::filesystem::path executableFolder() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

rt::Date processDateOf(const std::string& text) {
    if (text.empty()) return rt::today();
    std::optional<rt::Date> d = rt::parseDate(text);
    if (!d) rt::raise(rt::errTypeMismatch, "idjrnl", "--process-date is no date: " + text);
    return rt::dateOnly(*d);
}

// The server library writes its own registration, as regsvr32 would have it do.
void registerServer(const std::string& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) rt::raise(rt::errCannotCreateObject, "idjrnl", std::string("cannot load ") + dlerror());
    auto reg =
        reinterpret_cast<automation::DllRegisterServerFn>(dlsym(handle, automation::kDllRegisterServer));
    if (!reg) rt::raise(rt::errCannotCreateObject, "idjrnl", library + " has no DllRegisterServer");
    automation::HRESULT hr = reg();
    if (!automation::succeeded(hr))
        rt::raise(rt::errCannotCreateObject, "idjrnl",
                  "DllRegisterServer of " + library + " failed (" + std::to_string(hr) + ")");
}

int16_t int16Of(int v, const char* what) {
    if (v < INT16_MIN || v > INT16_MAX)
        rt::raise(rt::errOverflow, "idjrnl", std::string(what) + " out of range");
    return static_cast<int16_t>(v);
}

// The database (a file, or a server's database), created with the demo data when it is missing.
ado::ConnectionPtr openDatabase(const Options& o, rt::Date processDate) {
    const ado::detail::ConnectionTarget target = ado::detail::connectionTarget(o.db);
    if (target.kind == ado::detail::BackendKind::Sqlite) {
        std::filesystem::path db(target.address);
        if (db.has_parent_path()) std::filesystem::create_directories(db.parent_path());
    }
    if (db::ensureDemoDatabase(o.db, processDate))
        std::cerr << "idjrnl: created the demo database " << o.db << '\n';
    auto connection = ado::Connection::create();
    connection->Open(o.db);
    return connection;
}

int run(const Options& o, desktop::QtHost& host) {
    rt::Date processDate = processDateOf(o.processDate);
    auto connection = openDatabase(o, processDate);

    if (!o.registry.empty()) automation::setRegistryPath(o.registry);
    std::string server = o.server.empty() ? (executableFolder() / "idjrnl08.so").string() : o.server;
    registerServer(server);

    rt::ObjectPtr journal = automation::CreateObject("idjrnl08.clsJournal");
    automation::set(journal, "adocon", connection);
    automation::let(journal, "intCompanyID", int16Of(o.company, "--company"));
    automation::let(journal, "intuserid", int16Of(o.user, "--user"));
    automation::let(journal, "intFinancialID", int16Of(o.year, "--year"));
    automation::let(journal, "intdepartmentid", int16Of(o.department, "--department"));
    automation::let(journal, "dtProcessDate", processDate);
    automation::let(journal, "strMsgboxCaption", o.caption);
    automation::callv(journal, "show");

    if (!o.screenshot.empty()) {
        if (!host.screenshotTaken()) {
            std::cerr << "idjrnl: no screenshot: "
                      << (host.screenshotError().empty() ? "no window was shown" : host.screenshotError())
                      << '\n';
            return 2;
        }
        if (o.screenshot != "-") std::cerr << "idjrnl: screenshot written to " << o.screenshot << '\n';
    }
    return 0;
}

// The voucher's journal report written to a PDF through the same engine and report file as
// the preview, without opening a window.
int writeVoucherPdf(const Options& o) {
    auto connection = openDatabase(o, processDateOf(o.processDate));
    rt::ObjectPtr engine = automation::CreateObject(report::ReportApplication::kProgId);
    automation::callv(engine, "LogOnServer", rt::ObjectPtr(connection));
    const std::string path = forms::appPath() + "/reports/rptInterjournalregister.json";
    rt::ObjectPtr rpt = automation::callv(engine, "OpenReport", path).object();
    rt::ObjectPtr fields = automation::get(rpt, "ParameterFieldDefinitions").object();
    automation::callv(automation::callv(fields, "Item", 1).object(), "SetCurrentValue",
                      int16Of(o.company, "--company"));
    automation::callv(automation::callv(fields, "Item", 2).object(), "SetCurrentValue",
                      static_cast<double>(o.voucher));
    int32_t pages = rt::CLng(automation::callv(rpt, "Export", o.pdf));
    std::cerr << "idjrnl: voucher " << o.voucher << " written to " << o.pdf << " (" << pages
              << (pages == 1 ? " page)\n" : " pages)\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    CLI::App cli{"Inter-division journal: opens the browse window of the journal component"};
    cli.add_option("--db", o.db, "database file (the demo database is created when missing)")
        ->capture_default_str();
    cli.add_option("--company", o.company, "company id")->capture_default_str();
    cli.add_option("--user", o.user, "user id")->capture_default_str();
    cli.add_option("--year", o.year, "financial year id")->capture_default_str();
    cli.add_option("--department", o.department, "the user's department id, 0 for none")
        ->capture_default_str();
    cli.add_option("--process-date", o.processDate, "process date yyyy-mm-dd (default today)");
    cli.add_option("--caption", o.caption, "title of the component's message boxes")->capture_default_str();
    cli.add_option("--screenshot", o.screenshot,
                   "write a PNG of the window, then close it (for runs without a display); "
                   "- paints the window and writes nothing");
    cli.add_option("--screenshot-window", o.screenshotWindow,
                   "the window to grab: a name, or N for the N-th shown");
    cli.add_option("--screenshot-delay", o.screenshotDelayMs,
                   "milliseconds the window is shown before the grab")
        ->capture_default_str();
    cli.add_option("--registry", o.registry,
                   "server registry file (default $IDJ_REGISTRY or ~/.idjrnl08/registry)");
    cli.add_option("--server", o.server,
                   "the component's server library (default idjrnl08.so beside this program)");
    std::vector<std::string> presses;
    cli.add_option("--act", presses,
                   "act for the user once a window is up: WINDOW.CONTROL presses or chooses it, "
                   "WINDOW.CONTROL=N makes voucher N (a grid) or item N (a list) current; repeatable");
    cli.add_option("--voucher", o.voucher, "with --pdf: the voucher id (JournalTransID) to print");
    cli.add_option("--pdf", o.pdf, "write the voucher's journal report to this PDF file and end, no window");
    CLI11_PARSE(cli, argc, argv);

    // A PDF needs no display.
    if (!o.pdf.empty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("idjrnl");
    desktop::QtHost host;
    if (!o.screenshot.empty()) host.setScreenshot(o.screenshot, o.screenshotDelayMs, o.screenshotWindow);
    for (const std::string& act : presses) {
        const size_t dot = act.find('.');
        if (dot == std::string::npos) {
            std::cerr << "idjrnl: --act wants WINDOW.CONTROL, not " << act << '\n';
            return 1;
        }
        host.addAction(act.substr(0, dot), act.substr(dot + 1));
    }
    forms::setHost(&host);
    forms::setAppPath(executableFolder().string());
    report::registerReportEngine();

    if (!o.pdf.empty()) {
        try {
            return writeVoucherPdf(o);
        } catch (const std::exception& e) {
            std::cerr << "idjrnl: no PDF written: " << desktop::errorText(e) << '\n';
            return 1;
        }
    }

    int code = 1;
    try {
        code = run(o, host);
    } catch (const std::exception& e) {
        // What the component does not trap reaches its host, which tells the user.
        std::string text = desktop::errorText(e);
        if (host.unattended())
            host.messageBox(text, forms::vbCritical, o.caption); // written to stderr
        else {
            std::cerr << "idjrnl: " << text << '\n';
            host.messageBox(text, forms::vbCritical, o.caption);
        }
    }
    forms::setHost(nullptr);
    return code;
}

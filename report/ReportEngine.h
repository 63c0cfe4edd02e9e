#pragma once
// The report engine, an automation class created by ProgID: log on to a connection, open a
// report file, give its parameter fields their values, set its print-window options, and
// preview, print or export it. Everything goes through one layout and one rendering path.
#include "ado/Ado.h"
#include "report/ReportLayout.h"
#include "report/ReportPages.h"
#include "report/ReportPreview.h"
#include "runtime/Object.h"

#include <QPointer>
#include <memory>
#include <string>

namespace report {

// What a report and the objects it hands out share.
struct ReportState {
    std::string path;
    Layout layout;
    ado::ConnectionPtr connection;
    Values values; // parameter values by lower-case name
    PrintWindowOptions options;
    QPointer<PreviewWindow> window;
};

class ReportApplication : public rt::Object {
  public:
    static constexpr const char* kProgId = "ReportEngine.Application";

    std::string className() const override { return "Application"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // The engine reads through the caller's own open connection: it keeps no credentials.
    void LogOnServer(const ado::ConnectionPtr& connection);
    rt::ObjectPtr OpenReport(const std::string& path);

  private:
    ado::ConnectionPtr connection_;
};

class Report : public rt::Object {
  public:
    explicit Report(std::shared_ptr<ReportState> state) : state_(std::move(state)) {}
    ~Report() override;

    std::string className() const override { return "Report"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    // The pages for the current parameter values; raises 3021 when the data hold no record.
    Pages pages() const;
    // Shows the preview window (not modal for the caller: it returns at once). Left, top, width
    // and height 0 leave the place to the window system; the style's maximise bit (0x1000000)
    // shows it maximised.
    void Preview(const std::string& title, int left, int top, int width, int height, int32_t style);
    // Writes the same pages to a PDF file; gives the number of pages.
    int Export(const std::string& pdfPath);

    PreviewWindow* previewWindow() const { return state_->window.data(); }

  private:
    std::shared_ptr<ReportState> state_;
};

// Registers the engine's ProgID; a host that offers printing calls it once at start.
void registerReportEngine();

} // namespace report

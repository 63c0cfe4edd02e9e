#pragma once
// The engine's preview window: the report's pages with zoom, paging, printing and PDF export,
// each offered when the report's print-window options switch it on.
#include "report/ReportPages.h"

#include <QDialog>
#include <QPrinter>
#include <memory>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QSpinBox;
class QToolBar;

namespace report {

struct PrintWindowOptions {
    bool hasZoomControl = false;
    bool hasNavigationControls = false;
    bool hasPrintButton = false;
    bool hasExportButton = false;
};

class PreviewWindow : public QDialog {

  public:
    PreviewWindow(Pages pages, const PrintWindowOptions& options, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const Pages& pages() const { return pages_; }
    int currentPage() const;

    void goToPage(int page);
    // Prints through the system's print dialog; PDF export asks where to write.
    void print();
    void exportPdf();

  private:
    QToolBar* buildToolBar(const PrintWindowOptions& options);
    void updatePageBox();

    Pages pages_;
    QPrintPreviewWidget* view_ = nullptr;
    std::unique_ptr<QPrinter> printer_; // the preview's device, not a child widget
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QAction *first_ = nullptr, *previous_ = nullptr, *next_ = nullptr, *last_ = nullptr;
};

} // namespace report

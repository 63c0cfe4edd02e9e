#include "report/ReportPreview.h"

#include "report/ReportRenderer.h"
#include "runtime/Error.h"

#include <QFileDialog>
#include <QGraphicsView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace report {

namespace {

QAction* addButton(QToolBar* bar, const QString& text, const QString& accessible, const QKeySequence& keys,
                   std::function<void()> run) {
    QAction* a = bar->addAction(text);
    a->setShortcut(keys);
    a->setToolTip(accessible);
    QObject::connect(a, &QAction::triggered, bar, std::move(run));
    if (QWidget* w = bar->widgetForAction(a)) {
        w->setAccessibleName(accessible);
        // Reachable with Tab as well, for those who do not know the shortcuts.
        w->setFocusPolicy(Qt::TabFocus);
    }
    return a;
}

// A dialog over the preview gives the keys back when it closes: on a bare display no window
// manager does.
struct KeysBack {
    QWidget* window;
    ~KeysBack() {
        if (window->isVisible()) window->activateWindow();
    }
};

} // namespace

PreviewWindow::PreviewWindow(Pages pages, const PrintWindowOptions& options, QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)) {
    setAccessibleName("Report preview");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setFullPage(true);
    printer_->setPageLayout(QPageLayout(QPageSize(pages_.pageSize), pages_.orientation, QMarginsF()));
    view_ = new QPrintPreviewWidget(printer_.get(), this);
    view_->setAccessibleName("Report pages");
    // The keys go to the page view inside; a screen reader names what has them.
    for (QGraphicsView* pages : view_->findChildren<QGraphicsView*>())
        pages->setAccessibleName("Report pages");
    connect(view_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { renderPages(pages_, *printer); });
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &PreviewWindow::updatePageBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildToolBar(options));
    layout->addWidget(view_, 1);
    // The whole first page at a glance; zoom and fit width are a click away.
    view_->fitInView();
    updatePageBox();
}

QToolBar* PreviewWindow::buildToolBar(const PrintWindowOptions& options) {
    auto* bar = new QToolBar(this);
    bar->setAccessibleName("Preview tools");
    if (options.hasPrintButton)
        addButton(bar, tr("&Print..."), "Print", QKeySequence::Print, [this] { print(); });
    if (options.hasExportButton)
        addButton(bar, tr("Export PDF..."), "Export to PDF", QKeySequence("Ctrl+E"), [this] { exportPdf(); });
    if (options.hasNavigationControls) {
        bar->addSeparator();
        first_ = addButton(bar, "|<", "First page", QKeySequence(Qt::CTRL | Qt::Key_Home),
                           [this] { goToPage(1); });
        previous_ = addButton(bar, "<", "Previous page", QKeySequence(Qt::Key_PageUp),
                              [this] { goToPage(currentPage() - 1); });
        pageBox_ = new QSpinBox(bar);
        pageBox_->setAccessibleName("Page number");
        pageBox_->setRange(1, std::max(1, static_cast<int>(pages_.pages.size())));
        connect(pageBox_, &QSpinBox::editingFinished, this, [this] { goToPage(pageBox_->value()); });
        bar->addWidget(pageBox_);
        pageCount_ = new QLabel(QString(" of %1 ").arg(pages_.pages.size()), bar);
        pageCount_->setAccessibleName("Page count");
        bar->addWidget(pageCount_);
        next_ = addButton(bar, ">", "Next page", QKeySequence(Qt::Key_PageDown),
                          [this] { goToPage(currentPage() + 1); });
        last_ = addButton(bar, ">|", "Last page", QKeySequence(Qt::CTRL | Qt::Key_End),
                          [this] { goToPage(static_cast<int>(pages_.pages.size())); });
    }
    if (options.hasZoomControl) {
        bar->addSeparator();
        addButton(bar, tr("Zoom in"), "Zoom in", QKeySequence::ZoomIn, [this] { view_->zoomIn(); });
        addButton(bar, tr("Zoom out"), "Zoom out", QKeySequence::ZoomOut, [this] { view_->zoomOut(); });
        addButton(bar, tr("Fit width"), "Fit width", QKeySequence("Ctrl+1"), [this] { view_->fitToWidth(); });
        addButton(bar, tr("Whole page"), "Whole page", QKeySequence("Ctrl+2"),
                  [this] { view_->fitInView(); });
    }
    bar->addSeparator();
    addButton(bar, tr("&Close"), "Close", QKeySequence(Qt::Key_Escape), [this] { close(); });
    return bar;
}

// The preview widget paints on the printer until it goes, so the printer outlives it.
PreviewWindow::~PreviewWindow() {
    delete view_;
}

int PreviewWindow::currentPage() const {
    return view_->currentPage();
}

void PreviewWindow::goToPage(int page) {
    view_->setCurrentPage(std::clamp(page, 1, std::max(1, static_cast<int>(pages_.pages.size()))));
    updatePageBox();
}

void PreviewWindow::updatePageBox() {
    if (pageBox_) pageBox_->setValue(view_->currentPage());
    // A way that leads nowhere is shown unavailable, as a screen reader then says.
    const int page = view_->currentPage(), count = static_cast<int>(pages_.pages.size());
    for (QAction* back : {first_, previous_})
        if (back) back->setEnabled(page > 1);
    for (QAction* on : {next_, last_})
        if (on) on->setEnabled(page < count);
}

void PreviewWindow::print() {
    KeysBack back{this};
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setAccessibleName("Print");
    if (dialog.exec() != QDialog::Accepted) return;
    renderPages(pages_, printer);
}

void PreviewWindow::exportPdf() {
    KeysBack back{this};
    const QString path = QFileDialog::getSaveFileName(this, tr("Export to PDF"), windowTitle() + ".pdf",
                                                      tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    try {
        writePdf(pages_, path.toStdString());
    } catch (const rt::Error& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(e.description()));
    }
}

} // namespace report

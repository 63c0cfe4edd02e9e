#pragma once
// Paints laid-out pages onto a paged device: the preview's printer, a real printer or a PDF.
#include "report/ReportPages.h"

#include <QPagedPaintDevice>
#include <string>

namespace report {

// Sets the device's page size and orientation without margins (the pages carry their own),
// then paints every page.
void renderPages(const Pages& pages, QPagedPaintDevice& device);

// Writes the pages to a PDF file; raises 75 when the file cannot be written.
void writePdf(const Pages& pages, const std::string& path);

} // namespace report

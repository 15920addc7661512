// The design report as a PDF: the pages of main/core/DesignReport painted on
// a QPdfWriter, texts as text (selectable), lines and pictures as vector
// shapes, on the paper of the user's locale.
#pragma once

#include <QByteArray>
#include <QString>

#include "report/core/DesignReport.h"
#include "model/Model.h"

namespace tevrane {

// Letter where the locale measures in US customary units, A4 everywhere else.
ReportPaper localePaper();

// The report's PDF in memory; false when the PDF could not be made.
bool designReportPdf(const Model& m, const ReportRequest& request, QByteArray& bytes, int* pageCount = nullptr);

// The report of `m` (which came from `file`, empty for an unsaved design),
// dated today on the locale's paper, written to `path` through the one
// writer of every file: a failure leaves any old file as it was. Empty on
// success, else the reason.
QString writeDesignReport(const QString& path, const Model& m, const std::string& file);

}  // namespace tevrane

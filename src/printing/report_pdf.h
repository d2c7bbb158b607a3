#pragma once
// The report written as a one-page PDF file, without any window.

#include <QPageLayout>
#include <QString>

#include <vector>

#include "analysis/peaks.h"
#include "core/measurement_record.h"
#include "printing/page_settings.h"
#include "printing/report_layout.h"

// The report style of the stored page settings (margins parsed from their texts).
ReportStyle reportStyle(const PageSettings &settings);

// Device values of a page layout at `dpi`.
PageGeometry pageGeometry(const QPageLayout &layout, int dpi);

// Writes the report, with the table of `peaks`, on an A4 sheet in the
// orientation of `settings`. The file is replaced only by a complete PDF. Returns false and sets `error` (with
// the system's reason) when it cannot be written.
bool writeReportPdf(const MeasurementRecord &record, const PageSettings &settings, const QString &pdfPath,
                    QString *error, const std::vector<Peak> &peaks = {});

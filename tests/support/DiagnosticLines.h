#pragma once

#include <QLoggingCategory>

// Turns the diagnostic lines (request addresses, raw answers) on for as long
// as it lives; they are off by default.
class DiagnosticLinesOn {
  public:
    DiagnosticLinesOn() { QLoggingCategory::setFilterRules("inspector.diagnostics.debug=true"); }
    ~DiagnosticLinesOn() { QLoggingCategory::setFilterRules({}); }
    DiagnosticLinesOn(const DiagnosticLinesOn&) = delete;
    DiagnosticLinesOn& operator=(const DiagnosticLinesOn&) = delete;
};

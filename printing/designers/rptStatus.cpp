#include "rptStatus.h"

#include "DesignerErrors.h"
#include "DesignerResources.h"
#include "ui/Printers.h"

rptStatus::rptStatus() : Report(designers::LayoutPath("rptStatus")) {}

void rptStatus::DataReport_Initialize() { Orientation(ui::OrientationLandscape); }

void rptStatus::DataReport_Error(int /*jobType*/, long /*cookie*/, const vb::VbError& /*error*/, bool& showError) {
  designers::TellNoPrinter("rptStatus", showError);
}

#include "rptTorbLeaNotes.h"

#include "DesignerResources.h"
#include "ui/Printers.h"

rptTorbLeaNotesBase::rptTorbLeaNotesBase(const std::string& layoutFile) : Report(designers::LayoutPath(layoutFile)) {}

void rptTorbLeaNotesBase::DataReport_Initialize() {
  Orientation(ui::OrientationLandscape);
  Sections("Section4").Visible(false);
}

rptTorbLeaNotes::rptTorbLeaNotes() : rptTorbLeaNotesBase("rptTorbLeaNotes") {}

rptTorbLeaNotesTax::rptTorbLeaNotesTax() : rptTorbLeaNotesBase("rptTorbLeaNotesTax") {}

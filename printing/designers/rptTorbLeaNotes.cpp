#include "rptTorbLeaNotes.h"

#include "DesignerLayout.h"
#include "ui/Printers.h"

rptTorbLeaNotesBase::rptTorbLeaNotesBase(const std::string& layoutFile) : Report(DesignerLayout(layoutFile)) {}

void rptTorbLeaNotesBase::DataReport_Initialize() {
  Orientation(ui::OrientationLandscape);
  Sections("Section4").Visible(false);
}

rptTorbLeaNotes::rptTorbLeaNotes() : rptTorbLeaNotesBase("rptTorbLeaNotes.json") {}

rptTorbLeaNotesTax::rptTorbLeaNotesTax() : rptTorbLeaNotesBase("rptTorbLeaNotesTax.json") {}

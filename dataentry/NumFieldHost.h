#pragma once
// What levbook offers the numeric fields it places: the host's Format (the
// program's own Format, so "#,##0" lays an amount out as everywhere else),
// the modal windows of the field library shown through the Dialogs seam,
// and the fields as bound controls for the form-data binding routines.

#include <memory>

#include "BoundControl.h"

class QWidget;

namespace NumFieldHost {

// Installs the host services in the field library; the program does so
// once at start.
void Install();
// Takes them out again (the library's defaults).
void Uninstall();

// The bound control of a numeric field: it moves the field's Text (Null for
// an empty field) and raises a value the field refuses as the run-time
// error the field reports. nullptr for any other widget, so that it serves
// as the maker of QtBoundControls.
std::unique_ptr<BoundControl> BoundNumField(QWidget& widget);

}  // namespace NumFieldHost

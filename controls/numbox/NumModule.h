#pragma once
// The library as a whole: how hosts make fields, how the library shows its
// modal windows (the about box, the message of a value that cannot be
// read), and its version.
//
// Hosts link the library and make fields through the exported creator
// with the field's registered identifier; any other identifier answers
// nothing. The library shows modal windows through a hook that the host
// installs (levbook hands them to its Dialogs seam); without one, a
// window runs its own modal loop.

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace numbox {

class CNumCtrl;

// Makes a field for a registered identifier ("Inkfield.QuorMaskNum.1",
// compared without regard to case); nullptr for any other.
CNumCtrl* CreateControl(const QString& progId, QWidget* parent = nullptr);

// Shows a window modally and answers its result.
using ShowModalHook = std::function<int(QDialog&)>;
// Installs the hook and answers the previous one; an empty hook restores
// the window's own modal loop.
ShowModalHook SetShowModal(ShowModalHook hook);
int ShowModal(QDialog& dialog);

// The about box of the library; answers its result (1 for OK).
int ShowAboutBox();

}  // namespace numbox

// The library's exported creator, for hosts that find it by name.
extern "C" Q_DECL_EXPORT QWidget* NumboxCreateControl(const char* progId, QWidget* parent);

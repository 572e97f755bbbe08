#pragma once
// A field control of an entry screen as the form-data binding sees it: a
// name, a tag, and the properties that the tag moves the value through.
// Windows hand their Qt controls over through QtBoundControls; tests use
// controls of their own.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vb/Variant.h"

class QWidget;

class BoundControl {
 public:
  virtual ~BoundControl() = default;

  virtual std::string Name() const = 0;
  virtual std::string Tag() const = 0;

  // Each property raises error 438 on a control that lacks it.
  // The shown text; Null when the control holds none.
  virtual vb::Variant Text() const;
  virtual void Text(const vb::Variant& text);
  // The check value: 1 ticked, 0 not, 2 greyed.
  virtual vb::Variant Value() const;
  virtual void Value(const vb::Variant& value);
  // The selected entry of a list; -1 for none.
  virtual void ListIndex(int index);
};

using BoundControls = std::vector<BoundControl*>;

// The Qt widgets below a container, in the order they were created, as
// bound controls: the name is the widget's object name, the tag its "tag"
// property; line edits and text boxes move Text, check boxes Value (1 or
// 0), combo boxes Text and ListIndex. A container holding controls of
// another kind hands a maker that answers their bound control (nullptr
// for a widget it leaves to the standard one).
class QtBoundControls {
 public:
  using Maker = std::function<std::unique_ptr<BoundControl>(QWidget&)>;
  explicit QtBoundControls(QWidget& container, const Maker& maker = {});
  ~QtBoundControls();
  QtBoundControls(const QtBoundControls&) = delete;
  QtBoundControls& operator=(const QtBoundControls&) = delete;

  const BoundControls& Controls() const { return view_; }

 private:
  std::vector<std::unique_ptr<BoundControl>> owned_;
  BoundControls view_;
};

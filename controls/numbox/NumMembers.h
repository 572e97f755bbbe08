#pragma once
// The field's members as a host drives them by name: every property with
// its dispatch id, name, type, get rule and set kind, the methods, and the
// events. A get or set by name turns the argument into the member's type
// first (a value that does not convert raises 13 "Type mismatch"), then
// runs the member, whose checks come before anything is stored. There is
// no design time: every member runs as at run time.

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <span>

namespace numbox {

class CNumCtrl;

// The types of the members' values.
enum class MemberType { Short, Long, Boolean, Colour, Single, String, Variant, Picture, Font, Object };

// What a get returns: the stored value, a value only meaningful at run
// time (the field's state), or one worked out from other values.
enum class GetRule { Stored, RunTime, Computed };

// What a set does after its checks (see the setters of CNumCtrl).
enum class SetRule { Keep, Repaint, RepaintUnfocused, RepaintNull, Reformat, Caret, Calc, Negative, Tip, Frame,
                     Special, ReadOnly };

struct Member {
  int dispid;
  const char* name;
  MemberType type;
  GetRule get;
  SetRule set;
  // `index` is the argument of the one indexed property (CalcBtnText).
  QVariant (*getter)(CNumCtrl& field, const QVariant& index);
  void (*setter)(CNumCtrl& field, const QVariant& value, const QVariant& index);
};

struct Method {
  int dispid;
  const char* name;
  int arguments;
  QVariant (*call)(CNumCtrl& field, const QVariantList& args);
};

struct Event {
  int dispid;
  const char* name;
};

// The properties: the field's own (dispatch ids 1..113 and 123), the value
// alias (0, Text) and the stock ones (BackColor, Enabled, Font, ForeColor, hWnd).
std::span<const Member> Members();
// The methods 114..122 and AboutBox (-552).
std::span<const Method> Methods();
// The events 1..16 and the stock events.
std::span<const Event> Events();

// By name, ignoring case, or by dispatch id; nullptr when there is none.
const Member* FindMember(const QString& name);
const Member* FindMember(int dispid);

// Gets and sets by name. An unknown name raises 438, a set of a read-only
// member 383.
QVariant GetProperty(CNumCtrl& field, const QString& name, const QVariant& index = QVariant());
void SetProperty(CNumCtrl& field, const QString& name, const QVariant& value, const QVariant& index = QVariant());
// Calls a method by name; the wrong number of arguments raises 450.
QVariant CallMethod(CNumCtrl& field, const QString& name, const QVariantList& args = {});

}  // namespace numbox

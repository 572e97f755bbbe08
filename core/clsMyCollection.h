#pragma once
// The program's list of values: an ordered list numbered from 1, with a
// membership test that ignores letter case, a join into one text, and set
// operations that answer new lists. Table, column and key names travel in it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vb/Variant.h"

class clsMyCollection;
using MyCollectionPtr = std::shared_ptr<clsMyCollection>;

class clsMyCollection : public vb::Object {
 public:
  static MyCollectionPtr New() { return std::make_shared<clsMyCollection>(); }
  // A new list of the texts in order (the inverse of Texts).
  static MyCollectionPtr Of(const std::vector<std::string>& texts);

  // Appends a copy of the value as item Count + 1.
  void Add(const vb::Variant& aData);
  // Appends the value unless ContainData finds it.
  void AddUnique(const vb::Variant& aData);
  // Some item matches: both as text (numbers and dates as their texts, Empty
  // as ""), upper-cased and compared exactly. Null matches nothing.
  bool ContainData(const vb::Variant& aData) const;
  void removeAll();
  // The items' texts in order with the separator between neighbours; a Null
  // item adds nothing (its separators stay); a Null first item is error 94.
  std::string Join(const std::string& Seperator) const;
  MyCollectionPtr Union(const clsMyCollection& aColl) const;
  std::int32_t Count() const;
  // The item at a position from 1; Null above Count; error 9 below 1.
  vb::Variant Item(const vb::Variant& I) const;
  // Replaces the item at a position; a position above Count appends.
  void Item(const vb::Variant& I, const vb::Variant& aData);
  MyCollectionPtr Intersect(const clsMyCollection& aColl) const;
  MyCollectionPtr Subtract(const clsMyCollection& aColl) const;
  // Same count, and every item of this list is in the other one.
  bool SameData(const clsMyCollection& aColl) const;
  // Same count and equal items position by position (case counts; a Null on
  // either side counts as equal).
  bool SameDataAndOrder(const clsMyCollection& aColl) const;
  // The first position of the store (1) and Count; error 9 for a list that
  // never held an item.
  std::int32_t i1() const;
  std::int32_t i2() const;

  // The items as texts, for callers that want a plain list of names.
  std::vector<std::string> Texts() const;

 private:
  std::int32_t StoreFirst() const;  // error 9 without a store

  std::optional<std::vector<vb::Variant>> store_;  // the items at positions 1..size; none for a new list
};

#include "clsMyCollection.h"

#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace {

constexpr const char* kModule = "clsMyCollection";

// The text under which two items match, or nullopt for Null.
std::optional<std::string> MatchText(const vb::Variant& v) {
  if (v.IsNull()) return std::nullopt;
  return vb::UCase(vb::TextOf(v));
}

}  // namespace

MyCollectionPtr clsMyCollection::Of(const std::vector<std::string>& texts) {
  auto list = New();
  for (const std::string& text : texts) list->Add(vb::Variant(text));
  return list;
}

std::int32_t clsMyCollection::StoreFirst() const {
  if (!store_) vb::Raise(vb::err::SubscriptOutOfRange);
  return 1;
}

void clsMyCollection::Add(const vb::Variant& aData) {
  Trap trap(kModule, "Add");
  trap([&] {
    if (!store_) store_.emplace();
    store_->push_back(aData);
  });
}

void clsMyCollection::AddUnique(const vb::Variant& aData) {
  Trap trap(kModule, "AddUnique");
  trap([&] {
    if (!ContainData(aData)) Add(aData);
  });
}

bool clsMyCollection::ContainData(const vb::Variant& aData) const {
  bool found = false;
  Trap trap(kModule, "ContainData");
  trap([&] {
    std::optional<std::string> wanted = MatchText(aData);
    if (!wanted || !store_) return;
    for (const vb::Variant& item : *store_) {
      if (MatchText(item) == wanted) {
        found = true;
        return;
      }
    }
  });
  return found;
}

void clsMyCollection::removeAll() {
  Trap trap(kModule, "removeAll");
  trap([&] { store_.emplace(); });
}

std::string clsMyCollection::Join(const std::string& Seperator) const {
  std::string text;
  Trap trap(kModule, "Join");
  trap([&] {
    if (Count() < 1) return;
    text = vb::CStr(store_->front());
    for (std::size_t i = 1; i < store_->size(); ++i) text += Seperator + vb::TextOf((*store_)[i]);
  });
  return text;
}

MyCollectionPtr clsMyCollection::Union(const clsMyCollection& aColl) const {
  auto result = New();
  Trap trap(kModule, "Union");
  trap([&] {
    for (std::int32_t i = StoreFirst(); i <= Count(); ++i) result->AddUnique((*store_)[static_cast<std::size_t>(i - 1)]);
  });
  trap([&] {
    for (std::int32_t i = aColl.StoreFirst(); i <= aColl.Count(); ++i)
      result->AddUnique((*aColl.store_)[static_cast<std::size_t>(i - 1)]);
  });
  return result;
}

std::int32_t clsMyCollection::Count() const { return store_ ? static_cast<std::int32_t>(store_->size()) : 0; }

vb::Variant clsMyCollection::Item(const vb::Variant& I) const {
  vb::Variant item;
  Trap trap(kModule, "Item[Get]");
  trap([&] {
    if (vb::Compare(I, vb::Variant(Count())).value_or(0) > 0) {
      item = vb::Null;
      return;
    }
    std::int32_t position = vb::CLng(I);
    if (position < 1) vb::Raise(vb::err::SubscriptOutOfRange);
    item = (*store_)[static_cast<std::size_t>(position - 1)];
  });
  return item;
}

void clsMyCollection::Item(const vb::Variant& I, const vb::Variant& aData) {
  Trap trap(kModule, "Item[Let]");
  trap([&] {
    if (vb::Compare(I, vb::Variant(Count())).value_or(0) > 0) {
      Add(aData);
      return;
    }
    std::int32_t position = vb::CLng(I);
    if (position < 1) vb::Raise(vb::err::SubscriptOutOfRange);
    (*store_)[static_cast<std::size_t>(position - 1)] = aData;
  });
}

MyCollectionPtr clsMyCollection::Intersect(const clsMyCollection& aColl) const {
  auto result = New();
  Trap trap(kModule, "Intersect");
  trap([&] {
    StoreFirst();
    for (std::int32_t i = aColl.StoreFirst(); i <= aColl.Count(); ++i) {
      const vb::Variant& item = (*aColl.store_)[static_cast<std::size_t>(i - 1)];
      if (ContainData(item)) result->AddUnique(item);
    }
  });
  return result;
}

MyCollectionPtr clsMyCollection::Subtract(const clsMyCollection& aColl) const {
  auto result = New();
  Trap trap(kModule, "Subtract");
  trap([&] {
    aColl.StoreFirst();
    for (std::int32_t i = StoreFirst(); i <= Count(); ++i) {
      const vb::Variant& item = (*store_)[static_cast<std::size_t>(i - 1)];
      if (!aColl.ContainData(item)) result->AddUnique(item);
    }
  });
  return result;
}

bool clsMyCollection::SameData(const clsMyCollection& aColl) const {
  bool same = false;
  Trap trap(kModule, "SameData");
  trap([&] {
    StoreFirst();
    aColl.StoreFirst();
    if (Count() != aColl.Count()) return;
    for (const vb::Variant& item : *store_)
      if (!aColl.ContainData(item)) return;
    same = true;
  });
  return same;
}

bool clsMyCollection::SameDataAndOrder(const clsMyCollection& aColl) const {
  bool same = false;
  Trap trap(kModule, "SameDataAndOrder");
  trap([&] {
    StoreFirst();
    aColl.StoreFirst();
    if (Count() != aColl.Count()) return;
    for (std::size_t i = 0; i < store_->size(); ++i) {
      std::optional<int> order = vb::Compare((*store_)[i], (*aColl.store_)[i]);
      if (order && *order != 0) return;  // a Null on either side counts as equal
    }
    same = true;
  });
  return same;
}

std::int32_t clsMyCollection::i1() const {
  std::int32_t first = 0;
  Trap trap(kModule, "i1[Get]");
  trap([&] { first = StoreFirst(); });
  return first;
}

std::int32_t clsMyCollection::i2() const {
  std::int32_t last = 0;
  Trap trap(kModule, "i2[Get]");
  trap([&] { last = std::max(Count() - StoreFirst() + 1, 0); });
  return last;
}

std::vector<std::string> clsMyCollection::Texts() const {
  std::vector<std::string> texts;
  if (store_)
    for (const vb::Variant& item : *store_) texts.push_back(vb::TextOf(item));
  return texts;
}

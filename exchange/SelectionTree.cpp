#include "SelectionTree.h"

#include "vb/VbError.h"

namespace {

// A key that the tree holds already.
constexpr long kKeyNotUnique = 35602;

}  // namespace

const char* StateKey(NodeState state) {
  switch (state) {
    case NodeState::Some: return "Some";
    case NodeState::All: return "All";
    default: return "None";
  }
}

int SelectionTree::Add(int parent, std::string key, std::string text, bool expanded) {
  if (parent != 0) Node(parent);  // the parent must exist
  if (Find(key) != 0) vb::Raise(kKeyNotUnique, "Key is not unique in collection");
  SelectionNode node;
  node.key = std::move(key);
  node.text = std::move(text);
  node.parent = parent;
  node.expanded = expanded;
  nodes_.push_back(std::move(node));
  const int index = Count();
  if (parent != 0) Node(parent).children.push_back(index);
  return index;
}

SelectionNode& SelectionTree::Node(int index) {
  if (index < 1 || index > Count()) vb::Raise(vb::err::SubscriptOutOfRange);
  return nodes_[static_cast<std::size_t>(index - 1)];
}

const SelectionNode& SelectionTree::Node(int index) const {
  if (index < 1 || index > Count()) vb::Raise(vb::err::SubscriptOutOfRange);
  return nodes_[static_cast<std::size_t>(index - 1)];
}

int SelectionTree::Find(std::string_view key) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].key == key) return static_cast<int>(i + 1);
  return 0;
}

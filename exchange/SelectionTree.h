#pragma once
// A tree of choices as the export window shows it, without a widget: nodes
// in the order they were added (the node collection, counted from 1 as its
// Index), each with a key, a text, a parent, its children in collection
// order, whether it is expanded, and its selection state, one of the three
// pictures "None" (not chosen), "Some" (partly chosen) and "All" (fully
// chosen). The window draws each node's picture from its state.

#include <string>
#include <string_view>
#include <vector>

enum class NodeState { None, Some, All };

// The picture key of a state: "None", "Some" or "All".
const char* StateKey(NodeState state);
// "Some" counts as selected, exactly like "All".
inline bool Selected(NodeState state) { return state != NodeState::None; }

struct SelectionNode {
  std::string key;
  std::string text;
  NodeState state = NodeState::None;
  int parent = 0;             // Index of the parent; 0 for a top node
  std::vector<int> children;  // Indexes, in collection order
  bool expanded = false;
};

class SelectionTree {
 public:
  // Adds a node below `parent` (0: a top node) and answers its Index.
  // Error 35602 when another node has the key.
  int Add(int parent, std::string key, std::string text, bool expanded = false);
  // The number of nodes.
  int Count() const { return static_cast<int>(nodes_.size()); }
  // A node by its Index; error 9 outside 1 to Count.
  SelectionNode& Node(int index);
  const SelectionNode& Node(int index) const;
  // The top node, the first one added; 0 when the tree is empty.
  int Root() const { return nodes_.empty() ? 0 : 1; }
  // The Index of the node with the key (exactly as written), 0 when none.
  int Find(std::string_view key) const;
  // The state of the top node; "None" for an empty tree.
  NodeState RootState() const { return nodes_.empty() ? NodeState::None : nodes_.front().state; }

 private:
  std::vector<SelectionNode> nodes_;
};

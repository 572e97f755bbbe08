#pragma once
// The slot in which a seam keeps the implementation installed over its
// default (tests install doubles; nullptr restores the default).

namespace ui {

template <class Interface>
class SeamSlot {
 public:
  static Interface& Get(Interface& fallback) {
    Interface* installed = Installed();
    return installed ? *installed : fallback;
  }
  // Installs an implementation (not owned) and answers the previous one.
  static Interface* Set(Interface* implementation) {
    Interface* previous = Installed();
    Installed() = implementation;
    return previous;
  }

 private:
  static Interface*& Installed() {
    static Interface* installed = nullptr;
    return installed;
  }
};

}  // namespace ui

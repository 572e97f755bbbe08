#pragma once
// The classic life of a form, shared by the dialogs (ui::Form) and the main
// window (ui::MainForm): loaded on first use, Form_Load once per load,
// Form_Unload once per unload, and loaded again afterwards when used again.
// Other parts of the program open a window through this face.

namespace ui {

class FormLife {
 public:
  virtual ~FormLife() = default;

  // Runs Form_Load when the form is not loaded yet.
  void Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
  }
  bool Loaded() const { return loaded_; }
  // Loads the form and shows it without waiting.
  virtual void ShowModeless() = 0;

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}

  // Runs Form_Unload when the form is loaded.
  void RunUnload() {
    if (!loaded_) return;
    loaded_ = false;
    Form_Unload();
  }

 private:
  bool loaded_ = false;
};

}  // namespace ui

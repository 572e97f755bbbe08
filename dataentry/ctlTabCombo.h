#pragma once
// The tab and list switcher: one list of entries, each a caption and the
// name of a control on the host window, shown either as the tabs of a tab
// strip or as the items of a drop-down list; two picture buttons at the
// right end switch between the two. Choosing an entry hides every listed
// control, shows the chosen one and gives it the focus, so that a window
// can keep several panels in one place. TabClick tells the host that the
// user picked an entry (a tab clicked, a list item chosen).
//
// The host hands itself as ParentForm and adds its entries once; it finds
// nothing else to set up. Places and sizes are in twips.

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "ui_ctlTabCombo.h"

class ctlTabCombo : public QWidget, public Ui::ctlTabCombo {
  Q_OBJECT

 public:
  // The entries the switcher can hold.
  static constexpr int kMaxEntries = 101;

  explicit ctlTabCombo(QWidget* parent = nullptr);

  // The window whose controls the entries name.
  QWidget* ParentForm() const;
  void ParentForm(QWidget* aForm);
  // The caption of the entry chosen in the list; empty when none is.
  std::string cbotext() const;
  // Steps to the next entry of the presentation in use, from the last back
  // to the first; in the list this also shows the entry and raises TabClick.
  void NextControl();
  // The 1-based position of the entry shown last (1 until one is).
  std::int16_t CurrentIndex() const;
  // Adds an entry at the end of the list and of the tab strip.
  void AddItem(const std::string& strName, const std::string& StrCtl);
  // Empties the list and the tab strip (the entries' control names stay).
  void DelItem();
  // Enables or disables the controls of all entries.
  void EnableCtl(bool enabled);
  // The switcher itself takes input or not.
  void cboCTL_Enable() { setEnabled(true); }
  void cboCTL_Disable() { setEnabled(false); }
  // The 1-based position of the selected tab; 0 when there is no tab.
  std::int16_t TabNumber() const;

  // "Tab" or "Combo": the presentation NextControl steps through.
  const std::string& Mode() const { return mode_; }

  // What the buttons, the tab strip and the list do.
  void cmdCombo_Click();
  void cmdTab_Click();
  void tabCtl_Click();
  void cboCtl_Click();

 signals:
  void TabClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void tabCtl_GotFocus();
  // Hides the controls of all entries and shows the chosen one
  // ("Tab1": the selected tab, "Combo1": the list's item).
  void VisibleCtl(const std::string& selector);
  // Chooses a list item by code; the list's handler runs as for a click.
  void SetListPosition(int position);
  std::string& NameAt(int position);
  QWidget& HostControl(const std::string& name) const;

  QPointer<QWidget> parentForm_;
  std::array<std::string, kMaxEntries> names_;
  std::int16_t count_ = 0;
  std::string mode_ = "Tab";
  std::int16_t currentIndex_ = 0;
};

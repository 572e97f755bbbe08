#pragma once
// The certification questions ("Data modification"): before certified data
// is exported, the logged-on official reads the certification statement of
// the logon group and answers its questions. The first question (have the
// certificate numbers been verified?) is a gate that is asked afresh at
// every showing and never stored: OK is enabled only while it is answered
// Yes. The others are stored, with a comment each, in TorbLeaNotes, one row
// per agency key and question set ("COUNTY", "DISTRICT", "CHARTER",
// "SELPA", "TAX"); a Yes must be explained before OK accepts the answers.
//
// One shared instance serves every export: the caller sets the agency
// (CtyId, distid, SchId, YearId, PeriodId), clears gblnQuestionsCancelled
// and shows it modally; afterwards the flag tells a Cancel (or any other
// way out, Escape and the window manager's close included) from answers
// stored. A store that fails keeps the window open.

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/Recordset.h"
#include "ui/Form.h"
#include "ui/MultiLineText.h"
#include "ui_frmQuestions.h"
#include "vb/Variant.h"

class frmQuestions : public ui::Form, public Ui::frmQuestions {
  Q_OBJECT

 public:
  explicit frmQuestions(QWidget* parent = nullptr);
  ~frmQuestions() override;

  // The shared instance, made on first use; released, the next use makes a
  // fresh one.
  static frmQuestions& Shared();
  static void ReleaseShared();

  // The agency whose answers are loaded and stored (write-only).
  void CtyId(const vb::Variant& value);
  void distid(const vb::Variant& value);
  void PeriodId(const vb::Variant& value);
  void YearId(const vb::Variant& value);
  void SchId(const vb::Variant& value);
  // Accepted and kept; the stored names come from the agency directory.
  void SchDistName(const vb::Variant& value);
  void SchName(const vb::Variant& value);

  // The gate pair of a panel: Yes enables OK, No disables it.
  void Gate_Click(bool yes);
  // A stored question's Yes: its comment box opens with the comment as
  // loaded and takes the focus. Its No: the box is emptied and closed.
  void optYes_Click(std::size_t control);
  void optNo_Click(std::size_t control);
  // Checks that every Yes is explained, stores the answers and closes.
  void cmdOK_Click();
  // Closes without storing.
  void cmdCancel_Click();

  // The controls of a stored question, by panel in the order of the sets
  // and within a panel in the order of the questions.
  struct QuestionControls {
    std::size_t set;       // the question set (panel) it belongs to
    std::size_t position;  // 0 for Qn1, 1 for Qn2, ...
    QLabel* text;
    QRadioButton* yes;
    QRadioButton* no;
    QButtonGroup* pair;
    ui::MultiLineText* comment;
  };
  const std::vector<QuestionControls>& Questions() const { return questions_; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  // Every way out but a stored OK counts as Cancel.
  void Form_QueryUnload(bool& cancel, UnloadMode mode) override;

 private:
  struct PanelControls {
    QGroupBox* panel;
    QLabel* statement;
    QLabel* gate;
    QRadioButton* gateYes;
    QRadioButton* gateNo;
    QButtonGroup* gatePair;
  };
  void BuildPanels();
  // The set of the logged-on group, or -1 for a group without one.
  static int SetOfGroup(std::int32_t group);
  // The stored answers of the set's agency, apart from the connection.
  db::RecordsetPtr ReadAnswers(int set) const;
  // Shows the answers of the row (or the empty answers) in the set's
  // controls.
  void ShowAnswers(int set);
  // The answers into mrsAnswers, and mrsAnswers into the database.
  void StoreAnswers(int set);
  static void ClearPair(QButtonGroup& pair);

  std::vector<PanelControls> panels_;
  std::vector<QuestionControls> questions_;

  std::int32_t mlngCtyId = 0;
  std::int32_t mlngDistId = 0;
  std::int32_t mlngPeriodId = 0;
  std::int32_t mlngYearId = 0;
  std::int32_t mlngSchId = 0;
  std::string mstrSchDistName;
  std::string mstrSchName;

  // The stored answers read at load, written back by OK.
  db::RecordsetPtr mrsAnswers;
  // The comment of each stored question of the set as loaded.
  std::array<std::string, 4> mstrSavedComment;
  // "LOAD" while the stored answers are put into the controls.
  std::string mstrLoadMarker;
  // OK stored the answers: the window closes without counting as Cancel.
  bool stored_ = false;
};

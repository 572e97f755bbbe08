// The certification questions: the five question sets as one table, the
// panels built from it, loading and storing the answers of TorbLeaNotes.

#include "frmQuestions.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "clsDataAccess.h"
#include "db/Connection.h"
#include "db/SqlText.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using db::Param;
using db::SqlText;
using vb::Variant;

namespace {

constexpr const char* kModule = "frmQuestions";
constexpr const char* kLoadMarker = "LOAD";

// --- The question sets ---------------------------------------------------------------------

struct StoredQuestion {
  const char* text;
  const char* yes;      // the Yes choice's name
  const char* no;       // the No choice's name
  const char* comment;  // the comment box's name
  const char* refusal;  // OK's message for a Yes without a comment
};

struct QuestionSet {
  std::int32_t group;  // the logon group that answers it
  const char* panel;   // the panel's name (its title is in the window's design)
  const char* type;    // TYPE of its answers row
  int left;            // the panel's left offset, in twips
  const char* statement;
  const char* gate;
  const char* gateYes;
  const char* gateNo;
  std::vector<StoredQuestion> questions;  // Qn1, Qn2, ... in order
  // The agency's directory row (agency type) and whether the answers and
  // directory rows are found by the school code (else school 0).
  std::int32_t leaType;
  bool bySchool;
};

constexpr const char* kExceptions = "Do you wish to note any exceptions to the data you are certifying and submitting?";
constexpr const char* kExceptionsRefusal =
    "Please provide details of any exceptions to the data you are certifying and submitting";
constexpr const char* kEachProgram = "1. Have you verified the certificate numbers for each program?";

const std::vector<QuestionSet>& QuestionSets() {
  static const std::string exceptions = std::string("2. ") + kExceptions;
  static const std::string exceptionsThird = std::string("3. ") + kExceptions;
  static const std::vector<QuestionSet> sets = {
      {2,
       "fraCounty",
       "COUNTY",
       500,
       "As the county superintendent, or his/her designee, I hereby certify in accordance with Education Code "
       "sections 41601 and 42129, that to the best of my knowledge, and with any exceptions noted, the data "
       "submitted herein have been compiled and reported in accordance with all applicable laws, regulations and "
       "instructions.",
       "1. Have you verified the certificate numbers for all school districts, charters, county auditor, or SELPAs?",
       "Option1",
       "Option2",
       {{"2. Have you modified any of the data received from a school district or SELPA or County Auditor?",
         "optYes1County", "optNo1County", "txtQn1CommentsCounty",
         "Please provide details of any modification of data received from a school district or SELPA or County "
         "Auditor"},
        {exceptionsThird.c_str(), "optYes2County", "optNo2County", "txtQn2CommentsCounty", kExceptionsRefusal},
        {"4. Has any school district modified the data received from any charter school?", "optYes3County",
         "optNo3County", "txtQn3CommentsCounty",
         "Please provide details of school district modified the data received from any charter school"},
        {"5. Have you modified any of the data received from any chartering entity or any charter school?",
         "optYes4County", "optNo4County", "txtQn4CommentsCounty",
         "Please provide details of any data modified by you received from any chartering entity or any charter "
         "school"}},
       2,
       false},
      {3,
       "fraDistrict",
       "DISTRICT",
       700,
       "As the School district superintendent, I hereby certify in accordance with Education Code Section 41601 and "
       "42129, that to the best of my knowledge and belief, and with any exceptions noted, the data submitted herein "
       "are true and correct and that all data have been reported in accordance with state and federal laws and "
       "regulations.",
       "1. Have you verified the certificate numbers for all charter schools or SELPAs?",
       "Option4",
       "Option3",
       {{exceptions.c_str(), "optYes1District", "optNo1District", "txtQn1CommentsDistrict", kExceptionsRefusal},
        {"3. Have you modified any of the data received from any charter school?", "optYes2District",
         "optNo2District", "txtQn2CommentsDistrict",
         "Please provide details of any data modified by you received from any charter school"}},
       3,
       false},
      {4,
       "fraCharter",
       "CHARTER",
       650,
       "As an official of the charter school who is responsible for reporting attendance, I hereby certify in "
       "accordance with 5 CCR 11966, that to the best of my knowledge and belief, and with any exceptions noted, the "
       "data submitted herein are true and correct and that all data submitted herein are reported for pupils whose "
       "attendance is eligible for public funding.",
       kEachProgram,
       "Option5",
       "Option6",
       {{exceptions.c_str(), "optYes1Charter", "optNo1Charter", "txtQn1CommentsCharter", kExceptionsRefusal}},
       4,
       true},
      {5,
       "fraSELPA",
       "SELPA",
       650,
       "As the SELPA Administrator, I hereby certify that to the best of my knowledge and belief, and with any "
       "exceptions noted, the data submitted herein are true and correct and that all data have been reported in "
       "accordance with state and federal laws and regulations.",
       kEachProgram,
       "Option9",
       "Option10",
       {{exceptions.c_str(), "optYes1SELPA", "optNo1SELPA", "txtQn1CommentsSELPA", kExceptionsRefusal}},
       5,
       true},
      {7,
       "fraTax",
       "TAX",
       650,
       "As the county auditor, I hereby certify in accordance with Education Code Section 41760.2, that to the best "
       "of my knowledge, and with any exceptions noted, the data submitted herein have been reported in accordance "
       "with all applicable laws, regulations and instructions.",
       kEachProgram,
       "Option8",
       "Option7",
       {{exceptions.c_str(), "optYes1Tax", "optNo1Tax", "txtQn1CommentsTax", kExceptionsRefusal}},
       2,
       false},
  };
  return sets;
}

// --- Layout, in twips ----------------------------------------------------------------------

constexpr ui::TwipsPlace kPlaces[] = {
    {"frmQuestions", 0, 0, 9990, 7365},
    {"cmdOK", 7080, 6960, 1215, 315},
    {"cmdCancel", 8520, 6960, 1215, 315},
};
// Every panel at its left offset, this high up and this large.
constexpr int kPanelTop = 120;
constexpr int kPanelWidth = 8535;
constexpr int kPanelHeight = 6615;
// Inside a panel: the statement, the gate question and below them the
// stored questions, each with its comment box under its text. The pairs
// stand right of the texts, Yes left of No.
constexpr int kInnerLeft = 120;
constexpr int kInnerWidth = 8295;
constexpr int kStatementTop = 300;
constexpr int kStatementHeight = 900;
constexpr int kGateTop = 1320;
constexpr int kTextWidth = 6495;
constexpr int kTextHeight = 420;
constexpr int kYesLeft = 6735;
constexpr int kNoLeft = 7590;
constexpr int kChoiceWidth = 735;
constexpr int kChoiceHeight = 255;
constexpr int kQuestionsTop = 1920;
constexpr int kQuestionsBottom = 6660;
// Between a question's text and its box, and below the box.
constexpr int kGapAbove = 60;
constexpr int kGapBelow = 180;

std::string ColumnOf(std::size_t position) { return "Qn" + std::to_string(position + 1); }
std::string CommentColumnOf(std::size_t position) { return ColumnOf(position) + "Comments"; }

QFont Weighted(const QFont& face, bool bold) {
  QFont font = face;
  font.setBold(bold);
  return font;
}

QRadioButton* Choice(QWidget& panel, const char* name, const char* caption, bool bold, int left, int top) {
  auto* choice = new QRadioButton(QString::fromUtf8(caption), &panel);
  choice->setObjectName(QString::fromUtf8(name));
  choice->setFont(Weighted(panel.window()->font(), bold));
  ui::SetTwipsGeometry(*choice, left, top, kChoiceWidth, kChoiceHeight);
  return choice;
}

QLabel* Text(QWidget& panel, const std::string& text, const QString& name, int top, int width, int height) {
  auto* label = new QLabel(QString::fromStdString(text), &panel);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFont(Weighted(panel.window()->font(), false));
  ui::SetTwipsGeometry(*label, kInnerLeft, top, width, height);
  return label;
}

QButtonGroup* PairOf(QWidget& panel, QRadioButton* yes, QRadioButton* no) {
  auto* pair = new QButtonGroup(&panel);
  pair->addButton(yes);
  pair->addButton(no);
  return pair;
}

QPointer<frmQuestions>& SharedSlot() {
  static QPointer<frmQuestions> shared;
  return shared;
}

}  // namespace

// --- The window ------------------------------------------------------------------------------

frmQuestions::frmQuestions(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  // A fixed border and no close box: OK or Cancel leave the window.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  ui::UseLayoutFace(*this);
  ui::PlaceControls(*this, kPlaces);
  setFixedSize(size());
  BuildPanels();
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

frmQuestions::~frmQuestions() = default;

frmQuestions& frmQuestions::Shared() {
  QPointer<frmQuestions>& shared = SharedSlot();
  if (!shared) shared = new frmQuestions();
  return *shared;
}

void frmQuestions::ReleaseShared() {
  QPointer<frmQuestions>& shared = SharedSlot();
  if (shared) shared->deleteLater();
  shared.clear();
}

void frmQuestions::BuildPanels() {
  const std::vector<QuestionSet>& sets = QuestionSets();
  for (std::size_t s = 0; s < sets.size(); ++s) {
    const QuestionSet& set = sets[s];
    QGroupBox& panel = *findChild<QGroupBox*>(set.panel);
    panel.setFont(Weighted(font(), true));
    ui::SetTwipsGeometry(panel, set.left, kPanelTop, kPanelWidth, kPanelHeight);
    const QString suffix = QString::fromUtf8(set.panel + 3);  // "County" of "fraCounty"
    PanelControls controls{&panel, nullptr, nullptr, nullptr, nullptr, nullptr};
    controls.statement = Text(panel, set.statement, "lblStatement" + suffix, kStatementTop, kInnerWidth, kStatementHeight);
    controls.gate = Text(panel, set.gate, "lblGate" + suffix, kGateTop, kTextWidth, kTextHeight);
    controls.gate->setToolTip(QString::fromUtf8(set.gate));
    controls.gateYes = Choice(panel, set.gateYes, "Yes", false, kYesLeft, kGateTop);
    controls.gateNo = Choice(panel, set.gateNo, "No", true, kNoLeft, kGateTop);
    controls.gatePair = PairOf(panel, controls.gateYes, controls.gateNo);
    connect(controls.gateYes, &QRadioButton::toggled, this, [this](bool on) {
      if (on) Gate_Click(true);
    });
    connect(controls.gateNo, &QRadioButton::toggled, this, [this](bool on) {
      if (on) Gate_Click(false);
    });
    panels_.push_back(controls);

    const int slot = (kQuestionsBottom - kQuestionsTop) / static_cast<int>(set.questions.size());
    for (std::size_t q = 0; q < set.questions.size(); ++q) {
      const StoredQuestion& question = set.questions[q];
      const int top = kQuestionsTop + static_cast<int>(q) * slot;
      const QString tip = QString::fromUtf8(question.text);
      QuestionControls c{s, q, nullptr, nullptr, nullptr, nullptr, nullptr};
      c.text = Text(panel, question.text, QString("lblQn%1%2").arg(q + 1).arg(suffix), top, kTextWidth, kTextHeight);
      c.text->setToolTip(tip);
      c.yes = Choice(panel, question.yes, "Yes", false, kYesLeft, top);
      c.no = Choice(panel, question.no, "No", true, kNoLeft, top);
      c.pair = PairOf(panel, c.yes, c.no);
      c.comment = new ui::MultiLineText(&panel);
      c.comment->setObjectName(QString::fromUtf8(question.comment));
      c.comment->setFont(Weighted(font(), false));
      c.comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      c.comment->setToolTip(tip);
      c.comment->setEnabled(false);
      ui::SetTwipsGeometry(*c.comment, kInnerLeft, top + kTextHeight + kGapAbove, kInnerWidth,
                           slot - kTextHeight - kGapAbove - kGapBelow);
      const std::size_t index = questions_.size();
      connect(c.yes, &QRadioButton::toggled, this, [this, index](bool on) {
        if (on) optYes_Click(index);
      });
      connect(c.no, &QRadioButton::toggled, this, [this, index](bool on) {
        if (on) optNo_Click(index);
      });
      questions_.push_back(c);
    }
  }
  // The tab order runs down each panel, then to the buttons.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* next) {
    if (previous) setTabOrder(previous, next);
    previous = next;
  };
  for (std::size_t s = 0; s < panels_.size(); ++s) {
    chain(panels_[s].gateYes);
    chain(panels_[s].gateNo);
    for (const QuestionControls& c : questions_) {
      if (c.set != s) continue;
      chain(c.yes);
      chain(c.no);
      chain(c.comment);
    }
  }
  chain(cmdOK);
  chain(cmdCancel);
}

int frmQuestions::SetOfGroup(std::int32_t group) {
  const std::vector<QuestionSet>& sets = QuestionSets();
  for (std::size_t s = 0; s < sets.size(); ++s)
    if (sets[s].group == group) return static_cast<int>(s);
  return -1;
}

void frmQuestions::ClearPair(QButtonGroup& pair) {
  const QSignalBlocker quiet(&pair);
  pair.setExclusive(false);
  for (QAbstractButton* choice : pair.buttons()) {
    const QSignalBlocker quietChoice(choice);
    choice->setChecked(false);
  }
  pair.setExclusive(true);
}

// --- The agency --------------------------------------------------------------------------------

void frmQuestions::CtyId(const vb::Variant& value) { mlngCtyId = vb::CLng(value); }
void frmQuestions::distid(const vb::Variant& value) { mlngDistId = vb::CLng(value); }
void frmQuestions::PeriodId(const vb::Variant& value) { mlngPeriodId = vb::CLng(value); }
void frmQuestions::YearId(const vb::Variant& value) { mlngYearId = vb::CLng(value); }
void frmQuestions::SchId(const vb::Variant& value) { mlngSchId = vb::CLng(value); }
void frmQuestions::SchDistName(const vb::Variant& value) { mstrSchDistName = vb::TextOf(value); }
void frmQuestions::SchName(const vb::Variant& value) { mstrSchName = vb::TextOf(value); }

// --- Loading -----------------------------------------------------------------------------------

void frmQuestions::Form_Activate() {
  // Centred on the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

void frmQuestions::Form_Load() {
  Trap trap(kModule, "Form_Load");
  stored_ = false;
  mrsAnswers.reset();
  // The controls as designed: panels hidden, no pair answered, OK and the
  // comment boxes disabled.
  cmdOK->setEnabled(false);
  for (PanelControls& p : panels_) {
    p.panel->setVisible(false);
    ClearPair(*p.gatePair);
  }
  for (QuestionControls& c : questions_) {
    ClearPair(*c.pair);
    c.comment->clear();
    c.comment->setEnabled(false);
  }
  int set = -1;
  trap([&] { set = SetOfGroup(modGlobals::GlobalParam().LogonUserGroup); });
  if (set >= 0) trap([&] { panels_[static_cast<std::size_t>(set)].panel->setVisible(true); });

  mstrLoadMarker = kLoadMarker;
  if (set >= 0) trap([&] { mrsAnswers = ReadAnswers(set); });
  trap([&] { ShowAnswers(set); });
  mstrLoadMarker.clear();
}

db::RecordsetPtr frmQuestions::ReadAnswers(int set) const {
  const QuestionSet& qs = QuestionSets()[static_cast<std::size_t>(set)];
  SqlText q;
  q << "SELECT * FROM TorbLeaNotes WHERE COUNTY_ID = " << Param(Variant(mlngCtyId))
    << " AND SCHOOL_DISTRICT_ID = " << Param(Variant(mlngDistId)) << " AND FISCAL_YEAR = " << Param(Variant(mlngYearId))
    << " AND PERIOD_ID = " << Param(Variant(mlngPeriodId)) << " AND TYPE = " << Param(Variant(std::string(qs.type)))
    << " AND SCHOOL_ID = " << Param(Variant(qs.bySchool ? mlngSchId : 0));
  db::RecordsetPtr answers = db::Recordset::Query(q.Sql(), modGlobals::SharedConnection(), q.Params());
  // Held apart from the connection until OK writes it back.
  answers->ActiveConnection(nullptr);
  return answers;
}

void frmQuestions::ShowAnswers(int set) {
  const bool stored = mrsAnswers && mrsAnswers->RecordCount() >= 1 && !mrsAnswers->Eof();
  if (!stored) {
    for (QuestionControls& c : questions_) {
      c.no->setChecked(true);
      c.comment->clear();
      c.comment->setEnabled(false);
    }
    mstrSavedComment.fill(std::string());
  } else {
    for (QuestionControls& c : questions_) {
      if (static_cast<int>(c.set) != set) continue;
      const Variant answer = mrsAnswers->Value(ColumnOf(c.position));
      (!answer.IsNull() && vb::CDbl(answer) == 1 ? c.yes : c.no)->setChecked(true);
      const std::string comment = vb::TextOf(mrsAnswers->Value(CommentColumnOf(c.position)));
      c.comment->Text(comment);
      mstrSavedComment[c.position] = comment;
    }
  }
  // A box opens for a comment, and for a Yes, which must be explained.
  for (QuestionControls& c : questions_)
    c.comment->setEnabled(!vb::Trim(c.comment->Text()).empty() || c.yes->isChecked());
}

// --- Answering -----------------------------------------------------------------------------------

void frmQuestions::Gate_Click(bool yes) { cmdOK->setEnabled(yes); }

void frmQuestions::optYes_Click(std::size_t control) {
  if (mstrLoadMarker == kLoadMarker) return;
  QuestionControls& c = questions_[control];
  c.comment->setEnabled(true);
  c.comment->Text(mstrSavedComment[c.position]);
  c.comment->setFocus();
}

void frmQuestions::optNo_Click(std::size_t control) {
  QuestionControls& c = questions_[control];
  c.comment->clear();
  c.comment->setEnabled(false);
}

void frmQuestions::cmdOK_Click() {
  Trap trap(kModule, "cmdOK_Click");
  modGlobals::gblnQuestionsCancelled = false;
  int set = -1;
  trap([&] { set = SetOfGroup(modGlobals::GlobalParam().LogonUserGroup); });
  if (set < 0) return;
  for (QuestionControls& c : questions_) {
    if (static_cast<int>(c.set) != set || !c.yes->isChecked() || !vb::Trim(c.comment->Text()).empty()) continue;
    trap([&] {
      ui::MsgBox(QuestionSets()[c.set].questions[c.position].refusal, ui::vbInformation + ui::vbOKOnly);
    });
    trap([&] {
      c.comment->setEnabled(true);
      c.comment->setFocus();
    });
    return;
  }
  // A store that fails keeps the window open with the answers as given.
  if (!trap([&] { StoreAnswers(set); })) return;
  stored_ = true;
  trap([&] { Unload(QDialog::Accepted); });
}

void frmQuestions::StoreAnswers(int set) {
  const QuestionSet& qs = QuestionSets()[static_cast<std::size_t>(set)];
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  // The agency's directory row names a new answers row.
  SqlText d;
  d << "SELECT * FROM KRN_LEAS WHERE COUNTY_ID = " << Param(Variant(mlngCtyId))
    << " AND SCHOOL_DISTRICT_ID = " << Param(Variant(mlngDistId)) << " AND FISCAL_YEAR = " << Param(Variant(mlngYearId))
    << " AND LEA_TYPE = " << Param(Variant(qs.leaType)) << " AND SCHOOL_ID = " << Param(Variant(qs.bySchool ? mlngSchId : 0));
  const db::RecordsetPtr directory = db::Recordset::Query(d.Sql(), conn, d.Params());
  if (!mrsAnswers) mrsAnswers = ReadAnswers(set);
  db::Recordset& answers = *mrsAnswers;
  if (answers.RecordCount() < 1 || answers.Eof()) {
    // A directory row that is missing leaves the names empty.
    auto name = [&](const char* column) { return Variant(directory->Eof() ? std::string() : vb::TextOf(directory->Value(column))); };
    answers.AddNew();
    answers.SetValue("COUNTY_ID", Variant(mlngCtyId));
    answers.SetValue("SCHOOL_DISTRICT_ID", Variant(mlngDistId));
    answers.SetValue("FISCAL_YEAR", Variant(mlngYearId));
    answers.SetValue("PERIOD_ID", Variant(mlngPeriodId));
    answers.SetValue("SCHOOL_ID", Variant(mlngSchId));
    answers.SetValue("SCHOOL_DISTRICT_NAME", name("SCHOOL_DISTRICT_NAME"));
    answers.SetValue("SCHOOL_NAME", name("SCHOOL_NAME"));
    answers.SetValue("TYPE", Variant(std::string(qs.type)));
  }
  for (const QuestionControls& c : questions_) {
    if (static_cast<int>(c.set) != set) continue;
    answers.SetValue(ColumnOf(c.position), Variant(std::int16_t(c.yes->isChecked() ? 1 : 0)));
    answers.SetValue(CommentColumnOf(c.position), Variant(c.comment->Text()));
  }
  answers.Update();
  db::Transaction store(*conn);
  clsDataAccess().SubmitRecordset(answers, modGlobals::gstrConnectionString, conn);
  store.Commit();
}

void frmQuestions::cmdCancel_Click() {
  modGlobals::gblnQuestionsCancelled = true;
  Unload();
}

void frmQuestions::Form_QueryUnload(bool&, UnloadMode) {
  if (!stored_) modGlobals::gblnQuestionsCancelled = true;
}

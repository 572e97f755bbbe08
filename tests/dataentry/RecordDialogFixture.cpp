#include "RecordDialogFixture.h"

#include "vb/Conversions.h"

void RecordDialogTest::SetUp() {
  ProgramTest::SetUp();
  clsGlobalParam& g = gp();
  g.UserGroup = 2;
  g.LogonUserGroup = 2;
  g.CountyID = 62;
  g.DistrictID = 10620;
  g.SchoolId = 0;
  g.CountyName = "Birch County";
  g.DistrictName = "Birch County Office of Education";
  g.DistrictType = "CO OFFICE";
  g.ReportYear = 2019;
  g.ReportPeriod = 1;
  g.FormNo = 29;
  g.formname = "Tax";
  modGlobals::gintTaxType = 0;
  modGlobals::glngNewResCountyID = 0;
  modGlobals::glngNewResDistrictID = 0;
  modGlobals::gstrNewRecSource.clear();
}

void RecordDialogTest::TearDown() {
  modGlobals::gintTaxType = 0;
  modGlobals::gstrNewRecSource.clear();
  modGlobals::gblnTaxCopied = false;
  ProgramTest::TearDown();
}

void RecordDialogTest::Execute(const std::string& sql, const std::vector<vb::Variant>& params) {
  modGlobals::SharedConnection()->Execute(sql, params);
}

vb::Variant RecordDialogTest::Scalar(const std::string& sql, const std::vector<vb::Variant>& params) {
  return modGlobals::SharedConnection()->Scalar(sql, params);
}

long long RecordDialogTest::WrittenChanges() { return vb::CLng(Scalar("select total_changes()")); }

std::shared_ptr<clsGlobalParam> RecordDialogTest::OpenersParameters() {
  auto own = std::make_shared<clsGlobalParam>();
  gp().CopyTo(*own);
  return own;
}

void RecordDialogTest::AcknowledgeMessages(int count) { dialogs_.AcknowledgeMessages(count); }

Texts RecordDialogTest::TakeMessages() { return dialogs_.TakeMessages(); }

Texts ItemsOf(const QComboBox& box) {
  Texts items;
  for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
  return items;
}

Texts ItemsOf(const QListWidget& list) {
  Texts items;
  for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i)->text().toStdString());
  return items;
}

// The certificate numbers of groups kept in several tables: the group keys
// of the group's rows and of its companion tables' rows, joined, and the
// record counts the status rows take from them. The expected numbers are
// computed here with zlib's CRC-32 over the texts from their second
// character.

#include <gtest/gtest.h>
#include <zlib.h>

#include "ImportFixture.h"
#include "vb/Conversions.h"

using namespace importfixture;

namespace {

// The checksum of a text from its second character on.
std::int32_t Crc(const std::string& text) {
  if (text.size() < 2) return 0;
  const auto bytes = reinterpret_cast<const Bytef*>(text.data() + 1);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), bytes, text.size() - 1)));
}

// The certificate of keys joined, those that are 0 left out.
std::int32_t Joined(const std::vector<std::int32_t>& keys) {
  std::string text;
  for (std::int32_t key : keys)
    if (key != 0) text += std::to_string(key);
  return Crc(text);
}

std::string Insert(const std::string& table, const std::string& columns, const std::string& values) {
  return "INSERT INTO " + table + " (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, " + columns +
         ") VALUES " + values + ";";
}

}  // namespace

TEST_F(ImportTest, JoinedKeysLeaveZerosOutAndHashFromTheSecondCharacter) {
  struct Case {
    const char* name;
    std::vector<std::int32_t> keys;
    std::vector<std::int32_t> same;
  };
  const Case cases[] = {
      {"a zero key leaves no trace", {123456, 0, -98765}, {123456, -98765, 0}},
      {"no separator", {12, 345}, {123, 45}},
      {"a negative first key's sign is not hashed", {-5, 77}, {9, 577}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CertifiedImport::JoinedKeysCertificate(c.keys), CertifiedImport::JoinedKeysCertificate(c.same)) << c.name;
    EXPECT_EQ(CertifiedImport::JoinedKeysCertificate(c.keys), Joined(c.keys)) << c.name;
  }
  EXPECT_EQ(CertifiedImport::JoinedKeysCertificate({0, 7, 0}), 0) << "one character";
  EXPECT_EQ(CertifiedImport::JoinedKeysCertificate({0, 0}), 0);
  EXPECT_EQ(CertifiedImport::JoinedKeysCertificate({12, 345}), Crc("12345"));
}

TEST_F(ImportTest, InfantFundingCountsItsAllocationsAndTransfersPlusOne) {
  const std::string group = Insert("INFANTFUNDING", "CERT_KEY", "(2019, 2, 19, 612, 6129999, 1111)");
  const std::string allocations = Insert("InfantFundingAllocation", "SelpaAUDist, SelpaAUDistSchoolId, CERT_KEY",
                                         "(2019, 2, 19, 612, 6129999, 1, 0, 21), (2019, 2, 19, 612, 6129999, 2, 0, 22),"
                                         " (2019, 2, 19, 612, 6129999, 3, 0, 23)");
  const std::string transfers =
      Insert("InfantFundingTransfer", "TrType, SelpaAU, SelpaAuSchoolId, SelpaDist, SelpaDistSchoolId, CERT_KEY",
             "(2019, 2, 19, 612, 6129999, 1, 612, 0, 613, 0, 31), (2019, 2, 19, 612, 6129999, 1, 612, 0, 614, 0, 32)");
  // A neighbour of another school, which the certificate must not take.
  const std::string neighbour = Insert("InfantFundingAllocation", "SelpaAUDist, SelpaAUDistSchoolId, CERT_KEY",
                                       "(2019, 2, 19, 612, 6120001, 1, 0, 99)");
  const std::string toc = Status(19, 612, 6129999, 102) + Toc("INFANTFUNDING", 19, 612, 6129999);
  const ImportScope selpa = Scope(5, 19, 612, 6129999, "R1");
  const std::string status = "SELECT CERTIFICATE_NUMBER, NUM_RECORD FROM LEA_FORMS_STATUS WHERE FORM_NO = 102";
  const std::int32_t k1 = Crc("1111"), k2 = Crc("212223"), k3 = Crc("3132");

  std::string report = Import(File(group + allocations + transfers + neighbour + toc, "with-transfers"), selpa);
  EXPECT_NE(report.find("Number of Records Copied = 6\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows(status), std::to_string(Joined({k1, k2, k3})) + "|6");

  Execute("DELETE FROM INFANTFUNDING; DELETE FROM InfantFundingAllocation; DELETE FROM InfantFundingTransfer;"
          " DELETE FROM LEA_FORMS_STATUS;");
  report = Import(File(group + allocations + toc, "without-transfers"), selpa);
  EXPECT_NE(report.find("Number of Records Copied = 4\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows(status), std::to_string(Joined({k1, k2})) + "|4");
}

TEST_F(ImportTest, CharterTracksCountWithTheirGroupButIndependentStudyTracksOnlyInTheCertificate) {
  const ImportScope charter = Scope(4, 19, 612, 6120001);
  auto tracks = [](const char* table, int first, int count) {
    std::string values;
    for (int i = 0; i < count; ++i)
      values += (i ? ", " : "") + std::string("(2019, 2, 19, 612, 6120001, ") + std::to_string(i + 1) + ", " +
                std::to_string(first + i) + ")";
    return Insert(table, "TrackNumber, CERT_KEY", values);
  };
  std::string report = Import(File(Insert("ATTCS", "CERT_KEY", "(2019, 2, 19, 612, 6120001, 501)") +
                                       tracks("ATTCSTRACK", 61, 4) + Status(19, 612, 6120001, 41) +
                                       Toc("ATTCS", 19, 612, 6120001),
                                   "charter"),
                              charter);
  EXPECT_NE(report.find("Number of Records Copied = 5\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows("SELECT CERTIFICATE_NUMBER, NUM_RECORD FROM LEA_FORMS_STATUS WHERE FORM_NO = 41"),
            std::to_string(Joined({Crc("501"), Crc("61626364")})) + "|5");

  report = Import(File(Insert("SCICS", "CERT_KEY", "(2019, 2, 19, 612, 6120001, 502)") + tracks("SCICSTRACK", 71, 3) +
                           Status(19, 612, 6120001, 51) + Toc("SCICS", 19, 612, 6120001),
                       "independent-study"),
                  charter);
  EXPECT_NE(report.find("Number of Records Copied = 1\r\n"), std::string::npos) << report;
  EXPECT_EQ(Rows("SELECT count(*) FROM SCICSTRACK"), "3");
  EXPECT_EQ(Rows("SELECT CERTIFICATE_NUMBER, NUM_RECORD FROM LEA_FORMS_STATUS WHERE FORM_NO = 51"),
            std::to_string(Joined({Crc("502"), Crc("717273")})) + "|1");
}

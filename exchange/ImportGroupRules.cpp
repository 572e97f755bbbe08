#include "ImportGroupRules.h"

#include <array>

#include "vb/Conversions.h"

namespace importrules {

constexpr FurtherTable kInfantFundingTables[] = {{"InfantFundingAllocation"}, {"InfantFundingTransfer"}};
constexpr FurtherTable kRocpSmallTables[] = {{"ROCPSCHOOLADA", false}};
constexpr FurtherTable kAttCsBgCoeTables[] = {{"ATTCSBGCOEADA"}};
constexpr FurtherTable kAttCsTables[] = {{"ATTCSTRACK"}};
constexpr FurtherTable kAttCsAllTables[] = {{"ATTCSTRACK"}, {"ATTCSADAALLOCATION"}};
constexpr FurtherTable kAttCsAcdTables[] = {{"ATTCSACDTRACK"}};
constexpr FurtherTable kAttCoeCsTables[] = {{"ATTCOECSTRACK"}};
constexpr FurtherTable kSciCsTables[] = {{"SCICSTRACK"}};
constexpr FurtherTable kAttCoeAeCoeTables[] = {{"AECOE"}};

const GroupKeys kInfantFunding{"INFANTFUNDING", kInfantFundingTables, RecordCount::FurtherPlusOne};
const GroupKeys kRocpSmall{"ROCPSCHOOL", kRocpSmallTables, RecordCount::None};
const GroupKeys kAttCsBgCoe{"ATTCSBGCOE", kAttCsBgCoeTables, RecordCount::GroupAndFurther};
const GroupKeys kAttCs{"ATTCS", kAttCsTables, RecordCount::GroupAndFurther};
const GroupKeys kAttCsAll{"ATTCS", kAttCsAllTables, RecordCount::GroupAndFurther};
const GroupKeys kAttCsAcdTrack{"ATTCSACD", kAttCsAcdTables, RecordCount::GroupAndFurther};
const GroupKeys kAttCoeCs{"ATTCOECS", kAttCoeCsTables, RecordCount::GroupAndFurther};
const GroupKeys kSciCs{"SCICS", kSciCsTables, RecordCount::GroupOnly};
const GroupKeys kAttCoeAeCoe{"ATTCOE", kAttCoeAeCoeTables, RecordCount::GroupAndFurther};

}  // namespace importrules

namespace {

using enum IncomingRows;
using importrules::kAttCoeCs;
using importrules::kAttCsAcdTrack;
using importrules::kAttCsAll;
using importrules::kAttCsBgCoe;
using importrules::kInfantFunding;
using importrules::kSciCs;

// The companion tables and companion keys.
constexpr std::string_view kTrackNumber[] = {"TRACKNUMBER"};
constexpr std::string_view kResidence[] = {"RES_COUNTY_ID", "RES_SCHOOL_DISTRICT_ID"};
constexpr CompanionTable kInfantFundingCompanions[] = {{"InfantFundingAllocation", CompanionSource::RowKey, true},
                                                       {"InfantFundingTransfer", CompanionSource::RowKey, true}};
constexpr CompanionTable kAttCsBgCoeCompanions[] = {{"ATTCSBGCOEADA", CompanionSource::CompanionKey, true}};
constexpr CompanionKeyPart kAttCsBgCoeKey[] = {{"ATTCSBGCOEADA", kResidence, false}};
constexpr CompanionTable kSciCsCompanions[] = {{"SCICSTRACK", CompanionSource::CompanionKey, false}};
constexpr CompanionKeyPart kSciCsKey[] = {{"SCICSTRACK", kTrackNumber, true}};
constexpr CompanionTable kAttCsCompanions[] = {{"ATTCSTRACK", CompanionSource::CompanionKey, true},
                                               {"ATTCSADAALLOCATION", CompanionSource::RowKey, true}};
constexpr CompanionKeyPart kAttCsKey[] = {{"ATTCSTRACK", kTrackNumber, true}, {"ATTCSADAALLOCATION", kResidence, false}};
constexpr CompanionTable kAttCsAcdCompanions[] = {{"ATTCSACDTRACK", CompanionSource::CompanionKey, true}};
constexpr CompanionKeyPart kAttCsAcdKey[] = {{"ATTCSACDTRACK", kTrackNumber, true}};
constexpr CompanionTable kAttCoeCsCompanions[] = {{"ATTCOECSTRACK", CompanionSource::CompanionKey, true}};
constexpr CompanionKeyPart kAttCoeCsKey[] = {{"ATTCOECSTRACK", kTrackNumber, true}};

// A group whose data spans companion tables.
ImportGroupRule WithCompanions(ImportGroupRule rule, std::span<const CompanionTable> companions,
                               std::span<const CompanionKeyPart> key, const GroupKeys& certificate) {
  rule.companions = companions;
  rule.companionKey = key;
  rule.certificate = &certificate;
  return rule;
}

// A group's row; its companions and certificate are the default's until
// a group's row states its own.
constexpr ImportGroupRule Group(std::string_view group, IncomingRows incoming, int entryCheckType,
                                std::string_view table = {}) {
  ImportGroupRule rule;
  rule.group = group;
  rule.table = table;
  rule.incoming = incoming;
  rule.entryCheckType = entryCheckType;
  return rule;
}

// The groups that differ from the default row, by name.
const std::array kRules = {
    // The groups with companion tables.
    WithCompanions(Group("INFANTFUNDING", OfSchool, 2), kInfantFundingCompanions, {}, kInfantFunding),
    WithCompanions(Group("ATTCSBGCOE", OfSchool, 2), kAttCsBgCoeCompanions, kAttCsBgCoeKey, kAttCsBgCoe),
    WithCompanions(Group("SCICS", OfSchool, 1), kSciCsCompanions, kSciCsKey, kSciCs),
    WithCompanions(Group("ATTCS", OfSchool, 1), kAttCsCompanions, kAttCsKey, kAttCsAll),
    WithCompanions(Group("ATTCSACD", OfSchool, 3), kAttCsAcdCompanions, kAttCsAcdKey, kAttCsAcdTrack),
    WithCompanions(Group("ATTCOECS", OfSchool, 1), kAttCoeCsCompanions, kAttCoeCsKey, kAttCoeCs),
    // Entry-check type 2: the merge looks for the agency's rows first.
    Group("ATT_SD_BS", OfSchool, 2),
    Group("BRL_SD_NSES_ADA", WithoutSchool, 2),
    Group("BRL_SD_NSHS_ADA", WithoutSchool, 2),
    Group("CS_BA", OfSchool, 2),
    Group("ATT_CS_BG_U", OfSchool, 2),
    Group("SECOSTPOOL", OfSchool, 2),
    Group("SELPAMENTALHEALTH", OfSchool, 2),
    Group("SPEDTAXALLOC", WithoutSchool, 2),
    Group("SELPAADAALLOC", WithoutSchool, 2),
    Group("ATTCOECHCCSE", OfSchool, 2),
    // Entry-check type 3.
    Group("ATT_SD", OfSchool, 3),
    Group("ATT_SD_SUPP", OfSchool, 3),
    Group("ATTCOE", OfSchool, 3),
    // Type 1, read without the school.
    Group("BRL_SD_CSP_NEW", WithoutSchool, 1),
    Group("BRL_SD_NSCHS_ADA", WithoutSchool, 1),
    Group("GATE_ALL", WithoutSchool, 1),
    Group("ROCPSCHOOL", WithoutSchool, 1),
    Group("COUNTYMODEL", WithoutSchool, 1),
    Group("NSSFUNDINGSELECTION", WithoutSchool, 1),
    Group("GATE", Gate, 1),
    // The two block-grant screens that keep their rows in one table.
    Group("ATTCSSBC", OfSchool, 1, "AttCsBgCoe"),
    Group("ATTCSEHS", OfSchool, 1, "AttCsBgCoe"),
};

const ImportGroupRule kDefault{};

}  // namespace

namespace importrules {

const ImportGroupRule& Rule(std::string_view group) {
  const std::string upper = vb::UCase(std::string(group));
  for (const ImportGroupRule& rule : kRules)
    if (rule.group == upper) return rule;
  return kDefault;
}

std::string TableOf(std::string_view group) {
  const ImportGroupRule& rule = Rule(group);
  return std::string(rule.table.empty() ? group : rule.table);
}

std::string KeyTableOf(std::string_view group) {
  const std::string upper = vb::UCase(std::string(group));
  return upper == "ATTCSSBC" || upper == "ATTCSEHS" ? std::string("ATTCSBGCOE") : TableOf(group);
}

}  // namespace importrules

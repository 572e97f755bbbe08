#include "ImportGroupRules.h"

#include <array>

#include "vb/Conversions.h"

namespace {

using enum IncomingRows;

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
    // Entry-check type 2: the merge looks for the agency's rows first.
    Group("ATT_SD_BS", OfSchool, 2),
    Group("BRL_SD_NSES_ADA", WithoutSchool, 2),
    Group("BRL_SD_NSHS_ADA", WithoutSchool, 2),
    Group("CS_BA", OfSchool, 2),
    Group("ATT_CS_BG_U", OfSchool, 2),
    Group("ATTCSBGCOE", OfSchool, 2),
    Group("INFANTFUNDING", OfSchool, 2),
    Group("SECOSTPOOL", OfSchool, 2),
    Group("SELPAMENTALHEALTH", OfSchool, 2),
    Group("SPEDTAXALLOC", WithoutSchool, 2),
    Group("SELPAADAALLOC", WithoutSchool, 2),
    Group("ATTCOECHCCSE", OfSchool, 2),
    // Entry-check type 3.
    Group("ATT_SD", OfSchool, 3),
    Group("ATT_SD_SUPP", OfSchool, 3),
    Group("ATTCSACD", OfSchool, 3),
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

}  // namespace importrules

#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "audit.h"
#include "statement.h"

// What the statement check prints, shared by "audit" and "account audit".
namespace tallyfin {

// The audit's JSON object; without an audit (the file could not be read) its lists are empty.
nlohmann::ordered_json AuditJson(const std::string &file, const statement::Statement &statement,
                                 const statement::Audit *audit, const std::optional<std::string> &error);
// The report for a person.
std::string AuditTable(const std::string &file, const statement::Statement &statement, const statement::Audit &audit);

} // namespace tallyfin

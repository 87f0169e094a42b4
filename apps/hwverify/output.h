#pragma once

#include <ostream>
#include <string>

#include "hwverify/report.h"

// The three forms of the report: a table for the terminal, JSON, and a self-contained HTML
// page that fetches nothing. Texts are written in UTF-8.
namespace hwverify {

// One line: "Everything arrived." or what did not.
std::string Summary(const Report& rep);

void WriteText(const Report& rep, std::ostream& out);
void WriteJson(const Report& rep, std::ostream& out);
void WriteHtml(const Report& rep, std::ostream& out);

}  // namespace hwverify

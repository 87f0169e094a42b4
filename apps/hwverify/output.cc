#include "hwverify/output.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace hwverify {

namespace {

using Json = nlohmann::ordered_json;

std::string U(std::string_view win1252) { return hw::Win1252ToUtf8(win1252); }

std::string Money(int64_t scaled) {
  const std::string sign = scaled < 0 ? "-" : "";
  const uint64_t v = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string s = fmt::format("{}{}.{:04}", sign, v / 10000, v % 10000);
  // Cents always, further places only where they hold something.
  while (s.size() > s.find('.') + 3 && s.back() == '0') s.pop_back();
  return s;
}

std::string Plural(int64_t n, std::string_view one, std::string_view many) {
  return fmt::format("{} {}", n, n == 1 ? one : many);
}

int64_t MissingEntries(const Report& rep) {
  int64_t n = 0;
  for (const ListCheck& l : rep.lists) n += static_cast<int64_t>(l.missing.size());
  return n;
}

int64_t MissingReports(const Report& rep) {
  int64_t n = 0;
  for (const DesignCheck& d : rep.designs) n += static_cast<int64_t>(d.missing_reports.size());
  return n;
}

std::string CollectionResult(const CollectionCheck& c) {
  if (!c.found) return "not found";
  std::vector<std::string> parts;
  if (c.Short() > 0)
    parts.push_back(fmt::format("short by {}", Plural(c.Short(), "item", "items")));
  if (c.Short() < 0) parts.push_back(Plural(-c.Short(), "item too many", "items too many"));
  if (!c.texts.empty()) parts.push_back(Plural(c.texts.size(), "text differs", "texts differ"));
  for (const MoneyTotal& m : c.money) {
    if (m.prior != m.now) parts.push_back("total differs");
  }
  return parts.empty() ? "complete" : fmt::format("{}", fmt::join(parts, ", "));
}

std::string UserResult(const UserCheck& u) {
  if (!u.in_table) return "not in the new user table";
  if (!u.folder_exists) return "no folder in the new data folder";
  return u.Complete() ? "complete" : "incomplete";
}

std::string Notes(const CollectionCheck& c) {
  std::vector<std::string> notes;
  if (c.us_coins > 0) {
    notes.push_back(fmt::format("{} of {} United States coins got a standard reference",
                                c.us_coins_referenced, c.us_coins));
  }
  if (!c.unpaired.empty()) {
    notes.push_back(
        fmt::format("fields not carried: {}", U(fmt::format("{}", fmt::join(c.unpaired, ", ")))));
  }
  if (!c.missing_pictures.empty()) {
    notes.push_back(
        Plural(c.missing_pictures.size(), "picture file missing", "picture files missing"));
  }
  return fmt::format("{}", fmt::join(notes, "; "));
}

std::string Html(std::string_view win1252) {
  std::string out;
  for (char ch : U(win1252)) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += ch;
    }
  }
  return out;
}

constexpr char kStyle[] = R"(body{font-family:sans-serif;margin:2em;color:#222}
h1{font-size:1.5em}h2{font-size:1.2em;margin-top:1.5em}
.summary{padding:.8em 1em;border-radius:6px;font-size:1.2em;font-weight:bold}
.ok{background:#e3f4e1;color:#1d5e1a}.bad{background:#fbe3e1;color:#8a1c12}
table{border-collapse:collapse;margin:.5em 0}th,td{border:1px solid #ccc;padding:.3em .6em;text-align:left}
th{background:#f2f2f2}td.n{text-align:right}tr.diff td{background:#fbe3e1}
.note{color:#555;font-size:.9em})";

}  // namespace

std::string Summary(const Report& rep) {
  if (rep.Complete()) return "Everything arrived.";
  std::vector<std::string> parts;
  if (!rep.log_found) parts.push_back("no conversion log");
  int users = 0;
  for (const UserCheck& u : rep.users) users += u.in_table && u.folder_exists ? 0 : 1;
  if (users > 0) parts.push_back(Plural(users, "user missing", "users missing"));
  if (int n = rep.ShortCollections(); n > 0) {
    parts.push_back(Plural(n, "collection short", "collections short"));
  }
  if (int64_t n = MissingEntries(rep); n > 0) {
    parts.push_back(Plural(n, "list entry missing", "list entries missing"));
  }
  if (int64_t n = MissingReports(rep); n > 0) {
    parts.push_back(Plural(n, "report format missing", "report formats missing"));
  }
  if (!rep.log_errors.empty()) {
    parts.push_back(Plural(rep.log_errors.size(), "error in the conversion log",
                           "errors in the conversion log"));
  }
  return fmt::format("Not everything arrived: {}.", fmt::join(parts, ", "));
}

void WriteText(const Report& rep, std::ostream& out) {
  out << "Prior installation: " << U(rep.prior_folder)
      << "\nNew data folder:    " << U(rep.new_folder) << "\n\n"
      << Summary(rep) << "\n\n";
  out << fmt::format("{:<10} {:<30} {:>6} {:>6}  {}\n", "User", "Collection", "Prior", "New",
                     "Result");
  for (const UserCheck& u : rep.users) {
    out << fmt::format("{:<10} {:<30} {:>6} {:>6}  {}\n", U(u.name), "(user)", "", "",
                       UserResult(u));
    for (const CollectionCheck& c : u.collections) {
      out << fmt::format("{:<10} {:<30} {:>6} {:>6}  {}\n", "", U(c.name), c.prior_items,
                         c.new_items, CollectionResult(c));
      for (const TextDifference& t : c.texts) {
        out << fmt::format("{:<10}   item {}: {} \"{}\" not found\n", "", t.item, U(t.label),
                           U(t.text));
      }
      for (const MoneyTotal& m : c.money) {
        if (m.prior != m.now) {
          out << fmt::format("{:<10}   {}: {} before, {} now\n", "", m.label, Money(m.prior),
                             Money(m.now));
        }
      }
      if (std::string notes = Notes(c); !notes.empty()) {
        out << fmt::format("{:<10}   note: {}\n", "", notes);
      }
    }
  }
  out << fmt::format("\n{:<20} {:<52} {:>6} {:>8}\n", "List", "New table", "Prior", "Missing");
  for (const ListCheck& l : rep.lists) {
    out << fmt::format("{:<20} {:<52} {:>6} {:>8}\n", l.kind, U(l.name), l.prior_entries,
                       l.missing.size());
    for (const std::string& m : l.missing) out << "  missing: " << U(m) << '\n';
  }
  out << fmt::format("\n{:<10} {:<16} {:>8}  {}\n", "Type", "New name", "Reports", "Screen design");
  for (const DesignCheck& d : rep.designs) {
    out << fmt::format(
        "{:<10} {:<16} {:>8}  {}\n", U(d.code), U(d.name),
        fmt::format("{}/{}", d.prior_reports - static_cast<int64_t>(d.missing_reports.size()),
                    d.prior_reports),
        d.screen);
    for (const std::string& m : d.missing_reports) out << "  report missing: " << U(m) << '\n';
  }
  out << "\nErrors in the conversion log: " << (rep.log_errors.empty() ? "none" : "") << '\n';
  for (const LogError& e : rep.log_errors) {
    out << "  " << U(e.concerns) << ": " << U(e.line) << '\n';
  }
}

void WriteJson(const Report& rep, std::ostream& out) {
  Json j = {{"complete", rep.Complete()},
            {"summary", Summary(rep)},
            {"prior_folder", U(rep.prior_folder)},
            {"new_folder", U(rep.new_folder)},
            {"users", Json::array()},
            {"lists", Json::array()},
            {"designs", Json::array()},
            {"log_errors", Json::array()}};
  auto texts = [](const std::vector<std::string>& v) {
    Json a = Json::array();
    for (const std::string& s : v) a.push_back(U(s));
    return a;
  };
  for (const UserCheck& u : rep.users) {
    Json cs = Json::array();
    for (const CollectionCheck& c : u.collections) {
      Json diffs = Json::array();
      for (const TextDifference& t : c.texts) {
        diffs.push_back({{"item", t.item}, {"label", U(t.label)}, {"text", U(t.text)}});
      }
      Json money = Json::array();
      for (const MoneyTotal& m : c.money) {
        money.push_back({{"label", m.label}, {"prior", Money(m.prior)}, {"new", Money(m.now)}});
      }
      cs.push_back({{"name", U(c.name)},
                    {"code", U(c.code)},
                    {"file", U(c.file)},
                    {"complete", c.Complete()},
                    {"found", c.found},
                    {"prior_items", c.prior_items},
                    {"new_items", c.new_items},
                    {"short", c.Short()},
                    {"text_differences", diffs},
                    {"money", money},
                    {"us_coins", c.us_coins},
                    {"us_coins_referenced", c.us_coins_referenced},
                    {"fields_not_carried", texts(c.unpaired)},
                    {"missing_pictures", texts(c.missing_pictures)}});
    }
    j["users"].push_back({{"name", U(u.name)},
                          {"prior_folder", U(u.prior_folder)},
                          {"new_folder", U(u.new_folder)},
                          {"complete", u.Complete()},
                          {"in_table", u.in_table},
                          {"folder_exists", u.folder_exists},
                          {"collections", cs}});
  }
  for (const ListCheck& l : rep.lists) {
    j["lists"].push_back({{"kind", l.kind},
                          {"table", U(l.name)},
                          {"prior_entries", l.prior_entries},
                          {"missing", texts(l.missing)}});
  }
  for (const DesignCheck& d : rep.designs) {
    j["designs"].push_back({{"code", U(d.code)},
                            {"name", U(d.name)},
                            {"screen", d.screen},
                            {"prior_reports", d.prior_reports},
                            {"missing_reports", texts(d.missing_reports)}});
  }
  for (const LogError& e : rep.log_errors) {
    j["log_errors"].push_back({{"concerns", U(e.concerns)}, {"line", U(e.line)}});
  }
  out << j.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void WriteHtml(const Report& rep, std::ostream& out) {
  out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
      << "<title>HWConvert verification</title>\n<style>" << kStyle << "</style></head><body>\n"
      << "<h1>Did all of your data arrive?</h1>\n"
      << "<p class=\"note\">Prior installation " << Html(rep.prior_folder) << ", new data folder "
      << Html(rep.new_folder) << "</p>\n"
      << "<p id=\"summary\" class=\"summary " << (rep.Complete() ? "ok" : "bad") << "\">"
      << Html(Summary(rep)) << "</p>\n";
  for (const UserCheck& u : rep.users) {
    out << "<section class=\"user\"><h2>" << Html(u.name) << " &mdash; " << Html(UserResult(u))
        << "</h2>\n<table><tr><th>Collection</th><th>Items before</th><th>Items now</th>"
        << "<th>Result</th><th>Notes</th></tr>\n";
    for (const CollectionCheck& c : u.collections) {
      out << "<tr" << (c.Complete() ? "" : " class=\"diff\"") << "><td>" << Html(c.name)
          << "</td><td class=\"n\">" << c.prior_items << "</td><td class=\"n\">" << c.new_items
          << "</td><td>" << Html(CollectionResult(c));
      for (const TextDifference& t : c.texts) {
        out << "<br>item " << t.item << ": " << Html(t.label) << " &ldquo;" << Html(t.text)
            << "&rdquo; not found";
      }
      for (const MoneyTotal& m : c.money) {
        if (m.prior != m.now) {
          out << "<br>" << Html(m.label) << ": " << Money(m.prior) << " before, " << Money(m.now)
              << " now";
        }
      }
      out << "</td><td class=\"note\">" << Html(Notes(c)) << "</td></tr>\n";
    }
    out << "</table></section>\n";
  }
  out << "<h2>Lists and tables</h2>\n<table><tr><th>List</th><th>New table</th>"
      << "<th>Prior entries</th><th>Missing</th></tr>\n";
  for (const ListCheck& l : rep.lists) {
    out << "<tr" << (l.Complete() ? "" : " class=\"diff\"") << "><td>" << Html(l.kind)
        << "</td><td>" << Html(l.name) << "</td><td class=\"n\">" << l.prior_entries << "</td><td>";
    for (size_t i = 0; i < l.missing.size(); ++i) out << (i ? ", " : "") << Html(l.missing[i]);
    out << "</td></tr>\n";
  }
  out << "</table>\n<h2>Screen designs and report formats</h2>\n<table><tr><th>Type</th>"
      << "<th>Screen design</th><th>Report formats</th></tr>\n";
  for (const DesignCheck& d : rep.designs) {
    out << "<tr" << (d.missing_reports.empty() ? "" : " class=\"diff\"") << "><td>" << Html(d.name)
        << "</td><td>" << Html(d.screen) << "</td><td>"
        << d.prior_reports - static_cast<int64_t>(d.missing_reports.size()) << " of "
        << d.prior_reports << " converted";
    for (const std::string& m : d.missing_reports) out << "<br>missing: " << Html(m);
    out << "</td></tr>\n";
  }
  out << "</table>\n<h2>Errors in the conversion log</h2>\n";
  if (rep.log_errors.empty()) out << "<p>None.</p>\n";
  for (const LogError& e : rep.log_errors) {
    out << "<p class=\"summary bad\">" << Html(e.concerns) << ": " << Html(e.line) << "</p>\n";
  }
  out << "</body></html>\n";
}

}  // namespace hwverify

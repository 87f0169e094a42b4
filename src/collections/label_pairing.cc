#include "collections/label_pairing.h"

#include <array>

#include "conversion/conversion.h"
#include "platform/run_error.h"
#include "platform/text.h"
#include "records/data_types.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int64_t kFirstDesignRecord = 4;

enum class Role { kNone, kDenomination, kUnit };

// A prior label the new edition words differently. A row with types applies only to those
// prior type codes (compared trimmed, without regard to case). Not the report conversion's
// aliases: why the look-alike lists stay apart is said at kAliases.
struct ChangedLabel {
  std::string_view prior;
  std::string_view now;
  std::array<std::string_view, 2> types{};
  Role role = Role::kNone;
};

constexpr ChangedLabel kChangedLabels[] = {
    {"LOCATION", "LOCATION (CITY)"},
    {"DATE OF ISSUE", "DATE"},
    {"PERIOD", "ERA"},
    {"MM", "MINT"},
    {"QTY", "QUANTITY"},
    {"DES/ENG", "DESIGNER/ENGRAVER"},
    {"DENOM", "DENOMINATION", {}, Role::kDenomination},
    {"DENOMINATION", "DENOMINATION", {}, Role::kDenomination},
    {"UNIT", "DENOMINATION", {}, Role::kUnit},
    {"", "DENOMINATION", {}, Role::kUnit},
    {"CODES", "NUMISMATIC CODES"},
    {"STORAGE CONTAINER", "CONTAINER"},
    {"STORAGE LOCATION", "LOCATION"},
    {"TARGET GRADE", "GRADE SOUGHT"},
    {"DATE SOLD", "SALE DATE"},
    {"COST GOAL", "TARGET COST"},
    {"PRICE TARGET", "PRICE GOAL"},
    {"SOURCE DATE", "VALUE DATE"},
    {"MANUAL VALUE STATUS", "MANUAL VALUE"},
    {"SOLD CODE", "SOLD"},
    {"UPGRADE STATUS", "UPGRADE"},
    {"INSURANCE AMOUNT", "INSURED FOR"},
    {"CERT. COMPANY", "CERTIFIED BY"},
    {"CERT. ID", "ID #"},
    {"BUY DATE", "PURCHASE DATE"},
    {"CONDITION (DETAILED)", "DETAILED CONDITION"},
    {"VALUE", "LOT VALUE"},
    {"SIGNATURE", "SIGNATURES"},
    {"TYPE", "DISNEYANA TYPE", {"DISNEYAN"}},
    {"TYPE", "CURRENCY TYPE", {"CURRENCY"}},
    {"TYPE", "JEWELRY TYPE", {"JEWELRY"}},
    {"VARIETY", "DESCRIPTION"},
    {"#PRINTED", "# PRINTED"},
    {"METAL", "MADE OF", {"JEWELRY"}},
    {"METAL", "COINAGE METAL"},
    {"CITY/TOWN", "TOWN"},
    {"DATE(S)", "DATE"},
    {"DESIGNS", "DESIGN (OBV)"},
    {"DEITIES", "DEITY/SYMBOL"},
    {"CITY", "STATE/TOWN"},
    {"CHARTER #", "CHARTER"},
    {"LAST SERIAL # (BLOCK)", "LAST SERIAL #"},
    {"MFG", "MFR"},
    {"LOCATION/COUNTRY", "COUNTRY"},
    {"DATE RANGE", "DATES MADE"},
    {"CHIP TYPE", "CASINO CHIP TYPE"},
    {"MADE BY", "MFR"},
    {"MATERIAL", "MADE OF"},
    {"QUANTITY MADE", "# MADE"},
    {"QTY PRINTED", "# PRINTED"},
    {"QTY MADE", "# MADE", {"TOYS", "DISNEYAN"}},
    {"QTY MADE", "# PRINTED"},
    {"AGE", "ERA"},
    {"PUB", "PUBLISHER"},
    {"QUANTITY KNOWN", "# KNOWN"},
    {"MFG CODE/CEL #", "MFG CODE/CELL #"},
};

// The new labels a normalised prior label may pair with for this type, and its role.
struct Renaming {
  std::vector<std::string_view> labels;
  Role role = Role::kNone;
};

Renaming RenamingOf(std::string_view label, std::string_view type_upper) {
  Renaming r;
  for (const ChangedLabel& row : kChangedLabels) {
    if (row.prior != label) continue;
    if (row.role != Role::kNone) r.role = row.role;
    const bool any_type = row.types[0].empty();
    const bool listed_type =
        type_upper == row.types[0] || (!row.types[1].empty() && type_upper == row.types[1]);
    if (any_type || listed_type) {
      r.labels.push_back(row.now);
    }
  }
  return r;
}

bool IsCountryLabel(std::string_view label) {
  return label == "ANCIENT TYPE:" || label == "ANCIENT TYPE" || label == "COUNTRY:" ||
         label == "COUNTRY";
}

// The prior label equals the new one, or the new one followed by a colon.
bool DirectMatch(std::string_view prior, std::string_view now) {
  if (prior == now) return true;
  return prior.size() == now.size() + 1 && prior.back() == ':' && prior.starts_with(now);
}

void NoteSummarySlot(const DesignField& f, Pairing& p) {
  const std::string& l = f.label;
  if (l == "BUY") {
    p.buy = f.slot;
  } else if (l == "SELL") {
    p.sell = f.slot;
  } else if (l == "GOVERNMENT SET") {
    p.government_set = f.slot;
  } else if (l == "PROFIT") {
    p.profit = f.slot;
  } else if (l == "REALIZED PROFIT") {
    p.realized_profit = f.slot;
  } else if (l == "MANUAL VALUE") {
    p.manual_value = f.slot;
  } else if (l == "LOT VALUE") {
    p.lot_value = f.slot;
  }
}

void PairWith(PriorField& field, const DesignField& f) {
  field.new_type = f.data_type;
  field.new_slot = f.slot;
}

// First stage: the same label, or the same label and a colon. `walk(visit)` gives visit the
// new design's fields in record order until visit returns true, and returns whether it did.
template <class Walk>
bool PairDirectly(int i, PriorField& field, const std::string& label, std::string_view type_code,
                  Walk&& walk, Pairing& p) {
  const bool country_type = type_code == "Currency" || type_code == "Coin";
  return walk([&](const DesignField& f) {
    if (!DirectMatch(label, f.label)) return false;
    if (country_type && IsCountryLabel(label)) p.country = i;
    if (f.label == "DENOMINATION" || f.label == "LOCATION") return false;
    PairWith(field, f);
    return true;
  });
}

// Second stage: labels the new edition words differently. Every record read on the way
// notes the summary slots, so the stage reads only up to its first match.
template <class Walk>
bool PairByChangedLabel(int i, PriorField& field, std::string_view label,
                        std::string_view type_upper, Walk&& walk, Pairing& p) {
  const Renaming renaming = RenamingOf(label, type_upper);
  return walk([&](const DesignField& f) {
    NoteSummarySlot(f, p);
    if (renaming.role == Role::kDenomination) p.denomination = i;
    if (renaming.role == Role::kUnit) p.unit = i;
    for (std::string_view now : renaming.labels) {
      if (f.label == now) {
        PairWith(field, f);
        return true;
      }
    }
    return false;
  });
}

template <class Walk>
Pairing PairAll(std::vector<PriorField>& fields, std::string_view type_code, Walk&& walk) {
  Pairing p;
  const std::string type_upper = Upper1252(TrimBlanks(type_code));
  for (size_t n = 0; n < fields.size(); ++n) {
    const int i = static_cast<int>(n);
    PriorField& field = fields[n];
    const std::string label = Upper1252(field.label);
    if (!label.empty() && PairDirectly(i, field, label, type_code, walk, p)) continue;
    std::string_view normalised = label;
    if (!normalised.empty() && normalised.back() == ':') normalised.remove_suffix(1);
    if (PairByChangedLabel(i, field, normalised, type_upper, walk, p)) continue;
    if (normalised == "NOTE") {
      field.new_type = CodeOf(DataType::kNote);
      field.new_slot = 0;
    }
  }
  return p;
}

DesignField FieldOf(const V5FieldDef& record) {
  return {Upper1252(record.FieldName.Trimmed()), record.DataType, record.Slot};
}

}  // namespace

NewDesign ReadNewDesign(Conversion& c, int32_t number) {
  NewDesign design;
  V5FieldDef& record = c.screens.field;
  const auto read_ahead = [&] {
    const TableView view =
        TableView::Of(c, number, kFirstDesignRecord, LastRecord(c.slots.New(number).next_record));
    const int64_t last = std::min(view.last(), view.Tail());
    for (int64_t r = view.first(); r <= last; ++r) {
      ReadRecord(c, number, r, record);
      design.fields.push_back(FieldOf(record));
    }
    // Whether the last record of the tail can be reached at all is left to learn.
    if (view.Folds()) {
      std::array<std::byte, V5FieldDef::kSize> probe;
      c.fs.GetRecord(number, view.last(), probe);
    }
  };
  try {
    read_ahead();
  } catch (const RunError& e) {
    // Not this reading's error: the search that would have read on past the fields meets it.
    design.unread = e.number;
  }
  return design;
}

PairingOutcome PairFields(std::vector<PriorField>& fields, std::string_view type_code,
                          const NewDesign& design) {
  PairingOutcome outcome;
  // A search that read every field in memory goes on into records that could not be read: it
  // ends the pairing there. Walks that stop at a match go on.
  bool stopped = false;
  outcome.pairing = PairAll(fields, type_code, [&](auto&& visit) {
    if (stopped) return true;
    for (const DesignField& f : design.fields) {
      if (visit(f)) return true;
    }
    if (design.unread != 0) {
      stopped = true;
      outcome.error = design.unread;
      return true;
    }
    return false;
  });
  return outcome;
}

Pairing PairFieldsByScan(Conversion& c, int32_t number, std::vector<PriorField>& fields,
                         std::string_view type_code) {
  return PairAll(fields, type_code, [&](auto&& visit) {
    const int64_t last = LastRecord(c.slots.New(number).next_record);
    for (int64_t r = kFirstDesignRecord; r <= last; ++r) {
      ReadRecord(c, number, r, c.screens.field);
      if (visit(FieldOf(c.screens.field))) return true;
    }
    return false;
  });
}

}  // namespace hw

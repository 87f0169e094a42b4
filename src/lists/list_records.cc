#include "lists/list_records.h"

namespace hw {

void PriorChoiceEntry::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  ItemNumber = r.I16();
  r.Get(ItemText).Get(Unused34).Get(Tag);
}

void PriorChoiceEntry::Encode(std::span<std::byte> out) const {
  ByteWriter(out).I16(ItemNumber).Put(ItemText).Put(Unused34).Put(Tag);
}

void ChoiceEntry::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  ItemNumber = r.I32();
  r.Get(ParentText).Get(ItemText);
  Value1 = r.I32();
  r.Get(Marker);
  Flag1 = r.Flag();
  Flag2 = r.Flag();
  Flag3 = r.Flag();
  Value2 = r.I32();
  Amount = r.Money();
  EntryId = r.I32();
  r.Get(AltText).Get(Tag);
}

void ChoiceEntry::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I32(ItemNumber).Put(ParentText).Put(ItemText).I32(Value1).Put(Marker);
  w.Flag(Flag1).Flag(Flag2).Flag(Flag3).I32(Value2).Money(Amount).I32(EntryId);
  w.Put(AltText).Put(Tag);
}

void PriorStorageRecord::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  Unused0 = r.I16();
  r.Get(Location).Get(Container).Get(Mark1).Get(Mark2).Get(Mark3);
  Unused65 = r.I16();
  Amount = r.Money();
  r.Get(Unused75);
}

void PriorStorageRecord::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.I16(Unused0).Put(Location).Put(Container).Put(Mark1).Put(Mark2).Put(Mark3);
  w.I16(Unused65).Money(Amount).Put(Unused75);
}

void PriorPartyRecord::Decode(std::span<const std::byte> in) {
  ByteReader(in)
      .Get(Name)
      .Get(Text24)
      .Get(Text40)
      .Get(Text64)
      .Get(Text88)
      .Get(Text90)
      .Get(Text100)
      .Get(Text124);
}

void PriorPartyRecord::Encode(std::span<std::byte> out) const {
  ByteWriter(out)
      .Put(Name)
      .Put(Text24)
      .Put(Text40)
      .Put(Text64)
      .Put(Text88)
      .Put(Text90)
      .Put(Text100)
      .Put(Text124);
}

void ContactRecord::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(Name).Get(KeyName).Get(Text64).Get(Text80).Get(Text96).Get(Text112).Get(Text136);
  r.Get(Text160).Get(Text184).Get(Text208).Get(Text232).Get(Text234).Get(Text244);
  r.Get(Text268).Get(Text332).Get(Text396).Get(Text414);
  for (int64_t& n : Numbers432) n = r.I64();
  r.Get(Text512).Get(Text528);
}

void ContactRecord::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(Name).Put(KeyName).Put(Text64).Put(Text80).Put(Text96).Put(Text112).Put(Text136);
  w.Put(Text160).Put(Text184).Put(Text208).Put(Text232).Put(Text234).Put(Text244);
  w.Put(Text268).Put(Text332).Put(Text396).Put(Text414);
  for (int64_t n : Numbers432) w.I64(n);
  w.Put(Text512).Put(Text528);
}

}  // namespace hw

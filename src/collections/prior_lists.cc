#include "collections/prior_lists.h"

namespace hw {

void PriorUserRecord::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(Unused0).Get(Unused8).Get(Folder);
  Unused73 = r.I16();
  r.Get(Unused75).Get(Name).GetBytes(Rest.data(), Rest.size());
}

void PriorUserRecord::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(Unused0).Put(Unused8).Put(Folder).I16(Unused73).Put(Unused75).Put(Name);
  w.PutBytes(Rest.data(), Rest.size());
}

void PriorCollectionEntry::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.Get(Code).Get(Name).Get(Unused36).Get(Unused60);
  Unused65 = r.I16();
  r.Get(Unused67);
}

void PriorCollectionEntry::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.Put(Code).Put(Name).Put(Unused36).Put(Unused60).I16(Unused65).Put(Unused67);
}

void PriorCollectionHeader::Decode(std::span<const std::byte> in) {
  ByteReader r(in);
  r.GetBytes(Unused0.data(), Unused0.size()).Get(TypeCode);
  r.GetBytes(Unused70.data(), Unused70.size());
}

void PriorCollectionHeader::Encode(std::span<std::byte> out) const {
  ByteWriter w(out);
  w.PutBytes(Unused0.data(), Unused0.size()).Put(TypeCode);
  w.PutBytes(Unused70.data(), Unused70.size());
}

}  // namespace hw

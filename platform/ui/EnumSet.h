#pragma once
// A small set of enumeration values (up to 32 of them), written like the
// sets of the UI library: TShiftState{ssCtrl, ssShift}, s.Contains(ssCtrl).
#include <cstdint>
#include <initializer_list>

template <typename E>
class TEnumSet {
public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr TEnumSet FromBits(uint32_t bits) {
    TEnumSet s;
    s.FBits = bits;
    return s;
  }
  constexpr uint32_t Bits() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TEnumSet& Include(E e) {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TEnumSet& Exclude(E e) {
    FBits &= ~Bit(e);
    return *this;
  }
  constexpr TEnumSet operator+(TEnumSet o) const { return FromBits(FBits | o.FBits); }
  constexpr TEnumSet operator-(TEnumSet o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TEnumSet operator*(TEnumSet o) const { return FromBits(FBits & o.FBits); }
  constexpr TEnumSet operator+(E e) const { return FromBits(FBits | Bit(e)); }
  constexpr TEnumSet operator-(E e) const { return FromBits(FBits & ~Bit(e)); }
  constexpr bool operator==(TEnumSet o) const { return FBits == o.FBits; }
  constexpr bool operator!=(TEnumSet o) const { return FBits != o.FBits; }

private:
  static constexpr uint32_t Bit(E e) { return 1u << static_cast<unsigned>(e); }
  uint32_t FBits = 0;
};

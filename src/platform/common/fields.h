// Reading and writing the fields of the state records through their name tables, for the
// headless runner's `set` lines and traces.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/state.h"

namespace platform {

// A field of the match record (fighter 0) or of fighter 1 or 2.
struct FieldRef {
    int fighter = 0;
    const pelea::FieldInfo* field = nullptr;
};

enum class FieldLookup { Ok, Unknown, NotScalar };

// Looks up a MatchState name or "L1.name" / "L2.name"; only numeric fields can be set.
FieldLookup findSettableField(std::string_view name, FieldRef& out);

bool isIntegerKind(pelea::FieldKind kind);
// The range of an integer kind.
void integerRange(pelea::FieldKind kind, int64_t& lo, int64_t& hi);

// Integer fields of a record, read widened; the record is the one the FieldInfo belongs to.
int64_t readInteger(const void* record, const pelea::FieldInfo& f);
double readDouble(const void* record, const pelea::FieldInfo& f);

// Writes a value already checked against the field's range.
void writeInteger(pelea::GameState& g, const FieldRef& ref, int64_t value);
void writeDouble(pelea::GameState& g, const FieldRef& ref, double value);

}  // namespace platform

#include "platform/common/fields.h"

#include <cstring>
#include <limits>

namespace platform {

using pelea::FieldInfo;
using pelea::FieldKind;

namespace {

template <typename T>
T load(const void* record, const FieldInfo& f) {
    T v;
    std::memcpy(&v, static_cast<const unsigned char*>(record) + f.offset, sizeof v);
    return v;
}

template <typename T>
void store(void* record, const FieldInfo& f, T v) {
    std::memcpy(static_cast<unsigned char*>(record) + f.offset, &v, sizeof v);
}

template <typename T, size_t N>
const FieldInfo* findIn(const T (&table)[N], std::string_view name) {
    for (const FieldInfo& f : table) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

void* recordOf(pelea::GameState& g, int fighter) {
    if (fighter == 0) return &g.m;
    return &g.lutador[static_cast<size_t>(fighter)];
}

constexpr std::string_view kFighterPrefixes[] = {"L1.", "L2."};

}  // namespace

FieldLookup findSettableField(std::string_view name, FieldRef& out) {
    out = FieldRef{};
    for (int n = 1; n <= 2; ++n) {
        const std::string_view prefix = kFighterPrefixes[n - 1];
        if (name.substr(0, prefix.size()) == prefix) {
            out.fighter = n;
            out.field = findIn(pelea::kLutadorFields, name.substr(prefix.size()));
        }
    }
    if (out.fighter == 0) out.field = findIn(pelea::kMatchFields, name);
    if (out.field == nullptr) return FieldLookup::Unknown;
    const FieldKind k = out.field->kind;
    if (!isIntegerKind(k) && k != FieldKind::F64) return FieldLookup::NotScalar;
    return FieldLookup::Ok;
}

bool isIntegerKind(FieldKind kind) {
    switch (kind) {
        case FieldKind::U8:
        case FieldKind::I8:
        case FieldKind::U16:
        case FieldKind::I16:
        case FieldKind::I32:
            return true;
        default:
            return false;
    }
}

void integerRange(FieldKind kind, int64_t& lo, int64_t& hi) {
    lo = 0;
    hi = 0;
    switch (kind) {
        case FieldKind::U8:
            hi = std::numeric_limits<uint8_t>::max();
            break;
        case FieldKind::I8:
            lo = std::numeric_limits<int8_t>::min();
            hi = std::numeric_limits<int8_t>::max();
            break;
        case FieldKind::U16:
            hi = std::numeric_limits<uint16_t>::max();
            break;
        case FieldKind::I16:
            lo = std::numeric_limits<int16_t>::min();
            hi = std::numeric_limits<int16_t>::max();
            break;
        case FieldKind::I32:
            lo = std::numeric_limits<int32_t>::min();
            hi = std::numeric_limits<int32_t>::max();
            break;
        default:
            break;
    }
}

int64_t readInteger(const void* record, const FieldInfo& f) {
    switch (f.kind) {
        case FieldKind::U8:
            return load<uint8_t>(record, f);
        case FieldKind::I8:
            return load<int8_t>(record, f);
        case FieldKind::U16:
            return load<uint16_t>(record, f);
        case FieldKind::I16:
            return load<int16_t>(record, f);
        case FieldKind::I32:
            return load<int32_t>(record, f);
        default:
            return 0;
    }
}

double readDouble(const void* record, const FieldInfo& f) {
    return load<double>(record, f);
}

void writeInteger(pelea::GameState& g, const FieldRef& ref, int64_t value) {
    void* record = recordOf(g, ref.fighter);
    const FieldInfo& f = *ref.field;
    switch (f.kind) {
        case FieldKind::U8:
            store(record, f, static_cast<uint8_t>(value));
            break;
        case FieldKind::I8:
            store(record, f, static_cast<int8_t>(value));
            break;
        case FieldKind::U16:
            store(record, f, static_cast<uint16_t>(value));
            break;
        case FieldKind::I16:
            store(record, f, static_cast<int16_t>(value));
            break;
        case FieldKind::I32:
            store(record, f, static_cast<int32_t>(value));
            break;
        default:
            break;
    }
}

void writeDouble(pelea::GameState& g, const FieldRef& ref, double value) {
    store(recordOf(g, ref.fighter), *ref.field, value);
}

}  // namespace platform

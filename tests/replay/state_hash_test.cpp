// The state hash: every field of the state record counts, padding never does, and the value
// depends on the fields' values alone, in a fixed byte order.
#include "replay/state_hash.h"

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "platform/common/fields.h"
#include "support/game_fixture.h"

namespace replay {
namespace {

using pelea::FieldInfo;
using pelea::GameState;
using pelea::testing::fieldSize;

// A record inside the state and its name table.
struct Record {
    std::string name;
    size_t offset;
    std::span<const FieldInfo> fields;
};

size_t offsetIn(const GameState& g, const void* p) {
    return static_cast<size_t>(static_cast<const unsigned char*>(p) -
                               reinterpret_cast<const unsigned char*>(&g));
}

std::vector<Record> records(const GameState& g) {
    std::vector<Record> out{{"m", offsetIn(g, &g.m), pelea::kMatchFields}};
    for (size_t n = 0; n < g.lutador.size(); ++n)
        out.push_back({"L" + std::to_string(n), offsetIn(g, &g.lutador[n]), pelea::kLutadorFields});
    for (size_t i = 0; i < g.efeitos.size(); ++i)
        out.push_back(
            {"efeito" + std::to_string(i), offsetIn(g, &g.efeitos[i]), pelea::kEfeitoFields});
    return out;
}

// A state with something other than the start-up values in it.
GameState busyState() {
    pelea::testing::Game game(7, true);
    game.frames(300);
    return game.g();
}

TEST(StateHash, ChangingAnyByteOfAnyFieldChangesIt) {
    const GameState base = busyState();
    const uint64_t before = stateHash(base);
    int fields = 0;
    for (const Record& r : records(base)) {
        for (const FieldInfo& f : r.fields) {
            ++fields;
            for (size_t b = 0; b < fieldSize(f.kind); ++b) {
                GameState g = base;
                reinterpret_cast<unsigned char*>(&g)[r.offset + f.offset + b] ^= 0x5a;
                EXPECT_NE(stateHash(g), before) << r.name << "." << f.name << " byte " << b;
            }
        }
    }
    for (size_t b = 0; b < sizeof base.rng; ++b) {
        GameState g = base;
        g.rng ^= uint64_t{1} << (8 * b);
        EXPECT_NE(stateHash(g), before) << "rng byte " << b;
    }
    EXPECT_EQ(fields, 3 * static_cast<int>(std::size(pelea::kLutadorFields)) +
                          static_cast<int>(std::size(pelea::kMatchFields)) +
                          81 * static_cast<int>(std::size(pelea::kEfeitoFields)));
}

TEST(StateHash, PaddingBytesNeverCount) {
    const GameState base = busyState();
    std::vector<bool> isField(sizeof(GameState), false);
    size_t fieldBytes = 0;
    for (const Record& r : records(base)) {
        for (const FieldInfo& f : r.fields) {
            for (size_t b = 0; b < fieldSize(f.kind); ++b)
                isField[r.offset + f.offset + b] = true;
            fieldBytes += fieldSize(f.kind);
        }
    }
    for (size_t b = 0; b < sizeof base.rng; ++b)
        isField[offsetIn(base, &base.rng) + b] = true;
    fieldBytes += sizeof base.rng;
    EXPECT_EQ(hashedStateBytes(), fieldBytes);

    // Every padding byte at once, then each alone, takes garbage: the hash stays.
    const uint64_t before = stateHash(base);
    GameState all = base;
    size_t padding = 0;
    for (size_t b = 0; b < sizeof(GameState); ++b) {
        if (isField[b]) continue;
        ++padding;
        reinterpret_cast<unsigned char*>(&all)[b] = 0xa5;
        GameState one = base;
        reinterpret_cast<unsigned char*>(&one)[b] ^= 0xff;
        EXPECT_EQ(stateHash(one), before) << "padding byte " << b;
    }
    EXPECT_GT(padding, 0u) << "the records have padding between their small and wide fields";
    EXPECT_EQ(stateHash(all), before);
}

// Little-endian bytes of a field's numbers, written out from their values.
void appendLittleEndian(std::vector<unsigned char>& out, uint64_t v, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void appendField(std::vector<unsigned char>& out, const void* record, const FieldInfo& f) {
    const auto* p = static_cast<const unsigned char*>(record) + f.offset;
    switch (f.kind) {
        case pelea::FieldKind::F64: {
            uint64_t bits = 0;
            const double d = platform::readDouble(record, f);
            std::memcpy(&bits, &d, sizeof bits);
            appendLittleEndian(out, bits, 8);
            break;
        }
        case pelea::FieldKind::AREA: {
            pelea::Area a;
            std::memcpy(&a, p, sizeof a);
            for (const int32_t v : {a.x1, a.y1, a.x2, a.y2})
                appendLittleEndian(out, static_cast<uint32_t>(v), 4);
            break;
        }
        case pelea::FieldKind::BTN4:
        case pelea::FieldKind::TEXT:
            out.insert(out.end(), p, p + fieldSize(f.kind));
            break;
        default:
            appendLittleEndian(out, static_cast<uint64_t>(platform::readInteger(record, f)),
                               fieldSize(f.kind));
            break;
    }
}

TEST(StateHash, IsTheDocumentedFoldOfTheFieldsInTableOrder) {
    // The fold itself, worked out by hand from its definition.
    struct Case {
        std::string bytes;
        uint64_t hash;
    };
    const Case cases[] = {
        {"", 0x25fc6dd36ce04b20ULL},
        {"a", 0xd377414ddfef00caULL},
        {"abcdefgh", 0x89e717c63443f1d9ULL},
        {"abcdefghi", 0xf1c19548b3a0c261ULL},
        {"\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10", 0xdcef62de99f23f70ULL},
    };
    for (const Case& c : cases) {
        const auto* p = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(bytesHash({p, c.bytes.size()}), c.hash) << c.bytes;
        BytesHasher pieces;  // the same bytes fed one at a time
        for (size_t i = 0; i < c.bytes.size(); ++i)
            pieces.add({p + i, 1});
        EXPECT_EQ(pieces.value(), c.hash) << c.bytes;
    }
    // The state: its fields' values as little-endian bytes, record after record.
    for (const GameState& g : {GameState{}, busyState()}) {
        std::vector<unsigned char> bytes;
        for (const Record& r : records(g)) {
            for (const FieldInfo& f : r.fields)
                appendField(bytes, reinterpret_cast<const unsigned char*>(&g) + r.offset, f);
        }
        appendLittleEndian(bytes, g.rng, 8);
        EXPECT_EQ(stateHash(g), bytesHash(bytes));
    }
}

}  // namespace
}  // namespace replay

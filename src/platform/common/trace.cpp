#include "platform/common/trace.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/common/fields.h"

namespace platform {

using pelea::FieldInfo;
using pelea::FieldKind;

namespace {

constexpr size_t kLineReserve = 16384;
constexpr char kHex[] = "0123456789abcdef";

template <typename T>
T load(const void* record, size_t offset) {
    T v;
    std::memcpy(&v, static_cast<const unsigned char*>(record) + offset, sizeof v);
    return v;
}

}  // namespace

TraceWriter::TraceWriter() {
    out_.reserve(kLineReserve);
}

const std::string& TraceWriter::line(const pelea::GameState& g, const media::SoundEvent* sounds,
                                     int soundCount, int64_t frame) {
    out_.clear();
    out_ += '{';
    for (const FieldInfo& f : pelea::kMatchFields)
        field(&g.m, f);
    key("L");
    out_ += '[';
    fighter(g.lutador[1]);
    out_ += ',';
    fighter(g.lutador[2]);
    out_ += "],";
    efeitos(g);
    this->sounds(sounds, soundCount);
    key("frame");
    number(frame);
    out_ += "}\n";
    return out_;
}

void TraceWriter::field(const void* record, const FieldInfo& f) {
    key(f.name);
    switch (f.kind) {
        case FieldKind::F64:
            number(readDouble(record, f));
            break;
        case FieldKind::AREA: {
            const auto a = load<pelea::Area>(record, f.offset);
            out_ += '[';
            number(int64_t{a.x1});
            out_ += ',';
            number(int64_t{a.y1});
            out_ += ',';
            number(int64_t{a.x2});
            out_ += ',';
            number(int64_t{a.y2});
            out_ += ']';
            break;
        }
        case FieldKind::BTN4: {
            const auto b = load<pelea::Buttons4>(record, f.offset);
            out_ += '[';
            for (size_t i = 0; i < b.size(); ++i) {
                if (i > 0) out_ += ',';
                number(int64_t{b[i]});
            }
            out_ += ']';
            break;
        }
        case FieldKind::TEXT: {
            const auto t = load<pelea::ShortText>(record, f.offset);
            string(t.s, sizeof t.s);
            break;
        }
        default:
            number(readInteger(record, f));
            break;
    }
    out_ += ',';
}

void TraceWriter::fighter(const pelea::Lutador& l) {
    out_ += '{';
    for (const FieldInfo& f : pelea::kLutadorFields)
        field(&l, f);
    out_.back() = '}';
}

void TraceWriter::efeitos(const pelea::GameState& g) {
    key("efeitos");
    out_ += '[';
    bool first = true;
    for (int slot = 1; slot <= pelea::kEffectSlots; ++slot) {
        const pelea::Efeito& e = g.efeitos[static_cast<size_t>(slot)];
        if (e.tipo == 0) continue;
        if (!first) out_ += ',';
        first = false;
        out_ += "{\"slot\":";
        number(int64_t{slot});
        const std::pair<const char*, int64_t> values[] = {
            {"tipo", e.tipo},   {"x", e.x},         {"y", e.y},           {"dono", e.dono},
            {"idade", e.idade}, {"ativo", e.ativo}, {"imagem", e.imagem},
        };
        for (const auto& [name, value] : values) {
            out_ += ',';
            key(name);
            number(value);
        }
        out_ += '}';
    }
    out_ += "],";
}

void TraceWriter::sounds(const media::SoundEvent* list, int count) {
    key("sons");
    out_ += '[';
    for (int i = 0; i < count; ++i) {
        if (i > 0) out_ += ',';
        out_ += '[';
        string(list[i].list, std::strlen(list[i].list));
        out_ += ',';
        number(int64_t{list[i].index});
        out_ += ']';
    }
    out_ += "],";
}

void TraceWriter::key(const char* name) {
    out_ += '"';
    out_ += name;
    out_ += "\":";
}

void TraceWriter::number(int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, r.ptr);
}

void TraceWriter::number(double v) {
    if (!std::isfinite(v)) {
        out_ += "null";  // JSON has no infinities or NaN
        return;
    }
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, r.ptr);
}

void TraceWriter::string(const char* s, size_t maxLength) {
    out_ += '"';
    for (size_t i = 0; i < maxLength && s[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c < 0x20) {
            out_ += "\\u00";
            out_ += kHex[c >> 4];
            out_ += kHex[c & 15];
        } else {
            out_ += static_cast<char>(c);
        }
    }
    out_ += '"';
}

}  // namespace platform

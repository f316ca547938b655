#include "replay/recorder.h"

#include <charconv>

#include "platform/common/key_names.h"
#include "replay/state_hash.h"

namespace replay {

namespace {

void appendNumber(std::string& out, int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void appendKeyName(std::string& out, int vk) {
    for (const platform::KeyName& k : platform::kKeyNames) {
        if (k.virtualKey == vk) {
            out += k.name;
            return;
        }
    }
    appendNumber(out, vk);
}

void appendStates(std::string& out, uint32_t states) {
    for (const platform::StateName& s : platform::kStateNames) {
        if ((states & s.bit) != 0) {
            out += ' ';
            out += s.name;
        }
    }
}

std::string shortest(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace

std::string setLine(const platform::ScriptEvent& e) {
    std::string name = e.target.field->name;
    if (e.target.fighter > 0) name = "L" + std::to_string(e.target.fighter) + "." + name;
    const std::string value = e.target.field->kind == pelea::FieldKind::F64
                                  ? shortest(e.doubleValue)
                                  : std::to_string(e.intValue);
    return "set " + name + " " + value;
}

// The first block is made at once, so a session's first quarter of an hour allocates nothing.
Recorder::Recorder() {
    blocks_.emplace_back(new Block);
}

void Recorder::append(const Entry& e) {
    if ((count_ >> kBlockShift) - dropped_ == blocks_.size()) blocks_.emplace_back(new Block);
    (*blocks_.back())[count_ & (kBlockEntries - 1)] = e;
    ++count_;
}

void Recorder::forgetBefore(int64_t frame) {
    // The front block goes once it is full and its last entry comes before the frame.
    while (blocks_.size() > 1 && blocks_.front()->back().frame < frame) {
        blocks_.pop_front();
        ++dropped_;
    }
}

void Recorder::key(int virtualKey) {
    append({frames_, Kind::Key, static_cast<uint64_t>(virtualKey)});
}

void Recorder::set(const platform::ScriptEvent& e) {
    append({frames_, Kind::Set, setLines_.size()});
    setLines_.push_back(setLine(e));
}

void Recorder::states(uint32_t keyboard, uint32_t joystick) {
    if (keyboard != keyboard_) append({frames_, Kind::Keyboard, keyboard});
    if (joystick != joystick_) append({frames_, Kind::Joystick, joystick});
    keyboard_ = keyboard;
    joystick_ = joystick;
}

uint64_t Recorder::frameDone(const pelea::GameState& g) {
    const uint64_t hash = stateHash(g);
    append({frames_, Kind::Sum, hash});
    ++frames_;
    return hash;
}

std::string Recorder::text(const Header& header, int64_t frames, bool whole) const {
    std::string out = headerText(header);
    appendEntries(out, 0, frames, whole);
    out += endLine(frames);
    return out;
}

std::string Recorder::text(const Header& header, int64_t from, int64_t frames, bool whole,
                           uint32_t keyboard, uint32_t joystick) const {
    std::string out = headerText(header);
    out += "0 kb";
    appendStates(out, keyboard);
    out += "\n0 joy";
    appendStates(out, joystick);
    out += '\n';
    appendEntries(out, from, frames, whole);
    out += endLine(frames - from);
    return out;
}

// Keys of one frame that follow each other share a line. Frames are written less `from`.
void Recorder::appendEntries(std::string& out, int64_t from, int64_t frames, bool whole) const {
    bool keyLineOpen = false;
    int64_t lineFrame = -1;
    // The first held entry of frame `from` or later.
    size_t first = dropped_ << kBlockShift, last = count_;
    while (first < last) {
        const size_t middle = first + (last - first) / 2;
        if (entry(middle).frame < from) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }
    for (size_t i = first; i < count_; ++i) {
        Entry e = entry(i);
        if (e.frame > frames || (e.frame == frames && !whole)) break;
        e.frame -= from;
        if (keyLineOpen && (e.kind != Kind::Key || e.frame != lineFrame)) {
            out += '\n';
            keyLineOpen = false;
        }
        switch (e.kind) {
            case Kind::Key:
                if (!keyLineOpen) {
                    appendNumber(out, e.frame);
                    out += " key";
                    keyLineOpen = true;
                    lineFrame = e.frame;
                }
                out += ' ';
                appendKeyName(out, static_cast<int>(e.value));
                break;
            case Kind::Set:
                appendNumber(out, e.frame);
                out += ' ' + setLines_[e.value] + '\n';
                break;
            case Kind::Keyboard:
            case Kind::Joystick:
                appendNumber(out, e.frame);
                out += e.kind == Kind::Keyboard ? " kb" : " joy";
                appendStates(out, static_cast<uint32_t>(e.value));
                out += '\n';
                break;
            case Kind::Sum:
                appendSum(out, e.frame, e.value);
                break;
        }
    }
    if (keyLineOpen) out += '\n';
}

}  // namespace replay

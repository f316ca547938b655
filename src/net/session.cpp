#include "net/session.h"

#include <algorithm>

#include <cstdio>

#include "replay/data_files.h"
#include "replay/files.h"
#include "replay/state_hash.h"

namespace net {

Session::Session(pelea::TForm1& form, Link& link, int side, int delay)
    : form_(form), link_(&link), side_(side), delay_(std::clamp(delay, 0, kMaxDelay)) {
    // Nobody gives an input for the first `delay` frames: they are known to be empty.
    localEnd_ = delay_;
    remoteEnd_ = delay_;
    stats_.delay = delay_;
    form_.DXInput1.setFilter(this);
}

Session::~Session() {
    form_.DXInput1.setFilter(nullptr);
}

void Session::filter(uint32_t& keyboard, uint32_t& joystick) {
    keyboard = feedKeyboard_;
    joystick = feedJoystick_;
}

Session::Status Session::tick(const FrameInput& local,
                              const std::vector<platform::ScriptEvent>& sets) {
    const Status before = poll();
    if (before != Status::Ran) return before;
    bool run = lastFrame_ == 0 || frame_ < lastFrame_;
    if (run && frame_ - remoteEnd_ >= kWindow) {
        ++stats_.waits;
        run = false;
        if (!short_) shortSinceMs_ = now_ ? now_() : 0;
        short_ = true;
    } else if (run && pacing_ && holdForSync()) {
        ++stats_.slips;
        lastSlip_ = frame_;
        run = false;
    }
    waiting_ = !run;
    if (!run) {
        // A side that waits in a tight loop says so once a frame's time, not once a turn: the
        // packet it sent last already carries every input the peer lacks.
        if (answerDue_ || !now_ || now_() - lastSentMs_ >= kResendMs) send();
        return Status::Waiting;
    }
    short_ = false;
    local_[localEnd_] = local;
    if (!sets.empty()) sets_[localEnd_] = sets;
    ++localEnd_;
    runFrame(frame_, true);
    ++frame_;
    confirm();
    compareHashes();
    send();
    return desyncFrame_ >= 0 ? Status::Desync : Status::Ran;
}

// Between turns a packet goes only to answer one that brought inputs this side was waiting
// for, or, when no turn has sent one for a while (a side that ran all its frames), to bring the
// peer inputs it still lacks.
Session::Status Session::idle() {
    const Status status = poll();
    const bool peerLacks = peerAck_ < localEnd_ - 1;
    const bool quiet = !now_ || now_() - lastSentMs_ >= kResendMs;
    if (answerDue_ || (peerLacks && quiet)) send();
    return status;
}

uint64_t Session::silenceMs() const {
    if (!now_) return 0;
    const uint64_t now = now_();
    const uint64_t since = std::min(lastHeardMs_, heardUsMs_);
    return now > since ? now - since : 0;
}

uint64_t Session::waitedMs() const {
    if (!short_ || !now_) return 0;
    const uint64_t now = now_();
    return now > shortSinceMs_ ? now - shortSinceMs_ : 0;
}

int Session::secondsLeft() const {
    const uint64_t silence = silenceMs();
    return silence >= kDropMs ? 0 : static_cast<int>((kDropMs - silence + 999) / 1000);
}

Session::Status Session::poll() {
    receive();
    rollBack();
    confirm();
    compareHashes();
    if (desyncFrame_ >= 0) return Status::Desync;
    if (peerQuit_) return Status::PeerQuit;
    if (dropped_) return Status::PeerLost;
    const bool silent = silenceMs() > kDropMs;
    if ((link_->lost() || silent) && !peerFinished_) return Status::PeerLost;
    return Status::Ran;
}

void Session::receive() {
    if (dropped_) return;
    std::vector<uint8_t> bytes;
    while (link_->receive(bytes)) {
        Message m;
        if (!decode(bytes, m)) continue;  // not ours, or damaged: ignored, no sign of life
        if (now_) lastHeardMs_ = now_();
        if (const auto* in = std::get_if<Inputs>(&m)) {
            take(*in);
        } else if (const auto* q = std::get_if<Quit>(&m)) {
            (q->reason == QuitReason::Finished ? peerFinished_ : peerQuit_) = true;
        } else if (const auto* d = std::get_if<Desync>(&m)) {
            if (desyncFrame_ < 0) desyncFrame_ = d->frame;
        }
    }
}

void Session::take(const Inputs& m) {
    for (size_t i = 0; i < m.inputs.size(); ++i) {
        const int64_t f = int64_t{m.first} + static_cast<int64_t>(i);
        // Known frames are kept; a frame past a gap waits for a packet that fills the gap. No
        // peer in step gives inputs as far ahead as the ring reaches: such are not taken, so
        // what is kept stays the same size whatever a peer claims.
        if (f != remoteEnd_) continue;
        if (f >= confirmed_ + static_cast<int64_t>(kInputRing)) break;
        accept(f, m.inputs[i]);
    }
    // The peer cannot hold inputs this side has not given, nor run further past them than the
    // window.
    peerAck_ = std::clamp<int64_t>(m.ack, peerAck_, localEnd_ - 1);
    peerFrame_ = std::clamp<int64_t>(m.frame, peerFrame_, localEnd_ + kWindow);
    peerAdvantage_ = m.advantage;
    for (size_t j = 0; j < m.hashes.size(); ++j) {
        const int64_t f = int64_t{m.hashFirst} + static_cast<int64_t>(j);
        peerHashes_[slot(f, kHashRing)] = {f, m.hashes[j]};
    }
    if (!now_) return;
    const uint64_t now = now_();
    if (m.pingId != pongId_) {
        pongId_ = m.pingId;
        pongHeardMs_ = now;
    }
    // The peer has held the ping it echoes since it last heard this side (0: it has heard none
    // yet, and the hold says nothing).
    if (m.pongId != 0)
        heardUsMs_ = std::max(heardUsMs_, now - std::min<uint64_t>(m.pongHoldMs, now));
    const Ping& ping = pingSent_[m.pongId % pingSent_.size()];
    if (m.pongId != 0 && ping.id == m.pongId) {
        // The round trip, less the time the other side kept the ping before echoing it.
        const uint64_t trip = now - ping.sentMs;
        stats_.pingMs = static_cast<int>(trip > m.pongHoldMs ? trip - m.pongHoldMs : 0);
    }
}

// The other side's input of frame f, the next one not known.
void Session::accept(int64_t f, const FrameInput& in) {
    remote_[f] = in;
    lastRemote_ = in;
    ++remoteEnd_;
    // Inputs this side stood waiting for are answered at once, out of turn.
    if (waiting_) answerDue_ = true;
    if (f < frame_ && !(used_[f] == in)) {
        rollbackFrom_ = rollbackFrom_ < 0 ? f : std::min(rollbackFrom_, f);
    }
}

void Session::runConfirmed(const FrameInput& one, const FrameInput& two) {
    const int64_t f = frame_;
    local_[f] = side_ == 1 ? one : two;
    remote_[f] = side_ == 1 ? two : one;
    lastRemote_ = remote_[f];
    remoteEnd_ = std::max(remoteEnd_, f + 1);
    for (int64_t k = f + 1; k <= f + delay_; ++k)
        local_[k] = FrameInput{};
    localEnd_ = f + 1 + delay_;
    peerAck_ = localEnd_ - 1;
    peerFrame_ = f + 1;
    runFrame(f, false);
    ++frame_;
    confirm();
    // The frames come from the host: a sign of life however long the catching up takes.
    if (now_) lastHeardMs_ = heardUsMs_ = now_();
}

void Session::rejoin(Link& link) {
    link_ = &link;
    const int64_t from = confirmed_;
    remoteEnd_ = from;
    lastRemote_ = from > 0 ? log_.input(3 - side_, from - 1) : FrameInput{};
    for (int64_t f = from; f < from + delay_; ++f)
        accept(f, FrameInput{});
    peerAck_ = from - 1;
    peerFrame_ = from;
    peerAdvantage_ = 0;
    peerHashes_ = {};
    peerQuit_ = peerFinished_ = dropped_ = false;
    pongId_ = 0;
    pingSent_ = {};
    stats_.pingMs = -1;
    // The wait for the newcomer was its own; a wait for its inputs starts afresh.
    short_ = false;
    if (now_) lastHeardMs_ = heardUsMs_ = pongHeardMs_ = now_();
}

void Session::rollBack() {
    if (rollbackFrom_ < 0) return;
    const int64_t from = rollbackFrom_;
    rollbackFrom_ = -1;
    if (from >= frame_) return;
    const Snapshot& saved = states_[slot(from, kStateRing)];
    form_.g = saved.g;
    feedKeyboard_ = saved.keyboard;
    feedJoystick_ = saved.joystick;
    paused_ = saved.paused;
    form_.DXInput1.Update();
    for (int64_t f = from; f < frame_; ++f)
        runFrame(f, false);
    if (audio_ != nullptr) audio_->correct(from, frame_);
    const auto n = static_cast<int>(frame_ - from);
    ++stats_.rollbacks;
    stats_.rolledFrames += n;
    stats_.maxRollback = std::max(stats_.maxRollback, n);
    stats_.rollbackNow = n;
}

FrameInput Session::remoteFor(int64_t f) const {
    if (f < remoteEnd_) return remote_[f];
    // The prediction: the last known device set held on, no keys.
    FrameInput p;
    p.states = lastRemote_.states;
    return p;
}

const FrameInput& Session::inputOf(int fighter, int64_t f) const {
    return fighter == side_ ? local_[f] : used_[f];
}

void Session::runFrame(int64_t f, bool live) {
    Snapshot& saved = states_[slot(f, kStateRing)];
    saved.g = form_.g;
    saved.keyboard = form_.DXInput1.Keyboard();
    saved.joystick = form_.DXInput1.Joystick();
    saved.paused = paused_;
    used_[f] = remoteFor(f);
    media::Surface& surface = form_.DXDraw1.Surface;
    const bool wasBlind = surface.blind, wasMute = form_.DXSound1.mute;
    // Where the picture sits is this side's own (its nudges, applied outside the frames): the
    // shared title screen's choice, made by either side and maybe on a guess, leaves it alone.
    const int left = form_.DXDraw1.Left;
    const bool fullScreen = form_.DXDraw1.fullScreen;
    if (!live) {
        surface.blind = true;
        // With the sound layer watching, frames run again make their sounds to it, unheard.
        if (audio_ == nullptr) form_.DXSound1.mute = true;
    }
    if (audio_ != nullptr) audio_->beginFrame(f, live);
    const FrameInput& one = inputOf(1, f);
    const FrameInput& two = inputOf(2, f);
    // The game's pause is its timer stopped; the session keeps it, so that a rollback puts it
    // back with the state, and gives the game its timer back after the keys.
    media::DXTimer& timer = form_.DXTimer1;
    timer.Enabled = !paused_;
    for (const FrameInput* in : {&one, &two}) {
        for (size_t k = 0; k < in->keyCount; ++k) {
            if (pipeline_ == nullptr) {
                form_.FormKeyDown(in->keys[k]);
            } else if (live) {
                pipeline_->key(in->keys[k]);
            } else {
                pipeline_->driver().keyDown(in->keys[k]);
            }
        }
    }
    if (const auto it = sets_.find(f); it != sets_.end()) {
        for (const platform::ScriptEvent& e : it->second)
            platform::applySet(form_.g, e);
    }
    paused_ = !timer.Enabled;
    timer.Enabled = true;
    ran_[f] = paused_ ? 0 : 1;
    feedKeyboard_ = one.states;
    feedJoystick_ = two.states;
    if (!paused_) {
        if (pipeline_ == nullptr) {
            form_.DXTimer1Timer();
        } else if (live) {
            pipeline_->tick();
        } else {
            pipeline_->driver().tick();
        }
    }
    form_.DXDraw1.Left = left;
    form_.DXDraw1.fullScreen = fullScreen;
    surface.blind = wasBlind;
    form_.DXSound1.mute = wasMute;
}

// A frame is final once the peer's input for it is known and it has been run with it.
void Session::confirm() {
    while (confirmed_ < remoteEnd_ && confirmed_ < frame_) {
        const int64_t f = confirmed_;
        const pelea::GameState& after =
            f + 1 == frame_ ? form_.g : states_[slot(f + 1, kStateRing)].g;
        const FrameInput& one = inputOf(1, f);
        const FrameInput& two = inputOf(2, f);
        const auto it = sets_.find(f);
        const bool ran = ran_[f] != 0;
        log_.add(one, two, ran, it != sets_.end() ? &it->second : nullptr);
        if (it != sets_.end()) sets_.erase(it);
        const uint64_t hash = replay::stateHash(after);
        ownHashes_[slot(f, kHashRing)] = {f, hash};
        ++confirmed_;
        if (onConfirm_) onConfirm_(f, hash);
    }
}

// Once out of step, the side says so once and compares no more.
void Session::compareHashes() {
    if (desyncFrame_ >= 0) return;
    for (size_t i = 0; i < kHashRing; ++i) {
        const FrameHash& own = ownHashes_[i];
        const FrameHash& peer = peerHashes_[i];
        if (own.frame < 0 || own.frame != peer.frame || own.hash == peer.hash) continue;
        if (desyncFrame_ < 0 || own.frame < desyncFrame_) desyncFrame_ = own.frame;
    }
    if (desyncFrame_ >= 0) {
        link_->send(Channel::Control, encode(Desync{static_cast<uint32_t>(desyncFrame_)}));
    }
}

// Ahead of the peer's clock by a frame or more (each side sees the other late by the same
// latency, so half the difference of the two views is the real lead): hold one frame, at most
// one in four.
bool Session::holdForSync() {
    const int64_t mine = frame_ - peerFrame_;
    return (mine - peerAdvantage_) / 2 >= 1 && frame_ - lastSlip_ >= 4;
}

void Session::send() {
    const int64_t last = localEnd_ - 1;
    if (last < 0) return;
    Inputs m;
    // The ring holds what a peer in step can lack; one that acknowledges nothing gets the oldest
    // inputs still held.
    int64_t first = std::max<int64_t>({peerAck_ + 1, 0, localEnd_ - int64_t{kInputRing}});
    if (first > last) first = last;
    const int64_t count = std::min<int64_t>(last - first + 1, kInputsPerPacket);
    m.first = static_cast<uint32_t>(first);
    for (int64_t f = first; f < first + count; ++f)
        m.inputs.push_back(local_[f]);
    m.ack = static_cast<int32_t>(remoteEnd_ - 1);
    m.frame = static_cast<uint32_t>(frame_);
    stats_.ahead = static_cast<int>(std::clamp<int64_t>(frame_ - peerFrame_, -127, 127));
    m.advantage = static_cast<int8_t>(stats_.ahead);
    const int64_t hashes = std::min<int64_t>(confirmed_, kHashesPerPacket);
    m.hashFirst = static_cast<uint32_t>(hashes > 0 ? confirmed_ - hashes : 0);
    for (int64_t f = confirmed_ - hashes; f < confirmed_; ++f)
        m.hashes.push_back(ownHashes_[slot(f, kHashRing)].hash);
    if (++pingId_ == 0) pingId_ = 1;
    const uint64_t now = now_ ? now_() : 0;
    pingSent_[pingId_ % pingSent_.size()] = {pingId_, now};
    m.pingId = pingId_;
    m.pongId = pongId_;
    m.pongHoldMs = static_cast<uint16_t>(std::min<uint64_t>(now - pongHeardMs_, 65535));
    lastSentMs_ = now;
    answerDue_ = false;
    ++stats_.packetsSent;
    link_->send(Channel::Inputs, encode(m));
}

bool Session::writeReplay(uint64_t seed, const std::string& path, std::string& problem) const {
    replay::Header header;
    header.seed = seed;
    header.data = replay::hashDataFiles();
    int64_t differs = -1;
    const std::string text =
        replayOf(log_, seed, header, confirmed_, [&](int64_t f, uint64_t hash) {
            const FrameHash& own = ownHashes_[slot(f, kHashRing)];
            if (differs < 0 && own.frame == f && own.hash != hash) differs = f;
        });
    if (differs >= 0) {
        std::fprintf(stderr,
                     "pelea: the replay, run again, differs at frame %lld from this side's game "
                     "as it ran\n",
                     static_cast<long long>(differs));
    }
    return replay::writeFileAtomically(path, text, problem);
}

}  // namespace net

#include "net/spectate_feed.h"

#include <algorithm>
#include <cstdio>

#include "net/door.h"

namespace net {

Feed feedOf(const SessionLog& log, int64_t first, int64_t frames) {
    Feed m;
    m.first = static_cast<uint32_t>(first);
    m.live = static_cast<uint32_t>(frames);
    for (int64_t f = first; f < frames && m.count() < kFeedFrames; ++f) {
        const FrameInput one = log.input(1, f), two = log.input(2, f);
        if (m.keys.size() + one.keyCount + two.keyCount > kFeedKeys) break;
        const auto offset = static_cast<uint16_t>(f - first);
        const bool paused = !log.ran(f);
        const bool extends =
            !m.paused.empty() && m.paused.back().first + m.paused.back().second == offset;
        if (paused && !extends && m.paused.size() == kFeedPauses) break;
        m.states.push_back(one.states);
        m.states.push_back(two.states);
        for (const FrameInput* in : {&one, &two}) {
            for (size_t k = 0; k < in->keyCount; ++k)
                m.keys.push_back({offset, static_cast<uint8_t>(in == &one ? 1 : 2), in->keys[k]});
        }
        if (paused && extends) {
            ++m.paused.back().second;
        } else if (paused) {
            m.paused.emplace_back(offset, 1);
        }
    }
    return m;
}

void eachFrame(const Feed& m,
               const std::function<void(const FrameInput&, const FrameInput&, bool)>& f) {
    size_t key = 0, run = 0;
    for (size_t i = 0; i < m.count(); ++i) {
        FrameInput one, two;
        one.states = m.states[2 * i];
        two.states = m.states[2 * i + 1];
        for (; key < m.keys.size() && m.keys[key].offset == i; ++key)
            (m.keys[key].fighter == 1 ? one : two).addKey(m.keys[key].code);
        while (run < m.paused.size() && m.paused[run].first + m.paused[run].second <= i)
            ++run;
        const bool paused = run < m.paused.size() && m.paused[run].first <= i;
        f(one, two, !paused);
    }
}

SpectatorFeed::~SpectatorFeed() {
    for (Watcher& w : watchers_)
        w.link->leave();
    if (rejoiner_) rejoiner_->link->leave();
}

void SpectatorFeed::admitRejoiner(std::unique_ptr<EnetLink> link, int64_t frames) {
    if (rejoiner_) rejoiner_->link->leave();
    rejoiner_ = std::make_unique<Watcher>();
    rejoiner_->link = std::move(link);
    rejoiner_->lastHeardMs = steadyMs();
    rejoiner_->upTo = frames;
}

std::unique_ptr<EnetLink> SpectatorFeed::takeRejoiner() {
    if (!rejoiner_ || rejoiner_->acked < rejoiner_->upTo) return nullptr;
    std::unique_ptr<EnetLink> link = std::move(rejoiner_->link);
    rejoiner_.reset();
    return link;
}

void SpectatorFeed::admit(std::unique_ptr<EnetLink> link, const Watch& watch) {
    Message answer;
    // What would keep it from ever watching is said first.
    if (watch.gameVersion != self_.gameVersion) {
        answer = Refuse{RefuseReason::Version, self_.gameVersion};
    } else if (watch.dataHash != self_.dataHash) {
        answer = Refuse{RefuseReason::Data, self_.gameVersion};
    } else if (over_) {
        answer = Refuse{RefuseReason::Over, self_.gameVersion};
    } else if (watchers_.size() >= static_cast<size_t>(kMaxSpectators)) {
        answer = Refuse{RefuseReason::Full, self_.gameVersion};
    } else {
        link->send(Channel::Control, encode(Welcome{self_.gameVersion, self_.dataHash, self_.seed,
                                                    static_cast<uint8_t>(self_.delay), 0}));
        const uint64_t now = steadyMs();
        watchers_.push_back({std::move(link), 0, 0, 0, now, false});
        return;
    }
    const auto reason = std::get<Refuse>(answer).reason;
    if (reason == RefuseReason::Version) {
        std::fprintf(stderr,
                     "pelea: a spectator was turned away: it runs pelea %s, this is pelea %s\n",
                     watch.gameVersion.c_str(), self_.gameVersion.c_str());
    } else if (reason == RefuseReason::Data) {
        std::fputs("pelea: a spectator was turned away: its data files differ from these\n",
                   stderr);
    }
    link->send(Channel::Control, encode(answer));
    link->leave();
}

// False once the spectator is to be let go.
bool SpectatorFeed::serveOne(Watcher& w, uint64_t now) {
    std::vector<uint8_t> bytes;
    while (w.link->receive(bytes)) {
        Message m;
        if (!decode(bytes, m)) continue;
        w.lastHeardMs = now;
        if (const auto* ack = std::get_if<FeedAck>(&m)) {
            w.acked = std::clamp<int64_t>(ack->frames, w.acked, w.sent);
        } else if (std::holds_alternative<Quit>(m)) {
            return false;
        }
    }
    if (w.link->lost() || now - w.lastHeardMs > kSpectatorSilentMs) return false;
    int64_t frames = log_ != nullptr ? log_->frames() : 0;
    if (w.upTo >= 0) frames = std::min(frames, w.upTo);
    while (w.sent < frames && w.sent - w.acked < kFeedAhead) {
        const bool full = frames - w.sent >= static_cast<int64_t>(kFeedFrames);
        if (!full && !over_ && now - w.lastSentMs < kFeedEveryMs) break;
        // The packet stays within the bound, and says how far the match has gone.
        Feed m = feedOf(*log_, w.sent, std::min(frames, w.acked + kFeedAhead));
        m.live = static_cast<uint32_t>(frames);
        w.sent += static_cast<int64_t>(m.count());
        w.lastSentMs = now;
        w.link->send(Channel::Control, encode(m));
    }
    if (now - w.lastSentMs >= kFeedKeepAliveMs) {
        Feed alive;
        alive.first = static_cast<uint32_t>(w.sent);
        alive.live = static_cast<uint32_t>(frames);
        w.lastSentMs = now;
        w.link->send(Channel::Control, encode(alive));
    }
    // The feed and this go in order on one reliable channel: a spectator told the end holds
    // the whole match when it hears it.
    if (over_ && w.upTo < 0 && !w.told && w.sent == frames) {
        w.link->send(Channel::Control, encode(Quit{QuitReason::Finished}));
        w.told = true;
    }
    return true;
}

void SpectatorFeed::serve() {
    const uint64_t now = steadyMs();
    if (rejoiner_ && !serveOne(*rejoiner_, now)) {
        rejoiner_->link->leave();
        rejoiner_.reset();
    }
    for (auto it = watchers_.begin(); it != watchers_.end();) {
        if (serveOne(*it, now)) {
            ++it;
        } else {
            it->link->leave();
            it = watchers_.erase(it);
        }
    }
}

void SpectatorFeed::finish(Door* door, uint64_t waitMs) {
    over_ = true;
    const uint64_t start = steadyMs();
    // One silent for a while is gone or stuck: it is not waited for.
    std::erase_if(watchers_, [&](Watcher& w) {
        if (start - w.lastHeardMs <= kFeedAliveMs) return false;
        w.link->leave();
        return true;
    });
    while (!watchers_.empty() && steadyMs() - start < waitMs) {
        socket_.service(2);
        serve();
        std::unique_ptr<EnetLink> newcomer;
        Message said;
        while (door != nullptr && door->next(newcomer, said)) {
            if (const auto* w = std::get_if<Watch>(&said)) {
                admit(std::move(newcomer), *w);
            } else {
                if (std::holds_alternative<Hello>(said)) {
                    newcomer->send(Channel::Control,
                                   encode(Refuse{RefuseReason::Busy, self_.gameVersion}));
                }
                newcomer->leave();
            }
        }
        socket_.flush();
    }
    for (Watcher& w : watchers_)
        w.link->leave();
    watchers_.clear();
    socket_.flush();
}

}  // namespace net

#include "media/picture.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace media {

namespace {

std::atomic<uint64_t> lastIdentity{0}, copiedSoFar{0};

// Maps step i of a destination span of |dLen| pixels onto a source span starting at s1 with signed
// length sLen: a negative length walks the source backwards from s1 − 1.
int sourceIndex(int i, int s1, int sLen, int dLen) {
    const long long k = static_cast<long long>(i) * std::abs(sLen) / std::abs(dLen);
    return sLen > 0 ? s1 + static_cast<int>(k) : s1 - 1 - static_cast<int>(k);
}

int destIndex(int i, int d1, int dLen) {
    return dLen > 0 ? d1 + i : d1 - 1 - i;
}

}  // namespace

Picture& Picture::operator=(Picture&& p) noexcept {
    if (this == &p) return *this;
    width_ = std::exchange(p.width_, 0);
    height_ = std::exchange(p.height_, 0);
    data_ = std::move(p.data_);
    p.data_.reset();
    return *this;
}

bool Picture::operator==(const Picture& p) const {
    if (width_ != p.width_ || height_ != p.height_) return false;
    if (data_ == p.data_) return true;
    if (!data_ || !p.data_) return false;
    return data_->px == p.data_->px;
}

TColor* Picture::own() {
    if (!data_) return nullptr;
    if (data_.use_count() > 1) {
        data_ = std::make_shared<Pixels>(data_->px);
        copiedSoFar.fetch_add(data_->px.size(), std::memory_order_relaxed);
    } else {
        data_->identity.store(0, std::memory_order_relaxed);
    }
    return data_->px.data();
}

void Picture::setSize(int width, int height, TColor fill) {
    if (width <= 0 || height <= 0) width = height = 0;
    width_ = width;
    height_ = height;
    const size_t n = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (n == 0) {
        data_.reset();
    } else if (data_ && data_.use_count() == 1) {
        data_->px.assign(n, fill);
        data_->identity.store(0, std::memory_order_relaxed);
    } else {
        data_ = std::make_shared<Pixels>(std::vector<TColor>(n, fill));
    }
}

uint64_t Picture::identity() const {
    if (!data_) return 0;
    uint64_t id = data_->identity.load(std::memory_order_acquire);
    if (id != 0) return id;
    const uint64_t fresh = lastIdentity.fetch_add(1, std::memory_order_relaxed) + 1;
    // Another copy may have named them meanwhile: its number stands.
    return data_->identity.compare_exchange_strong(id, fresh, std::memory_order_acq_rel) ? fresh
                                                                                          : id;
}

uint64_t Picture::pixelsCopied() {
    return copiedSoFar.load(std::memory_order_relaxed);
}

void Picture::copyRect(int dx1, int dy1, int dx2, int dy2, const Picture& src, int sx1, int sy1,
                       int sx2, int sy2) {
    const int dw = dx2 - dx1, dh = dy2 - dy1, sw = sx2 - sx1, sh = sy2 - sy1;
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || empty()) return;
    own();
    for (int j = 0; j < std::abs(dh); ++j) {
        const int dy = destIndex(j, dy1, dh), sy = sourceIndex(j, sy1, sh, dh);
        if (dy < 0 || dy >= height_ || sy < 0 || sy >= src.height_) continue;
        TColor* out = data_->px.data() + static_cast<size_t>(dy) * width_;
        const TColor* in = src.row(sy);
        for (int i = 0; i < std::abs(dw); ++i) {
            const int dx = destIndex(i, dx1, dw), sx = sourceIndex(i, sx1, sw, dw);
            if (dx < 0 || dx >= width_ || sx < 0 || sx >= src.width_) continue;
            out[dx] = in[sx];
        }
    }
}

void Picture::cut(const Picture& sheet, int left, int top, int width, int height, bool mirrored) {
    const Picture from = sheet;  // the sheet may be this very picture
    setSize(width, height);
    const int w = width_;
    const int lo = std::max(left, 0);
    const int hi = std::min(left + w, from.width_);
    if (lo >= hi) return;
    for (int y = 0; y < height_; ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= from.height_) continue;
        const TColor* in = from.row(sy);
        TColor* out = data_->px.data() + static_cast<size_t>(y) * w;
        if (mirrored) {
            std::reverse_copy(in + lo, in + hi, out + (left + w - hi));
        } else {
            std::copy(in + lo, in + hi, out + (lo - left));
        }
    }
    copiedSoFar.fetch_add(static_cast<uint64_t>(hi - lo) * static_cast<uint64_t>(height_),
                          std::memory_order_relaxed);
}

}  // namespace media

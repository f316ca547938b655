#include "media/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/loaders.h"
#include "media/pixel_blend.h"

namespace media {

namespace {

constexpr const char* kFacePaths[] = {
    "/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};
constexpr int kDpi = 96;
constexpr int kMaxSize = 255;
// A changing number (a clock, a score) makes new texts every frame; past this many the cache
// starts again from empty.
constexpr size_t kMaxCachedTexts = 4096;

struct KeyView {
    std::string_view text;
    int size;
};

struct Key {
    std::string text;
    int size;
};

struct KeyHash {
    using is_transparent = void;
    size_t operator()(const KeyView& k) const {
        return std::hash<std::string_view>{}(k.text) * 31u + static_cast<size_t>(k.size);
    }
    size_t operator()(const Key& k) const { return (*this)(KeyView{k.text, k.size}); }
};

struct KeyEqual {
    using is_transparent = void;
    static KeyView view(const Key& k) { return KeyView{k.text, k.size}; }
    static KeyView view(const KeyView& k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        return view(a).size == view(b).size && view(a).text == view(b).text;
    }
};

// One row segment of non-zero coverage; its weights (0 … 32) start at `offset`.
struct MaskRun {
    int32_t y, x, length;
    uint32_t offset;
};

struct Rendered {
    int width = 0;
    bool drawn = false;  // the mask below has been rendered
    std::vector<MaskRun> runs;
    std::vector<uint8_t> coverage;
};

uint8_t alphaAt(const SDL_Surface* s, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    uint32_t p = 0;
    std::memcpy(&p, row + static_cast<size_t>(x) * 4, 4);
    return static_cast<uint8_t>((p & s->format->Amask) >> s->format->Ashift);
}

void buildMask(SDL_Surface* s, Rendered& out) {
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
        int x = 0;
        while (x < s->w) {
            if (alphaAt(s, x, y) == 0) {
                ++x;
                continue;
            }
            MaskRun run{y, x, 0, static_cast<uint32_t>(out.coverage.size())};
            for (; x < s->w && alphaAt(s, x, y) != 0; ++x, ++run.length) {
                out.coverage.push_back(static_cast<uint8_t>(blendWeight(alphaAt(s, x, y))));
            }
            out.runs.push_back(run);
        }
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

}  // namespace

struct TextRenderer::Impl {
    bool ttfUp = false;
    std::string path;
    std::array<TTF_Font*, kMaxSize + 1> fonts{};
    std::array<bool, kMaxSize + 1> tried{};
    std::unordered_map<Key, Rendered, KeyHash, KeyEqual> cache;
    std::string scratch;  // null-terminated copy for SDL_ttf, reused

    TTF_Font* font(int size) {
        if (path.empty() || size <= 0 || size > kMaxSize) return nullptr;
        const auto i = static_cast<size_t>(size);
        if (!tried[i]) {
            tried[i] = true;
            fonts[i] = TTF_OpenFontDPI(path.c_str(), size, kDpi, kDpi);
        }
        return fonts[i];
    }

    Rendered* entry(std::string_view text, int size) {
        TTF_Font* f = font(size);
        if (f == nullptr || text.empty()) return nullptr;
        if (auto it = cache.find(KeyView{text, size}); it != cache.end()) return &it->second;
        if (cache.size() >= kMaxCachedTexts) cache.clear();
        scratch.assign(text);
        Rendered r;
        int h = 0;
        if (TTF_SizeUTF8(f, scratch.c_str(), &r.width, &h) != 0) r.width = 0;
        return &cache.emplace(Key{scratch, size}, std::move(r)).first->second;
    }

    void render(Rendered& r, std::string_view text, int size) {
        r.drawn = true;
        scratch.assign(text);
        SDL_Surface* s =
            TTF_RenderUTF8_Blended(font(size), scratch.c_str(), SDL_Color{255, 255, 255, 255});
        if (s == nullptr) return;
        SDL_Surface* argb = s;
        if (s->format->format != SDL_PIXELFORMAT_ARGB8888) {
            argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
        }
        if (argb != nullptr) buildMask(argb, r);
        if (argb != s && argb != nullptr) SDL_FreeSurface(argb);
        SDL_FreeSurface(s);
    }
};

TextRenderer::TextRenderer() : impl_(std::make_unique<Impl>()) {
    impl_->ttfUp = TTF_Init() == 0;
    if (!impl_->ttfUp) {
        std::fprintf(stderr, "pelea: text disabled: %s\n", TTF_GetError());
        return;
    }
    for (const char* p : kFacePaths) {
        if (fileExists(p)) {
            impl_->path = p;
            return;
        }
    }
    std::fprintf(stderr, "pelea: no font found (tried %s and %s); texts are not drawn\n",
                 kFacePaths[0], kFacePaths[1]);
}

TextRenderer::~TextRenderer() {
    for (TTF_Font* f : impl_->fonts) {
        if (f != nullptr) TTF_CloseFont(f);
    }
    if (impl_->ttfUp) TTF_Quit();
}

bool TextRenderer::ready() const {
    return !impl_->path.empty();
}

const std::string& TextRenderer::fontPath() const {
    return impl_->path;
}

int TextRenderer::width(std::string_view text, int sizePt) {
    const Rendered* r = impl_->entry(text, sizePt);
    return r == nullptr ? 0 : r->width;
}

int TextRenderer::height(int sizePt) {
    TTF_Font* f = impl_->font(sizePt);
    return f == nullptr ? 0 : TTF_FontHeight(f);
}

void TextRenderer::draw(Surface& dst, int x, int y, std::string_view text, int sizePt,
                        TColor color) {
    if (dst.blind) return;
    Rendered* r = impl_->entry(text, sizePt);
    if (r == nullptr) return;
    if (!r->drawn) impl_->render(*r, text, sizePt);
    const uint16_t c = to565(color);
    for (const MaskRun& run : r->runs) {
        const int dy = y + run.y;
        if (dy < 0 || dy >= Surface::kHeight) continue;
        const int x0 = x + run.x;
        const int lo = std::max(0, -x0), hi = std::min(run.length, Surface::kWidth - x0);
        uint16_t* out = dst.pixels() + static_cast<size_t>(dy) * Surface::kWidth;
        const uint8_t* cov = r->coverage.data() + run.offset;
        for (int i = lo; i < hi; ++i) {
            uint16_t& p = out[x0 + i];
            p = cov[i] >= kBlendSteps ? c : blend565(c, p, cov[i]);
        }
    }
}

}  // namespace media

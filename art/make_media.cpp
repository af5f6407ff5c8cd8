// make_media: draws every picture Plint ships under Media/ from code.
//
// Usage: make_media OUT_DIR FONT_TTF [ICON_DIR]
//   OUT_DIR   directory that receives Game/ and Canopy/ (normally Media)
//   FONT_TTF  DejaVu Sans Mono Bold, rasterised into the bitmap font
//   ICON_DIR  directory that receives the desktop icon as SIZExSIZE/apps/plint.png
//             (normally packaging/icons)
//        make_media --check-font FONT_PNG
//   checks a font sheet against what the game relies on (see check_font)
//
// The output must be byte-identical from run to run, so:
//   - all randomness comes from a fixed-seed xorshift / integer hash below,
//   - only +, *, / and sqrt are used on floats (no sin/exp/pow whose last
//     bits may differ between C libraries),
//   - PNGs are written with a fixed zlib level and no time or text chunks.
//
// The look: a cool slate-stone maze, a night-blue sky, and a blue-grey UI
// with a warm amber highlight.

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Colours and canvases

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

Color rgb(float r, float g, float b, float a = 1) {
    return Color{r, g, b, a};
}

Color mix(Color p, Color q, float t) {
    return Color{p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t,
                 p.a + (q.a - p.a) * t};
}

Color shade(Color c, float d) {
    return Color{c.r + d, c.g + d, c.b + d, c.a};
}

float clampf(float v, float lo, float hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

float smoothstep(float e0, float e1, float x) {
    float t = clampf((x - e0) / (e1 - e0), 0, 1);
    return t * t * (3 - 2 * t);
}

// A float RGBA picture; channels are 0..255, alpha 0..1.
struct Canvas {
    int w, h;
    std::vector<Color> px;
    Canvas(int w_, int h_, Color fill = Color{0, 0, 0, 0}) : w(w_), h(h_), px(w_ * h_, fill) {}
    Color& at(int x, int y) { return px[y * w + x]; }
    const Color& at(int x, int y) const { return px[y * w + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
};

void fill_rect(Canvas& c, int x0, int y0, int x1, int y1, Color col) {
    for (int y = std::max(0, y0); y < std::min(c.h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(c.w, x1); ++x)
            c.at(x, y) = col;
}

// "Source over" compositing of a colour with coverage `cov` onto a pixel.
void blend(Canvas& c, int x, int y, Color col, float cov) {
    if (!c.inside(x, y) || cov <= 0)
        return;
    Color& d = c.at(x, y);
    float sa = clampf(col.a * cov, 0, 1);
    float oa = sa + d.a * (1 - sa);
    if (oa <= 0) {
        d = Color{0, 0, 0, 0};
        return;
    }
    d.r = (col.r * sa + d.r * d.a * (1 - sa)) / oa;
    d.g = (col.g * sa + d.g * d.a * (1 - sa)) / oa;
    d.b = (col.b * sa + d.b * d.a * (1 - sa)) / oa;
    d.a = oa;
}

// Copies a w x h block of `src` at (sx,sy) to `dst` at (dx,dy).
void blit(Canvas& dst, int dx, int dy, const Canvas& src, int sx, int sy, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dst.at(dx + x, dy + y) = src.at(sx + x, sy + y);
}

// ---------------------------------------------------------------------------
// Deterministic randomness

// Marsaglia xorshift32 with our own fixed seeds.
struct XorShift {
    uint32_t s;
    explicit XorShift(uint32_t seed) : s(seed ? seed : 0x9e3779b9u) {}
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    float unit() { return (next() >> 8) * (1.0f / 16777216.0f); }       // [0,1)
    float range(float lo, float hi) { return lo + (hi - lo) * unit(); } // [lo,hi)
    int irange(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
};

// Stateless integer hash for lattice noise.
uint32_t hash3(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float lattice(int x, int y, uint32_t seed) {
    return (hash3(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

int wrap(int v, int period) {
    return ((v % period) + period) % period;
}

// Smooth value noise in [0,1] with cell size `cell`. When `period_x` > 0 the
// lattice repeats every period_x pixels, so the noise tiles horizontally
// (period_x must be a multiple of cell).
float value_noise(float x, float y, float cell, int period_x, uint32_t seed) {
    float fx = x / cell, fy = y / cell;
    int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int cells = period_x > 0 ? int(period_x / cell + 0.5f) : 0;
    auto L = [&](int i, int j) { return lattice(cells ? wrap(i, cells) : i, j, seed); };
    float a = L(ix, iy), b = L(ix + 1, iy), c = L(ix, iy + 1), d = L(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// A few octaves of value noise, result roughly in [-1,1].
float fbm(float x, float y, float cell, int octaves, int period_x, uint32_t seed) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * (value_noise(x, y, cell, period_x, seed + 101u * o) * 2 - 1);
        norm += amp;
        amp *= 0.5f;
        cell *= 0.5f;
    }
    return sum / norm;
}

// ---------------------------------------------------------------------------
// Shapes

// Signed distance from (px,py) to a rounded rectangle [x0,x1] x [y0,y1]
// with corner radius r: negative inside.
float sd_round_rect(float px, float py, float x0, float y0, float x1, float y1, float r) {
    float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
    float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

// Alpha of a 1-px dark rim around `a`: the max over the 3x3 neighbourhood,
// strengthened so the outline reads as solid.
std::vector<float> dilate(const std::vector<float>& a, int w, int h) {
    std::vector<float> out(a.size(), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float m = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    // Diagonal neighbours count a little less so the rim is rounder.
                    float v = a[ny * w + nx] * ((dx && dy) ? 0.7f : 1.0f);
                    m = std::max(m, v);
                }
            out[y * w + x] = clampf(m * 1.6f, 0, 1);
        }
    return out;
}

// ---------------------------------------------------------------------------
// PNG output

bool cyan(const Color& c) {
    return int(c.r + 0.5f) == 0 && int(c.g + 0.5f) == 255 && int(c.b + 0.5f) == 255;
}

uint8_t byte(float v) {
    return uint8_t(clampf(v + 0.5f, 0, 255));
}

// Writes RGB or RGBA with a fixed zlib level and nothing time-dependent.
void write_png(const std::string& path, const Canvas& c, bool alpha) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        std::fprintf(stderr, "libpng failed on %s\n", path.c_str());
        std::exit(1);
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    png_set_IHDR(png, info, c.w, c.h, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    int ch = alpha ? 4 : 3;
    std::vector<uint8_t> row(c.w * ch);
    for (int y = 0; y < c.h; ++y) {
        for (int x = 0; x < c.w; ++x) {
            const Color& p = c.at(x, y);
            uint8_t* o = &row[x * ch];
            if (alpha && byte(p.a * 255) == 0) {
                o[0] = o[1] = o[2] = o[3] = 0; // keep fully clear pixels clean
                continue;
            }
            o[0] = byte(p.r);
            o[1] = byte(p.g);
            o[2] = byte(p.b);
            if (alpha)
                o[3] = byte(p.a * 255);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

// The colour key the game treats as transparent in RGB pictures.
const Color kCyan = rgb(0, 255, 255);

// Shared palette: slate stone and a blue-grey UI with an amber accent.
const Color kInk = rgb(14, 17, 24);           // outlines and shadows
const Color kSlateDark = rgb(30, 37, 50);     // bar and frame bodies
const Color kSlate = rgb(62, 74, 94);         // frame metal
const Color kSteel = rgb(150, 172, 200);      // bright edge lines
const Color kSteelLight = rgb(200, 216, 235); // highlights
const Color kAmber = rgb(236, 184, 92);       // highlighted UI

// ---------------------------------------------------------------------------
// Game/wall.png: slate blocks in mortar.
//
// The game darkens the wall by 30 per channel per cell of distance, so the
// stones sit in the mid tones and the structure is large (blocks ~40 px
// high) rather than fine grain that would shimmer when scaled down. A face
// shows the whole width, so everything wraps at x = 400 to tile seamlessly.

struct Course {
    int y0, y1;              // rows [y0, y1)
    std::vector<int> joints; // x of vertical joints, sorted, in [0, W)
};

Canvas make_wall() {
    const int W = 400, H = 258;
    Canvas c(W, H);
    XorShift rng(0x57a11u);

    // Course heights from top to bottom: a cap course, five rows of ashlar and
    // a taller plinth at the foot. They add up to the texture height.
    const int heights[] = {24, 42, 38, 44, 40, 38, 32};
    std::vector<Course> courses;
    int y = 0;
    for (int hgt : heights) {
        Course k;
        k.y0 = y;
        k.y1 = y + hgt;
        y += hgt;
        // Cap and plinth use long blocks, the wall body shorter ones.
        bool wide = (k.y0 == 0 || k.y1 == H);
        int minw = wide ? 120 : 62, maxw = wide ? 150 : 118;
        int x = rng.irange(0, W - 1);
        int total = 0;
        while (true) {
            int bw = rng.irange(minw, maxw);
            if (W - total - bw < minw) {
                break; // the last block takes what is left of the 400 px
            }
            k.joints.push_back(wrap(x + total, W));
            total += bw;
        }
        k.joints.push_back(wrap(x + total, W));
        std::sort(k.joints.begin(), k.joints.end());
        courses.push_back(k);
    }

    const Color mortar = rgb(90, 91, 96);
    const float mortar_half = 2.0f; // joints are 4 px wide
    const float radius = 3.0f;      // slightly rounded block corners

    for (size_t ci = 0; ci < courses.size(); ++ci) {
        const Course& k = courses[ci];
        int n = int(k.joints.size());
        // One tint per block: mostly cool slate greys, some warmer and some
        // bluer, varying in lightness so neighbouring stones stand apart.
        std::vector<Color> tint(n);
        for (int i = 0; i < n; ++i) {
            float base = rng.range(132, 178);
            float hue = rng.range(-1, 1);
            if (ci == 0)
                base += 12; // cap stones catch more light
            if (ci + 1 == courses.size())
                base -= 14; // plinth is in shadow
            tint[i] = rgb(base + hue * 7 - 3, base + hue * 1, base + 6 - hue * 5);
        }
        for (int yy = k.y0; yy < k.y1; ++yy) {
            for (int x = 0; x < W; ++x) {
                // Find the block whose left joint is the last one at or before x.
                int bi = n - 1;
                for (int i = 0; i < n; ++i)
                    if (k.joints[i] <= x)
                        bi = i;
                int left = k.joints[bi];
                int right = k.joints[(bi + 1) % n];
                float dl = float(wrap(x - left, W)) + 0.5f;
                float dr = float(wrap(right - x, W)) - 0.5f;
                float len = dl + dr;
                // Coordinates inside the block's own box (mortar included).
                float bx = dl, by = yy - k.y0 + 0.5f;
                float bh = float(k.y1 - k.y0);
                float top = (k.y0 == 0) ? -radius : mortar_half; // wall top: no joint
                float bot = (k.y1 == H) ? bh + radius : bh - mortar_half;
                float d = sd_round_rect(bx, by, mortar_half, top, len - mortar_half, bot, radius);
                // Hewn, not moulded: wobble the stone outline a little.
                d += fbm(float(x), float(yy), 8, 2, W, 5u) * 1.6f;

                // Stone surface: block tint, broad mottling, a chamfer that
                // lights the upper edges and shades the lower ones, pitting.
                float mott = fbm(float(x), float(yy), 50, 3, W, 11u + 7u * bi) * 16;
                float grain = (lattice(x, yy, 7u) - 0.5f) * 6 + fbm(x, yy, 4, 1, W, 9u) * 4;
                float depth = clampf(-d, 0, 6);
                float bevel = 0;
                if (depth < 4) {
                    // Which edge is nearest decides light or shade.
                    float to_top = by - top, to_bot = bot - by;
                    float to_left = bx - mortar_half, to_right = len - mortar_half - bx;
                    float m = std::min(std::min(to_top, to_bot), std::min(to_left, to_right));
                    float k_in = 1 - depth / 4;
                    if (m == to_top)
                        bevel = 20 * k_in;
                    else if (m == to_left)
                        bevel = 8 * k_in;
                    else if (m == to_bot)
                        bevel = -28 * k_in;
                    else
                        bevel = -16 * k_in;
                }
                // Rain streaks: darker vertical runs from the top of each stone.
                float streak = value_noise(float(x), 0, 10, W, 13u + 3u * ci);
                float stain = -clampf(streak - 0.6f, 0, 1) * 40 * (1 - by / bh);
                // Pits: scattered dark specks.
                float pit = lattice(x, yy, 17u) > 0.992f ? -22 : 0;
                float sag = -8 * smoothstep(bh * 0.5f, bh, by);
                Color stone = shade(tint[bi], mott + grain + bevel + stain + pit + sag);

                // Mortar: darker, sandy grain.
                float mnoise = (lattice(x, yy, 23u) - 0.5f) * 12 + fbm(x, yy, 10, 2, W, 29u) * 6;
                Color mort = shade(mortar, mnoise);
                float cov = clampf(0.5f - d, 0, 1);
                c.at(x, yy) = mix(mort, stone, cov);
            }
        }
    }

    // A few chips and cracks: short dark random walks inside stones, wrapped
    // horizontally. Drawn sparingly; large structure matters more.
    XorShift crk(0xc4ac5u);
    for (int i = 0; i < 9; ++i) {
        float x = crk.range(0, W), yy = crk.range(30, H - 40);
        float dx = crk.range(-1, 1), dy = crk.range(0.3f, 1);
        int steps = crk.irange(10, 22);
        for (int s = 0; s < steps; ++s) {
            int px = wrap(int(x), W), py = int(yy);
            if (py >= 0 && py < H) {
                Color& p = c.at(px, py);
                p = shade(p, -34);
                Color& q = c.at(wrap(px + 1, W), py);
                q = shade(q, 10); // lit lip of the crack
            }
            x += dx + crk.range(-0.8f, 0.8f);
            yy += dy;
        }
    }

    // Mid tones only, never cyan.
    for (Color& p : c.px) {
        p.r = clampf(p.r, 80, 225);
        p.g = clampf(p.g, 80, 225);
        p.b = clampf(p.b, 80, 225);
    }
    return c;
}

// ---------------------------------------------------------------------------
// Game/background.png: sky above the horizon (row 240), ground below.
//
// Walls are drawn over it centred on row 240 and fade towards black with
// distance, so the horizon is dark and both halves brighten towards the
// screen edges, like light falling on the nearest ground. It does not move
// with the player, so it carries no pattern, only gradients and a faint
// dither against banding.

Canvas make_background() {
    const int W = 640, H = 480, horizon = 240;
    Canvas c(W, H);
    const Color sky_top = rgb(40, 52, 78), sky_low = rgb(10, 13, 22);
    const Color ground_far = rgb(18, 20, 25), ground_near = rgb(96, 99, 106);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            Color col;
            if (y < horizon) {
                float t = float(y) / (horizon - 1);
                col = mix(sky_top, sky_low, smoothstep(0, 1, t));
                // A faint band of cloud high up, stretched wide.
                float cloud = fbm(x, y * 3.0f, 160, 3, W, 41u);
                col = shade(col, cloud * 5 * (1 - t));
            } else {
                float t = float(y - horizon) / (H - 1 - horizon);
                col = mix(ground_far, ground_near, t * t * (3 - 2 * t) * 0.6f + t * 0.4f);
                // Long low-contrast streaks, like worn flagstones seen flat on.
                float streak = fbm(x * 0.25f, y * 2.0f, 40, 3, 0, 43u);
                col = shade(col, streak * 6 * t);
            }
            float dither = (lattice(x, y, 47u) - 0.5f) * 2;
            c.at(x, y) = shade(col, dither);
        }
    }
    return c;
}

// ---------------------------------------------------------------------------
// Canopy/Font.png: 95 glyphs ' '..'~' in 15 x 21 cells, pen advance 11 px.
//
// DejaVu's licence (Bitstream Vera + public domain) lets us ship glyphs
// rendered from it; see art/README.md.
// Rendered from DejaVu Sans Mono Bold with FreeType, antialiased, then given a
// dark 1-px rim (dilated alpha) plus a drop shadow, so near-white text reads
// over the dark 3D view and over the washed-out light backdrop alike.

const int kCellW = 15, kCellH = 21, kGlyphs = 95, kBaseline = 15, kFontPx = 14;

Canvas make_font(const std::string& ttf) {
    FT_Library lib;
    FT_Face face;
    if (FT_Init_FreeType(&lib) || FT_New_Face(lib, ttf.c_str(), 0, &face)) {
        std::fprintf(stderr, "cannot load font %s\n", ttf.c_str());
        std::exit(1);
    }
    FT_Set_Pixel_Sizes(face, 0, kFontPx);

    const int W = kCellW * kGlyphs, H = kCellH;
    std::vector<float> glyph(W * H, 0);
    for (int i = 1; i < kGlyphs; ++i) { // cell 0 is the space: no ink at all
        if (FT_Load_Char(face, FT_ULong(32 + i), FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) {
            std::fprintf(stderr, "cannot render '%c'\n", 32 + i);
            std::exit(1);
        }
        FT_GlyphSlot g = face->glyph;
        int adv = int(g->advance.x >> 6);
        // Centre the monospaced advance in the 11 px the game steps by, leaving
        // a column on the left for the rim.
        int pen = 1 + (11 - adv) / 2;
        int gx = i * kCellW + pen + g->bitmap_left;
        int gy = kBaseline - g->bitmap_top;
        for (unsigned r = 0; r < g->bitmap.rows; ++r)
            for (unsigned col = 0; col < g->bitmap.width; ++col) {
                int x = gx + int(col), y = gy + int(r);
                // Keep every glyph (with its rim) inside its own cell.
                if (x < i * kCellW + 1 || x > i * kCellW + 12 || y < 1 || y > H - 2)
                    continue;
                float v = g->bitmap.buffer[r * g->bitmap.pitch + col] / 255.0f;
                glyph[y * W + x] = std::max(glyph[y * W + x], v);
            }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);

    std::vector<float> rim = dilate(glyph, W, H);
    // Drop shadow: the glyph moved one pixel right and down.
    std::vector<float> shadow(W * H, 0);
    for (int y = 1; y < H; ++y)
        for (int x = 1; x < W; ++x)
            if ((x - 1) / kCellW == x / kCellW)
                shadow[y * W + x] = glyph[(y - 1) * W + (x - 1)];

    Canvas c(W, H);
    const Color face_top = rgb(255, 255, 255), face_bot = rgb(214, 226, 242);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            float a = glyph[y * W + x];
            float o = std::max(rim[y * W + x], shadow[y * W + x] * 0.9f);
            if (a <= 0 && o <= 0)
                continue;
            // The rim goes under the glyph face; the face fades from white to
            // a cool silver towards the baseline.
            blend(c, x, y, rgb(kInk.r, kInk.g, kInk.b, 0.85f), o);
            blend(c, x, y, mix(face_top, face_bot, smoothstep(4, kBaseline, float(y))), a);
        }
    return c;
}

// ---------------------------------------------------------------------------
// Canopy/Button.png: 9 tiles of 21 x 21, normal row then highlighted row.
// Tile order: TL, BL, TR, BR corner, bottom, right, top, left edge, centre.
//
// The game builds a 342 x 57 frame from them: 21-px corner columns and a
// middle run of repeated tiles; 21-px top and bottom bands and a 15-px
// middle band that uses the top 15 rows of the side and centre tiles. So we
// draw one panel the size of that frame with only three tiles across and cut
// the tiles out of it: edges and centre come out constant along their run.
// The outer 8 px stay clear, since frames can overlap there.

Canvas make_button_row(bool hot) {
    const int T = 21, PW = 3 * T, PH = 57, margin = 8;
    const float r = 6.0f;
    Canvas panel(PW, PH);
    Color fill = hot ? rgb(58, 78, 110, 0.86f) : rgb(30, 40, 56, 0.78f);
    Color border = hot ? kAmber : rgb(128, 148, 176);
    Color lit = hot ? rgb(255, 226, 160) : kSteelLight;   // inner highlight under the top
    Color dim = hot ? rgb(120, 84, 36) : rgb(18, 22, 32); // inner shade over the bottom
    for (int y = 0; y < PH; ++y)
        for (int x = 0; x < PW; ++x) {
            float d =
                sd_round_rect(x + 0.5f, y + 0.5f, margin, margin, PW - margin, PH - margin, r);
            float outer = clampf(0.5f - d, 0, 1);
            if (outer <= 0)
                continue;
            // Gloss: lighter towards the top border, darker towards the bottom
            // one, flat across the 15-px middle band so the side tiles stay
            // constant down their run.
            Color body = fill;
            if (y < T)
                body = shade(fill, 16 * (1 - smoothstep(margin + 2, T, float(y))));
            else if (y >= PH - T)
                body = shade(fill, -10 * smoothstep(PH - T, PH - margin - 2, float(y)));
            // A one-pixel bevel just inside the border on top and bottom.
            if (y == margin + 2 && d < -2.2f)
                body = mix(body, rgb(lit.r, lit.g, lit.b, 0.95f), 0.55f);
            if (y == PH - margin - 3 && d < -2.2f)
                body = mix(body, rgb(dim.r, dim.g, dim.b, 0.95f), 0.6f);
            // 2-px border, antialiased on both sides.
            float inb = clampf(d + 2.5f, 0, 1);
            Color px = mix(body, rgb(border.r, border.g, border.b, 0.96f), inb);
            px.a *= outer;
            panel.at(x, y) = px;
        }

    // Cut out the nine tiles. Side and centre tiles take their 21 rows from
    // the middle band downwards; only their top 15 are shown and the rest
    // repeats the same run.
    Canvas row(9 * T, T);
    auto cut = [&](int tile, int sx, int sy) { blit(row, tile * T, 0, panel, sx, sy, T, T); };
    auto cut_mid = [&](int tile, int sx) {
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < T; ++x)
                row.at(tile * T + x, y) = panel.at(sx + x, T + std::min(y, 14));
    };
    cut(0, 0, 0);          // top-left
    cut(1, 0, PH - T);     // bottom-left
    cut(2, 2 * T, 0);      // top-right
    cut(3, 2 * T, PH - T); // bottom-right
    cut(4, T, PH - T);     // bottom edge
    cut_mid(5, 2 * T);     // right edge
    cut(6, T, 0);          // top edge
    cut_mid(7, 0);         // left edge
    cut_mid(8, T);         // centre
    return row;
}

Canvas make_button() {
    Canvas c(189, 42);
    Canvas normal = make_button_row(false), hot = make_button_row(true);
    blit(c, 0, 0, normal, 0, 0, 189, 21);
    blit(c, 0, 21, hot, 0, 0, 189, 21);
    return c;
}

// ---------------------------------------------------------------------------
// Canopy/Border.png: a thin bevelled slate frame round the screen with a
// small riveted plate in each corner and a stud mid-edge. Cyan elsewhere,
// and always clear over the minimap (x 420..629, y 370..459).

void draw_plate(Canvas& c, int x0, int y0, int size) {
    // Only the corner facing the view is rounded: the rounded outline runs
    // past the screen edge and is cut square there, so the screen corner
    // itself is covered.
    float ex0 = x0 == 0 ? -4.0f : x0, ey0 = y0 == 0 ? -4.0f : y0;
    float ex1 = x0 + size == c.w ? c.w + 4.0f : x0 + size;
    float ey1 = y0 + size == c.h ? c.h + 4.0f : y0 + size;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x) {
            float d = std::max(sd_round_rect(x + 0.5f, y + 0.5f, ex0, ey0, ex1, ey1, 3),
                               sd_round_rect(x + 0.5f, y + 0.5f, x0, y0, x0 + size, y0 + size, 0));
            if (d > 0)
                continue;
            Color col = kSlate;
            if (d > -1)
                col = kInk;
            else if (d > -2.5f) {
                // bevel lit from the top-left
                bool lit = (x - x0) + (y - y0) < size;
                col = lit ? kSteel : rgb(36, 44, 58);
            } else
                col = shade(kSlate, 8 - 16.0f * (y - y0) / size);
            c.at(x, y) = col;
        }
    // Rivet: a dome with a highlight up-left.
    float cx = x0 + size / 2.0f, cy = y0 + size / 2.0f;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float rr = std::sqrt(dx * dx + dy * dy);
            if (rr > 3.6f)
                continue;
            float hl = std::sqrt((dx + 1.2f) * (dx + 1.2f) + (dy + 1.2f) * (dy + 1.2f));
            Color col = mix(kSteelLight, rgb(70, 84, 106), clampf(hl / 4.2f, 0, 1));
            if (rr > 2.8f)
                col = kInk;
            c.at(x, y) = col;
        }
}

void draw_stud(Canvas& c, int cx, int cy) {
    // A small diamond stud over the frame.
    for (int y = cy - 6; y <= cy + 6; ++y)
        for (int x = cx - 6; x <= cx + 6; ++x) {
            int m = std::abs(x - cx) + std::abs(y - cy);
            if (m > 6 || !c.inside(x, y))
                continue;
            Color col = kSlate;
            if (m == 6)
                col = kInk;
            else if (m >= 4)
                col = (y < cy || (y == cy && x < cx)) ? kSteel : rgb(36, 44, 58);
            else if (m <= 1)
                col = kSteelLight;
            c.at(x, y) = col;
        }
}

Canvas make_border() {
    const int W = 640, H = 480, B = 8;
    Canvas c(W, H, kCyan);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            // Depth into the frame from the screen edge, and which side we're on.
            int dl = x, dr = W - 1 - x, dt = y, db = H - 1 - y;
            int d = std::min(std::min(dl, dr), std::min(dt, db));
            if (d >= B)
                continue;
            bool top_or_left = std::min(dl, dt) <= std::min(dr, db);
            Color col;
            if (d == 0)
                col = kInk; // hard outer line
            else if (d <= 2)
                col = top_or_left ? kSteel : rgb(40, 48, 62); // raised outer bevel
            else if (d <= 4)
                col = shade(kSlate, top_or_left ? 6 : -6);
            else if (d == 5)
                col = top_or_left ? rgb(40, 48, 62) : kSteel; // sunken inner bevel
            else if (d == 6)
                col = rgb(170, 190, 214); // inner rim catching light
            else
                col = kInk; // shadow onto the view
            // Faint brushed texture along the frame.
            float n = (lattice(dl + dt, d, 61u) - 0.5f) * 6;
            c.at(x, y) = shade(col, d == 0 || d == 7 ? 0 : n);
        }
    const int P = 20; // corner plates, small enough to stay off the minimap
    draw_plate(c, 0, 0, P);
    draw_plate(c, W - P, 0, P);
    draw_plate(c, 0, H - P, P);
    draw_plate(c, W - P, H - P, P);
    draw_stud(c, W / 2, 3);
    draw_stud(c, W / 2, H - 4);
    draw_stud(c, 3, H / 2);
    draw_stud(c, W - 4, H / 2);
    // The minimap must show through whatever the frame does nearby.
    fill_rect(c, 420, 370, 630, 460, kCyan);
    return c;
}

// ---------------------------------------------------------------------------
// Canopy/TopBottomBorder.png: the two title bars in one picture.
// Rows 70..130 are the top bar (screen rows 0..60) with its bright edge at the
// bottom; rows 0..60 are the bottom bar (screen rows 419..479) with its edge at
// the top. Rows 61..69 are never seen and stay cyan. The bars are opaque so the
// clock and the credit line read on them.

Color bar_pixel(int x, int depth, int height) {
    // depth: 0 at the bar's inner edge (the one facing the view), growing
    // outwards to the screen edge.
    if (depth == 0)
        return kInk;
    if (depth <= 2)
        return depth == 1 ? kSteelLight : kSteel;
    if (depth == 3)
        return rgb(20, 25, 34);
    // Body: dark slate, a little lighter towards the view, with faint
    // horizontal brushing. Nothing sharp inside: the text sits there.
    float t = float(depth - 4) / float(height - 4);
    Color col = mix(rgb(40, 50, 68), rgb(22, 28, 39), smoothstep(0, 1, t));
    float brush = fbm(x * 0.2f, depth * 3.0f, 24, 2, 0, 71u) * 3;
    return shade(col, brush);
}

Canvas make_bars() {
    const int W = 640, H = 131, bar = 61;
    Canvas c(W, H, kCyan);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < bar; ++y)
            c.at(x, y) = bar_pixel(x, y, bar); // bottom bar, edge at its top
        for (int y = H - bar; y < H; ++y)
            c.at(x, y) = bar_pixel(x, H - 1 - y, bar); // top bar, edge at its bottom
    }
    return c;
}

// ---------------------------------------------------------------------------
// Canopy/Cursor.png: 16 frames of 96 x 96, drawn centred on the mouse, so the
// hot spot is each frame's centre (48,48). Frame 3 is the pointer: a white
// arrow with a dark rim whose tip pixel is exactly (48,48). The other frames
// add a ring that pulses out from the tip and fades, a cycle that starts
// after frame 3.

const int kCur = 96, kFrames = 16, kHot = 48;

// The pointer as pixel art, tip first: 'B' dark rim, 'W' white face. Hand
// placed pixels stay crisp at 1:1, which a cursor needs more than smooth
// edges. 22 rows tall, 14 wide.
const char* const kArrow[] = {
    "B",           "BB",           "BWB",           "BWWB",           "BWWWB",
    "BWWWWB",      "BWWWWWB",      "BWWWWWWB",      "BWWWWWWWB",      "BWWWWWWWWB",
    "BWWWWWWWWWB", "BWWWWWWWWWWB", "BWWWWWWWWWWWB", "BWWWWWWBBBBBBB", "BWWWBWWB",
    "BWWB BWWB",   "BWB  BWWB",    "BB    BWWB",    "B     BWWB",     "       BWWB",
    "       BWWB", "        BB",
};

// Draws the arrow with its tip on (tx,ty), plus a soft shadow down-right.
void draw_arrow(Canvas& c, int tx, int ty) {
    const int rows = int(sizeof kArrow / sizeof kArrow[0]);
    auto ink = [&](int x, int y) {
        if (y < 0 || y >= rows || x < 0 || x >= int(std::string(kArrow[y]).size()))
            return false;
        return kArrow[y][x] != ' ';
    };
    // Shadow: the arrow's shape blurred a little and moved 2 px down-right.
    for (int y = -1; y < rows + 4; ++y)
        for (int x = -1; x < 18; ++x) {
            float sum = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    sum += ink(x - 2 + dx, y - 2 + dy);
            if (sum > 0 && !ink(x, y))
                blend(c, tx + x, ty + y, rgb(0, 0, 0, 0.38f), sum / 9);
        }
    for (int y = 0; y < rows; ++y)
        for (int x = 0; kArrow[y][x]; ++x) {
            if (kArrow[y][x] == 'B')
                c.at(tx + x, ty + y) = kInk;
            else if (kArrow[y][x] == 'W')
                // white with a faint cool shade down the arrow
                c.at(tx + x, ty + y) = mix(rgb(255, 255, 255), rgb(200, 213, 233), float(y) / rows);
        }
}

Canvas make_cursor() {
    Canvas c(kCur * kFrames, kCur);
    for (int f = 0; f < kFrames; ++f) {
        int ox = f * kCur;
        int phase = wrap(f - 3, kFrames); // 0 on frame 3: no ring
        if (phase > 0) {
            // Ring radius grows and its alpha fades over the cycle.
            float radius = 4 + phase * 2.4f;
            float fade = 1 - float(phase) / kFrames;
            for (int y = 0; y < kCur; ++y)
                for (int x = 0; x < kCur; ++x) {
                    float dx = x + 0.5f - kHot, dy = y + 0.5f - kHot;
                    float dist = std::fabs(std::sqrt(dx * dx + dy * dy) - radius);
                    float ring = clampf(1.6f - dist, 0, 1);
                    float glow = clampf(3.2f - dist, 0, 1) * 0.35f;
                    blend(c, ox + x, y, rgb(kInk.r, kInk.g, kInk.b, 0.6f * fade), glow);
                    blend(c, ox + x, y, rgb(kSteelLight.r, kSteelLight.g, kSteelLight.b, fade),
                          ring);
                }
        }
        draw_arrow(c, ox + kHot, kHot);
    }
    return c;
}

// ---------------------------------------------------------------------------
// The desktop icon, plint.png in the freedesktop hicolor sizes: the game's own
// view down a corridor of its wall, with a side passage opening on the right,
// over its sky and ground, on a rounded tile.
//
// The corridor is one cell wide and as tall as it is wide. A wall z cells deep
// (1 at the tile's edge) stands 1/z of the tile's height, centred on the
// horizon, and darkens with depth as the game darkens its walls.

const int kIconSizes[] = {16, 32, 48, 64, 128, 256};
const float kFarDepth = 3.5f;                        // the wall that closes the corridor
const float kGapNear = 1.6f, kGapFar = 2.3f;         // the side passage's mouth
const float kTileInset = 0.04f, kTileRadius = 0.16f; // in tile widths

float frac(float v) {
    return v - float(int(v));
}

// The wall's texel at (across, up) in 0..1 of a face, darkened by depth.
Color wall_texel(const Canvas& wall, float across, float up, float depth) {
    int x = std::min(int(frac(across) * wall.w), wall.w - 1);
    int y = std::min(int(clampf(up, 0, 1) * wall.h), wall.h - 1);
    return shade(wall.at(x, y), -26 * (depth - 1));
}

// What the view shows at (u, v) in 0..1 of the tile.
Color corridor(const Canvas& wall, const Canvas& background, float u, float v) {
    float side = u < 0.5f ? 0.5f - u : u - 0.5f; // from the centre, in tile widths
    float depth = side > 0 ? 0.5f / side : kFarDepth;
    float across = depth; // along a side wall, one face per cell of depth
    if (depth >= kFarDepth) {
        depth = kFarDepth; // the end wall faces the player
        across = 0.5f + (u - 0.5f) * depth;
    } else if (u > 0.5f && depth > kGapNear && depth < kGapFar) {
        depth = kGapFar; // through the opening: the far side of the passage
        across = 0.5f + (u - 0.5f) * depth;
    }
    float half = 0.5f / depth, up = (v - 0.5f) / half; // -1..1 on the wall
    if (up > -1 && up < 1)
        return wall_texel(wall, across, (up + 1) / 2, depth);
    int bx = std::min(int(u * background.w), background.w - 1);
    int by = std::min(int(v * background.h), background.h - 1);
    return background.at(bx, by);
}

// Each pixel averages a grid of samples, so small sizes stay smooth.
Canvas make_icon(int n, const Canvas& wall, const Canvas& background) {
    Canvas c(n, n);
    const int grid = std::max(4, std::min(64, 1024 / n));
    const float rim = std::max(1.0f / n, 0.025f); // dark edge, at least a pixel
    const float lo = int(kTileInset * n + 0.5f) / float(n), hi = 1 - lo; // on whole pixels
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            Color sum;
            sum.a = 0;
            int inside = 0;
            for (int sy = 0; sy < grid; ++sy)
                for (int sx = 0; sx < grid; ++sx) {
                    float u = (x + (sx + 0.5f) / grid) / n, v = (y + (sy + 0.5f) / grid) / n;
                    float d = sd_round_rect(u, v, lo, lo, hi, hi, kTileRadius);
                    if (d >= 0)
                        continue;
                    Color col = kInk; // the tile's outer edge, then a bright line
                    if (d <= -2 * rim)
                        col = corridor(wall, background, (u - lo) / (hi - lo), (v - lo) / (hi - lo));
                    else if (d <= -rim)
                        col = kSteel;
                    sum.r += col.r;
                    sum.g += col.g;
                    sum.b += col.b;
                    ++inside;
                }
            if (inside)
                c.at(x, y) = rgb(sum.r / inside, sum.g / inside, sum.b / inside,
                                 float(inside) / (grid * grid));
        }
    return c;
}

void make_dir(const std::string& p) {
    ::mkdir(p.c_str(), 0755);
}

// Counts exact-cyan pixels, to make sure the art never uses the key by accident.
int count_cyan(const Canvas& c) {
    int n = 0;
    for (const Color& p : c.px)
        n += cyan(p);
    return n;
}

// FreeType releases draw glyphs a little differently, so the font is held to what the game
// relies on rather than to its bytes: an RGBA sheet of 1425 x 21, 95 cells of 15 x 21, the
// space cell (0) wholly clear, every other cell with some ink, and none in a cell's last column:
// the game steps 11 pixels a glyph, so ink there would lie over the next glyph's strokes.
int check_font(const char* path) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        std::fprintf(stderr, "%s: %s\n", path, image.message);
        return 1;
    }
    const bool alpha = image.format & PNG_FORMAT_FLAG_ALPHA;
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> px(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, px.data(), 0, nullptr)) {
        std::fprintf(stderr, "%s: %s\n", path, image.message);
        return 1;
    }
    const int W = kCellW * kGlyphs;
    if (!alpha || int(image.width) != W || int(image.height) != kCellH) {
        std::fprintf(stderr, "%s: %u x %u%s, not %d x %d RGBA\n", path, image.width, image.height,
                     alpha ? "" : " without alpha", W, kCellH);
        return 1;
    }
    int status = 0;
    for (int i = 0; i < kGlyphs; ++i) {
        int ink = 0, spilt = 0;
        for (int y = 0; y < kCellH; ++y)
            for (int x = i * kCellW; x < (i + 1) * kCellW; ++x) {
                ink += px[(y * W + x) * 4 + 3] > 0;
                spilt += x == (i + 1) * kCellW - 1 && px[(y * W + x) * 4 + 3] > 0;
            }
        if ((i == 0) != (ink == 0)) {
            std::fprintf(stderr, "%s: the cell of '%c' is %s\n", path, char(32 + i),
                         i == 0 ? "not clear" : "empty");
            status = 1;
        }
        if (spilt) {
            std::fprintf(stderr, "%s: '%c' has ink in its cell's last column\n", path,
                         char(32 + i));
            status = 1;
        }
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--check-font")
        return check_font(argv[2]);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUT_DIR FONT_TTF [ICON_DIR]\n", argv[0]);
        return 2;
    }
    std::string out = argv[1], ttf = argv[2];
    make_dir(out);
    make_dir(out + "/Game");
    make_dir(out + "/Canopy");

    Canvas wall = make_wall(), background = make_background();
    if (count_cyan(wall) || count_cyan(background)) {
        std::fprintf(stderr, "wall or background uses the cyan colour key\n");
        return 1;
    }
    write_png(out + "/Game/wall.png", wall, false);
    write_png(out + "/Game/background.png", background, false);
    write_png(out + "/Canopy/Font.png", make_font(ttf), true);
    write_png(out + "/Canopy/Button.png", make_button(), true);
    write_png(out + "/Canopy/Border.png", make_border(), false);
    write_png(out + "/Canopy/TopBottomBorder.png", make_bars(), false);
    write_png(out + "/Canopy/Cursor.png", make_cursor(), true);
    if (argc == 4) {
        const std::string icons = argv[3];
        make_dir(icons);
        for (int n : kIconSizes) {
            const std::string dir = icons + "/" + std::to_string(n) + "x" + std::to_string(n);
            make_dir(dir);
            make_dir(dir + "/apps");
            write_png(dir + "/apps/plint.png", make_icon(n, wall, background), true);
        }
    }
    return 0;
}

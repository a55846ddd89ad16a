// Writes the stress project: a box of six faces, each with a grid of
// components of every kind (circular and rectangular visible recesses,
// circular and rectangular openings, turned and not, and components that get
// nothing), chosen by a seeded generator so that the same seed always gives
// the same file, byte for byte.
//
//   stress_project OUTPUT.json [SEED (7)] [COMPONENTS_PER_FACE (80)]
//
// The face sizes assume the box height and material thickness that the
// benchmark passes on the command line (kBoxHeight3d, kThickness); other
// values only move components towards or past the face edges.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr int kBoxWidthCm = 60;
constexpr int kBoxHeightCm = 40;
constexpr double kBoxHeight3d = 250.0;  // mm
constexpr double kThickness = 3.0;      // mm

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number of hundredths in [low, high], both in hundredths.
    long hundredths(long low, long high) {
        return low + static_cast<long>(next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t state_;
};

// Hundredths as JSON number text, without going through floating point.
std::string number(long hundredths) {
    char text[32];
    const long whole = hundredths / 100;
    const long part = hundredths % 100;
    if (hundredths < 0) {
        std::snprintf(text, sizeof text, "-%ld.%02ld", -whole, -part);
    } else {
        std::snprintf(text, sizeof text, "%ld.%02ld", whole, part);
    }
    return text;
}

struct Face {
    const char* name;
    long width;   // hundredths of a centimetre
    long height;
    int columns = 1;
    int rows = 1;
};

// A grid of at least `count` cells about as square as the face allows.
void lay_out_grid(Face& face, int count) {
    const double aspect = static_cast<double>(face.width) / static_cast<double>(face.height);
    face.columns = static_cast<int>(std::lround(std::sqrt(count * aspect)));
    if (face.columns < 1) face.columns = 1;
    if (face.columns > count) face.columns = count;
    face.rows = (count + face.columns - 1) / face.columns;
}

void write_component(std::ostream& out, Random& random, const Face& face, int index, bool last) {
    static const char* const kNames[3][3] = {
        {"knob", "display", "meter"},
        {"fan", "socket", "vent"},
        {"lamp", "label", "mark"},
    };
    const int visible = index % 3;        // circle, rectangle, none
    const int drill = (index / 3) % 3;    // circle, rectangle, none
    const long cell_w = face.width / face.columns;
    const long cell_h = face.height / face.rows;
    const int column = index % face.columns;
    const int row = index / face.columns;
    const long cell = cell_w < cell_h ? cell_w : cell_h;
    // Centres jitter inside their cell by up to a tenth of it.
    const long x = cell_w * column + cell_w / 2 + random.hundredths(-cell_w / 10, cell_w / 10);
    const long y = cell_h * row + cell_h / 2 + random.hundredths(-cell_h / 10, cell_h / 10);
    static const long kTurns[6] = {0, 9000, -4500, 3000, 18000, -1};

    char name[32];
    std::snprintf(name, sizeof name, "%s_%03d", kNames[drill][visible], index);
    out << "    \"" << name << "\": {\"location_x\": " << number(x) << ", \"location_y\": " << number(y);
    long visible_size = cell * 8 / 10;
    if (visible == 0) {
        visible_size = random.hundredths(cell * 5 / 10, cell * 8 / 10);
        out << ", \"visible_diameter\": " << number(visible_size);
    } else if (visible == 1) {
        const long w = random.hundredths(cell * 5 / 10, cell * 8 / 10);
        const long h = random.hundredths(cell * 3 / 10, cell * 6 / 10);
        visible_size = h;
        out << ", \"visible_width\": " << number(w) << ", \"visible_height\": " << number(h);
    }
    if (drill == 0) {
        out << ", \"drill_diameter\": " << number(random.hundredths(visible_size * 3 / 10, visible_size * 6 / 10));
    } else if (drill == 1) {
        out << ", \"drill_width\": " << number(random.hundredths(visible_size * 3 / 10, visible_size * 6 / 10))
            << ", \"drill_height\": " << number(random.hundredths(visible_size * 2 / 10, visible_size * 4 / 10));
    }
    if (visible == 1 || drill == 1) {
        long turn = kTurns[random.next() % 6];
        if (turn < 0) turn = random.hundredths(-18000, 18000) / 10 * 10;
        out << ", \"rotation\": " << number(turn);
    }
    out << "}" << (last ? "\n" : ",\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: stress_project OUTPUT.json [SEED] [COMPONENTS_PER_FACE]\n";
        return 2;
    }
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 7;
    const int per_face = argc > 3 ? std::atoi(argv[3]) : 80;
    if (per_face < 1 || per_face > 100) {
        std::cerr << "stress_project: COMPONENTS_PER_FACE must be 1 to 100\n";
        return 2;
    }

    // Face sizes in hundredths of a centimetre, without outer sizing: end
    // faces are W x (BH + 2T), side faces (BH + 2T) x (H + 2T).
    const long end_height = static_cast<long>((kBoxHeight3d + 2 * kThickness) * 10);
    const long side_height = kBoxHeightCm * 100 + static_cast<long>(2 * kThickness * 10);
    Face faces[6] = {
        {"Stress_Back", kBoxWidthCm * 100, end_height},
        {"Stress_Bottom", kBoxWidthCm * 100, kBoxHeightCm * 100},
        {"Stress_Front", kBoxWidthCm * 100, end_height},
        {"Stress_Left", end_height, side_height},
        {"Stress_Right", end_height, side_height},
        {"Stress_Top", kBoxWidthCm * 100, kBoxHeightCm * 100},
    };
    for (Face& face : faces) lay_out_grid(face, per_face);

    std::ofstream out(argv[1]);
    if (!out) {
        std::cerr << "stress_project: cannot write " << argv[1] << "\n";
        return 1;
    }
    Random random(seed);
    out << "{\n  \"Generic\": {\"width\": " << kBoxWidthCm << ", \"height\": " << kBoxHeightCm << "},\n";
    for (int f = 0; f < 6; ++f) {
        out << "  \"" << faces[f].name << "\": {\n";
        for (int i = 0; i < per_face; ++i) {
            write_component(out, random, faces[f], i, i + 1 == per_face);
        }
        out << (f + 1 < 6 ? "  },\n" : "  }\n");
    }
    out << "}\n";
    out.close();
    if (!out) {
        std::cerr << "stress_project: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}

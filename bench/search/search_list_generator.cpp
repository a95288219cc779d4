// Writes a catalogue to search: DISCS disc lists of LINES file lines each plus the summary line,
// in the disc-list layout ("folder\","name" CR LF), and DK.tex naming them in order. Photos,
// music, documents, videos and software in folders a few levels deep; about 3% of the names
// carry accents (UTF-8), and one disc in forty was catalogued on Windows (windows-1252). Five
// rare words (kamera, quokka, zanzibar, fjordland, xylophon) turn up about once in 20,000
// lines each. Deterministic: every run writes the same bytes.
// Usage: search_list_generator FOLDER [DISCS] [LINES]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    unsigned below(unsigned n) { return static_cast<unsigned>(engine_() % n); }
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(N)]; }

private:
    std::mt19937_64 engine_; // fully specified: every run writes the same lists
};

const char* const Places[] = {"Spain",  "Norway", "Italy",  "Cape Town", "Durban", "Paris",
                              "London", "Berlin", "Greece", "Namibia",   "Kruger", "Home"};
const char* const Events[] = {"Holiday",    "Wedding", "Birthday",       "Christmas", "Braai",
                              "Graduation", "Trip",    "School Concert", "Easter",    "Weekend"};
const char* const Artists[] = {"Johnny Clegg", "Miriam Makeba", "The Beatles",   "Queen",
                               "Pink Floyd",   "ABBA",          "Fleetwood Mac", "Toto",
                               "Dire Straits", "Mango Groove",  "Freshlyground", "Coldplay"};
const char* const Titles[] = {"Scatterlings of Africa",
                              "Pata Pata",
                              "Yesterday",
                              "Africa",
                              "Sultans of Swing",
                              "Dancing Queen",
                              "Time",
                              "Special Star",
                              "Doo Be Doo",
                              "Yellow",
                              "Dreams",
                              "Go Your Own Way"};
const char* const DocWords[] = {"Report", "Budget",  "Minutes",  "Invoice", "Letter", "Notes",
                                "Plan",   "Summary", "Contract", "Quote",   "Agenda", "Thesis"};
const char* const DocTypes[] = {"doc", "docx", "xls", "xlsx", "pdf", "txt", "ppt", "rtf"};
const char* const Software[] = {"setup.exe",   "readme.txt", "license.txt", "data1.cab",
                                "install.ini", "msvcrt.dll", "autorun.inf", "update.msi",
                                "config.xml",  "help.chm",   "program.exe", "uninstall.exe"};
const char* const Programs[] = {"Office 2003",           "Nero 7",           "WinZip",
                                "Adobe Reader",          "Norton AntiVirus", "Drivers",
                                "Games\\Age of Empires", "Tools\\7-Zip",     "DirectX 9",
                                "Java Runtime"};
const char* const Movies[] = {"Tsotsi",  "District 9", "Invictus",  "Blood Diamond",
                              "Chappie", "Home Video", "Kids Play", "School Play"};
const char* const Accented[] = {"Café",  "Müller",       "Søren", "naïve", "Ångström",
                                "Björk", "Crème brûlée", "Señor", "Zoë",   "Über"};
const char* const Months[] = {"January",   "February", "March",    "April",
                              "May",       "June",     "July",     "August",
                              "September", "October",  "November", "December"};
const char* const Rare[] = {"kamera", "quokka", "zanzibar", "fjordland", "xylophon"};

// UTF-8 to windows-1252 for the few accented letters used here.
std::string to1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC3 && i + 1 < utf8.size()) {
            out += static_cast<char>(static_cast<unsigned char>(utf8[++i]) + 0x40);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

enum class Kind { Photos, Music, Documents, Video, Software };

Kind pickKind(Random& r) {
    const unsigned k = r.below(100);
    return k < 22   ? Kind::Photos
           : k < 40 ? Kind::Music
           : k < 62 ? Kind::Documents
           : k < 70 ? Kind::Video
                    : Kind::Software;
}

struct Folder {
    Kind kind;
    std::string path;
    int year;
};

Folder makeFolder(Random& r, int disc) {
    char buf[256];
    Folder f{pickKind(r), {}, 1999 + static_cast<int>(r.below(14))};
    switch (f.kind) {
    case Kind::Photos:
        std::snprintf(buf, sizeof buf, "E:\\Photos\\%d\\%s %s %d\\", f.year, r.pick(Events),
                      r.pick(Places), f.year);
        break;
    case Kind::Music:
        std::snprintf(buf, sizeof buf, "E:\\Music\\%s\\Album %u (%u)\\", r.pick(Artists),
                      1 + r.below(9), 1970 + r.below(40));
        break;
    case Kind::Documents:
        std::snprintf(buf, sizeof buf, "E:\\Documents\\Backup %d-%02u\\Work\\%s\\",
                      2000 + disc % 12, 1 + r.below(12), r.pick(DocWords));
        break;
    case Kind::Video:
        std::snprintf(buf, sizeof buf, "E:\\Video\\%s\\", r.pick(Movies));
        break;
    case Kind::Software:
        std::snprintf(buf, sizeof buf, "E:\\Software\\%s\\Disk%u\\", r.pick(Programs),
                      1 + r.below(6));
        break;
    }
    // Every disc keeps its files under a dated backup folder.
    char root[64];
    std::snprintf(root, sizeof root, "E:\\Backup %s %d\\", Months[disc % 12], 2000 + disc % 13);
    f.path = root + std::string(buf + 3);
    return f;
}

std::string makeName(Random& r, const Folder& f, int disc, int& photo) {
    char buf[256];
    switch (f.kind) {
    case Kind::Photos:
        std::snprintf(buf, sizeof buf, "IMG_%d%02u%02u_%04d.jpg", f.year, 1 + r.below(12),
                      1 + r.below(28), ++photo % 10000);
        break;
    case Kind::Music:
        std::snprintf(buf, sizeof buf, "%02u - %s - %s.mp3", 1 + r.below(14), r.pick(Artists),
                      r.pick(Titles));
        break;
    case Kind::Documents:
        std::snprintf(buf, sizeof buf, "%s %s %u-%02u v%u.%s", r.pick(DocWords), r.pick(DocWords),
                      2000 + r.below(13), 1 + r.below(12), 1 + r.below(5), r.pick(DocTypes));
        break;
    case Kind::Video:
        std::snprintf(buf, sizeof buf, "%s part %u (disc %d).avi", r.pick(Movies), 1 + r.below(4),
                      disc);
        break;
    case Kind::Software:
        std::snprintf(buf, sizeof buf, "%s", r.pick(Software));
        break;
    }
    std::string name = buf;
    if (r.below(100) < 3)
        name = std::string(r.pick(Accented)) + " " + name;
    if (r.below(20000) < 5)
        name = std::string(r.pick(Rare)) + " " + name;
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [DISCS] [LINES]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int discs = argc > 2 ? std::atoi(argv[2]) : 2000;
    const int lines = argc > 3 ? std::atoi(argv[3]) : 5000;
    std::filesystem::create_directories(folder);
    Random random(20261207);
    std::string index;
    for (int d = 1; d <= discs; ++d) {
        char name[64];
        std::snprintf(name, sizeof name, "Backup %04d", d);
        index += std::string(name) + "\r\n";
        const bool windows = d % 40 == 0;
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(lines) * 100);
        int photo = static_cast<int>(random.below(9000));
        int folders = 0;
        for (int n = 0; n < lines;) {
            const Folder f = makeFolder(random, d);
            ++folders;
            for (int k = 5 + static_cast<int>(random.below(60)); k > 0 && n < lines; --k, ++n) {
                const std::string text =
                    "\"" + f.path + "\",\"" + makeName(random, f, d, photo) + "\"\r\n";
                bytes += windows ? to1252(text) : text;
            }
        }
        char summary[96];
        if (lines >= 1000)
            std::snprintf(summary, sizeof summary, "%d,%03d files : %d folders\r\n", lines / 1000,
                          lines % 1000, folders);
        else
            std::snprintf(summary, sizeof summary, "%d files : %d folders\r\n", lines, folders);
        bytes += summary;
        FILE* out = std::fopen((folder / (std::string(name) + ".rtf")).c_str(), "wb");
        if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
            std::fclose(out) != 0) {
            std::perror(name);
            return 1;
        }
    }
    FILE* out = std::fopen((folder / "DK.tex").c_str(), "wb");
    if (!out || std::fwrite(index.data(), 1, index.size(), out) != index.size() ||
        std::fclose(out) != 0) {
        std::perror("DK.tex");
        return 1;
    }
    return 0;
}

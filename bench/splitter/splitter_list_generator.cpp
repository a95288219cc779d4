// Writes disc lists as Dravik catalogues them: one quoted folder/file line per file and the
// summary line, CR LF. Extensions follow a skewed mix, with some that the splitter classes as
// OTHER or NONE. Usage: splitter_list_generator FOLDER [DISCS] [LINES]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// A small deterministic generator, so every run splits the same lists.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    unsigned below(unsigned n) { return static_cast<unsigned>(next() % n); }

private:
    std::uint64_t state_;
};

const char* const Common[] = {"jpg", "JPG",  "mp3",  "txt",  "doc", "pdf",  "png", "gif",
                              "avi", "mpeg", "html", "htm",  "xml", "dll",  "exe", "ini",
                              "wav", "zip",  "rar",  "docx", "xls", "xlsx", "ppt", "css"};
const char* const Rare[] = {"tar.gz", "c",   "h",    "",    "c++", "prn", "backup", "js",
                            "psd",    "tif", "bmp",  "ico", "cab", "iso", "nfo",    "sfv",
                            "m3u",    "ogg", "flac", "wma", "wmv", "mov", "mkv",    "srt",
                            "sub",    "idx", "chm",  "hlp", "inf", "cat", "sys",    "vxd"};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [DISCS] [LINES]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int discs = argc > 2 ? std::atoi(argv[2]) : 200;
    const int lines = argc > 3 ? std::atoi(argv[3]) : 5000;
    std::filesystem::create_directories(folder);
    Random random(20130613);
    for (int d = 0; d < discs; ++d) {
        char name[64];
        std::snprintf(name, sizeof name, "Disc %03d.rtf", d);
        FILE* out = std::fopen((folder / name).c_str(), "wb");
        if (!out) {
            std::perror(name);
            return 1;
        }
        int folders = 0;
        std::string current = "E:\\";
        for (int n = 0; n < lines; ++n) {
            if (n % 40 == 0 && n > 0) {
                ++folders;
                char sub[96];
                std::snprintf(sub, sizeof sub, "E:\\Collection %u\\Album %d\\", random.below(30),
                              folders);
                current = sub;
            }
            const unsigned pick = random.below(100);
            const char* extension = pick < 85 ? Common[random.below(std::size(Common))]
                                              : Rare[random.below(std::size(Rare))];
            std::fprintf(out, "\"%s\",\"track %05d of %d.%s\"\r\n", current.c_str(), n, d,
                         extension);
        }
        std::fprintf(out, "%d,%03d files : %d folders\r\n", lines / 1000, lines % 1000, folders);
        std::fclose(out);
    }
    return 0;
}

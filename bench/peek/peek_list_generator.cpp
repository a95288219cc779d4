// Writes a disc list as cataloguing does: one quoted folder and file name per line, CR LF, breadth
// first, and the summary line. Usage: peek_list_generator OUT [LINES]
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const Topics[] = {"Photos", "Music", "Documents", "Projects", "Backup", "Video"};
const char* const Places[] = {"Holiday in the mountains of Norway\\Camera one",
                              "Birthday party at home with the family\\Phone",
                              "Weekend by the sea in early summer\\Camera two",
                              "Visit to the grandparents on the farm\\Phone",
                              "School concert and prize giving evening\\Camera one"};
const char* const Kinds[] = {"img_", "dsc_", "track ", "scan "};
const char* const Extensions[] = {".jpg", ".JPG", ".mp3", ".pdf", ".png", ".avi"};

// About a hundred bytes a line, like a real disc of photos and music.
std::string folderOf(long index) {
    std::string folder = "E:\\";
    folder += Topics[index % 6];
    folder += '\\';
    folder += std::to_string(2001 + index % 17);
    folder += '\\';
    folder += Places[index % 5];
    folder += "\\Pictures of day ";
    folder += std::to_string(100 + index % 900).substr(1);
    folder += '\\';
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [LINES]\n", argv[0]);
        return 2;
    }
    const long lines = argc > 2 ? std::atol(argv[2]) : 1000000;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    constexpr long PerFolder = 500;
    std::string line;
    for (long i = 0; i < lines; ++i) {
        const long folder = i / PerFolder;
        line.assign(1, '"');
        line += folderOf(folder);
        line += "\",\"";
        line += Kinds[folder % 4];
        char number[16];
        std::snprintf(number, sizeof number, "%04ld", i % PerFolder + 1);
        line += number;
        line += Extensions[folder % 6];
        line += "\"\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
    // The summary line, with English thousands separators.
    const std::string digits = std::to_string(lines);
    std::string count;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            count += ',';
        count += digits[i];
    }
    std::fprintf(out, "%s files : %ld folders\r\n", count.c_str(),
                 (lines + PerFolder - 1) / PerFolder);
    return std::fclose(out) == 0 ? 0 : 1;
}

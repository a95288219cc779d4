// Writes COUNT different words, one a line, to search the generator's catalogue for: words of three
// or four syllables made of the letters the lists use most, so their pieces turn up in the lists
// as often as real words' would (few of them are whole words of the lists), and the five rare
// words and one name of a film folder, which the lists hold. Deterministic.
// Usage: search_word_generator [COUNT]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

namespace {

const char* const Syllables[] = {"ka",  "ro",  "ten", "mar", "li", "sa", "to", "ne", "ber", "al",
                                 "in",  "re",  "on",  "pho", "da", "ta", "ve", "lo", "mi",  "ar",
                                 "es",  "or",  "an",  "de",  "le", "co", "ma", "ti", "er",  "nu",
                                 "gra", "pla", "ste", "ri",  "ho", "bu", "fe", "wi", "ja"};
const char* const Rare[] = {"kamera", "quokka", "zanzibar", "fjordland", "xylophon", "Tsotsi"};

} // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937_64 random(20261209); // fully specified: every run writes the same words
    std::set<std::string> words(std::begin(Rare), std::end(Rare));
    for (const std::string& word : words)
        std::printf("%s\n", word.c_str());
    constexpr auto syllables = sizeof Syllables / sizeof *Syllables;
    while (static_cast<long>(words.size()) < count) {
        std::string word;
        for (auto n = 3 + random() % 2; n > 0; --n)
            word += Syllables[random() % syllables];
        if (words.insert(word).second)
            std::printf("%s\n", word.c_str());
    }
    return 0;
}

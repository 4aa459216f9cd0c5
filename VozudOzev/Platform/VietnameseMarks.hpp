#pragma once

#include "VozudOzev/Platform/PageWord.hpp"

#include <cstdint>

namespace VozudOzev::VietnameseMarks {

// Read with other data beside it, Vietnamese often loses its diacritics ("Banh mi" for
// "Bánh mì"); a second reading with the Vietnamese data alone may put them back.
enum class Signs { none, some, sure };

// Letters that, among the languages read here, only Vietnamese writes make a page surely
// Vietnamese; other accented Latin letters than the German ones only hint at it.
Signs signsOf(const PageLines& lines);

// Takes the marked reading of a word only where it is the same word: most of both boxes
// shared and the same letters once marks are set aside. With keepGerman, a German letter
// of the first reading stays.
void restore(PageLines& lines, const PageLines& marked, bool keepGerman);

// Only a word with a vowel or a d can take marks back (đ is a d with a mark).
bool markable(const std::string& word);

// Paints every word of lines that cannot take marks over with the background, so that the
// second reading has only the others to read (a word touching one of them stays whole);
// false when no word can take marks and there is nothing to read again.
bool blankUnmarkable(std::vector<std::uint8_t>& grey, int width, int height, std::uint8_t background,
                     const PageLines& lines);

// A page that shows some of Vietnamese's own letters beside German ones, without being
// surely Vietnamese, may be Vietnamese whose stacked marks the first reading took for
// umlauts ("Cöng höa" for "Cộng hòa"); the second reading tells.
bool mixed(const PageLines& lines);

// How many of the first reading's German letters the Vietnamese reading, on the same word
// with the same letters, reads with a dot below or a horn: marks two dots above never show.
// Two or more make the page surely Vietnamese.
int vietnameseUnderGerman(const PageLines& lines, const PageLines& marked);

// Vietnamese is written in syllables of one shape (an initial, one to three vowels, one of
// eight finals); German words with umlauts almost never have it ("Küchenrolle", "Grüner",
// "Kühn"), while Vietnamese vowels with stacked marks read as umlauts do ("Sän phäm" for
// "Sản phẩm"). True where at least two of the words with German letters have that shape and
// few do not: the umlauts are Vietnamese letters read wrong.
bool umlautsOnVietnameseSyllables(const PageLines& lines);

// Vietnamese data reads the two dots of ä ö ü as a tilde or a hook above ("Kũchenrolle").
// On a page that shows German letters and is not surely Vietnamese, such letters are put
// back to the German ones; other pages are left as read.
void germanLettersBack(PageLines& lines);

}  // namespace VozudOzev::VietnameseMarks

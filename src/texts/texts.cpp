#include "texts/texts.h"

namespace {

Language Chosen = Language::Japanese;

} // namespace

void useLanguage(Language language) {
    Chosen = language;
}

const char* text(Text key) {
    return Chosen == Language::English ? englishText(key) : japaneseText(key);
}

const char* windowTitle() {
    return text(Text::WindowTitle);
}

#include "console/texts.h"

namespace {

Language Chosen = Language::Japanese;

} // namespace

void useLanguage(Language language) {
    Chosen = language;
}

Language currentLanguage() {
    return Chosen;
}

const char* text(Text key) {
    return Chosen == Language::English ? englishText(key) : japaneseText(key);
}

const char* windowTitle() {
    return text(Text::WindowTitle);
}

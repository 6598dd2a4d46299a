#include "core/language.h"

namespace kv12 {

Language LanguageFromCode(std::string_view code) {
    if (code == "CHS") {
        return Language::SimplifiedChinese;
    }
    if (code == "CHT") {
        return Language::TraditionalChinese;
    }
    return Language::English;
}

}  // namespace kv12

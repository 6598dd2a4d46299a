// Profile import from arbitrary bytes: the text is accepted as a profile or
// refused with one line that names the file; nothing else escapes. An accepted
// profile exports as text that imports back as the same profile and exports
// again unchanged, and, written into str.ini and record.ini and read back from
// them, is the same profile again (what `profile import` then `profile export`
// do through the folder).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_error.h"
#include "cli/profile.h"
#include "cli/profile_json.h"
#include "fuzz_check.h"

namespace {

using kv12::fuzz::Check;

constexpr std::string_view LABEL = "profile.json";

void CheckOneLineNamingTheFile(const std::string& line) {
    Check(line.starts_with(std::string(LABEL) + ": ") && line.size() > LABEL.size() + 2,
          "a message names the file and says what is wrong");
    Check(line.find('\n') == std::string::npos && line.find('\r') == std::string::npos,
          "a message is one line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> warnings;
    kv12::Profile profile;
    try {
        profile = kv12::ProfileFromText(text, LABEL, &warnings);
    } catch (const kv12::CommandError& e) {
        CheckOneLineNamingTheFile(e.what());
        return 0;
    }
    for (const auto& warning : warnings) CheckOneLineNamingTheFile(warning);

    // Export, import again, export again.
    const std::string exported = kv12::ProfileToText(profile);
    std::vector<std::string> againWarnings;
    const kv12::Profile again = kv12::ProfileFromText(exported, LABEL, &againWarnings);
    Check(again == profile, "an exported profile imports back as the same profile");
    Check(againWarnings == warnings, "an exported profile imports back with the same warnings");
    Check(kv12::ProfileToText(again) == exported, "exporting again gives the same text");
    Check(kv12::ExportableProfileText(profile, LABEL) == exported, "an imported profile is exportable");

    // Through the files: what import writes into str.ini and record.ini reads back as the profile.
    const auto strIni =
        kv12::IniDocument::Parse(kv12::MergeIntoStrIni(profile, kv12::IniDocument{}).Serialize());
    const auto recordIni = kv12::IniDocument::Parse(kv12::BuildRecordIni(profile).Serialize());
    const kv12::Profile fromFiles =
        kv12::ProfileFromDocuments(profile.firstRunFlag, profile.block, strIni, recordIni);
    Check(fromFiles.skins == profile.skins, "the Skins keys read back from str.ini");
    Check(fromFiles.itemTexts == profile.itemTexts, "the button texts read back from str.ini");
    Check(fromFiles.macros == profile.macros, "the macros read back from record.ini");
    return 0;
}
